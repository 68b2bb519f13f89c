#include "tests/device/ScriptedTransport.h"

#include <algorithm>

namespace kestrovane::test {

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
  if (reason != HidOpenError::None) return kInvalidHidHandle;
  HidHandle handle = m_nextHandle++;
  if (reuseHandles)
    for (handle = 3; m_open.contains(handle); ++handle) {
    }
  m_open[handle] = path;
  return handle;
}

bool ScriptedTransport::isOpen(HidHandle handle, const char* what) {
  if (m_open.contains(handle)) return true;
  m_misuses.push_back(std::string(what) + " h" + std::to_string(handle));
  return false;
}

const ScriptedInterface* ScriptedTransport::present(HidHandle handle) const {
  auto open = m_open.find(handle);
  if (open == m_open.end()) return nullptr;
  for (const ScriptedInterface& i : interfaces)
    if (i.path == open->second) return &i;
  return nullptr;
}

bool ScriptedTransport::attributes(HidHandle handle, HidAttributes& out) {
  if (!isOpen(handle, "attributes")) return false;
  const ScriptedInterface* i = present(handle);
  if (!i || i->attributesFail) return false;
  out = i->attributes;
  return true;
}

// Counts a transfer and tells whether it goes through: the handle must be
// open, its interface still present, and the transfer not one set to fail.
bool ScriptedTransport::transfer(HidHandle handle, const char* what) {
  ++m_transfers;
  return isOpen(handle, what) && present(handle) && !failingTransfers.contains(m_transfers);
}

bool ScriptedTransport::setFeature(HidHandle handle, const std::uint8_t*, std::size_t) {
  return transfer(handle, "set-feature");
}

bool ScriptedTransport::getFeature(HidHandle handle, std::uint8_t* buffer, std::size_t length) {
  if (!transfer(handle, "get-feature")) return false;
  for (std::size_t i = 0; i < length; ++i)
    buffer[i] = i < featureAnswer.size() ? featureAnswer[i] : 0;
  return true;
}

bool ScriptedTransport::write(HidHandle handle, const std::uint8_t*, std::size_t) {
  return transfer(handle, "write");
}

bool ScriptedTransport::read(HidHandle handle, std::uint8_t* buffer, std::size_t length,
                             std::chrono::milliseconds) {
  if (!transfer(handle, "read") || inputReport.empty()) return false;
  for (std::size_t i = 0; i < length; ++i) buffer[i] = i < inputReport.size() ? inputReport[i] : 0;
  return true;
}

void ScriptedTransport::close(HidHandle handle) {
  if (!isOpen(handle, "close")) return;
  m_open.erase(handle);
  ++m_closes[handle];
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
  for (const auto& entry : m_open) handles.insert(entry.first);
  return handles;
}

std::string ScriptedTransport::pathOf(HidHandle handle) const {
  auto it = m_open.find(handle);
  return it == m_open.end() ? std::string{} : it->second;
}

}  // namespace kestrovane::test
