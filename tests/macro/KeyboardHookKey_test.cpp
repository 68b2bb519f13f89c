#include "macro/KeyboardHookKey.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>

namespace kestrovane {
namespace {

// Windows virtual-key codes (winuser.h) with the USB HID Keyboard/Keypad usage
// ID of the same key (HID Usage Tables 1.3, section 10), for every key whose
// device code is its plain usage.
const std::map<std::uint16_t, std::uint8_t>& plainUsages() {
  static const std::map<std::uint16_t, std::uint8_t> usages = [] {
    std::map<std::uint16_t, std::uint8_t> m{
        {0x08, 0x2A} /* VK_BACK: Backspace */,
        {0x09, 0x2B} /* VK_TAB */,
        {0x0C, 0x9C} /* VK_CLEAR: Clear */,
        {0x0D, 0x28} /* VK_RETURN: Enter */,
        {0x13, 0x48} /* VK_PAUSE */,
        {0x14, 0x39} /* VK_CAPITAL: Caps Lock */,
        {0x1B, 0x29} /* VK_ESCAPE */,
        {0x20, 0x2C} /* VK_SPACE */,
        {0x22, 0x4E} /* VK_NEXT: PageDown */,
        {0x23, 0x4D} /* VK_END */,
        {0x24, 0x4A} /* VK_HOME */,
        {0x25, 0x50} /* VK_LEFT */,
        {0x26, 0x52} /* VK_UP */,
        {0x27, 0x4F} /* VK_RIGHT */,
        {0x28, 0x51} /* VK_DOWN */,
        {0x29, 0x77} /* VK_SELECT */,
        {0x2C, 0x46} /* VK_SNAPSHOT: PrintScreen */,
        {0x2D, 0x49} /* VK_INSERT */,
        {0x2E, 0x4C} /* VK_DELETE */,
        {0x2F, 0x75} /* VK_HELP */,
        {0x5D, 0x65} /* VK_APPS: Application */,
        {0x6A, 0x55} /* VK_MULTIPLY: Keypad * */,
        {0x6B, 0x57} /* VK_ADD: Keypad + */,
        {0x6D, 0x56} /* VK_SUBTRACT: Keypad - */,
        {0x6E, 0x63} /* VK_DECIMAL: Keypad . */,
        {0x6F, 0x54} /* VK_DIVIDE: Keypad / */,
        {0x90, 0x53} /* VK_NUMLOCK */,
        {0x91, 0x47} /* VK_SCROLL */,
        {0xBA, 0x33} /* VK_OEM_1: ; */,
        {0xBB, 0x2E} /* VK_OEM_PLUS: = */,
        {0xBC, 0x36} /* VK_OEM_COMMA */,
        {0xBD, 0x2D} /* VK_OEM_MINUS */,
        {0xBE, 0x37} /* VK_OEM_PERIOD */,
        {0xBF, 0x38} /* VK_OEM_2: / */,
        {0xC0, 0x35} /* VK_OEM_3: ` */,
        {0xDB, 0x2F} /* VK_OEM_4: [ */,
        {0xDC, 0x31} /* VK_OEM_5: \ */,
        {0xDD, 0x30} /* VK_OEM_6: ] */,
        {0xDE, 0x34} /* VK_OEM_7: ' */,
        {0x60, 0x62} /* VK_NUMPAD0: Keypad 0 */,
    };
    for (std::uint16_t i = 0; i < 26; ++i)  // 'A'..'Z': usages 0x04..0x1D
      m[static_cast<std::uint16_t>(0x41 + i)] = static_cast<std::uint8_t>(0x04 + i);
    for (std::uint16_t i = 1; i <= 9; ++i) {  // '1'..'9': 0x1E..0x26; Keypad 1..9: 0x59..0x61
      m[static_cast<std::uint16_t>(0x30 + i)] = static_cast<std::uint8_t>(0x1E + i - 1);
      m[static_cast<std::uint16_t>(0x60 + i)] = static_cast<std::uint8_t>(0x59 + i - 1);
    }
    m[0x30] = 0x27;                           // '0'
    for (std::uint16_t i = 0; i < 12; ++i) {  // F1..F12: 0x3A..0x45; F13..F24: 0x68..0x73
      m[static_cast<std::uint16_t>(0x70 + i)] = static_cast<std::uint8_t>(0x3A + i);
      m[static_cast<std::uint16_t>(0x7C + i)] = static_cast<std::uint8_t>(0x68 + i);
    }
    return m;
  }();
  return usages;
}

// The keys whose device code is not their usage, with the code the mouse
// expects instead.
const std::map<std::uint16_t, std::uint8_t> kExceptions{
    {0x21, 0x9D} /* Page Up: the usage Prior, not PageUp 0x4B */,
    {0x6C, 0x58} /* VK_SEPARATOR: Keypad Enter */,
    {0xA0, 0x02} /* Left Shift: modifier bit 1, not usage 0xE1 */,
    {0xA1, 0x20} /* Right Shift */,
    {0xA2, 0x01} /* Left Ctrl */,
    {0xA3, 0x10} /* Right Ctrl */,
    {0xA4, 0x04} /* Left Alt */,
    {0xA5, 0x40} /* Right Alt */,
    {0x5B, 0x08} /* Left Windows */,
    {0x5C, 0x80} /* Right Windows */,
    {0x10, 0x00} /* generic Shift: written by the modifier path */,
    {0x11, 0x00} /* generic Ctrl */,
    {0x12, 0x00} /* generic Alt */,
    {0xDF, 0x00} /* VK_OEM_8: no usage */,
    {0xFF, 0x00} /* "255" */,
};

TEST(KeyTable, DeviceCodesAreTheHidUsagesOfTheirKeys) {
  for (const auto& [vk, usage] : plainUsages())
    EXPECT_EQ(KeyDeviceCode(KeyFromVirtualKey(vk)), usage) << "virtual key " << vk;
}

TEST(KeyTable, KeysThatDifferFromTheirUsageCarryTheMouseCode) {
  for (const auto& [vk, code] : kExceptions)
    EXPECT_EQ(KeyDeviceCode(KeyFromVirtualKey(vk)), code) << "virtual key " << vk;
  for (std::uint16_t vk = 0xA6; vk <= 0xB7; ++vk) {  // browser, volume, media, launch keys
    EXPECT_NE(KeyFromVirtualKey(vk), kh_None) << vk;
    EXPECT_EQ(KeyDeviceCode(KeyFromVirtualKey(vk)), 0) << vk;
  }
}

TEST(KeyTable, EveryOtherVirtualKeyIsNone) {
  int mapped = 0;
  for (unsigned vk = 0; vk <= 0xFFFF; ++vk) {
    const auto code = static_cast<std::uint16_t>(vk);
    const bool listed =
        plainUsages().contains(code) || kExceptions.contains(code) || (vk >= 0xA6 && vk <= 0xB7);
    if (listed) {
      ++mapped;
      EXPECT_NE(KeyFromVirtualKey(code), kh_None) << vk;
    } else {
      EXPECT_EQ(KeyFromVirtualKey(code), kh_None) << vk;
    }
  }
  // Every key but None, Demo and Return_KP has exactly one virtual key.
  EXPECT_EQ(mapped, kKeyboardHookKeyCount - 3);
  for (const std::uint16_t vk : {0x00, 0x0A, 0x3B, 0x01, 0x5F, 0xE2, 0x100, 0xFFFF}) {
    EXPECT_EQ(KeyFromVirtualKey(vk), kh_None) << vk;
    EXPECT_EQ(KeyDisplayName(KeyFromVirtualKey(vk)), "None");
    EXPECT_EQ(KeyDeviceCode(KeyFromVirtualKey(vk)), 0);
  }
}

TEST(KeyTable, VirtualKeysReachDistinctKeys) {
  std::set<TKeyboardHookKey> reached;
  for (unsigned vk = 1; vk <= 0xFF; ++vk) {
    const TKeyboardHookKey key = KeyFromVirtualKey(static_cast<std::uint16_t>(vk));
    if (key != kh_None) EXPECT_TRUE(reached.insert(key).second) << KeyEnumeratorName(key);
  }
  EXPECT_FALSE(reached.contains(kh_Demo));
  EXPECT_FALSE(reached.contains(kh_Return_KP));
}

TEST(KeyTable, DisplayNames) {
  const std::map<std::uint16_t, std::string> names{
      {0x08, "Backspace"},
      {0x0D, "Enter"},
      {0x10, "Shift"},
      {0x11, "Ctrl"},
      {0x12, "Alt"},
      {0x14, "Caps Lock"},
      {0x1B, "Esc"},
      {0x20, "Space bar"},
      {0x21, "Page Up"},
      {0x22, "Page Down"},
      {0x2C, "Print Screen"},
      {0x5B, "Left Windows"},
      {0x5C, "Right Windows"},
      {0x5D, "Applications"},
      {0x60, "0 (numeric pad)"},
      {0x69, "9 (numeric pad)"},
      {0x6C, "Separator (numeric pad)"},
      {0x70, "F1"},
      {0x87, "F24"},
      {0x90, "Num Lock"},
      {0xA3, "Right Ctrl"},
      {0xA4, "Left Alt"},
      {0x41, "A"},
      {0x5A, "Z"},
      {0x30, "0"},
      {0xDF, "OEM_8"},
      {0xBB, "OEM_Plus"},
      {0xFF, "255"},
      {0xA6, "Browser_Back"},
      {0xB7, "Launch_App2"},
  };
  for (const auto& [vk, name] : names) EXPECT_EQ(KeyDisplayName(KeyFromVirtualKey(vk)), name);
  EXPECT_EQ(KeyDisplayName(kh_Demo), "Demo");
  EXPECT_EQ(KeyDisplayName(kh_Return_KP), "");
}

TEST(KeyTable, EnumeratorNamesFollowTheirValues) {
  std::set<std::string_view> seen;
  for (int value = 0; value < kKeyboardHookKeyCount; ++value) {
    const std::string_view name = KeyEnumeratorName(static_cast<TKeyboardHookKey>(value));
    EXPECT_TRUE(name.starts_with("kh_")) << value;
    EXPECT_TRUE(seen.insert(name).second) << name;
  }
  EXPECT_EQ(KeyEnumeratorName(kh_Numpad0), "kh_Numpad0");
  EXPECT_EQ(static_cast<int>(kh_Numpad0), 30);
  EXPECT_EQ(static_cast<int>(kh_F1), 46);
  EXPECT_EQ(static_cast<int>(kh_A), 78);
  EXPECT_EQ(static_cast<int>(kh_0), 104);
  EXPECT_EQ(static_cast<int>(kh_Browser_Back), 126);
  EXPECT_EQ(static_cast<int>(kh_Return_KP), 144);
  // The browser and media keys are named after their enumerators.
  for (int value = kh_Browser_Back; value <= kh_Launch_App2; ++value) {
    const auto key = static_cast<TKeyboardHookKey>(value);
    EXPECT_EQ("kh_" + std::string(KeyDisplayName(key)), KeyEnumeratorName(key));
  }
}

TEST(ModifierKeys, NamesCodesAndHidModifierBits) {
  // HID keyboard modifier byte: bit 0 LeftControl .. bit 3 LeftGUI, bit 4
  // RightControl .. bit 7 RightGUI.
  const std::map<std::string_view, std::pair<std::uint16_t, std::uint8_t>> expected{
      {"Ctrl", {0x1111, 0x01}},         {"Right Ctrl", {0x2222, 0x10}},
      {"Shift", {0x3333, 0x02}},        {"Right Shift", {0x4444, 0x20}},
      {"Alt", {0x5555, 0x04}},          {"Right Alt", {0x6666, 0x40}},
      {"Left Windows", {0x7777, 0x08}}, {"Right Windows", {0x8888, 0x80}}};
  ASSERT_EQ(modifierKeys().size(), expected.size());
  for (const ModifierKey& modifier : modifierKeys()) {
    ASSERT_TRUE(expected.contains(modifier.name)) << modifier.name;
    EXPECT_EQ(modifier.code, expected.at(modifier.name).first) << modifier.name;
    EXPECT_EQ(modifier.bit, expected.at(modifier.name).second) << modifier.name;
    EXPECT_EQ(findModifierByName(modifier.name), &modifier);
  }
  EXPECT_EQ(findModifierByCode("5555")->name, "Alt");
  EXPECT_EQ(findModifierByCode("8888")->name, "Right Windows");
  for (const std::string_view code : {"0000", "1112", "9999", "111", "11111", ""})
    EXPECT_EQ(findModifierByCode(code), nullptr) << code;
  EXPECT_EQ(findModifierByName("Left Shift"), nullptr);
  EXPECT_EQ(findModifierByName("shift"), nullptr);
}

TEST(ModifierKeys, TheFiveGenericKeysOfCaptureHaveModifierNames) {
  // Capture hands these keys to the modifier path by their display names.
  for (const std::uint16_t vk : {0x10, 0x11, 0x12, 0x5B, 0x5C})
    EXPECT_NE(findModifierByName(KeyDisplayName(KeyFromVirtualKey(vk))), nullptr) << vk;
  // The left/right keys' device codes are the bits of the same modifiers.
  EXPECT_EQ(KeyDeviceCode(kh_LControl), findModifierByName("Ctrl")->bit);
  EXPECT_EQ(KeyDeviceCode(kh_RShift), findModifierByName("Right Shift")->bit);
  EXPECT_EQ(KeyDeviceCode(kh_RWIN), findModifierByName("Right Windows")->bit);
}

}  // namespace
}  // namespace kestrovane
