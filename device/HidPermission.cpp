#include "device/HidPermission.h"

#include <filesystem>
#include <system_error>

namespace kestrovane {

namespace fs = std::filesystem;

std::vector<std::string> findDeniedMouseInterfaces(HidTransport& transport,
                                                   const DeviceIdTable& ids) {
  std::vector<std::string> denied;
  for (const std::string& path : transport.enumerate()) {
    const std::optional<HidListedIds> listed = transport.listedIds(path);
    if (!listed || !matchesDeviceIdTable(ids, listed->vendorId, listed->productId)) continue;
    HidOpenError error = HidOpenError::None;
    const HidHandle handle = transport.open(path, &error);
    if (handle != kInvalidHidHandle)
      transport.close(handle);
    else if (error == HidOpenError::PermissionDenied)
      denied.push_back(path);
  }
  return denied;
}

std::string udevRuleFix(const std::string& programDir) {
  std::error_code ec;
  const fs::path folder(programDir);
  const fs::path installed = folder.parent_path() / "udev/rules.d" / kUdevRuleFile;
  if (fs::is_regular_file(installed, ec))
    return "the package's udev rule " + installed.string() +
           " is installed: replug the mouse (or run 'sudo udevadm control --reload-rules && "
           "sudo udevadm trigger') and log in again if it still fails";
  const fs::path beside = folder / kUdevRuleFile;
  const std::string rule = fs::is_regular_file(beside, ec)
                               ? beside.string()
                               : std::string("resources/linux/") + kUdevRuleFile;
  return "install the package's udev rule or copy " + rule +
         " to /etc/udev/rules.d/, then replug the mouse";
}

std::string deniedMouseMessage(const std::vector<std::string>& paths, const std::string& fix) {
  std::string nodes;
  for (std::size_t k = 0; k < paths.size(); ++k)
    nodes += (k == 0 ? "" : k + 1 == paths.size() ? " and " : ", ") + paths[k];
  const bool one = paths.size() == 1;
  return nodes + (one ? " is" : " are") + " the mouse, but this user may not open " +
         (one ? "it" : "them") + ": " + fix + ".";
}

}  // namespace kestrovane
