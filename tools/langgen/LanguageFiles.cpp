#include "tools/langgen/LanguageFiles.h"

#include <algorithm>
#include <array>
#include <set>
#include <stdexcept>
#include <string_view>

#include "base/AppPaths.h"
#include "config/CaptionTable.h"
#include "config/Language.h"
#include "tools/common/StrictEncoder.h"

namespace kestrovane::langgen {
namespace {

// One key's text in each language (UTF-8 here). Texts stay short: the tabs
// are 69 to 78 pixels wide, the menu rows 123 to 153, the macro buttons 63
// and 91 pixels at 12 pixels, the option labels 62 pixels at 13.
struct LanguageText {
  std::string_view key;
  std::string_view chs;
  std::string_view cht;  // the terms used in Taiwan
  std::string_view enu;
};

constexpr std::array kTexts{
    // The tabs.
    LanguageText{"T2", "按键设置", "按鍵設定", "Buttons"},
    LanguageText{"T3", "宏管理", "巨集管理", "Macros"},
    LanguageText{"T4", "灵敏度设置", "靈敏度設定", "Sensitivity"},
    LanguageText{"T5", "灯光设置", "燈光設定", "Lighting"},
    LanguageText{"T6", "系统设置", "系統設定", "System"},
    // The twelve buttons' default names.
    LanguageText{"K1", "左键", "左鍵", "Left Button"},
    LanguageText{"K2", "右键", "右鍵", "Right Button"},
    LanguageText{"K3", "中键", "中鍵", "Middle Button"},
    LanguageText{"K4", "后退", "上一頁", "Back"},
    LanguageText{"K5", "前进", "下一頁", "Forward"},
    LanguageText{"K6", "DPI", "DPI", "DPI"},
    LanguageText{"K7", "双击", "連按兩下", "Double Click"},
    LanguageText{"K8", "浏览器", "瀏覽器", "Browser"},
    LanguageText{"K9", "开始菜单", "開始功能表", "Start Menu"},
    LanguageText{"K10", "模式切换", "模式切換", "Mode Switch"},
    LanguageText{"K11", "左摆", "滾輪左傾", "Tilt Left"},
    LanguageText{"K12", "右摆", "滾輪右傾", "Tilt Right"},
    // The function menu.
    LanguageText{"KM1", "鼠标按键", "滑鼠按鍵", "Mouse Buttons"},
    LanguageText{"KM2", "游戏功能", "遊戲功能", "Gaming"},
    LanguageText{"KM3", "办公命令", "辦公功能", "Office"},
    LanguageText{"KM4", "多媒体", "多媒體", "Multimedia"},
    LanguageText{"KM5", "网页浏览", "網頁瀏覽", "Browser"},
    LanguageText{"KM6", "Windows 8", "Windows 8", "Windows 8"},
    LanguageText{"KM7", "操作系统", "作業系統", "System"},
    LanguageText{"KM8", "其他功能", "其他功能", "Other"},
    LanguageText{"KM9", "模式切换", "模式切換", "Mode Switch"},
    LanguageText{"KM10", "关闭按键", "停用按鍵", "Disable"},
    // Mouse buttons, named after the button each row writes: KBK2 sets the
    // row of button 2 (right), KBK3 the row of button 3 (middle).
    LanguageText{"KBK1", "左键", "左鍵", "Left Button"},
    LanguageText{"KBK2", "右键", "右鍵", "Right Button"},
    LanguageText{"KBK3", "中键", "中鍵", "Middle Button"},
    LanguageText{"KBK4", "后退", "上一頁", "Back"},
    LanguageText{"KBK5", "前进", "下一頁", "Forward"},
    LanguageText{"KBK6", "左摆", "滾輪左傾", "Tilt Left"},
    LanguageText{"KBK7", "右摆", "滾輪右傾", "Tilt Right"},
    // Left-button bursts and the macro.
    LanguageText{"KG1", "左键双击", "左鍵雙擊", "Left Click x2"},
    LanguageText{"KG2", "左键三连发", "左鍵三連發", "Left Click x3"},
    LanguageText{"KG3", "左键四连发", "左鍵四連發", "Left Click x4"},
    LanguageText{"KG4", "左键五连发", "左鍵五連發", "Left Click x5"},
    LanguageText{"KG5", "宏", "巨集", "Macro"},
    // Office shortcuts.
    LanguageText{"KOF1", "复制", "複製", "Copy"},
    LanguageText{"KOF2", "粘贴", "貼上", "Paste"},
    LanguageText{"KOF3", "剪切", "剪下", "Cut"},
    LanguageText{"KOF4", "全选", "全選", "Select All"},
    LanguageText{"KOF5", "查找", "尋找", "Find"},
    LanguageText{"KOF6", "新建", "開新檔案", "New"},
    LanguageText{"KOF7", "打印", "列印", "Print"},
    LanguageText{"KOF8", "保存", "儲存", "Save"},
    LanguageText{"KOF9", "电子邮件", "電子郵件", "E-mail"},
    // Media: KA4 sets the row that turns the volume down, KA5 the one that
    // turns it up.
    LanguageText{"KA1", "媒体播放器", "媒體播放器", "Media Player"},
    LanguageText{"KA2", "播放/暂停", "播放/暫停", "Play/Pause"},
    LanguageText{"KA3", "停止", "停止", "Stop"},
    LanguageText{"KA4", "音量减", "音量降低", "Volume Down"},
    LanguageText{"KA5", "音量加", "音量提高", "Volume Up"},
    LanguageText{"KA6", "上一曲", "上一首", "Previous Track"},
    LanguageText{"KA7", "下一曲", "下一首", "Next Track"},
    LanguageText{"KA8", "静音", "靜音", "Mute"},
    // Browser.
    LanguageText{"KIE1", "主页", "首頁", "Web Home"},
    LanguageText{"KIE2", "搜索", "搜尋", "Web Search"},
    LanguageText{"KIE3", "网页后退", "網頁上一頁", "Web Back"},
    LanguageText{"KIE4", "网页前进", "網頁下一頁", "Web Forward"},
    LanguageText{"KIE5", "停止加载", "停止載入", "Web Stop"},
    LanguageText{"KIE6", "刷新", "重新整理", "Web Refresh"},
    LanguageText{"KIE7", "收藏夹", "我的最愛", "Favorites"},
    // Windows 8: the charms (Win+Q, H, K, I), the last app, the app
    // switcher, snapping and the app bar.
    LanguageText{"KW81", "搜索", "搜尋", "Search"},
    LanguageText{"KW82", "共享", "分享", "Share"},
    LanguageText{"KW83", "设备", "裝置", "Devices"},
    LanguageText{"KW84", "设置", "設定", "Settings"},
    LanguageText{"KW85", "返回应用", "返回程式", "Last App"},
    LanguageText{"KW86", "应用列表", "程式清單", "App List"},
    LanguageText{"KW87", "分屏显示", "分割畫面", "Snap App"},
    LanguageText{"KW88", "应用栏", "應用程式列", "App Bar"},
    // Operating system.
    LanguageText{"KOS1", "切换窗口", "切換視窗", "Switch Window"},
    LanguageText{"KOS2", "关闭窗口", "關閉視窗", "Close Window"},
    LanguageText{"KOS3", "资源管理器", "檔案總管", "Explorer"},
    LanguageText{"KOS4", "运行", "執行", "Run"},
    LanguageText{"KOS5", "显示桌面", "顯示桌面", "Show Desktop"},
    LanguageText{"KOS6", "锁定电脑", "鎖定電腦", "Lock PC"},
    LanguageText{"KOS7", "Windows键", "Windows鍵", "Windows Key"},
    // Other.
    LanguageText{"KOT1", "DPI+", "DPI+", "DPI+"},
    LanguageText{"KOT2", "DPI-", "DPI-", "DPI-"},
    LanguageText{"KOT3", "DPI循环", "DPI循環", "DPI Cycle"},
    LanguageText{"KOT4", "灯光开关", "燈光開關", "LED On/Off"},
    // The system page.
    LanguageText{"MS1", "鼠标指针移动速度", "滑鼠指標移動速度", "Pointer Speed"},
    LanguageText{"MS2", "提高指针精度", "增強指標精確度", "Enhance Precision"},
    LanguageText{"MWS1", "滚轮纵向速度", "滾輪垂直捲動速度", "Vertical Scrolling"},
    LanguageText{"MWS2", "一次滚动一个屏幕", "一次捲動一個畫面", "Scroll One Screen"},
    LanguageText{"MDS", "鼠标双击速度", "滑鼠連按兩下速度", "Double-Click Speed"},
    // The sensitivity page.
    LanguageText{"XY", "灵敏度选项", "靈敏度選項", "Sensitivity"},
    LanguageText{"RR", "报告率设置", "回報率設定", "Report Rate"},
    LanguageText{"RRV1", "125Hz", "125Hz", "125Hz"},
    LanguageText{"RRV2", "250Hz", "250Hz", "250Hz"},
    LanguageText{"RRV3", "500Hz", "500Hz", "500Hz"},
    LanguageText{"RRV4", "1000Hz", "1000Hz", "1000Hz"},
    LanguageText{"DPI", "DPI选项", "DPI選項", "DPI Levels"},
    LanguageText{"DPI1", "档位1", "段位1", "Level 1"},
    LanguageText{"DPI2", "档位2", "段位2", "Level 2"},
    LanguageText{"DPI3", "档位3", "段位3", "Level 3"},
    LanguageText{"DPI4", "档位4", "段位4", "Level 4"},
    LanguageText{"SD", "传感器角度", "感應器角度", "Sensor Angle"},
    LanguageText{"SD1", "0°", "0°", "0"},
    LanguageText{"SD2", "90°", "90°", "90"},
    LanguageText{"SD3", "180°", "180°", "180"},
    LanguageText{"SD4", "270°", "270°", "270"},
    // The macro page.
    LanguageText{"Macro1", "录制选项", "錄製選項", "Recording"},
    LanguageText{"Macro2", "宏名称", "巨集名稱", "Macro Name"},
    LanguageText{"Macro3", "按键顺序", "按鍵順序", "Key Sequence"},
    LanguageText{"Macro4", "新建", "新增", "New"},
    LanguageText{"Macro5", "开始录制", "開始錄製", "Start Rec"},
    LanguageText{"Macro6", "确定", "確定", "OK"},
    LanguageText{"Macro7", "删除", "刪除", "Delete"},
    LanguageText{"Macro8", "增加延迟", "增加延遲", "Delay +"},
    LanguageText{"Macro9", "选择宏", "選擇巨集", "Select"},
    LanguageText{"Macro11", "录制左键", "錄製左鍵", "Rec Left Click"},
    LanguageText{"Macro12", "录制右键", "錄製右鍵", "Rec Right Click"},
    LanguageText{"Macro13", "录制中键", "錄製中鍵", "Rec Mid Click"},
    LanguageText{"Macro19", "删除单键", "刪除單鍵", "Delete Key"},
    LanguageText{"Macro14", "减少延迟", "減少延遲", "Delay -"},
    LanguageText{"Macro15", "无限循环", "無限循環", "Loop Forever"},
    LanguageText{"Macro16", "循环次数(1-9次)", "循環次數(1-9次)", "Loop Count (1-9)"},
    LanguageText{"Macro17", "载入", "載入", "Load"},
    LanguageText{"Macro18", "取消", "取消", "Cancel"},
    // The lighting page.
    LanguageText{"Swt1", "灯光开关", "燈光開關", "LED Lighting"},
    LanguageText{"Swt2", "开启", "開啟", "On"},
    LanguageText{"Swt3", "关闭", "關閉", "Off"},
    LanguageText{"Bre1", "灯效强度与频率", "燈效強度與頻率", "Level and Speed"},
    LanguageText{"Bre2", "高", "高", "High"},
    LanguageText{"Bre3", "中", "中", "Medium"},
    LanguageText{"Bre4", "低", "低", "Low"},
    LanguageText{"Bre5", "快速", "快速", "Fast"},
    LanguageText{"Bre6", "中速", "中速", "Medium"},
    LanguageText{"Bre7", "慢速", "慢速", "Slow"},
    LanguageText{"Col1", "灯光颜色", "燈光顏色", "LED Color"},
    LanguageText{"Col2", "红色", "紅色", "Red"},
    LanguageText{"Col3", "黄色", "黃色", "Yellow"},
    LanguageText{"Col4", "绿色", "綠色", "Green"},
    LanguageText{"Col5", "青色", "青色", "Cyan"},
    LanguageText{"Col6", "蓝色", "藍色", "Blue"},
    LanguageText{"Col7", "紫色", "紫色", "Purple"},
    LanguageText{"Col8", "白色", "白色", "White"},
    LanguageText{"Col9", "循环", "循環", "Cycle"},
    LanguageText{"Mot1", "震动开关", "震動開關", "Vibration"},
    LanguageText{"Mot2", "开启", "開啟", "On"},
    LanguageText{"Mot3", "关闭", "關閉", "Off"},
    LanguageText{"Mot4", "强", "強", "Strong"},
    LanguageText{"Mot5", "弱", "弱", "Weak"},
    // What stands before " Ver-" and the firmware version number.
    LanguageText{"Ver", "固件版本", "韌體版本", "Firmware"},
    // The modes' default names.
    LanguageText{"Mode1", "设置模式1", "設定模式1", "Mode 1"},
    LanguageText{"Mode2", "设置模式2", "設定模式2", "Mode 2"},
    LanguageText{"Mode3", "设置模式3", "設定模式3", "Mode 3"},
    LanguageText{"Mode4", "设置模式4", "設定模式4", "Mode 4"},
    LanguageText{"Mode5", "设置模式5", "設定模式5", "Mode 5"},
    // The commands (20 pixels high: 60 to 68 pixels wide, the reset 126)
    // and the mode menu's rename item.
    LanguageText{"MenuConf", "保 存", "儲 存", "Save"},
    LanguageText{"MenuName", "重命名", "重新命名", "Rename"},
    LanguageText{"Default", "恢复出厂值", "恢復原廠設定", "Factory Reset"},
    LanguageText{"Exit", "退 出", "離 開", "Exit"},
    LanguageText{"Apply", "确 定", "套 用", "Apply"},
    // The window's labels of our own.
    LanguageText{"XY1", "XY同步", "XY同步", "XY Sync"},
    LanguageText{"MWS3", "滚轮横向速度", "滾輪水平捲動速度", "Horizontal Scrolling"},
    LanguageText{"Macro20", "修改延迟", "修改延遲", "Set Delay"},
    // The dialogs; Form2_O and Form2_C serve the three dialogs with buttons.
    LanguageText{"Form2_T", "选择宏", "選擇巨集", "Select Macro"},
    LanguageText{"Form2_O", "确定", "確定", "OK"},
    LanguageText{"Form2_C", "取消", "取消", "Cancel"},
    LanguageText{"Form3_T", "设置新名称", "設定新名稱", "New Name"},
    LanguageText{"Form3_O", "确定", "確定", "OK"},
    LanguageText{"Form3_C", "取消", "取消", "Cancel"},
    LanguageText{"Form5_T", "请保留一个左键！", "請保留一個左鍵！", "Keep One Left Button!"},
    LanguageText{"Form6_T", "宏名称", "巨集名稱", "Macro Name"},
    // The record command's stop text and the program's messages.
    LanguageText{"Macro10", "停止录制", "停止錄製", "Stop Rec"},
    LanguageText{"MsgNoMouse", "鼠标未写入：没有连接鼠标。", "滑鼠未寫入：沒有連接滑鼠。",
                 "The mouse was not written: no mouse is connected."},
    LanguageText{"MsgWriteFailed", "鼠标未完全写入：写入%s失败。", "滑鼠未完全寫入：寫入%s失敗。",
                 "The mouse was not fully written: writing %s failed."},
    LanguageText{"MsgUnplugged", "鼠标未完全写入：写入%s之前鼠标已断开。",
                 "滑鼠未完全寫入：寫入%s之前滑鼠已中斷連線。",
                 "The mouse was not fully written: it was disconnected before %s."},
    LanguageText{"MsgMode", "模式%d", "模式%d", "mode %d"},
    LanguageText{"MsgMacro", "宏%d", "巨集%d", "macro %d"},
    LanguageText{"MsgNameEmpty", "请输入宏名称。", "請輸入巨集名稱。",
                 "Please enter a macro name."},
    LanguageText{"MsgNameExists", "已有同名的宏。", "已有相同名稱的巨集。",
                 "A macro with this name already exists."},
    LanguageText{"MsgNameRefused",
                 "宏名称不能包含 \\ / : * ? \" < > | 或控制字符，不能以点或空格结尾，"
                 "也不能是设备名。",
                 "巨集名稱不可包含 \\ / : * ? \" < > | 或控制字元，不可以句點或空格結尾，"
                 "也不可為裝置名稱。",
                 "A macro name cannot contain \\ / : * ? \" < > | or control characters, cannot "
                 "end in a dot or a space and cannot be a device name."},
};

// The keys in the order of the file: the main window's 158 in reading order,
// its extra keys, the dialogs' keys, the messages'; each once. The option
// states are marked.
struct FileKey {
  std::string_view key;
  const Caption* caption;
};

std::vector<FileKey> fileKeys() {
  std::vector<FileKey> keys;
  std::set<std::string_view> seen;
  const auto add = [&](std::span<const Caption> list) {
    for (const Caption& c : list)
      if (!c.key.empty() && seen.insert(c.key).second) keys.push_back({c.key, &c});
  };
  add(mainWindowTexts());
  add(mainWindowExtraTexts());
  for (std::string_view form : {"TForm2", "TForm3", "TForm5", "TForm6"}) add(dialogTexts(form));
  add(messageTexts());
  return keys;
}

const LanguageText& textOf(std::string_view key) {
  const auto it = std::find_if(kTexts.begin(), kTexts.end(),
                               [key](const LanguageText& t) { return t.key == key; });
  if (it == kTexts.end()) throw std::runtime_error("no text for the key " + std::string(key));
  return *it;
}

std::size_t count(std::string_view text, std::string_view part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string_view::npos;
       at = text.find(part, at + part.size()))
    ++n;
  return n;
}

// A text the program formats keeps the built-in's placeholders; no text is
// empty, spans lines or starts or ends with a blank (the reader drops those).
void check(std::string_view key, std::string_view text, std::string_view builtIn) {
  const auto fail = [key, text](const std::string& why) {
    throw std::runtime_error("the text \"" + std::string(text) + "\" of " + std::string(key) + " " +
                             why);
  };
  if (text.empty()) fail("is empty");
  if (text.find_first_of("\r\n") != std::string_view::npos) fail("spans lines");
  if (text.front() == ' ' || text.back() == ' ') fail("starts or ends with a blank");
  for (std::string_view placeholder : {"%s", "%d"})
    if (count(text, placeholder) != count(builtIn, placeholder))
      fail("does not have the placeholders of \"" + std::string(builtIn) + "\"");
}

struct FileLanguage {
  Language code;
  const char* encoding;  // iconv's name
  std::string_view LanguageText::*text;
};

constexpr std::array kFileLanguages{
    FileLanguage{Language::CHS, "CP936", &LanguageText::chs},
    FileLanguage{Language::CHT, "CP950", &LanguageText::cht},
    FileLanguage{Language::ENU, "ASCII", &LanguageText::enu},
};

}  // namespace

