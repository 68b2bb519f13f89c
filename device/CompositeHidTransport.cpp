#include "device/CompositeHidTransport.h"

namespace kestrovane {

void CompositeHidTransport::add(std::unique_ptr<HidTransport> part, std::string pathPrefix) {
  m_parts.push_back({std::move(part), std::move(pathPrefix)});
}

std::vector<std::string> CompositeHidTransport::enumerate() {
  std::vector<std::string> paths;
  for (const Part& part : m_parts) {
    auto more = part.transport->enumerate();
    paths.insert(paths.end(), more.begin(), more.end());
  }
  return paths;
}

// The longest prefix that matches; the empty one matches every path.
const CompositeHidTransport::Part* CompositeHidTransport::owner(const std::string& path) const {
  const Part* found = nullptr;
  for (const Part& part : m_parts)
    if (path.starts_with(part.prefix) && (!found || part.prefix.size() > found->prefix.size()))
      found = &part;
  return found;
}

std::optional<HidListedIds> CompositeHidTransport::listedIds(const std::string& path) {
  const Part* part = owner(path);
  return part ? part->transport->listedIds(path) : std::nullopt;
}

HidHandle CompositeHidTransport::open(const std::string& path, HidOpenError* error) {
  const Part* owner = this->owner(path);
  if (!owner) {
    if (error) *error = HidOpenError::NotFound;
    return kInvalidHidHandle;
  }
  const HidHandle inner = owner->transport->open(path, error);
  if (inner == kInvalidHidHandle) return kInvalidHidHandle;
  const HidHandle handle = m_nextHandle++;
  m_handles[handle] = {owner->transport.get(), inner};
  return handle;
}

const CompositeHidTransport::Route* CompositeHidTransport::route(HidHandle handle) const {
  const auto it = m_handles.find(handle);
  return it == m_handles.end() ? nullptr : &it->second;
}

bool CompositeHidTransport::attributes(HidHandle handle, HidAttributes& out) {
  const Route* r = route(handle);
  return r && r->transport->attributes(r->inner, out);
}

bool CompositeHidTransport::setFeature(HidHandle handle, const std::uint8_t* buffer,
                                       std::size_t length) {
  const Route* r = route(handle);
  return r && r->transport->setFeature(r->inner, buffer, length);
}

bool CompositeHidTransport::getFeature(HidHandle handle, std::uint8_t* buffer, std::size_t length) {
  const Route* r = route(handle);
  return r && r->transport->getFeature(r->inner, buffer, length);
}

bool CompositeHidTransport::write(HidHandle handle, const std::uint8_t* buffer,
                                  std::size_t length) {
  const Route* r = route(handle);
  return r && r->transport->write(r->inner, buffer, length);
}

bool CompositeHidTransport::read(HidHandle handle, std::uint8_t* buffer, std::size_t length,
                                 std::chrono::milliseconds timeout) {
  const Route* r = route(handle);
  return r && r->transport->read(r->inner, buffer, length, timeout);
}

void CompositeHidTransport::close(HidHandle handle) {
  const auto it = m_handles.find(handle);
  if (it == m_handles.end()) return;
  it->second.transport->close(it->second.inner);
  m_handles.erase(it);
}

}  // namespace kestrovane
