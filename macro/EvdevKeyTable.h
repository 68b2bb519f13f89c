#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace kestrovane {

// What Windows reports for one Linux key (evdev code, X key code - 8): the
// virtual-key code the keyboard side gives (Shift, Ctrl and Alt generic, as
// Raw Input reports them), the set-1 scan code and extended bit of the
// keystroke flags, and the key-name text GetKeyNameTextA gives for them
// (empty where the system has none worth naming).
struct EvdevKey {
  std::uint16_t evdevCode;
  std::uint16_t virtualKey;
  std::uint8_t scanCode;
  bool extended;
  std::string_view name;
};

// The keys of a PC keyboard with their Windows counterparts, by evdev code.
std::span<const EvdevKey> evdevKeys();

// The row of an evdev code, or nullptr for a key Windows would not name.
const EvdevKey* findEvdevKey(std::uint16_t evdevCode);

}  // namespace kestrovane
