#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "device/HidTransport.h"

namespace kestrovane {

// Several transports shown as one: their interfaces are listed one after the
// other, and each handle stays with the transport that opened it.
class CompositeHidTransport final : public HidTransport {
 public:
  // The part answers for the paths that start with pathPrefix; a part with an
  // empty prefix answers for every path no other part claims.
  void add(std::unique_ptr<HidTransport> part, std::string pathPrefix = {});

  std::vector<std::string> enumerate() override;
  HidHandle open(const std::string& path, HidOpenError* error = nullptr) override;
  std::optional<HidListedIds> listedIds(const std::string& path) override;
  bool attributes(HidHandle handle, HidAttributes& out) override;
  bool setFeature(HidHandle handle, const std::uint8_t* buffer, std::size_t length) override;
  bool getFeature(HidHandle handle, std::uint8_t* buffer, std::size_t length) override;
  bool write(HidHandle handle, const std::uint8_t* buffer, std::size_t length) override;
  bool read(HidHandle handle, std::uint8_t* buffer, std::size_t length,
            std::chrono::milliseconds timeout) override;
  void close(HidHandle handle) override;

 private:
  struct Part {
    std::unique_ptr<HidTransport> transport;
    std::string prefix;
  };
  struct Route {
    HidTransport* transport;
    HidHandle inner;
  };
  const Route* route(HidHandle handle) const;
  const Part* owner(const std::string& path) const;

  std::vector<Part> m_parts;
  std::map<HidHandle, Route> m_handles;
  HidHandle m_nextHandle = 1;
};

}  // namespace kestrovane
