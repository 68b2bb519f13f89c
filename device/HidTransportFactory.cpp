#include "device/HidTransportFactory.h"

#include "device/CompositeHidTransport.h"
#include "device/PlatformHidTransport.h"
#include "device/VirtualMouse.h"

namespace kestrovane {

bool parseVirtualMouseOption(std::string_view arg, TransportOptions& options) {
  constexpr std::string_view kOption = "--virtual-mouse";
  if (!arg.starts_with(kOption)) return false;
  arg.remove_prefix(kOption.size());
  if (arg.empty()) {
    options.virtualMouseDir = std::filesystem::path(kDefaultVirtualMouseDir);
    return true;
  }
  if (arg.front() != '=' || arg.size() == 1) return false;
  options.virtualMouseDir = std::filesystem::path(arg.substr(1));
  return true;
}

std::unique_ptr<HidTransport> createHidTransport(const TransportOptions& options) {
  auto transport = std::make_unique<CompositeHidTransport>();
  if (options.platform) transport->add(createPlatformHidTransport());
  if (options.virtualMouseDir)
    transport->add(std::make_unique<VirtualMouse>(*options.virtualMouseDir),
                   VirtualMouse::kPathPrefix);
  return transport;
}

}  // namespace kestrovane
