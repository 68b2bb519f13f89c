#include "tests/device/LoggingTransport.h"

#include <algorithm>
#include <cstdio>

namespace kestrovane::test {

namespace {

const char* kindName(Event::Kind kind) {
  switch (kind) {
    case Event::Kind::Open:
      return "open";
    case Event::Kind::OpenFailed:
      return "open-failed";
    case Event::Kind::Close:
      return "close";
    case Event::Kind::SetFeature:
      return "set-feature";
    case Event::Kind::GetFeature:
      return "get-feature";
    case Event::Kind::Write:
      return "write";
    case Event::Kind::Read:
      return "read";
    case Event::Kind::Pause:
      return "pause";
    case Event::Kind::Events:
      return "events";
    case Event::Kind::Disable:
      return "disable";
    case Event::Kind::Enable:
      return "enable";
    case Event::Kind::Version:
      return "version";
    case Event::Kind::Loading:
      return "loading";
  }
  return "?";
}

Event transferEvent(Event::Kind kind, HidHandle handle, std::vector<std::uint8_t> bytes) {
  return {kind, handle, std::move(bytes), {}, {}};
}

Event windowEvent(Event::Kind kind, std::string text = {}) {
  return {kind, kInvalidHidHandle, {}, std::move(text), {}};
}

}  // namespace

void PrintTo(const Event& event, std::ostream* os) {
  *os << kindName(event.kind);
  if (event.handle != kInvalidHidHandle) *os << " h" << event.handle;
  if (!event.text.empty()) *os << " \"" << event.text << '"';
  if (event.kind == Event::Kind::Pause) *os << ' ' << event.duration.count() << "ms";
  if (!event.bytes.empty()) {
    *os << " [" << event.bytes.size() << ":";
    for (std::uint8_t b : event.bytes) {
      char hex[4];
      std::snprintf(hex, sizeof hex, " %02X", b);
      *os << hex;
    }
    *os << ']';
  }
}

Event setFeature(HidHandle h, std::vector<std::uint8_t> b) {
  return transferEvent(Event::Kind::SetFeature, h, std::move(b));
}
Event getFeature(HidHandle h, std::vector<std::uint8_t> b) {
  return transferEvent(Event::Kind::GetFeature, h, std::move(b));
}
Event write(HidHandle h, std::vector<std::uint8_t> b) {
  return transferEvent(Event::Kind::Write, h, std::move(b));
}
Event read(HidHandle h, std::vector<std::uint8_t> b) {
  return transferEvent(Event::Kind::Read, h, std::move(b));
}
Event pause(int milliseconds) {
  return {Event::Kind::Pause, kInvalidHidHandle, {}, {}, std::chrono::milliseconds{milliseconds}};
}
Event events() {
  return windowEvent(Event::Kind::Events);
}
Event loading() {
  return windowEvent(Event::Kind::Loading);
}
Event disable() {
  return windowEvent(Event::Kind::Disable);
}
Event enable() {
  return windowEvent(Event::Kind::Enable);
}
Event version(std::string text) {
  return windowEvent(Event::Kind::Version, std::move(text));
}
Event failed(Event event) {
  event.text = "failed";
  return event;
}

std::vector<std::uint8_t> featureBytes(std::uint8_t command, std::size_t length) {
  std::vector<std::uint8_t> bytes(length, 0);
  if (length > 1) bytes[1] = command;
  return bytes;
}

std::vector<std::uint8_t> reportBytes(const std::uint8_t* payload) {
  std::vector<std::uint8_t> bytes(65, 0);
  std::copy(payload, payload + 64, bytes.begin() + 1);
  return bytes;
}

std::vector<Event> EventLog::traffic() const {
  std::vector<Event> out;
  for (const Event& e : m_events)
    if (e.kind != Event::Kind::Open && e.kind != Event::Kind::OpenFailed &&
        e.kind != Event::Kind::Close)
      out.push_back(e);
  return out;
}

std::vector<Event> EventLog::only(std::set<Event::Kind> kinds) const {
  std::vector<Event> out;
  for (const Event& e : m_events)
    if (kinds.contains(e.kind)) out.push_back(e);
  return out;
}

HidHandle LoggingTransport::open(const std::string& path, HidOpenError* error) {
  const HidHandle handle = m_inner.open(path, error);
  m_log.add({handle == kInvalidHidHandle ? Event::Kind::OpenFailed : Event::Kind::Open,
             handle,
             {},
             path,
             {}});
  return handle;
}

bool LoggingTransport::logged(Event event, bool ok) {
  if (!ok) {
    event.text = "failed";
    // What a failed get or read left in the buffer is nobody's answer.
    if (event.kind == Event::Kind::GetFeature || event.kind == Event::Kind::Read)
      event.bytes.clear();
  }
  m_log.add(std::move(event));
  return ok;
}

bool LoggingTransport::setFeature(HidHandle h, const std::uint8_t* buffer, std::size_t length) {
  Event event = test::setFeature(h, {buffer, buffer + length});
  return logged(std::move(event), m_inner.setFeature(h, buffer, length));
}

bool LoggingTransport::getFeature(HidHandle h, std::uint8_t* buffer, std::size_t length) {
  const bool ok = m_inner.getFeature(h, buffer, length);
  return logged(test::getFeature(h, {buffer, buffer + length}), ok);
}

bool LoggingTransport::write(HidHandle h, const std::uint8_t* buffer, std::size_t length) {
  Event event = test::write(h, {buffer, buffer + length});
  return logged(std::move(event), m_inner.write(h, buffer, length));
}

bool LoggingTransport::read(HidHandle h, std::uint8_t* buffer, std::size_t length,
                            std::chrono::milliseconds timeout) {
  const bool ok = m_inner.read(h, buffer, length, timeout);
  return logged(test::read(h, {buffer, buffer + length}), ok);
}

void LoggingTransport::close(HidHandle handle) {
  m_inner.close(handle);
  m_log.add({Event::Kind::Close, handle, {}, {}, {}});
}

void RecordingControls::DisableDeviceControls() {
  enabled = false;
  versionLabel.clear();
  m_log.add(disable());
}

void RecordingControls::EnableDeviceControls() {
  enabled = true;
  m_log.add(enable());
}

void RecordingControls::ShowFirmwareVersion(const std::string& text) {
  versionLabel = text;
  m_log.add(version(text));
}

void RecordingControls::ShowLoadingWindow() {
  m_log.add(loading());
}

void recordClock(ManualClock& clock, EventLog& log,
                 std::function<void(Clock::Duration)> duringPause,
                 std::function<void(Clock::Duration)> duringSleep) {
  clock.setPauseHook([&log, duringPause = std::move(duringPause)](Clock::Duration d) {
    log.add(pause(static_cast<int>(d.count())));
    if (duringPause) duringPause(d);
  });
  clock.setSleepHook([&log, duringSleep = std::move(duringSleep)](Clock::Duration d) {
    log.add(pause(static_cast<int>(d.count())));
    if (duringSleep) duringSleep(d);
  });
  clock.setProcessEventsHook([&log] { log.add(events()); });
}

}  // namespace kestrovane::test
