#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/IniFile.h"
#include "base/ModeImage.h"
#include "device/HidTransport.h"

namespace kestrovane {

// The mouse in software: a HidTransport whose one device is simulated
// firmware with five mode images, ten macro records and a firmware version.
// Its state lives in a folder that other programs may read and edit while it
// runs; it is read again (when changed) at every call and written after every
// transfer that changes it:
//
//   virtual-mouse.ini  [Device] VendorId, ProductId (decimal, default 0x4321,
//                      0x6789), Interfaces (1 or 3), FeatureLength (default 9),
//                      Present (0 = unplugged); [Firmware] Version (0..255,
//                      default 1); [Mode1]..[Mode5] Image (128 hex digits);
//                      [Macro1]..[Macro10] Record (256 hex digits). A missing
//                      or unreadable value takes its default; a missing file
//                      is created with the defaults.
//   transfers.log      one line per transfer: "set-feature HEX", "get-feature
//                      HEX", "write HEX", "read HEX" with every byte of the
//                      buffer as it crossed; "fail " in front of a transfer
//                      that failed, " ignored" after one the firmware accepted
//                      and did nothing with.
//   faults.ini         [Faults] FailTransfer=N: the N-th transfer from now
//                      fails (the count goes down in the file; at the failure
//                      the key is removed); StallReads=1: reads time out.
//
// The firmware: a feature request (byte 0 = report ID 0, byte 1 = command,
// exactly FeatureLength bytes) announces what comes next: 0xC0 makes the next
// get-feature answer the version in byte 2 (byte 1 echoes 0xC0); 0x01..0x05
// makes the next 65-byte output report the image of mode N (its bytes 1..64);
// 0x20..0x29 / 0x30..0x39 make it the first / second half of macro k; with
// 0x81..0x85 the next input report read returns the image of mode N in bytes
// 1..64. A new feature request replaces the announcement; an unknown command
// is accepted and ignored. An output report nobody announced is accepted and
// ignored (as firmware would: the USB transfer itself succeeds). A read with
// nothing announced times out at once: the virtual mouse never waits.
// A get-feature with no answer prepared returns zeros after the report ID.
// Wrong lengths, a report ID other than 0, a report kind the interface does
// not carry and handles of an unplugged or reshaped mouse fail.
//
// Interfaces: "virtual:DIR#0" carries input (65), output (65) and feature
// reports; with Interfaces=3, "#0" carries the feature report, "#1" the output
// report and "#2" the input report.
class VirtualMouse final : public HidTransport {
 public:
  static constexpr const char* kPathPrefix = "virtual:";
  static constexpr const char* kStateFile = "virtual-mouse.ini";
  static constexpr const char* kLogFile = "transfers.log";
  static constexpr const char* kFaultsFile = "faults.ini";
  static constexpr std::uint16_t kDefaultVendorId = 0x4321;
  static constexpr std::uint16_t kDefaultProductId = 0x6789;
  static constexpr std::uint16_t kDefaultFeatureLength = 9;
  static constexpr std::uint8_t kDefaultVersion = 1;
  static constexpr int kMacroCount = 10;
  static constexpr std::size_t kReportLength = 65;
  using MacroRecord = std::array<std::uint8_t, 128>;

  // Uses (and creates) the folder dir; relative to the working directory when
  // not absolute.
  explicit VirtualMouse(const std::filesystem::path& dir);

  const std::filesystem::path& dir() const { return m_dir; }

  // The image of mode n (1..5) and macro record k (1..10) as the file holds
  // them now.
  ModeImage modeImage(int n);
  MacroRecord macroRecord(int k);

  std::vector<std::string> enumerate() override;
  HidHandle open(const std::string& path, HidOpenError* error = nullptr) override;
  bool attributes(HidHandle handle, HidAttributes& out) override;
  bool setFeature(HidHandle handle, const std::uint8_t* buffer, std::size_t length) override;
  bool getFeature(HidHandle handle, std::uint8_t* buffer, std::size_t length) override;
  bool write(HidHandle handle, const std::uint8_t* buffer, std::size_t length) override;
  bool read(HidHandle handle, std::uint8_t* buffer, std::size_t length,
            std::chrono::milliseconds timeout) override;
  void close(HidHandle handle) override;

 private:
  struct Identity {
    std::uint16_t vendorId = kDefaultVendorId;
    std::uint16_t productId = kDefaultProductId;
    int interfaces = 1;
    std::uint16_t featureLength = kDefaultFeatureLength;
    friend bool operator==(const Identity&, const Identity&) = default;
  };
  struct Handle {
    int interface = 0;
    unsigned generation = 0;
  };
  enum class Kind { SetFeature, GetFeature, Write, Read };

  std::filesystem::path file(const char* name) const { return m_dir / name; }
  std::string interfacePath(int index) const;

  // Takes the state file in again when its bytes changed (a modification time
  // can stay the same across two quick edits); creates it when missing.
  void refresh();
  void readState();
  bool saveState();
  // Counts the transfer down in faults.ini; true when this one must fail.
  bool injectedFailure(bool& stallReads);

  HidAttributes interfaceAttributes(int index) const;
  // The interface of a live handle, or nullopt (unknown, unplugged, reshaped).
  std::optional<int> liveInterface(HidHandle handle) const;
  // Runs one transfer: faults, validation, firmware, state file, log.
  bool transfer(Kind kind, HidHandle handle, std::uint8_t* buffer, std::size_t length);
  bool firmware(Kind kind, int interface, std::uint8_t* buffer, std::size_t length, bool& ignored);
  bool appendLog(Kind kind, bool failed, bool ignored, const std::uint8_t* buffer,
                 std::size_t length);

  std::filesystem::path m_dir;
  IniFile m_ini;
  std::optional<std::string> m_stateText;  // the bytes last read or written
  bool m_stateKnown = false;
  Identity m_identity;
  bool m_present = true;
  unsigned m_generation = 0;
  std::uint8_t m_version = kDefaultVersion;
  std::array<ModeImage, kModeCount> m_modes{};
  std::array<MacroRecord, kMacroCount> m_macros{};

  std::optional<std::uint8_t> m_command;  // announced by the last feature request
  std::vector<std::uint8_t> m_featureAnswer;

  std::map<HidHandle, Handle> m_handles;
  HidHandle m_nextHandle = 1;
};

}  // namespace kestrovane
