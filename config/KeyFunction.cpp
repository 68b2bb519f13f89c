#include "config/KeyFunction.h"

#include <algorithm>
#include <array>

namespace kestrovane {

namespace {

constexpr std::array kCategories{
    FunctionCategory{"lbl_basekeys", "KM1", "鼠标按键", "gbbasekeys", "TB_basekeys"},
    FunctionCategory{"lbl_gaming", "KM2", "游戏配置", "gbgaming", "TB_gaming"},
    FunctionCategory{"lbl_office", "KM3", "办公命令", "gboffice", "TB_office"},
    FunctionCategory{"lbl_media", "KM4", "多媒体命令", "gbmedia", "TB_media"},
    FunctionCategory{"lbl_ie", "KM5", "上网命令", "gbie", "TB_ie"},
    FunctionCategory{"lbl_win8", "KM6", "Windows8命令", "gbwin8", "TB_win8"},
    FunctionCategory{"lbl_os", "KM7", "操作系统命令", "gbos", "TB_os"},
    FunctionCategory{"lbl_other", "KM8", "其它命令", "gbother", "TB_other"},
    FunctionCategory{"lbl_mode", "KM9", "模式切换", "", ""},
    FunctionCategory{"lbl_keyoff", "KM10", "按键关", "", ""},
};

// Kinds 3 and 4 carry USB HID codes: a keyboard modifier byte (1 Ctrl, 4 Alt,
// 8 GUI) plus a Keyboard/Keypad page usage, or a Consumer page usage split
// into high and low byte.
constexpr std::array kItems{
    // Mouse buttons. The items named "mid" and "right" carry the captions
    // "右键" and "中键" with bits 4 and 2, although in USB HID numbering bit 2
    // is the right button and bit 4 the middle one; the language file's texts
    // decide what the user reads, so the codes stay per item.
    FunctionItem{"gbbasekeys", "lbl_msekey_left", "KBK1", "左键", {1, 1, 0}},
    FunctionItem{"gbbasekeys", "lbl_msekey_mid", "KBK3", "右键", {1, 4, 0}},
    FunctionItem{"gbbasekeys", "lbl_msekey_right", "KBK2", "中键", {1, 2, 0}},
    FunctionItem{"gbbasekeys", "lbl_msekey_back", "KBK4", "下翻页", {1, 8, 0}},
    FunctionItem{"gbbasekeys", "lbl_msekey_forward", "KBK5", "上翻页", {1, 16, 0}},
    FunctionItem{"gbbasekeys", "lbl_msekey_ltilt", "KBK6", "左摆", {2, 1, 0}},
    FunctionItem{"gbbasekeys", "lbl_msekey_rtilt", "KBK7", "右摆", {2, 255, 0}},

    FunctionItem{"gbgaming", "lbl_gaming_double", "KG1", "Double Left Click", {5, 2, 0}},
    FunctionItem{"gbgaming", "lbl_gaming_three", "KG2", "左键三连发", {5, 3, 0}},
    FunctionItem{"gbgaming", "lbl_gaming_four", "KG3", "左键四连发", {5, 4, 0}},
    FunctionItem{"gbgaming", "lbl_gaming_five", "KG4", "左键五连发", {5, 5, 0}},
    FunctionItem{"gbgaming", "lbl_gaming_kbd_maro", "KG5", "宏定义", {9, 0, 0}},

    FunctionItem{"gboffice", "lbl_office_copy", "KOF1", "Copy", {3, 1, 6}},       // Ctrl+C
    FunctionItem{"gboffice", "lbl_office_paste", "KOF2", "Paste", {3, 1, 25}},    // Ctrl+V
    FunctionItem{"gboffice", "lbl_office_cut", "KOF3", "Cut", {3, 1, 27}},        // Ctrl+X
    FunctionItem{"gboffice", "lbl_office_all", "KOF4", "Select All", {3, 1, 4}},  // Ctrl+A
    FunctionItem{"gboffice", "lbl_office_find", "KOF5", "Find", {3, 1, 9}},       // Ctrl+F
    FunctionItem{"gboffice", "lbl_office_new", "KOF6", "New", {3, 1, 17}},        // Ctrl+N
    FunctionItem{"gboffice", "lbl_office_print", "KOF7", "Print", {3, 1, 19}},    // Ctrl+P
    FunctionItem{"gboffice", "lbl_office_save", "KOF8", "Save", {3, 1, 22}},      // Ctrl+S
    FunctionItem{
        "gboffice", "lbl_office_email", "KOF9", "E-mail", {4, 1, 138}},  // 0x018A AL Email Reader

    FunctionItem{"gbmedia",
                 "lbl_media_player",
                 "KA1",
                 "Player",
                 {4, 1, 131}},  // 0x0183 AL Consumer Control Config
    FunctionItem{"gbmedia", "lbl_media_playpause", "KA2", "Play/Pause", {4, 0, 205}},  // 0x00CD
    FunctionItem{"gbmedia", "lbl_media_stop", "KA3", "Stop", {4, 0, 183}},             // 0x00B7
    FunctionItem{
        "gbmedia", "lbl_media_vold", "KA5", "Volume + ", {4, 0, 233}},  // 0x00E9 Volume Increment
    FunctionItem{
        "gbmedia", "lbl_media_voli", "KA4", "Volume - ", {4, 0, 234}},  // 0x00EA Volume Decrement
    FunctionItem{"gbmedia", "lbl_media_previous", "KA6", "Previous Track", {4, 0, 182}},  // 0x00B6
    FunctionItem{"gbmedia", "lbl_media_next", "KA7", "Next Track  ", {4, 0, 181}},        // 0x00B5
    FunctionItem{"gbmedia", "lbl_media_mute", "KA8", "Mute", {4, 0, 226}},                // 0x00E2

    FunctionItem{"gbie", "lbl_ie_home", "KIE1", "WWW Home", {4, 2, 35}},        // 0x0223 AC Home
    FunctionItem{"gbie", "lbl_ie_search", "KIE2", "WWW Search", {4, 2, 33}},    // 0x0221 AC Search
    FunctionItem{"gbie", "lbl_ie_back", "KIE3", "WWW Back", {4, 2, 36}},        // 0x0224 AC Back
    FunctionItem{"gbie", "lbl_ie_forward", "KIE4", "WWW Forward", {4, 2, 37}},  // 0x0225 AC Forward
    // The mouse takes the multimedia Stop (0x00B7) here, not 0x0226 AC Stop.
    FunctionItem{"gbie", "lbl_ie_stop", "KIE5", "WWW Stop", {4, 0, 183}},
    FunctionItem{"gbie", "lbl_ie_refresh", "KIE6", "WWW Refresh", {4, 2, 39}},  // 0x0227 AC Refresh
    FunctionItem{
        "gbie", "lbl_ie_favorites", "KIE7", "WWW Favorites", {4, 2, 42}},  // 0x022A AC Bookmarks

    FunctionItem{"gbwin8", "lbl_win8_search", "KW81", "Search", {3, 8, 20}},    // GUI+Q
    FunctionItem{"gbwin8", "lbl_win8_share", "KW82", "Share", {3, 8, 11}},      // GUI+H
    FunctionItem{"gbwin8", "lbl_win8_device", "KW83", "Device", {3, 8, 14}},    // GUI+K
    FunctionItem{"gbwin8", "lbl_win8_setting", "KW84", "Install", {3, 8, 12}},  // GUI+I
    FunctionItem{
        "gbwin8", "lbl_win8_return", "KW85", "程式窗返回", {3, 9, 42}},  // Ctrl+GUI+Backspace
    FunctionItem{"gbwin8", "lbl_win8_bill", "KW86", "程式窗清单浏览", {3, 9, 43}},  // Ctrl+GUI+Tab
    FunctionItem{"gbwin8", "lbl_win8_partition", "KW87", "分割页面", {3, 8, 55}},   // GUI+.
    FunctionItem{"gbwin8", "lbl_win8_app", "KW88", "应用程式功能表", {3, 8, 29}},   // GUI+Z

    FunctionItem{"gbos", "lbl_os_switch", "KOS1", "Switch Win", {3, 4, 43}},  // Alt+Tab
    FunctionItem{"gbos", "lbl_os_close", "KOS2", "Close Win", {3, 4, 61}},    // Alt+F4
    FunctionItem{"gbos", "lbl_os_explorer", "KOS3", "Explorer", {3, 8, 8}},   // GUI+E
    FunctionItem{"gbos", "lbl_os_run", "KOS4", "Run", {3, 8, 21}},            // GUI+R
    FunctionItem{"gbos", "lbl_os_desktop", "KOS5", "Desktop", {3, 8, 7}},     // GUI+D
    FunctionItem{"gbos", "lbl_os_lock", "KOS6", "Lock PC", {3, 5, 76}},       // Ctrl+Alt+Delete
    FunctionItem{"gbos", "lbl_os_win", "KOS7", "Windows", {3, 8, 0}},         // GUI alone

    FunctionItem{"gbother", "lbl_other_dpid", "KOT1", "DPI+", {8, 1, 0}},
    FunctionItem{"gbother", "lbl_other_dpii", "KOT2", "DPI-", {8, 2, 0}},
    FunctionItem{"gbother", "lbl_other_dpi", "KOT3", "DPI", {8, 3, 0}},
    FunctionItem{"gbother", "lbl_other_breath", "KOT4", "Breathe LED Switch", {8, 4, 0}},

    FunctionItem{"gbMenu", "lbl_mode", "KM9", "模式切换", {7, 0, 0}},
    FunctionItem{"gbMenu", "lbl_keyoff", "KM10", "按键关", {6, 0, 0}},
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
