#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "device/DeviceControls.h"
#include "device/HidTransport.h"
#include "device/ManualClock.h"

namespace kestrovane::test {

// One thing that happened, in the one log that the transport, the clock and
// the window's controls write to, so a test can compare whole sequences.
struct Event {
  enum class Kind {
    Open,        // handle = the new handle, text = path
    OpenFailed,  // text = path
    Close,
    SetFeature,  // bytes = what was sent
    GetFeature,  // bytes = the answer
    Write,       // bytes = what was sent
    Read,        // bytes = what was delivered
    Pause,       // duration
    Events,      // processEvents
    Disable,     // DisableDeviceControls
    Enable,      // EnableDeviceControls
    Version,     // ShowFirmwareVersion, text = caption
    Loading,     // ShowLoadingWindow
    Misuse,      // a call on a handle that is not open; text says which
  };
  Kind kind;
  HidHandle handle = kInvalidHidHandle;
  std::vector<std::uint8_t> bytes;
  std::string text;
  std::chrono::milliseconds duration{0};

  bool operator==(const Event&) const = default;
};

void PrintTo(const Event& event, std::ostream* os);

Event setFeature(HidHandle handle, std::vector<std::uint8_t> bytes);
Event getFeature(HidHandle handle, std::vector<std::uint8_t> bytes);
Event write(HidHandle handle, std::vector<std::uint8_t> bytes);
Event read(HidHandle handle, std::vector<std::uint8_t> bytes);
Event pause(int milliseconds);
Event events();
Event loading();
Event disable();
Event enable();
Event version(std::string text);

// A feature request: report ID 0, the command code, zeros up to length.
std::vector<std::uint8_t> featureBytes(std::uint8_t command, std::size_t length = 9);
// A 65-byte report: report ID 0 and the 64 bytes at payload.
std::vector<std::uint8_t> reportBytes(const std::uint8_t* payload);

class EventLog {
 public:
  void add(Event event) { m_events.push_back(std::move(event)); }
  const std::vector<Event>& all() const { return m_events; }
  // Everything but opens and closes: the transfers, pauses and window calls.
  std::vector<Event> traffic() const;
  // Only the events of these kinds.
  std::vector<Event> only(std::set<Event::Kind> kinds) const;
  void clear() { m_events.clear(); }

 private:
  std::vector<Event> m_events;
};

// One HID interface as the scripted transport presents it.
struct ScriptedInterface {
  std::string path;
  HidAttributes attributes;
  int failingOpens = 0;  // this many opens fail before opens succeed
  bool neverOpens = false;
  bool attributesFail = false;
};

HidAttributes shape(std::uint16_t vendorId, std::uint16_t productId, std::uint16_t input,
                    std::uint16_t output, std::uint16_t feature);

// A HidTransport whose interfaces, open failures and transfer results a test
// sets up, and which logs every call. Handles are numbered from 100 and never
// reused, so closes can be counted per handle, unless reuseHandles asks for
// the lowest free number, as file descriptors are given out.
class ScriptedTransport : public HidTransport {
 public:
  explicit ScriptedTransport(EventLog& log) : m_log(log) {}

  std::vector<ScriptedInterface> interfaces;
  // Runs before every enumeration with its number, from 0.
  std::function<void(int)> onEnumerate;
  // Numbers, from 1, of the transfers (feature set and get, write, read) that fail.
  std::set<int> failingTransfers;
  // The answer of every get-feature; bytes past its end read 0.
  std::vector<std::uint8_t> featureAnswer;
  // The input report delivered by every read; empty: every read times out.
  std::vector<std::uint8_t> inputReport;
  bool reuseHandles = false;

  std::vector<std::string> enumerate() override;
  HidHandle open(const std::string& path, HidOpenError* error = nullptr) override;
  bool attributes(HidHandle handle, HidAttributes& out) override;
  bool setFeature(HidHandle handle, const std::uint8_t* buffer, std::size_t length) override;
  bool getFeature(HidHandle handle, std::uint8_t* buffer, std::size_t length) override;
  bool write(HidHandle handle, const std::uint8_t* buffer, std::size_t length) override;
  bool read(HidHandle handle, std::uint8_t* buffer, std::size_t length,
            std::chrono::milliseconds timeout) override;
  void close(HidHandle handle) override;

  void unplug(const std::string& path);
  int enumerations() const { return m_enumerations; }
  int closesOf(HidHandle handle) const;
  std::set<HidHandle> openHandles() const;
  // The path an open handle belongs to; empty for none.
  std::string pathOf(HidHandle handle) const;
  int misuses() const { return m_misuses; }

 private:
  const ScriptedInterface* present(HidHandle handle) const;
  bool transfer(Event event);

  EventLog& m_log;
  std::map<HidHandle, std::string> m_open;  // handle -> path
  std::map<HidHandle, int> m_closes;
  HidHandle m_nextHandle = 100;
  int m_enumerations = 0;
  int m_transfers = 0;
  int m_misuses = 0;
};

// The window's side, recorded in the log.
class RecordingControls : public DeviceControls {
 public:
  explicit RecordingControls(EventLog& log) : m_log(log) {}
  void DisableDeviceControls() override;
  void EnableDeviceControls() override;
  void ShowFirmwareVersion(const std::string& text) override;
  void ShowLoadingWindow() override;

  bool enabled = false;
  std::string versionLabel;

 private:
  EventLog& m_log;
};

// Logs the clock's pauses and processEvents calls into log; duringPause, when
// given, runs inside every pause after it is logged.
void recordClock(ManualClock& clock, EventLog& log,
                 std::function<void(Clock::Duration)> duringPause = {});

}  // namespace kestrovane::test
