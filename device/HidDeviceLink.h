#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "base/ModeImage.h"
#include "device/DeviceControls.h"
#include "device/DeviceLink.h"
#include "device/DeviceProtocol.h"
#include "device/HidTransport.h"

namespace kestrovane {

// The program's one link to the mouse: finds it among the HID interfaces,
// holds its handles, watches the device set, and sends the commands. It owns
// the DeviceLink record, the identity table, the failure flag and the two
// transfer buffers; the transport, the clock and the window's controls are
// given and must outlive it. Nothing here throws or shows a message: a failed
// transfer sets deviceWriteFailed, an invalid handle skips its step.
//
// Everything runs on one thread, but not in one piece: every pause goes
// through the clock, which may run a detection tick (or the user's clicks)
// while it waits. A tick may close and reopen the handles, so every transfer
// reads its handle from the DeviceLink record when it starts.
class HidDeviceLink {
 public:
  static constexpr Clock::Duration kTransferPause{10};        // after every successful transfer
  static constexpr Clock::Duration kCommandPause{200};        // after a mode write or a macro half
  static constexpr Clock::Duration kDetectionInterval{2500};  // the detection timer
  static constexpr std::chrono::milliseconds kReadTimeout{
      1000};  // longest wait for an input report

  HidDeviceLink(HidTransport& transport, Clock& clock, DeviceControls& controls);
  ~HidDeviceLink();  // stops the detection timer and closes the handles
  HidDeviceLink(const HidDeviceLink&) = delete;
  HidDeviceLink& operator=(const HidDeviceLink&) = delete;

  const DeviceLink& link() const { return m_link; }

  // The identities tried when linking; all zero until filled (start-up fills it).
  DeviceIdTable& deviceIdTable() { return m_deviceIds; }
  const DeviceIdTable& deviceIdTable() const { return m_deviceIds; }
  void FillDeviceIdTable() { fillDeviceIdTable(m_deviceIds); }

  // Set by any failed transfer of a command; cleared only by the caller (Apply).
  bool deviceWriteFailed() const { return m_deviceWriteFailed; }
  void clearDeviceWriteFailed() { m_deviceWriteFailed = false; }

  // " Ver-N" after the last successful firmware query; empty before one and
  // from the start of every query.
  const std::string& firmwareVersionText() const { return m_versionText; }

  // Transfer primitives. Each fails at once on an invalid handle, returns
  // false without a pause when the transport fails, and sleeps kTransferPause
  // after a success: no timer or window event runs then, so nothing comes
  // between a command's feature request and its report. The feature ones
  // move exactly featureReportLength bytes and fail at once when the buffer
  // is shorter or the length cannot hold a command code (under 2 bytes).
  bool HidSetFeature(HidHandle handle, std::span<const std::uint8_t> buffer);
  // Sends the request, sleeps, then reads the answer into the same buffer (no
  // pause after it). Should a re-scan ever change the link during the sleep,
  // it fails without reading: the handle the request went to may be closed.
  bool HidSetGetFeature(HidHandle handle, std::span<std::uint8_t> buffer);
  bool HidWriteReport(HidHandle handle, std::span<const std::uint8_t> buffer);
  // Waits at most kReadTimeout for an input report.
  bool HidReadReport(HidHandle handle, std::span<std::uint8_t> buffer);

  // The number of present HID interfaces that open for reading and writing.
  int CountHidDevices();

  // Examines every interface and gives the ones with these IDs their roles:
  // a 65-byte input report -> input, a feature report -> feature (and the
  // IDs and featureReportLength), a 65-byte output report -> output. A later
  // interface takes a role over; a replaced handle holding no other role is
  // closed, as is a handle that takes no role. An open that fails is tried
  // once more. True when a feature interface was found; the output and input
  // handles may be set even when not.
  bool OpenHidDevice(std::uint32_t vendorId, std::uint32_t productId);

  // Closes the three handles, each distinct one once, and sets them invalid.
  void closeHandles();

  // Starts and stops the detection timer (kDetectionInterval on the clock).
  void startDetectionTimer();
  void stopDetectionTimer();

  // The detection tick: samples the device count in five pairs; when the
  // count changed and at least four pairs were stable, unlinks (controls off,
  // handles closed), links the first identity of the table that is found,
  // reads its firmware version and turns the controls on. Returns at once
  // while another tick runs.
  void DetectHIDDeviceCounterTimer();

  // Asks the mouse for its firmware version (command 0xC0) and shows " Ver-N"
  // with N = byte 2 of the answer. Does nothing without a feature handle;
  // sets deviceWriteFailed when the query fails or the feature report is too
  // short to carry byte 2.
  void GetFirmwareVersion();

  // Writes mode n (1..5): feature command n, then the 64 bytes of image as an
  // output report; then shows the loading window, pauses kCommandPause and
  // lets events run, whatever happened.
  void WriteMode(int n, const ModeImage& image);

  // Reads mode n (1..5): feature command 0x80 + n, then one input report whose
  // 64 data bytes replace image. image is left alone when the read fails.
  void ReadMode(int n, ModeImage& image);

  // Writes macro k (1..10) in two halves: commands 0x1F + k and 0x2F + k, each
  // followed by 64 bytes of the record as an output report, each half then
  // showing the loading window, pausing kCommandPause and letting events run.
  // The record is copied first, so a recompilation while the first half waits
  // cannot tear it.
  void WriteMacro(int k, std::span<const std::uint8_t, kMacroRecordLength> record);

 private:
  bool holdsRole(HidHandle handle) const;
  void takeRole(HidHandle& role, HidHandle handle);
  void fillFeatureRequest(std::uint8_t command);
  void sendBlock(std::uint8_t command, std::span<const std::uint8_t, kReportPayloadLength> payload);
  void finishBlock();

  HidTransport& m_transport;
  Clock& m_clock;
  DeviceControls& m_controls;
  DeviceLink m_link;
  DeviceIdTable m_deviceIds{};
  bool m_deviceWriteFailed = false;
  std::string m_versionText;
  // Shared by all commands; never shorter than featureReportLength, bytes past
  // the command code always 0.
  std::vector<std::uint8_t> m_featureRequest;
  // The output report of the write commands.
  std::array<std::uint8_t, kReportLength> m_report{};
  // Moves on whenever the handles may have changed (a re-scan); lets a
  // transfer that paused notice that its handle may be gone.
  std::uint64_t m_linkGeneration = 0;
  std::optional<Clock::TimerId> m_timer;
};

}  // namespace kestrovane
