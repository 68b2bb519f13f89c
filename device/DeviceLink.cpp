#include "device/DeviceLink.h"

namespace kestrovane {

void fillDeviceIdTable(DeviceIdTable& table) {
  table = {};
  table[0] = {0x4321, 0x6789};
  table[1] = {0x04B4, 0x8F36};
}

bool matchesDeviceIdTable(const DeviceIdTable& table, std::uint32_t vendorId,
                          std::uint32_t productId) {
  for (const DeviceId& id : table)
    if (id.vendorId != 0 && id.productId != 0 && id.vendorId == vendorId &&
        id.productId == productId)
      return true;
  return false;
}

}  // namespace kestrovane
