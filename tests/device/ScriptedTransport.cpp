#include "tests/device/ScriptedTransport.h"

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
    case Event::Kind::Misuse:
      return "misuse";
  }
  return "?";
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

Event setFeature(HidHandle handle, std::vector<std::uint8_t> bytes) {
  return {Event::Kind::SetFeature, handle, std::move(bytes), {}, {}};
}
Event getFeature(HidHandle handle, std::vector<std::uint8_t> bytes) {
  return {Event::Kind::GetFeature, handle, std::move(bytes), {}, {}};
}
Event write(HidHandle handle, std::vector<std::uint8_t> bytes) {
  return {Event::Kind::Write, handle, std::move(bytes), {}, {}};
}
Event read(HidHandle handle, std::vector<std::uint8_t> bytes) {
  return {Event::Kind::Read, handle, std::move(bytes), {}, {}};
}
Event pause(int milliseconds) {
  return {Event::Kind::Pause, kInvalidHidHandle, {}, {}, std::chrono::milliseconds{milliseconds}};
}
Event events() {
  return {Event::Kind::Events, kInvalidHidHandle, {}, {}, {}};
}
Event loading() {
  return {Event::Kind::Loading, kInvalidHidHandle, {}, {}, {}};
}
Event disable() {
  return {Event::Kind::Disable, kInvalidHidHandle, {}, {}, {}};
}
Event enable() {
  return {Event::Kind::Enable, kInvalidHidHandle, {}, {}, {}};
}
Event version(std::string text) {
  return {Event::Kind::Version, kInvalidHidHandle, {}, std::move(text), {}};
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

HidAttributes shape(std::uint16_t vendorId, std::uint16_t productId, std::uint16_t input,
                    std::uint16_t output, std::uint16_t feature) {
  return {vendorId, productId, input, output, feature};
}

std::vector<std::string> ScriptedTransport::enumerate() {
  if (onEnumerate) onEnumerate(m_enumerations);
  ++m_enumerations;
  std::vector<std::string> paths;
  for (const ScriptedInterface& i : interfaces) paths.push_back(i.path);
  return paths;
}

HidHandle ScriptedTransport::open(const std::string& path, HidOpenError* error) {
  auto it = std::find_if(interfaces.begin(), interfaces.end(),
                         [&](const ScriptedInterface& i) { return i.path == path; });
  HidOpenError reason = HidOpenError::None;
  if (it == interfaces.end()) {
    reason = HidOpenError::NotFound;
  } else if (it->neverOpens) {
    reason = HidOpenError::PermissionDenied;
  } else if (it->failingOpens > 0) {
    --it->failingOpens;
    reason = HidOpenError::Other;
  }
  if (error) *error = reason;
  if (reason != HidOpenError::None) {
    m_log.add({Event::Kind::OpenFailed, kInvalidHidHandle, {}, path, {}});
    return kInvalidHidHandle;
  }
  HidHandle handle = m_nextHandle++;
  if (reuseHandles)
    for (handle = 3; m_open.contains(handle); ++handle) {
    }
  m_open[handle] = path;
  m_log.add({Event::Kind::Open, handle, {}, path, {}});
  return handle;
}

const ScriptedInterface* ScriptedTransport::present(HidHandle handle) const {
  auto open = m_open.find(handle);
  if (open == m_open.end()) return nullptr;
  for (const ScriptedInterface& i : interfaces)
    if (i.path == open->second) return &i;
  return nullptr;
}

bool ScriptedTransport::attributes(HidHandle handle, HidAttributes& out) {
  if (!m_open.contains(handle)) {
    ++m_misuses;
    m_log.add({Event::Kind::Misuse, handle, {}, "attributes", {}});
    return false;
  }
  const ScriptedInterface* i = present(handle);
  if (!i || i->attributesFail) return false;
  out = i->attributes;
  return true;
}

// Counts a transfer and tells whether it goes through: the handle must be
// open, its interface still present, and the transfer not one set to fail. A
// failed transfer is logged with the text "failed" and what was sent.
bool ScriptedTransport::transfer(Event event) {
  ++m_transfers;
  if (!m_open.contains(event.handle)) {
    ++m_misuses;
    m_log.add({Event::Kind::Misuse, event.handle, {}, kindName(event.kind), {}});
    return false;
  }
  if (present(event.handle) && !failingTransfers.contains(m_transfers)) return true;
  event.text = "failed";
  m_log.add(std::move(event));
  return false;
}

bool ScriptedTransport::setFeature(HidHandle handle, const std::uint8_t* buffer,
                                   std::size_t length) {
  Event event = test::setFeature(handle, {buffer, buffer + length});
  if (!transfer(event)) return false;
  m_log.add(std::move(event));
  return true;
}

bool ScriptedTransport::getFeature(HidHandle handle, std::uint8_t* buffer, std::size_t length) {
  if (!transfer(test::getFeature(handle, {}))) return false;
  for (std::size_t i = 0; i < length; ++i)
    buffer[i] = i < featureAnswer.size() ? featureAnswer[i] : 0;
  m_log.add(test::getFeature(handle, {buffer, buffer + length}));
  return true;
}

bool ScriptedTransport::write(HidHandle handle, const std::uint8_t* buffer, std::size_t length) {
  Event event = test::write(handle, {buffer, buffer + length});
  if (!transfer(event)) return false;
  m_log.add(std::move(event));
  return true;
}

bool ScriptedTransport::read(HidHandle handle, std::uint8_t* buffer, std::size_t length,
                             std::chrono::milliseconds) {
  // No input report: the read waits out its time limit and fails.
  if (!transfer(test::read(handle, {}))) return false;
  if (inputReport.empty()) {
    m_log.add({Event::Kind::Read, handle, {}, "failed", {}});
    return false;
  }
  for (std::size_t i = 0; i < length; ++i) buffer[i] = i < inputReport.size() ? inputReport[i] : 0;
  m_log.add(test::read(handle, {buffer, buffer + length}));
  return true;
}

void ScriptedTransport::close(HidHandle handle) {
  if (m_open.erase(handle) == 0) {
    ++m_misuses;
    m_log.add({Event::Kind::Misuse, handle, {}, "close", {}});
    return;
  }
  ++m_closes[handle];
  m_log.add({Event::Kind::Close, handle, {}, {}, {}});
}

void ScriptedTransport::unplug(const std::string& path) {
  std::erase_if(interfaces, [&](const ScriptedInterface& i) { return i.path == path; });
}

int ScriptedTransport::closesOf(HidHandle handle) const {
  auto it = m_closes.find(handle);
  return it == m_closes.end() ? 0 : it->second;
}

std::set<HidHandle> ScriptedTransport::openHandles() const {
  std::set<HidHandle> handles;
  for (const auto& [handle, path] : m_open) handles.insert(handle);
  return handles;
}

std::string ScriptedTransport::pathOf(HidHandle handle) const {
  auto it = m_open.find(handle);
  return it == m_open.end() ? std::string{} : it->second;
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
                 std::function<void(Clock::Duration)> duringPause) {
  clock.setPauseHook([&log, duringPause = std::move(duringPause)](Clock::Duration d) {
    log.add(pause(static_cast<int>(d.count())));
    if (duringPause) duringPause(d);
  });
  clock.setProcessEventsHook([&log] { log.add(events()); });
}

}  // namespace kestrovane::test
