#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "base/ManualClock.h"
#include "device/DeviceControls.h"
#include "device/HidTransport.h"

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
  };
  Kind kind;
  HidHandle handle = kInvalidHidHandle;
  std::vector<std::uint8_t> bytes;
  std::string text;  // "failed" for a transfer that failed
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
Event failed(Event event);

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

// Logs every open, close and transfer of another transport, so the same
// expected sequences can be checked against any transport (the scripted one
// here, the virtual mouse).
class LoggingTransport : public HidTransport {
 public:
  LoggingTransport(HidTransport& inner, EventLog& log) : m_inner(inner), m_log(log) {}

  std::vector<std::string> enumerate() override { return m_inner.enumerate(); }
  HidHandle open(const std::string& path, HidOpenError* error = nullptr) override;
  bool attributes(HidHandle handle, HidAttributes& out) override {
    return m_inner.attributes(handle, out);
  }
  bool setFeature(HidHandle handle, const std::uint8_t* buffer, std::size_t length) override;
  bool getFeature(HidHandle handle, std::uint8_t* buffer, std::size_t length) override;
  bool write(HidHandle handle, const std::uint8_t* buffer, std::size_t length) override;
  bool read(HidHandle handle, std::uint8_t* buffer, std::size_t length,
            std::chrono::milliseconds timeout) override;
  void close(HidHandle handle) override;

 private:
  bool logged(Event event, bool ok);

  HidTransport& m_inner;
  EventLog& m_log;
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

// Logs the clock's pauses, sleeps (as pauses) and processEvents calls into
// log; duringPause and duringSleep, when given, run inside every pause or
// sleep after it is logged.
void recordClock(ManualClock& clock, EventLog& log,
                 std::function<void(Clock::Duration)> duringPause = {},
                 std::function<void(Clock::Duration)> duringSleep = {});

}  // namespace kestrovane::test
