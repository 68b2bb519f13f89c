#include "config/CaptionTable.h"

#include <algorithm>
#include <array>

#include "base/Messages.h"

namespace kestrovane {

namespace {

using K = CaptionKind;

constexpr std::array kMainWindow{
    // The tabs.
    Caption{"lbl_title1", "T2", "按键设置"},
    Caption{"lbl_title2", "T3", "宏管理"},
    Caption{"lbl_title3", "T4", "灵敏度设置"},
    Caption{"lbl_title4", "T5", "灯光设置"},
    Caption{"lbl_title5", "T6", "系统设置"},
    // The buttons of the button page.
    Caption{"Key1", "K1", "左键", K::KeyCaption},
    Caption{"Key2", "K2", "右键", K::KeyCaption},
    Caption{"Key3", "K3", "中键", K::KeyCaption},
    Caption{"Key4", "K4", "下翻页", K::KeyCaption},
    Caption{"Key5", "K5", "上翻页", K::KeyCaption},
    Caption{"Key6", "K6", "DPI", K::KeyCaption},
    Caption{"Key7", "K7", "双击", K::KeyCaption},
    Caption{"Key8", "K8", "IE快捷键", K::KeyCaption},
    Caption{"Key9", "K9", "开始菜单键", K::KeyCaption},
    Caption{"Key10", "K10", "模式切换", K::KeyCaption},
    Caption{"Key11", "K11", "左摆", K::KeyCaption},
    Caption{"Key12", "K12", "右摆", K::KeyCaption},
    // The rows of the function menu.
    Caption{"lbl_basekeys", "KM1", "鼠标按键"},
    Caption{"lbl_gaming", "KM2", "游戏配置"},
    Caption{"lbl_office", "KM3", "办公命令"},
    Caption{"lbl_media", "KM4", "多媒体命令"},
    Caption{"lbl_ie", "KM5", "上网命令"},
    Caption{"lbl_win8", "KM6", "Windows8命令"},
    Caption{"lbl_os", "KM7", "操作系统命令"},
    Caption{"lbl_other", "KM8", "其它命令"},
    Caption{"lbl_mode", "KM9", "模式切换"},
    Caption{"lbl_keyoff", "KM10", "按键关"},
    // Mouse buttons. The design's second row (lbl_msekey_mid, bit 4) reads
    // "右键" and its third (lbl_msekey_right, bit 2) "中键"; KBK2 sets the
    // third row and KBK3 the second.
    Caption{"lbl_msekey_left", "KBK1", "左键"},
    Caption{"lbl_msekey_right", "KBK2", "中键"},
    Caption{"lbl_msekey_mid", "KBK3", "右键"},
    Caption{"lbl_msekey_back", "KBK4", "下翻页"},
    Caption{"lbl_msekey_forward", "KBK5", "上翻页"},
    Caption{"lbl_msekey_ltilt", "KBK6", "左摆"},
    Caption{"lbl_msekey_rtilt", "KBK7", "右摆"},
    // Gaming.
    Caption{"lbl_gaming_double", "KG1", "Double Left Click"},
    Caption{"lbl_gaming_three", "KG2", "左键三连发"},
    Caption{"lbl_gaming_four", "KG3", "左键四连发"},
    Caption{"lbl_gaming_five", "KG4", "左键五连发"},
    Caption{"lbl_gaming_kbd_maro", "KG5", "宏定义"},
    // Office.
    Caption{"lbl_office_copy", "KOF1", "Copy"},
    Caption{"lbl_office_paste", "KOF2", "Paste"},
    Caption{"lbl_office_cut", "KOF3", "Cut"},
    Caption{"lbl_office_all", "KOF4", "Select All"},
    Caption{"lbl_office_find", "KOF5", "Find"},
    Caption{"lbl_office_new", "KOF6", "New"},
    Caption{"lbl_office_print", "KOF7", "Print"},
    Caption{"lbl_office_save", "KOF8", "Save"},
    Caption{"lbl_office_email", "KOF9", "E-mail"},
    // Media. KA4 sets the fifth row and KA5 the fourth.
    Caption{"lbl_media_player", "KA1", "Player"},
    Caption{"lbl_media_playpause", "KA2", "Play/Pause"},
    Caption{"lbl_media_stop", "KA3", "Stop"},
    Caption{"lbl_media_voli", "KA4", "Volume - "},
    Caption{"lbl_media_vold", "KA5", "Volume + "},
    Caption{"lbl_media_previous", "KA6", "Previous Track"},
    Caption{"lbl_media_next", "KA7", "Next Track  "},
    Caption{"lbl_media_mute", "KA8", "Mute"},
    // Browser.
    Caption{"lbl_ie_home", "KIE1", "WWW Home"},
    Caption{"lbl_ie_search", "KIE2", "WWW Search"},
    Caption{"lbl_ie_back", "KIE3", "WWW Back"},
    Caption{"lbl_ie_forward", "KIE4", "WWW Forward"},
    Caption{"lbl_ie_stop", "KIE5", "WWW Stop"},
    Caption{"lbl_ie_refresh", "KIE6", "WWW Refresh"},
    Caption{"lbl_ie_favorites", "KIE7", "WWW Favorites"},
    // Windows 8.
    Caption{"lbl_win8_search", "KW81", "Search"},
    Caption{"lbl_win8_share", "KW82", "Share"},
    Caption{"lbl_win8_device", "KW83", "Device"},
    Caption{"lbl_win8_setting", "KW84", "Install"},
    Caption{"lbl_win8_return", "KW85", "程式窗返回"},
    Caption{"lbl_win8_bill", "KW86", "程式窗清单浏览"},
    Caption{"lbl_win8_partition", "KW87", "分割页面"},
    Caption{"lbl_win8_app", "KW88", "应用程式功能表"},
    // Operating system.
    Caption{"lbl_os_switch", "KOS1", "Switch Win"},
    Caption{"lbl_os_close", "KOS2", "Close Win"},
    Caption{"lbl_os_explorer", "KOS3", "Explorer"},
    Caption{"lbl_os_run", "KOS4", "Run"},
    Caption{"lbl_os_desktop", "KOS5", "Desktop"},
    Caption{"lbl_os_lock", "KOS6", "Lock PC"},
    Caption{"lbl_os_win", "KOS7", "Windows"},
    // Other.
    Caption{"lbl_other_dpid", "KOT1", "DPI+"},
    Caption{"lbl_other_dpii", "KOT2", "DPI-"},
    Caption{"lbl_other_dpi", "KOT3", "DPI"},
    Caption{"lbl_other_breath", "KOT4", "Breathe LED Switch"},
    // The system page; after each check box's text comes its option's state.
    Caption{"lbl_msespeed", "MS1", "鼠标指针移动速度"},
    Caption{"cb_msespeed", "MS2", "提高指针精度", K::CheckBoxText},
    Caption{"lbl_mse1", "Mse1", "", K::OptionState},
    Caption{"lbl_msewheel", "MWS1", "滚轮纵向速度"},
    Caption{"cb_msewheel", "MWS2", "一次滚动一个屏幕", K::CheckBoxText},
    Caption{"lbl_mse2", "Mse2", "", K::OptionState},
    Caption{"lbl_msedbspeed", "MDS", "鼠标双击速度选项"},
    // The sensitivity page.
    Caption{"lbl_XY", "XY", "灵敏度选项"},
    Caption{"lbl_report", "RR", "报告率设置"},
    Caption{"lbl_125hz", "RRV1", "125Hz"},
    Caption{"lbl_250hz", "RRV2", "250Hz"},
    Caption{"lbl_500hz", "RRV3", "500Hz"},
    Caption{"lbl_1000hz", "RRV4", "1000Hz"},
    Caption{"lbl_dpi", "DPI", "DPI选项"},
    Caption{"lbl_level1", "DPI1", "设置1"},
    Caption{"lbl_level2", "DPI2", "设置2"},
    Caption{"lbl_level3", "DPI3", "设置3"},
    Caption{"lbl_level4", "DPI4", "设置4"},
    Caption{"lbl_sensordegree", "SD", "Sensor Degree"},
    Caption{"lbl_sensordegree1", "SD1", "0°"},
    Caption{"lbl_sensordegree2", "SD2", "90°"},
    Caption{"lbl_sensordegree3", "SD3", "180°"},
    Caption{"lbl_sensordegree4", "SD4", "270°"},
    // The macro page.
    Caption{"lbl_macro", "Macro1", "录制选项"},
    Caption{"lbl_name", "Macro2", "宏定义名称"},
    Caption{"lbl_configure", "Macro3", "按键顺序"},
    Caption{"lbl_new", "Macro4", "新建"},
    Caption{"lbl_REC", "Macro5", "开始录制"},
    Caption{"lbl_save", "Macro6", "确定"},
    Caption{"lbl_delete", "Macro7", "删除"},
    Caption{"lbl_delay", "Macro8", "加延迟时间"},
    Caption{"lbl_list", "Macro9", "选择宏"},
    Caption{"lbl_MseLeft", "Macro11", "录制鼠标左键"},
    Caption{"lbl_MseRight", "Macro12", "录制鼠标右键"},
    Caption{"lbl_MseMid", "Macro13", "录制鼠标中键"},
    Caption{"lbl_delkey", "Macro19", "删除录制单键"},
    Caption{"lbl_delay_d", "Macro14", "减延迟时间"},
    Caption{"lbl_cycle_max", "Macro15", "无限循环"},
    Caption{"lbl_cycle", "Macro16", "循环次数(1-9次)"},
    Caption{"lbl_load", "Macro17", "载入"},
    Caption{"lbl_cancle", "Macro18", "取消"},
    // The lighting page.
    Caption{"lbl_LEDSwitch", "Swt1", "灯光效果开关"},
    Caption{"lbl_LEDOpen", "Swt2", "开启"},
    Caption{"lbl_LEDClose", "Swt3", "关闭"},
    Caption{"lbl_LEDBre", "Bre1", "灯效类型频率"},
    Caption{"lbl_LEDBre1", "Bre2", "高"},
    Caption{"lbl_LEDBre2", "Bre3", "中"},
    Caption{"lbl_LEDBre3", "Bre4", "低"},
    Caption{"lbl_LEDBre4", "Bre5", "快速"},
    Caption{"lbl_LEDBre5", "Bre6", "中速"},
    Caption{"lbl_LEDBre6", "Bre7", "慢速"},
    Caption{"lbl_LEDcolor", "Col1", "灯光颜色选择"},
    Caption{"lbl_LEDcolor1", "Col2", "红色"},
    Caption{"lbl_LEDcolor2", "Col3", "黄色"},
    Caption{"lbl_LEDcolor3", "Col4", "绿色"},
    Caption{"lbl_LEDcolor4", "Col5", "青色"},
    Caption{"lbl_LEDcolor5", "Col6", "蓝色"},
    Caption{"lbl_LEDcolor6", "Col7", "紫色"},
    Caption{"lbl_LEDcolor7", "Col8", "白色"},
    Caption{"lbl_LEDcolor8", "Col9", "循环"},
    Caption{"lbl_Motor", "Mot1", "震动效果开关"},
    Caption{"lbl_Motor1", "Mot2", "开启"},
    Caption{"lbl_Motor2", "Mot3", "关闭"},
    Caption{"lbl_Motor3", "Mot4", "强"},
    Caption{"lbl_Motor4", "Mot5", "弱"},
    // The version label (outside the window) and the mode names.
    Caption{"lbl_version", "Ver", ""},
    Caption{"MouseMode", "Mode1", "设置模式1", K::ModeName},
    Caption{"Win8Mode", "Mode2", "设置模式2", K::ModeName},
    Caption{"GameMode", "Mode3", "设置模式3", K::ModeName},
    Caption{"MediaMode", "Mode4", "设置模式4", K::ModeName},
    Caption{"OfficeMode", "Mode5", "设置模式5", K::ModeName},
    // The commands and the mode menu.
    Caption{"SaveConf", "MenuConf", "保 存"},
    Caption{"MenuName", "MenuName", "Save As Name", K::MenuItem},
    Caption{"DefaultSetting", "Default", "恢复出厂值"},
    Caption{"Btn_Exit", "Exit", "退 出"},
    Caption{"Apply", "Apply", "确 定"},
};
static_assert(kMainWindow.size() == 158);

// The visible labels of the two pointer options show their check box's text
// (MS2, MWS2), which the design leaves on hidden check boxes only; three more
// labels get keys of our own. The leading spaces leave room for the mark.
constexpr std::array kMainWindowExtra{
    Caption{"lbl_mse1", "MS2", "      提高指针精度"},
    Caption{"lbl_mse2", "MWS2", "      一次滚动一个屏幕"},
    Caption{"lbl_XY_1", "XY1", "      XY同步"},
    Caption{"lbl_msewheel_X", "MWS3", "滚轮横向速度"},
    Caption{"lbl_Time", "Macro20", "修改延迟时间"},
    Caption{"lbl_ms", "", "ms"},
    Caption{"TntLabel13", "", "GAMING MECHANICAL MOUSE V1.0"},
};

constexpr std::array kForm2{
    Caption{"lbl_title", "Form2_T", "Macro Select"},
    Caption{"lbl_ok", "Form2_O", "OK"},
    Caption{"lbl_cancel", "Form2_C", "Cancel"},
};
constexpr std::array kForm3{
    Caption{"lbl_title", "Form3_T", "Configure New Name"},
    Caption{"lbl_ok", "Form3_O", "OK"},
    Caption{"lbl_cancel", "Form3_C", "Cancel"},
};
// The warning and the macro name dialog take their buttons' texts from the
// keys of the macro assignment dialog.
constexpr std::array kForm5{
    Caption{"lbl_title", "Form5_T", "Please Keep One 'Left Key'!"},
    Caption{"lbl_ok", "Form2_O", "OK"},
};
constexpr std::array kForm6{
    Caption{"lbl_title", "Form6_T", "Macro Name"},
    Caption{"lbl_ok", "Form2_O", "OK"},
    Caption{"lbl_cancel", "Form2_C", "Cancel"},
};

constexpr std::array kMessages{
    Caption{message::kRecordStop, "Macro10", "停止录制", K::Message},
    Caption{message::kApplyNoMouse, "MsgNoMouse",
            "The mouse was not written: no mouse is connected.", K::Message},
    Caption{message::kApplyFailed, "MsgWriteFailed",
            "The mouse was not fully written: writing %s failed.", K::Message},
    Caption{message::kApplyUnplugged, "MsgUnplugged",
            "The mouse was not fully written: it was disconnected before %s.", K::Message},
    Caption{message::kApplyStepMode, "MsgMode", "mode %d", K::Message},
    Caption{message::kApplyStepMacro, "MsgMacro", "macro %d", K::Message},
    Caption{message::kMacroNameEmpty, "MsgNameEmpty", "Macro Name Empty", K::Message},
    Caption{message::kMacroNameExists, "MsgNameExists", "A macro with this name already exists.",
            K::Message},
    Caption{message::kMacroNameRefused, "MsgNameRefused", kMacroNameRefusedText, K::Message},
};

const Caption* find(std::span<const Caption> list, std::string_view control) {
  const auto it = std::find_if(list.begin(), list.end(), [control](const Caption& c) {
    return c.control == control && c.kind != CaptionKind::OptionState;
  });
  return it == list.end() ? nullptr : &*it;
}

}  // namespace

std::span<const Caption> mainWindowTexts() {
  return kMainWindow;
}

std::span<const Caption> mainWindowExtraTexts() {
  return kMainWindowExtra;
}

std::span<const Caption> dialogTexts(std::string_view form) {
  if (form == "TForm2") return kForm2;
  if (form == "TForm3") return kForm3;
  if (form == "TForm5") return kForm5;
  if (form == "TForm6") return kForm6;
  return {};
}

std::span<const Caption> messageTexts() {
  return kMessages;
}

const Caption* findCaption(std::string_view control) {
  for (std::span<const Caption> list :
       {std::span<const Caption>(kMainWindow), std::span<const Caption>(kMainWindowExtra),
        std::span<const Caption>(kMessages)}) {
    if (const Caption* c = find(list, control)) return c;
  }
  return nullptr;
}

std::string_view builtInCaption(std::string_view control) {
  const Caption* c = findCaption(control);
  return c == nullptr ? std::string_view{} : c->builtIn;
}

}  // namespace kestrovane
