#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "device/HidTransport.h"

namespace kestrovane {

// The open connection to the mouse. The three handles may be one and the same
// when one interface carries all three report kinds; each distinct handle is
// closed once.
struct DeviceLink {
  std::uint32_t vendorId = 0;  // 0 while no mouse is open
  std::uint32_t productId = 0;
  HidHandle featureHandle = kInvalidHidHandle;  // feature reports
  HidHandle outputHandle = kInvalidHidHandle;   // the 65-byte output report
  HidHandle inputHandle = kInvalidHidHandle;    // the 65-byte input report
  // FeatureReportByteLength of the interface behind featureHandle; every
  // feature transfer has this length.
  std::uint16_t featureReportLength = 0;
  int lastDeviceCount = 0;  // openable HID interfaces seen at the last re-scan
  bool scanBusy = false;    // a detection tick is running
};

// One identity the mouse may answer to. An entry with a zero vendor or product
// ID is skipped.
struct DeviceId {
  std::uint32_t vendorId = 0;
  std::uint32_t productId = 0;

  bool operator==(const DeviceId&) const = default;
};

inline constexpr std::size_t kDeviceIdCount = 6;

// The identities tried in order when linking.
using DeviceIdTable = std::array<DeviceId, kDeviceIdCount>;

// Fills the table with the mouse's identities as start-up does: entry 1 =
// 0x4321/0x6789, entry 2 = 0x04B4/0x8F36, entries 3 to 6 zero. The program and
// the command line both use this, so they look for the same mouse.
void fillDeviceIdTable(DeviceIdTable& table);

// True if an entry of the table that is not skipped names these IDs.
bool matchesDeviceIdTable(const DeviceIdTable& table, std::uint32_t vendorId,
                          std::uint32_t productId);

}  // namespace kestrovane
