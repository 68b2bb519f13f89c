#include "macro/EvdevKeyTable.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <cstdint>
#include <set>
#include <string_view>

namespace kestrovane {
namespace {

// Linux key codes (linux/input-event-codes.h) against the Windows virtual-key
// codes of the same keys as Microsoft documents them ("Virtual-Key Codes",
// winuser.h names in the comments), with the keyboard side's generic
// modifiers.
struct VirtualKeyCase {
  int evdev;
  std::uint16_t virtualKey;
};
constexpr VirtualKeyCase kVirtualKeys[] = {
    {KEY_ESC, 0x1B} /* VK_ESCAPE */,
    {KEY_1, 0x31},
    {KEY_0, 0x30},
    {KEY_MINUS, 0xBD} /* VK_OEM_MINUS */,
    {KEY_EQUAL, 0xBB} /* VK_OEM_PLUS */,
    {KEY_BACKSPACE, 0x08} /* VK_BACK */,
    {KEY_TAB, 0x09},
    {KEY_Q, 0x51},
    {KEY_LEFTBRACE, 0xDB} /* VK_OEM_4 */,
    {KEY_ENTER, 0x0D} /* VK_RETURN */,
    {KEY_LEFTCTRL, 0x11} /* VK_CONTROL */,
    {KEY_A, 0x41},
    {KEY_SEMICOLON, 0xBA} /* VK_OEM_1 */,
    {KEY_APOSTROPHE, 0xDE} /* VK_OEM_7 */,
    {KEY_GRAVE, 0xC0} /* VK_OEM_3 */,
    {KEY_LEFTSHIFT, 0x10} /* VK_SHIFT */,
    {KEY_BACKSLASH, 0xDC} /* VK_OEM_5 */,
    {KEY_Z, 0x5A},
    {KEY_M, 0x4D},
    {KEY_COMMA, 0xBC} /* VK_OEM_COMMA */,
    {KEY_SLASH, 0xBF} /* VK_OEM_2 */,
    {KEY_RIGHTSHIFT, 0x10} /* VK_SHIFT */,
    {KEY_KPASTERISK, 0x6A} /* VK_MULTIPLY */,
    {KEY_LEFTALT, 0x12} /* VK_MENU */,
    {KEY_SPACE, 0x20},
    {KEY_CAPSLOCK, 0x14} /* VK_CAPITAL */,
    {KEY_F1, 0x70},
    {KEY_F10, 0x79},
    {KEY_F11, 0x7A},
    {KEY_F12, 0x7B},
    {KEY_NUMLOCK, 0x90},
    {KEY_SCROLLLOCK, 0x91},
    {KEY_KP7, 0x67} /* VK_NUMPAD7 */,
    {KEY_KP0, 0x60} /* VK_NUMPAD0 */,
    {KEY_KPMINUS, 0x6D} /* VK_SUBTRACT */,
    {KEY_KPPLUS, 0x6B} /* VK_ADD */,
    {KEY_KPDOT, 0x6E} /* VK_DECIMAL */,
    {KEY_KPENTER, 0x0D} /* VK_RETURN */,
    {KEY_RIGHTCTRL, 0x11} /* VK_CONTROL */,
    {KEY_KPSLASH, 0x6F} /* VK_DIVIDE */,
    {KEY_SYSRQ, 0x2C} /* VK_SNAPSHOT */,
    {KEY_RIGHTALT, 0x12} /* VK_MENU */,
    {KEY_HOME, 0x24},
    {KEY_UP, 0x26},
    {KEY_PAGEUP, 0x21} /* VK_PRIOR */,
    {KEY_LEFT, 0x25},
    {KEY_RIGHT, 0x27},
    {KEY_END, 0x23},
    {KEY_DOWN, 0x28},
    {KEY_PAGEDOWN, 0x22} /* VK_NEXT */,
    {KEY_INSERT, 0x2D},
    {KEY_DELETE, 0x2E},
    {KEY_MUTE, 0xAD} /* VK_VOLUME_MUTE */,
    {KEY_VOLUMEDOWN, 0xAE},
    {KEY_VOLUMEUP, 0xAF},
    {KEY_PAUSE, 0x13},
    {KEY_LEFTMETA, 0x5B} /* VK_LWIN */,
    {KEY_RIGHTMETA, 0x5C} /* VK_RWIN */,
    {KEY_COMPOSE, 0x5D} /* VK_APPS */,
    {KEY_STOP, 0xA9} /* VK_BROWSER_STOP */,
    {KEY_BACK, 0xA6} /* VK_BROWSER_BACK */,
    {KEY_FORWARD, 0xA7},
    {KEY_REFRESH, 0xA8},
    {KEY_SEARCH, 0xAA},
    {KEY_BOOKMARKS, 0xAB} /* VK_BROWSER_FAVORITES */,
    {KEY_HOMEPAGE, 0xAC},
    {KEY_NEXTSONG, 0xB0} /* VK_MEDIA_NEXT_TRACK */,
    {KEY_PREVIOUSSONG, 0xB1},
    {KEY_STOPCD, 0xB2} /* VK_MEDIA_STOP */,
    {KEY_PLAYPAUSE, 0xB3},
    {KEY_MAIL, 0xB4} /* VK_LAUNCH_MAIL */,
    {KEY_CONFIG, 0xB5} /* VK_LAUNCH_MEDIA_SELECT */,
    {KEY_F13, 0x7C},
    {KEY_F24, 0x87},
};

TEST(EvdevKeyTable, GivesTheDocumentedVirtualKeys) {
  for (const VirtualKeyCase& c : kVirtualKeys) {
    SCOPED_TRACE(c.evdev);
    const EvdevKey* key = findEvdevKey(static_cast<std::uint16_t>(c.evdev));
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->virtualKey, c.virtualKey);
  }
  for (int letter = 0; letter < 26; ++letter) {
    const char name[2] = {static_cast<char>('A' + letter), '\0'};
    int found = 0;
    for (const EvdevKey& key : evdevKeys())
      if (key.name == std::string_view(name)) {
        ++found;
        EXPECT_EQ(key.virtualKey, 'A' + letter) << name;  // VK 0x41..0x5A
      }
    EXPECT_EQ(found, 1) << name;
  }
  std::set<int> codes;
  for (const EvdevKey& key : evdevKeys()) EXPECT_TRUE(codes.insert(key.evdevCode).second);
  EXPECT_EQ(findEvdevKey(0), nullptr);
  EXPECT_EQ(findEvdevKey(KEY_MAX), nullptr);
}

// The keystroke flags and key names that GetKeyNameTextA was measured to
// give (the team's platform notes): the watch side tells left from right
// by these.
TEST(EvdevKeyTable, GivesTheMeasuredScanCodesAndKeyNames) {
  struct Case {
    int evdev;
    std::uint8_t scanCode;
    bool extended;
    std::string_view name;
  };
  constexpr Case kMeasured[] = {
      {KEY_LEFTSHIFT, 0x2A, false, "Shift"},      {KEY_RIGHTSHIFT, 0x36, false, "Right Shift"},
      {KEY_LEFTCTRL, 0x1D, false, "Ctrl"},        {KEY_RIGHTCTRL, 0x1D, true, "Right Ctrl"},
      {KEY_LEFTALT, 0x38, false, "Alt"},          {KEY_RIGHTALT, 0x38, true, "Right Alt"},
      {KEY_LEFTMETA, 0x5B, true, "Left Windows"}, {KEY_RIGHTMETA, 0x5C, true, "Right Windows"},
      {KEY_PAGEUP, 0x49, true, "Page Up"},        {KEY_A, 0x1E, false, "A"},
  };
  for (const Case& c : kMeasured) {
    SCOPED_TRACE(c.name);
    const EvdevKey* key = findEvdevKey(static_cast<std::uint16_t>(c.evdev));
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->scanCode, c.scanCode);
    EXPECT_EQ(key->extended, c.extended);
    EXPECT_EQ(key->name, c.name);
  }
}

}  // namespace
}  // namespace kestrovane
