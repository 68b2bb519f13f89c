#include "macro/KeyboardHookKey.h"

#include <array>

namespace kestrovane {
namespace {

// Marks a key that no virtual-key code reaches.
constexpr std::uint16_t kNoVirtualKey = 0;

struct KeyRow {
  TKeyboardHookKey key;
  std::string_view enumerator;
  std::string_view displayName;
  std::uint16_t virtualKey;
  std::uint8_t deviceCode;
};

// One row per key, in enumerator order. The device code is the USB HID
// Keyboard/Keypad usage ID (HID Usage Tables 1.3, section 10) except: the
// eight left/right modifier keys carry their bit of the modifier byte, Page Up
// carries 0x9D (Prior) instead of 0x4B, the pad separator carries 0x58 (Keypad
// Enter), and keys the mouse cannot play carry 0.
constexpr std::array<KeyRow, kKeyboardHookKeyCount> kKeys{{
    {kh_None, "kh_None", "None", kNoVirtualKey, 0x00},
    {kh_Demo, "kh_Demo", "Demo", kNoVirtualKey, 0x00},
    {kh_255, "kh_255", "255", 0xFF, 0x00},
    {kh_Back, "kh_Back", "Backspace", 0x08, 0x2A},
    {kh_Tab, "kh_Tab", "Tab", 0x09, 0x2B},
    {kh_Clear, "kh_Clear", "Clear", 0x0C, 0x9C},
    {kh_Return, "kh_Return", "Enter", 0x0D, 0x28},
    {kh_Shift, "kh_Shift", "Shift", 0x10, 0x00},
    {kh_Control, "kh_Control", "Ctrl", 0x11, 0x00},
    {kh_Alt, "kh_Alt", "Alt", 0x12, 0x00},
    {kh_Pause, "kh_Pause", "Pause", 0x13, 0x48},
    {kh_Capital, "kh_Capital", "Caps Lock", 0x14, 0x39},
    {kh_Escape, "kh_Escape", "Esc", 0x1B, 0x29},
    {kh_Space, "kh_Space", "Space bar", 0x20, 0x2C},
    {kh_Prior, "kh_Prior", "Page Up", 0x21, 0x9D},
    {kh_Next, "kh_Next", "Page Down", 0x22, 0x4E},
    {kh_End, "kh_End", "End", 0x23, 0x4D},
    {kh_Home, "kh_Home", "Home", 0x24, 0x4A},
    {kh_Left, "kh_Left", "Left Arrow", 0x25, 0x50},
    {kh_Up, "kh_Up", "Up Arrow", 0x26, 0x52},
    {kh_Right, "kh_Right", "Right Arrow", 0x27, 0x4F},
    {kh_Down, "kh_Down", "Down Arrow", 0x28, 0x51},
    {kh_Select, "kh_Select", "Select", 0x29, 0x77},
    {kh_Snapshot, "kh_Snapshot", "Print Screen", 0x2C, 0x46},
    {kh_Insert, "kh_Insert", "Insert", 0x2D, 0x49},
    {kh_Delete, "kh_Delete", "Delete", 0x2E, 0x4C},
    {kh_Help, "kh_Help", "Help", 0x2F, 0x75},
    {kh_LWIN, "kh_LWIN", "Left Windows", 0x5B, 0x08},
    {kh_RWIN, "kh_RWIN", "Right Windows", 0x5C, 0x80},
    {kh_APPS, "kh_APPS", "Applications", 0x5D, 0x65},
    {kh_Numpad0, "kh_Numpad0", "0 (numeric pad)", 0x60, 0x62},
    {kh_Numpad1, "kh_Numpad1", "1 (numeric pad)", 0x61, 0x59},
    {kh_Numpad2, "kh_Numpad2", "2 (numeric pad)", 0x62, 0x5A},
    {kh_Numpad3, "kh_Numpad3", "3 (numeric pad)", 0x63, 0x5B},
    {kh_Numpad4, "kh_Numpad4", "4 (numeric pad)", 0x64, 0x5C},
    {kh_Numpad5, "kh_Numpad5", "5 (numeric pad)", 0x65, 0x5D},
    {kh_Numpad6, "kh_Numpad6", "6 (numeric pad)", 0x66, 0x5E},
    {kh_Numpad7, "kh_Numpad7", "7 (numeric pad)", 0x67, 0x5F},
    {kh_Numpad8, "kh_Numpad8", "8 (numeric pad)", 0x68, 0x60},
    {kh_Numpad9, "kh_Numpad9", "9 (numeric pad)", 0x69, 0x61},
    {kh_Multiply, "kh_Multiply", "Multiply (numeric pad)", 0x6A, 0x55},
    {kh_Add, "kh_Add", "Add (numeric pad)", 0x6B, 0x57},
    {kh_Separator, "kh_Separator", "Separator (numeric pad)", 0x6C, 0x58},
    {kh_Subtract, "kh_Subtract", "Subtract (numeric pad)", 0x6D, 0x56},
    {kh_Decimal, "kh_Decimal", "Decimal (numeric pad)", 0x6E, 0x63},
    {kh_Divide, "kh_Divide", "Divide (numeric pad)", 0x6F, 0x54},
    {kh_F1, "kh_F1", "F1", 0x70, 0x3A},
    {kh_F2, "kh_F2", "F2", 0x71, 0x3B},
    {kh_F3, "kh_F3", "F3", 0x72, 0x3C},
    {kh_F4, "kh_F4", "F4", 0x73, 0x3D},
    {kh_F5, "kh_F5", "F5", 0x74, 0x3E},
    {kh_F6, "kh_F6", "F6", 0x75, 0x3F},
    {kh_F7, "kh_F7", "F7", 0x76, 0x40},
    {kh_F8, "kh_F8", "F8", 0x77, 0x41},
    {kh_F9, "kh_F9", "F9", 0x78, 0x42},
    {kh_F10, "kh_F10", "F10", 0x79, 0x43},
    {kh_F11, "kh_F11", "F11", 0x7A, 0x44},
    {kh_F12, "kh_F12", "F12", 0x7B, 0x45},
    {kh_F13, "kh_F13", "F13", 0x7C, 0x68},
    {kh_F14, "kh_F14", "F14", 0x7D, 0x69},
    {kh_F15, "kh_F15", "F15", 0x7E, 0x6A},
    {kh_F16, "kh_F16", "F16", 0x7F, 0x6B},
    {kh_F17, "kh_F17", "F17", 0x80, 0x6C},
    {kh_F18, "kh_F18", "F18", 0x81, 0x6D},
    {kh_F19, "kh_F19", "F19", 0x82, 0x6E},
    {kh_F20, "kh_F20", "F20", 0x83, 0x6F},
    {kh_F21, "kh_F21", "F21", 0x84, 0x70},
    {kh_F22, "kh_F22", "F22", 0x85, 0x71},
    {kh_F23, "kh_F23", "F23", 0x86, 0x72},
    {kh_F24, "kh_F24", "F24", 0x87, 0x73},
    {kh_Numlock, "kh_Numlock", "Num Lock", 0x90, 0x53},
    {kh_Scroll, "kh_Scroll", "Scroll Lock", 0x91, 0x47},
    {kh_LShift, "kh_LShift", "Left Shift", 0xA0, 0x02},
    {kh_RShift, "kh_RShift", "Right Shift", 0xA1, 0x20},
    {kh_LControl, "kh_LControl", "Left Ctrl", 0xA2, 0x01},
    {kh_RControl, "kh_RControl", "Right Ctrl", 0xA3, 0x10},
    {kh_LAlt, "kh_LAlt", "Left Alt", 0xA4, 0x04},
    {kh_RAlt, "kh_RAlt", "Right Alt", 0xA5, 0x40},
    {kh_A, "kh_A", "A", 0x41, 0x04},
    {kh_B, "kh_B", "B", 0x42, 0x05},
    {kh_C, "kh_C", "C", 0x43, 0x06},
    {kh_D, "kh_D", "D", 0x44, 0x07},
    {kh_E, "kh_E", "E", 0x45, 0x08},
    {kh_F, "kh_F", "F", 0x46, 0x09},
    {kh_G, "kh_G", "G", 0x47, 0x0A},
    {kh_H, "kh_H", "H", 0x48, 0x0B},
    {kh_I, "kh_I", "I", 0x49, 0x0C},
    {kh_J, "kh_J", "J", 0x4A, 0x0D},
    {kh_K, "kh_K", "K", 0x4B, 0x0E},
    {kh_L, "kh_L", "L", 0x4C, 0x0F},
    {kh_M, "kh_M", "M", 0x4D, 0x10},
    {kh_N, "kh_N", "N", 0x4E, 0x11},
    {kh_O, "kh_O", "O", 0x4F, 0x12},
    {kh_P, "kh_P", "P", 0x50, 0x13},
    {kh_Q, "kh_Q", "Q", 0x51, 0x14},
    {kh_R, "kh_R", "R", 0x52, 0x15},
    {kh_S, "kh_S", "S", 0x53, 0x16},
    {kh_T, "kh_T", "T", 0x54, 0x17},
    {kh_U, "kh_U", "U", 0x55, 0x18},
    {kh_V, "kh_V", "V", 0x56, 0x19},
    {kh_W, "kh_W", "W", 0x57, 0x1A},
    {kh_X, "kh_X", "X", 0x58, 0x1B},
    {kh_Y, "kh_Y", "Y", 0x59, 0x1C},
    {kh_Z, "kh_Z", "Z", 0x5A, 0x1D},
    {kh_0, "kh_0", "0", 0x30, 0x27},
    {kh_1, "kh_1", "1", 0x31, 0x1E},
    {kh_2, "kh_2", "2", 0x32, 0x1F},
    {kh_3, "kh_3", "3", 0x33, 0x20},
    {kh_4, "kh_4", "4", 0x34, 0x21},
    {kh_5, "kh_5", "5", 0x35, 0x22},
    {kh_6, "kh_6", "6", 0x36, 0x23},
    {kh_7, "kh_7", "7", 0x37, 0x24},
    {kh_8, "kh_8", "8", 0x38, 0x25},
    {kh_9, "kh_9", "9", 0x39, 0x26},
    {kh_OEM_1, "kh_OEM_1", "OEM_1", 0xBA, 0x33},
    {kh_OEM_2, "kh_OEM_2", "OEM_2", 0xBF, 0x38},
    {kh_OEM_3, "kh_OEM_3", "OEM_3", 0xC0, 0x35},
    {kh_OEM_4, "kh_OEM_4", "OEM_4", 0xDB, 0x2F},
    {kh_OEM_5, "kh_OEM_5", "OEM_5", 0xDC, 0x31},
    {kh_OEM_6, "kh_OEM_6", "OEM_6", 0xDD, 0x30},
    {kh_OEM_7, "kh_OEM_7", "OEM_7", 0xDE, 0x34},
    {kh_OEM_8, "kh_OEM_8", "OEM_8", 0xDF, 0x00},
    {kh_OEM_Plus, "kh_OEM_Plus", "OEM_Plus", 0xBB, 0x2E},
    {kh_OEM_Comma, "kh_OEM_Comma", "OEM_Comma", 0xBC, 0x36},
    {kh_OEM_Minus, "kh_OEM_Minus", "OEM_Minus", 0xBD, 0x2D},
    {kh_OEM_Period, "kh_OEM_Period", "OEM_Period", 0xBE, 0x37},
    {kh_Browser_Back, "kh_Browser_Back", "Browser_Back", 0xA6, 0x00},
    {kh_Browser_Forward, "kh_Browser_Forward", "Browser_Forward", 0xA7, 0x00},
    {kh_Browser_Refresh, "kh_Browser_Refresh", "Browser_Refresh", 0xA8, 0x00},
    {kh_Browser_Stop, "kh_Browser_Stop", "Browser_Stop", 0xA9, 0x00},
    {kh_Browser_Search, "kh_Browser_Search", "Browser_Search", 0xAA, 0x00},
    {kh_Browser_Favorites, "kh_Browser_Favorites", "Browser_Favorites", 0xAB, 0x00},
    {kh_Browser_Home, "kh_Browser_Home", "Browser_Home", 0xAC, 0x00},
    {kh_Volume_Mute, "kh_Volume_Mute", "Volume_Mute", 0xAD, 0x00},
    {kh_Volume_Down, "kh_Volume_Down", "Volume_Down", 0xAE, 0x00},
    {kh_Volume_Up, "kh_Volume_Up", "Volume_Up", 0xAF, 0x00},
    {kh_Media_Next_Track, "kh_Media_Next_Track", "Media_Next_Track", 0xB0, 0x00},
    {kh_Media_Prev_Track, "kh_Media_Prev_Track", "Media_Prev_Track", 0xB1, 0x00},
    {kh_Media_Stop, "kh_Media_Stop", "Media_Stop", 0xB2, 0x00},
    {kh_Media_Play_Pause, "kh_Media_Play_Pause", "Media_Play_Pause", 0xB3, 0x00},
    {kh_Launch_Mail, "kh_Launch_Mail", "Launch_Mail", 0xB4, 0x00},
    {kh_Launch_Media_Select, "kh_Launch_Media_Select", "Launch_Media_Select", 0xB5, 0x00},
    {kh_Launch_App1, "kh_Launch_App1", "Launch_App1", 0xB6, 0x00},
    {kh_Launch_App2, "kh_Launch_App2", "Launch_App2", 0xB7, 0x00},
    {kh_Return_KP, "kh_Return_KP", "", kNoVirtualKey, 0x00},
}};

constexpr bool keysAreInEnumeratorOrder() {
  for (std::size_t i = 0; i < kKeys.size(); ++i)
    if (kKeys[i].key != i) return false;
  return true;
}
static_assert(keysAreInEnumeratorOrder());

constexpr std::array<TKeyboardHookKey, 256> makeKeyOfVirtualKey() {
  std::array<TKeyboardHookKey, 256> keys{};
  for (const KeyRow& row : kKeys)
    if (row.virtualKey != kNoVirtualKey) keys[row.virtualKey] = row.key;
  return keys;
}
constexpr std::array<TKeyboardHookKey, 256> kKeyOfVirtualKey = makeKeyOfVirtualKey();

constexpr std::array<ModifierKey, 8> kModifiers{{
    {"Ctrl", 0x1111, 0x01},
    {"Right Ctrl", 0x2222, 0x10},
    {"Shift", 0x3333, 0x02},
    {"Right Shift", 0x4444, 0x20},
    {"Alt", 0x5555, 0x04},
    {"Right Alt", 0x6666, 0x40},
    {"Left Windows", 0x7777, 0x08},
    {"Right Windows", 0x8888, 0x80},
}};

// The four upper-case hex digits of a modifier code.
constexpr std::array<char, 4> codeDigits(std::uint16_t code) {
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  const unsigned value = code;
  return {kDigits[(value >> 12) & 0xFu], kDigits[(value >> 8) & 0xFu], kDigits[(value >> 4) & 0xFu],
          kDigits[value & 0xFu]};
}

const KeyRow& row(TKeyboardHookKey key) {
  return key < kKeys.size() ? kKeys[key] : kKeys[kh_None];
}

}  // namespace

TKeyboardHookKey KeyFromVirtualKey(std::uint16_t virtualKey) {
  return virtualKey < kKeyOfVirtualKey.size() ? kKeyOfVirtualKey[virtualKey] : kh_None;
}

std::string_view KeyDisplayName(TKeyboardHookKey key) {
  return row(key).displayName;
}

std::uint8_t KeyDeviceCode(TKeyboardHookKey key) {
  return row(key).deviceCode;
}

std::string_view KeyEnumeratorName(TKeyboardHookKey key) {
  return row(key).enumerator;
}

std::span<const ModifierKey> modifierKeys() {
  return kModifiers;
}

const ModifierKey* findModifierByName(std::string_view name) {
  for (const ModifierKey& modifier : kModifiers)
    if (modifier.name == name) return &modifier;
  return nullptr;
}

const ModifierKey* findModifierByCode(std::string_view codeText) {
  for (const ModifierKey& modifier : kModifiers) {
    const std::array<char, 4> digits = codeDigits(modifier.code);
    if (codeText == std::string_view(digits.data(), digits.size())) return &modifier;
  }
  return nullptr;
}

}  // namespace kestrovane
