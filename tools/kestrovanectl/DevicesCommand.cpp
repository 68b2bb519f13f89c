// kestrovanectl devices [--virtual-mouse[=DIR]]
#include "tools/kestrovanectl/DevicesCommand.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "device/DeviceLink.h"
#include "device/HidPermission.h"
#include "device/HidTransportFactory.h"
#include "tools/kestrovanectl/Commands.h"
#include "tools/kestrovanectl/ProgramFolder.h"

namespace kestrovane::ctl {

namespace {

constexpr std::size_t kReportLength = 65;

#ifdef _WIN32
constexpr const char* kDenied = "access denied (Windows keeps mouse and keyboard collections)";
constexpr const char* kNoInterfaces = "no HID interfaces found\n";
#else
// The mouse's own nodes are explained once at the end; another device's
// node that is not ours to open is no error.
constexpr const char* kDenied = "permission denied";
constexpr const char* kNoInterfaces =
    "no HID interfaces found (no /dev/hidraw* node, no virtual mouse)\n";
#endif

std::string hex4(std::uint16_t v) {
  char text[5];
  std::snprintf(text, sizeof text, "%04x", v);
  return text;
}

std::string ids(std::uint16_t vendor, std::uint16_t product) {
  return hex4(vendor) + ":" + hex4(product);
}

struct Interface {
  std::string path;
  HidHandle handle = kInvalidHidHandle;
  HidOpenError error = HidOpenError::None;
  bool known = false;
  HidAttributes attributes;
  int entry = 0;  // the identity it matches, 1-based; 0: none
  bool input = false, feature = false, output = false;
};

// Gives the roles as OpenHidDevice does: every matching interface is looked
// at in order, and a later one takes a role over from an earlier one. Found
// means a feature interface was found.
bool assignRoles(std::vector<Interface>& interfaces, int entry) {
  Interface *input = nullptr, *feature = nullptr, *output = nullptr;
  for (Interface& i : interfaces) {
    if (i.entry != entry) continue;
    if (i.attributes.inputReportLength == kReportLength) input = &i;
    if (i.attributes.featureReportLength != 0) feature = &i;
    if (i.attributes.outputReportLength == kReportLength) output = &i;
  }
  if (!feature) return false;
  feature->feature = true;
  if (input) input->input = true;
  if (output) output->output = true;
  return true;
}

const char* openFailure(HidOpenError error) {
  switch (error) {
    case HidOpenError::PermissionDenied:
      return kDenied;
    case HidOpenError::NotFound:
      return "gone";
    default:
      return "failed";
  }
}

}  // namespace

int listDevices(HidTransport& transport, std::ostream& out, std::ostream& err,
                const std::string& udevFix) {
  // The identities in the order the program tries them.
  DeviceIdTable mouseIds{};
  fillDeviceIdTable(mouseIds);
  std::vector<Interface> interfaces;
  for (const std::string& path : transport.enumerate()) {
    Interface i;
    i.path = path;
    i.handle = transport.open(path, &i.error);
    if (i.handle != kInvalidHidHandle) {
      i.known = transport.attributes(i.handle, i.attributes);
      transport.close(i.handle);
    }
    for (std::size_t e = 0; e < mouseIds.size() && i.known && i.entry == 0; ++e)
      if (mouseIds[e].vendorId != 0 && mouseIds[e].productId != 0 &&
          i.attributes.vendorId == mouseIds[e].vendorId &&
          i.attributes.productId == mouseIds[e].productId)
        i.entry = static_cast<int>(e) + 1;
    interfaces.push_back(std::move(i));
  }
  if (interfaces.empty()) {
    err << kErrorPrefix << kNoInterfaces;
    out << "mouse: not found\n";
    return 1;
  }

  int linked = 0;
  for (std::size_t e = 0; e < mouseIds.size() && linked == 0; ++e)
    if (assignRoles(interfaces, static_cast<int>(e) + 1)) linked = static_cast<int>(e) + 1;

  std::vector<std::string> deniedMouse;
  for (const Interface& i : interfaces) {
    out << i.path << "  ";
    if (i.handle == kInvalidHidHandle) {
      const std::optional<HidListedIds> listed = transport.listedIds(i.path);
      const bool mouse =
          listed && matchesDeviceIdTable(mouseIds, listed->vendorId, listed->productId);
      if (mouse && i.error == HidOpenError::PermissionDenied) deniedMouse.push_back(i.path);
      out << "cannot open: " << openFailure(i.error) << (mouse ? " (the mouse)" : "") << "\n";
      continue;
    }
    if (!i.known) {
      out << "cannot read its attributes\n";
      continue;
    }
    const HidAttributes& a = i.attributes;
    out << ids(a.vendorId, a.productId) << "  input " << a.inputReportLength << "  output "
        << a.outputReportLength << "  feature " << a.featureReportLength;
    if (i.entry != 0 && i.entry == linked) {
      std::string roles;
      for (const auto& [taken, name] :
           {std::pair{i.input, "input"}, {i.feature, "feature"}, {i.output, "output"}})
        if (taken) roles += roles.empty() ? name : std::string(", ") + name;
      out << "  mouse, entry " << i.entry << ": " << (roles.empty() ? "no role" : roles);
    } else if (i.entry != 0) {
      out << "  matches entry " << i.entry << ", not linked (no interface with a feature report)";
    }
    out << "\n";
  }
  if (linked != 0) {
    const DeviceId& id = mouseIds[static_cast<std::size_t>(linked - 1)];
    out << "mouse: found (entry " << linked << ", "
        << ids(static_cast<std::uint16_t>(id.vendorId), static_cast<std::uint16_t>(id.productId))
        << ")\n";
  } else {
    out << "mouse: not found\n";
  }
  if (!deniedMouse.empty()) {
    err << kErrorPrefix << deniedMouseMessage(deniedMouse, udevFix) << "\n";
    return 1;
  }
  return 0;
}

int runDevicesCommand(const Invocation& invocation) {
  const auto transport = createHidTransport(transportOptions(invocation));
  try {
    return listDevices(*transport, std::cout, std::cerr, udevRuleFix(executableDirectory()));
  } catch (const Error& error) {
    std::cerr << kErrorPrefix << error.what() << "\n";
    return kFailed;
  }
}

}  // namespace kestrovane::ctl
