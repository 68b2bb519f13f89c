#pragma once

#include <array>
#include <cstdint>

namespace kestrovane {

// The compiled form of one macro as the mouse plays it: byte 0 the loop byte
// (repeat count or 0xF in the high nibble, the macro's index in the low one),
// byte 1 the group count + 1, then groups of header, hold, modifier byte and
// key codes; unused bytes are 0. Bytes 0..63 travel with feature command
// 0x20 + index, bytes 64..127 with 0x30 + index.
using MacroDeviceRecord = std::array<std::uint8_t, 128>;

inline constexpr int kMacroRecordCount = 10;

// The ten records, index 0..9 = row of the macro list; all 0 at start.
using MacroRecordTable = std::array<MacroDeviceRecord, kMacroRecordCount>;

}  // namespace kestrovane
