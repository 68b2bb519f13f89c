#pragma once

#include <array>
#include <cstdint>

namespace kestrovane {

// The 64-byte record of one mode as the mouse stores it. Offset N is the file
// key "DataN" and byte N+1 of the 65-byte report that carries it.
using ModeImage = std::array<std::uint8_t, 64>;

inline constexpr int kModeCount = 5;

}  // namespace kestrovane