std::vector<GeneratedFile> languageFiles() {
  const std::vector<FileKey> keys = fileKeys();
  for (const LanguageText& t : kTexts)
    if (std::none_of(keys.begin(), keys.end(), [&t](const FileKey& k) { return k.key == t.key; }))
      throw std::runtime_error("the program reads no key " + std::string(t.key));

  AppPaths paths;
  paths.languageDir = "Language";
  std::vector<GeneratedFile> files;
  for (const FileLanguage& language : kFileLanguages) {
    const std::optional<LanguageFileRef> ref = LanguageFile(language.code, paths);
    if (!ref) throw std::runtime_error("no language file for a language");
    const StrictEncoder encode(language.encoding);
    std::string bytes = "[" + encode(ref->section) + "]\r\n";
    for (const FileKey& k : keys) {
      std::string_view text = "0";  // the option states start off
      if (k.caption->kind != CaptionKind::OptionState) {
        text = textOf(k.key).*language.text;
        check(k.key, text, k.caption->builtIn);
      }
      bytes += encode(k.key) + "=" + encode(text) + "\r\n";
    }
    std::string path = ref->path;
    std::replace(path.begin(), path.end(), kPathSeparator, '/');
    files.push_back({std::move(path), std::move(bytes)});
  }
  return files;
}

}  // namespace kestrovane::langgen
