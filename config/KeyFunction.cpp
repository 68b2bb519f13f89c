#include "config/KeyFunction.h"

#include <algorithm>
#include <array>

namespace kestrovane {

namespace {

constexpr std::array kCategories{
    FunctionCategory{"lbl_basekeys", "gbbasekeys", "TB_basekeys"},
    FunctionCategory{"lbl_gaming", "gbgaming", "TB_gaming"},
    FunctionCategory{"lbl_office", "gboffice", "TB_office"},
    FunctionCategory{"lbl_media", "gbmedia", "TB_media"},
    FunctionCategory{"lbl_ie", "gbie", "TB_ie"},
    FunctionCategory{"lbl_win8", "gbwin8", "TB_win8"},
    FunctionCategory{"lbl_os", "gbos", "TB_os"},
    FunctionCategory{"lbl_other", "gbother", "TB_other"},
    FunctionCategory{"lbl_mode", "", ""},
    FunctionCategory{"lbl_keyoff", "", ""},
};

// Kinds 3 and 4 carry USB HID codes: a keyboard modifier byte (1 Ctrl, 4 Alt,
// 8 GUI) plus a Keyboard/Keypad page usage, or a Consumer page usage split
// into high and low byte.
constexpr std::array kItems{
    // Mouse buttons. The items named "mid" and "right" carry bits 4 and 2:
    // in USB HID numbering bit 2 is the right button and bit 4 the middle
    // one, whatever the design's built-in captions of the two rows say; the
    // language file's texts decide what the user reads, so the codes stay
    // per item.
    FunctionItem{"gbbasekeys", "lbl_msekey_left", {1, 1, 0}},
    FunctionItem{"gbbasekeys", "lbl_msekey_mid", {1, 4, 0}},
    FunctionItem{"gbbasekeys", "lbl_msekey_right", {1, 2, 0}},
    FunctionItem{"gbbasekeys", "lbl_msekey_back", {1, 8, 0}},
    FunctionItem{"gbbasekeys", "lbl_msekey_forward", {1, 16, 0}},
    FunctionItem{"gbbasekeys", "lbl_msekey_ltilt", {2, 1, 0}},
    FunctionItem{"gbbasekeys", "lbl_msekey_rtilt", {2, 255, 0}},

    FunctionItem{"gbgaming", "lbl_gaming_double", {5, 2, 0}},
    FunctionItem{"gbgaming", "lbl_gaming_three", {5, 3, 0}},
    FunctionItem{"gbgaming", "lbl_gaming_four", {5, 4, 0}},
    FunctionItem{"gbgaming", "lbl_gaming_five", {5, 5, 0}},
    FunctionItem{"gbgaming", "lbl_gaming_kbd_maro", {9, 0, 0}},

    FunctionItem{"gboffice", "lbl_office_copy", {3, 1, 6}},     // Ctrl+C
    FunctionItem{"gboffice", "lbl_office_paste", {3, 1, 25}},   // Ctrl+V
    FunctionItem{"gboffice", "lbl_office_cut", {3, 1, 27}},     // Ctrl+X
    FunctionItem{"gboffice", "lbl_office_all", {3, 1, 4}},      // Ctrl+A
    FunctionItem{"gboffice", "lbl_office_find", {3, 1, 9}},     // Ctrl+F
    FunctionItem{"gboffice", "lbl_office_new", {3, 1, 17}},     // Ctrl+N
    FunctionItem{"gboffice", "lbl_office_print", {3, 1, 19}},   // Ctrl+P
    FunctionItem{"gboffice", "lbl_office_save", {3, 1, 22}},    // Ctrl+S
    FunctionItem{"gboffice", "lbl_office_email", {4, 1, 138}},  // 0x018A AL Email Reader

    FunctionItem{"gbmedia", "lbl_media_player", {4, 1, 131}},  // 0x0183 AL Consumer Control Config
    FunctionItem{"gbmedia", "lbl_media_playpause", {4, 0, 205}},  // 0x00CD
    FunctionItem{"gbmedia", "lbl_media_stop", {4, 0, 183}},       // 0x00B7
    FunctionItem{"gbmedia", "lbl_media_vold", {4, 0, 233}},       // 0x00E9 Volume Increment
    FunctionItem{"gbmedia", "lbl_media_voli", {4, 0, 234}},       // 0x00EA Volume Decrement
    FunctionItem{"gbmedia", "lbl_media_previous", {4, 0, 182}},   // 0x00B6
    FunctionItem{"gbmedia", "lbl_media_next", {4, 0, 181}},       // 0x00B5
    FunctionItem{"gbmedia", "lbl_media_mute", {4, 0, 226}},       // 0x00E2

    FunctionItem{"gbie", "lbl_ie_home", {4, 2, 35}},     // 0x0223 AC Home
    FunctionItem{"gbie", "lbl_ie_search", {4, 2, 33}},   // 0x0221 AC Search
    FunctionItem{"gbie", "lbl_ie_back", {4, 2, 36}},     // 0x0224 AC Back
    FunctionItem{"gbie", "lbl_ie_forward", {4, 2, 37}},  // 0x0225 AC Forward
    // The mouse takes the multimedia Stop (0x00B7) here, not 0x0226 AC Stop.
    FunctionItem{"gbie", "lbl_ie_stop", {4, 0, 183}},
    FunctionItem{"gbie", "lbl_ie_refresh", {4, 2, 39}},    // 0x0227 AC Refresh
    FunctionItem{"gbie", "lbl_ie_favorites", {4, 2, 42}},  // 0x022A AC Bookmarks

    FunctionItem{"gbwin8", "lbl_win8_search", {3, 8, 20}},     // GUI+Q
    FunctionItem{"gbwin8", "lbl_win8_share", {3, 8, 11}},      // GUI+H
    FunctionItem{"gbwin8", "lbl_win8_device", {3, 8, 14}},     // GUI+K
    FunctionItem{"gbwin8", "lbl_win8_setting", {3, 8, 12}},    // GUI+I
    FunctionItem{"gbwin8", "lbl_win8_return", {3, 9, 42}},     // Ctrl+GUI+Backspace
    FunctionItem{"gbwin8", "lbl_win8_bill", {3, 9, 43}},       // Ctrl+GUI+Tab
    FunctionItem{"gbwin8", "lbl_win8_partition", {3, 8, 55}},  // GUI+.
    FunctionItem{"gbwin8", "lbl_win8_app", {3, 8, 29}},        // GUI+Z

    FunctionItem{"gbos", "lbl_os_switch", {3, 4, 43}},   // Alt+Tab
    FunctionItem{"gbos", "lbl_os_close", {3, 4, 61}},    // Alt+F4
    FunctionItem{"gbos", "lbl_os_explorer", {3, 8, 8}},  // GUI+E
    FunctionItem{"gbos", "lbl_os_run", {3, 8, 21}},      // GUI+R
    FunctionItem{"gbos", "lbl_os_desktop", {3, 8, 7}},   // GUI+D
    FunctionItem{"gbos", "lbl_os_lock", {3, 5, 76}},     // Ctrl+Alt+Delete
    FunctionItem{"gbos", "lbl_os_win", {3, 8, 0}},       // GUI alone

    FunctionItem{"gbother", "lbl_other_dpid", {8, 1, 0}},
    FunctionItem{"gbother", "lbl_other_dpii", {8, 2, 0}},
    FunctionItem{"gbother", "lbl_other_dpi", {8, 3, 0}},
    FunctionItem{"gbother", "lbl_other_breath", {8, 4, 0}},

    FunctionItem{"gbMenu", "lbl_mode", {7, 0, 0}},
    FunctionItem{"gbMenu", "lbl_keyoff", {6, 0, 0}},
};

}  // namespace

std::span<const FunctionCategory> functionCategories() {
  return kCategories;
}

std::span<const FunctionItem> functionTable() {
  return kItems;
}

const FunctionItem* findFunctionItem(std::string_view label) {
  const auto it = std::find_if(kItems.begin(), kItems.end(),
                               [label](const FunctionItem& f) { return f.label == label; });
  return it == kItems.end() ? nullptr : &*it;
}

}  // namespace kestrovane
