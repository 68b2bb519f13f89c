#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "config/AppPaths.h"
#include "config/KeyFunction.h"
#include "config/ModeImages.h"
#include "device/Clock.h"
#include "device/DeviceControls.h"
#include "config/SelectionGroup.h"
#include "ui/SuiFileTheme.h"

class QAction;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QSlider;

namespace kestrovane {

class ImageControl;
class LabelControl;
class PanelControl;
class WindowDrag;

// The main window's caption: a later copy of the program finds the running
// one by it, so it is never decorated with anything else.
inline constexpr char kMainWindowCaption[] = "KestrovaneDriver(L1) v1.0";
// The application title ("gaming mouse driver"), UTF-8.
inline constexpr char kApplicationTitle[] = "Quillmar游戏鼠驱动";

inline constexpr int kFormWidth = 901;
inline constexpr int kFormHeight = 681;
inline constexpr Clock::Duration kDetectionInterval{2500};

// The main window: header, five tabs, one content page at a time, the
// function menu of the button page and the four commands. The constructor
// builds every control at its design place (the window's design); FormCreate
// runs the start-up sequence. Controls carry the design's names, both as
// members and as object names (findChild<LabelControl*>("lbl_office_copy")).
// The device-dependent controls start disabled.
class TForm1 : public QWidget, public DeviceControls {
  Q_OBJECT

 public:
  // The operations of other Parts that this window calls. Each does nothing
  // until it is bound; the lead binds them after creating the window and
  // before FormCreate.
  struct Seams {
    // Start-up, in the order FormCreate calls them.
    std::function<void()> fillDeviceIdTable;    // step 6: the mouse identities
    std::function<void()> chooseLanguage;       // step 9
    std::function<void()> loadMainTexts;        // step 10
    std::function<void()> readGeneralSettings;  // step 11: GM.ini (marks the mode, no load)
    std::function<void()> loadCurrentMode;      // step 16
    // Step 19: ListMacroNames(macroDir) into the editor's sorted name list,
    // then RefreshMacroList (which sets macroCount and enables lbl_new).
    std::function<void()> loadMacroList;
    // The 2.5 s tick of the detection timer DetectHIDDeviceCounter.
    std::function<void()> detectHidDeviceCounterTimer;
    // FormCloseQuery: writes GM.ini.
    std::function<void()> writeGeneralSettings;
    // The commands: Apply, SaveConf, DefaultSetting (and the heading).
    std::function<void()> applyClick;
    std::function<void()> saveCurrentMode;
    std::function<void()> factoryReset;
    // The buttons of page_Device.
    std::function<void(int mode)> writeMode;    // btnWriteMode1..5
    std::function<void(int mode)> readMode;     // btnReadMode1..5
    std::function<void(int macro)> writeMacro;  // TntButton1..10
    std::function<void()> getFirmwareVersion;   // btnGetFWVersion
    std::function<void()> changeRegPro1;        // btnChangeRegPro1
    std::function<void()> changeRegPro2;        // btnChangeRegPro2
    // DeviceControls::ShowLoadingWindow: shows TForm4.
    std::function<void()> showLoadingWindow;
    // lbl_gaming_kbd_maroClick ("宏定义"): shows the macro assignment dialog
    // TForm2 modally; its OK calls AssignKeyFunction(9, position, 0, name).
    std::function<void()> showMacroAssignDialog;
    // Where start-up takes its folders from; by default the process's current
    // directory and the executable's folder.
    std::function<std::string()> currentDirectory;
    std::function<std::string()> executableDirectory;
  };

  explicit TForm1(Clock& clock, QWidget* parent = nullptr);
  ~TForm1() override;

  Seams& seams() { return m_seams; }
  Clock& clock() { return m_clock; }
  const AppPaths& appPaths() const { return m_paths; }

  // ---- Start-up and the application shell
  void FormCreate();
  void FormActivate();
  // Writes GM.ini, lets pending events run; never vetoes the close.
  void FormCloseQuery();
  void btnMinimizeClick();
  void btnCloseClick();
  void Btn_ExitClick();
  // What a later copy of the program asks of this one.
  void RestoreAndRaise();
  // The start-up steps that belong to other Parts (each calls its seam).
  void FillDeviceIdTable();
  void ChooseLanguage();
  void LoadMainTexts();
  void ReadGeneralSettings();
  void LoadCurrentMode();
  void LoadMacroList();
  void DetectHIDDeviceCounterTimer();
  void WriteGeneralSettings();
  bool isDetectionTimerEnabled() const { return m_detectionTimer != 0; }

  // ---- The device-dependent controls (DeviceControls)
  void DisableDeviceControls() override;
  void EnableDeviceControls() override;
  void ShowFirmwareVersion(const std::string& text) override;
  void ShowLoadingWindow() override;
  // The 46 controls, in the order of their design list.
  std::vector<QWidget*> deviceDependentControls() const;

  // ---- The commands (their behaviour is bound through the seams)
  void ApplyClick();
  void SaveConfClick();
  void DefaultSettingClick();

  // ---- Tabs and pages (tab n = 1..5)
  void pnl_pageClick(int n);
  void pnl_pageMouseEnter(int n);
  void pnl_pageMouseLeave(int n);
  void ResetPageTabs();
  PanelControl* page(int n) const;  // the page tab n shows
  PanelControl* pageTab(int n) const;
  LabelControl* pageTitle(int n) const;
  ImageControl* pageTitleImage(int n) const;

  // ---- The button page
  LabelControl* key(int n) const;        // Key1..Key12
  LabelControl* keyNumber(int n) const;  // lbl_key1..lbl_key9
  PanelControl* modePanel(int n) const;  // pnl_mode1..5
  LabelControl* modeName(int n) const;   // MouseMode .. OfficeMode
  ImageControl* modeImage(int n) const;  // img_mode1..5

  // ---- The function menu (category k = 1..8 opens sub-list k)
  void HideFunctionMenus();
  void ResetKeyHighlights();
  void ClearKeySelection();
  void ResetCategoryHighlights();
  void page_MseKeysClick();
  void categoryMouseEnter(int k);  // lbl_basekeysMouseEnter .. lbl_otherMouseEnter
  void categoryMouseLeave(int k);  // lbl_basekeysMouseLeave .. lbl_otherMouseLeave
  void lbl_modeMouseEnter();
  void lbl_keyoffMouseEnter();
  void lbl_modeMouseLeave(LabelControl* row);  // rows 9 and 10
  // lbl_msekey_leftMouseEnter .. lbl_ie_favoritesMouseEnter: row 0-based.
  void subListRowMouseEnter(int k, int row);
  void lbl_msekey_leftMouseLeave(LabelControl* row);  // every sub-list row
  LabelControl* menuRow(int row) const;               // gbMenu rows 1..10
  PanelControl* subList(int k) const;
  ImageControl* subListBackground(int k) const;
  QSlider* subListIndicator(int k) const;
  LabelControl* extendMarker(int k) const;  // lbl_extend1..8
  // Any row of the menu or its sub-lists by its label name ("lbl_office_copy").
  LabelControl* menuItem(std::string_view label) const;

  // ---- The mode image and its option operations (TForm1_options.cpp).
  // Each operation writes its bytes into modeImages.workingImage and ends in
  // StoreCurrentMode (the sensor angle writes and stores nothing). They are
  // the click and change actions of their controls and may be called
  // directly to replay a mode's settings.
  void StoreCurrentMode();
  void reportRateClick(int n);  // btn_125hzClick .. btn_1000hzClick, n = 1..4
  void btn_125hzClick() { reportRateClick(1); }
  void btn_250hzClick() { reportRateClick(2); }
  void btn_500hzClick() { reportRateClick(3); }
  void btn_1000hzClick() { reportRateClick(4); }
  void btn_levelClick(int n);  // DPI level n = 1..4
  void btn_level1Click() { btn_levelClick(1); }
  void btn_level2Click() { btn_levelClick(2); }
  void btn_level3Click() { btn_levelClick(3); }
  void btn_level4Click() { btn_levelClick(4); }
  // The step of DPI level n from tb_stepN's position. The sliders call it
  // only when their position changes.
  void tb_stepChange(int n);
  void tb_step1Change() { tb_stepChange(1); }
  void tb_step2Change() { tb_stepChange(2); }
  void tb_step3Change() { tb_stepChange(3); }
  void tb_step4Change() { tb_stepChange(4); }
  void btn_sensordegreeClick(int n);  // 0°, 90°, 180°, 270° for n = 1..4
  void btn_sensordegree1Click() { btn_sensordegreeClick(1); }
  void btn_sensordegree2Click() { btn_sensordegreeClick(2); }
  void btn_sensordegree3Click() { btn_sensordegreeClick(3); }
  void btn_sensordegree4Click() { btn_sensordegreeClick(4); }
  void lbl_LEDOpenClick();
  void lbl_LEDCloseClick();
  void lbl_LEDBreClick(int n);  // n = 1..3: level "高" "中" "低"; 4..6: "快速" "中速" "慢速"
  void lbl_LEDBre1Click() { lbl_LEDBreClick(1); }
  void lbl_LEDBre2Click() { lbl_LEDBreClick(2); }
  void lbl_LEDBre3Click() { lbl_LEDBreClick(3); }
  void lbl_LEDBre4Click() { lbl_LEDBreClick(4); }
  void lbl_LEDBre5Click() { lbl_LEDBreClick(5); }
  void lbl_LEDBre6Click() { lbl_LEDBreClick(6); }
  void lbl_LEDcolorClick(int n);  // n = 1..8, "红色" .. "白色", "循环"
  void lbl_LEDcolor1Click() { lbl_LEDcolorClick(1); }
  void lbl_LEDcolor2Click() { lbl_LEDcolorClick(2); }
  void lbl_LEDcolor3Click() { lbl_LEDcolorClick(3); }
  void lbl_LEDcolor4Click() { lbl_LEDcolorClick(4); }
  void lbl_LEDcolor5Click() { lbl_LEDcolorClick(5); }
  void lbl_LEDcolor6Click() { lbl_LEDcolorClick(6); }
  void lbl_LEDcolor7Click() { lbl_LEDcolorClick(7); }
  void lbl_LEDcolor8Click() { lbl_LEDcolorClick(8); }
  void lbl_MotorClick(int n);  // n = 1..4: on, off, strong, weak
  void lbl_Motor1Click() { lbl_MotorClick(1); }
  void lbl_Motor2Click() { lbl_MotorClick(2); }
  void lbl_Motor3Click() { lbl_MotorClick(3); }
  void lbl_Motor4Click() { lbl_MotorClick(4); }
  // lbl_LEDOpenMouseEnter .. lbl_Motor4MouseLeave: the option picture of a
  // lighting or motor label; no data changes.
  void optionMouseEnter(LabelControl* label);
  void optionMouseLeave(LabelControl* label);
  void lbl_XY_1Click();

  // ---- Button assignment (TForm1_keys.cpp)
  void KeyClick(int n);  // Key1Click .. Key12Click
  // Gives the selected button the function and caption, keeps the left
  // button on one of Key1..Key3, stores the mode and closes the menu.
  void AssignKeyFunction(std::uint8_t kind, std::uint8_t arg1, std::uint8_t arg2,
                         const QString& caption);
  // The click of a function menu item: its code with its current caption.
  void functionItemClick(const FunctionItem& item);
  void lbl_modeClick();
  void lbl_keyoffClick();
  void lbl_gaming_kbd_maroClick();
  // The first selected button, 1..12; 0 when none is.
  int selectedKey() const;
  // How the left-key warning TForm5 is shown; empty (the default) shows the
  // real modal dialog.
  void setLeftKeyWarningPresenter(std::function<void()> presenter);

  // ---- Skins and shape
  void ShowSkinImage(ImageControl* control, std::string_view imageName);
  void LoadSkins();
  // Recomputes the see-through outline from what the window now draws. It
  // runs by itself (once the pending events are done) when a page or a menu
  // panel is shown or hidden, or any picture changes.
  void UpdateWindowShape();

  // ---- State of the window (names and meanings fixed by the design)
  bool iniWriteSuppressed = true;
  bool loadOnModeSelect = false;
  int macroCount = 0;
  bool mse1Flag = false;
  bool mse2Flag = false;
  bool xyFlag = false;
  bool cycleMaxFlag = false;
  bool cycleFlag = false;
  std::array<bool, kKeyCount> keySelected{};  // keySelected[n - 1]: Key n
  ModeImages modeImages;                      // workingImage and storedImages[1..5]

  // Hidden selection groups, choices rbG_1 .. rbG_n.
  SelectionGroup gb1{"ReportRate", 4};
  SelectionGroup gb2{"DPILevel", 4};
  SelectionGroup gb3{"SensorDegree", 4};
  SelectionGroup gb4{"LED Switch", 2};
  SelectionGroup gb5{"LEDBreathe", 3};
  SelectionGroup gb6{"LEDColor", 8};
  SelectionGroup gb7{"Mode", 5};
  SelectionGroup gb8{"Motor", 2};
  SelectionGroup gb9{"LEDFreq", 3};
  SelectionGroup gb10{"Motor Strong", 2};

  // The theme objects of the two track-bar families.
  SuiFileTheme suiFileTheme1;  // ZQK_A.sui: the track bars of the pages
  SuiFileTheme suiFileTheme2;  // ZQK_B.sui: the menu indicators

  // ---- Controls of the frame
  ImageControl* img_base = nullptr;
  LabelControl* TntLabel13 = nullptr;
  PanelControl* btnMinimize = nullptr;
  PanelControl* btnClose = nullptr;
  PanelControl *pnl_page1 = nullptr, *pnl_page2 = nullptr, *pnl_page3 = nullptr,
               *pnl_page4 = nullptr, *pnl_page5 = nullptr;
  LabelControl *lbl_title1 = nullptr, *lbl_title2 = nullptr, *lbl_title3 = nullptr,
               *lbl_title4 = nullptr, *lbl_title5 = nullptr;
  ImageControl *img_title1 = nullptr, *img_title2 = nullptr, *img_title3 = nullptr,
               *img_title4 = nullptr, *img_title5 = nullptr;
  PanelControl *page_MseKeys = nullptr, *page_Macro = nullptr, *page_About = nullptr,
               *page_BreathLED = nullptr, *page_MseAdv = nullptr, *page_Device = nullptr;
  ImageControl *img_page1 = nullptr, *img_page2 = nullptr, *img_page3 = nullptr,
               *img_page4 = nullptr, *img_page5 = nullptr;
  LabelControl *SaveConf = nullptr, *Apply = nullptr, *Btn_Exit = nullptr,
               *DefaultSetting = nullptr;
  LabelControl* lbl_version = nullptr;
  LabelControl* lbl_Ver = nullptr;

  // ---- page_MseKeys
  LabelControl *lbl_key1 = nullptr, *lbl_key2 = nullptr, *lbl_key3 = nullptr, *lbl_key4 = nullptr,
               *lbl_key5 = nullptr, *lbl_key6 = nullptr, *lbl_key7 = nullptr, *lbl_key8 = nullptr,
               *lbl_key9 = nullptr;
  LabelControl *Key1 = nullptr, *Key2 = nullptr, *Key3 = nullptr, *Key4 = nullptr, *Key5 = nullptr,
               *Key6 = nullptr, *Key7 = nullptr, *Key8 = nullptr, *Key9 = nullptr, *Key10 = nullptr,
               *Key11 = nullptr, *Key12 = nullptr;
  PanelControl *pnl_mode1 = nullptr, *pnl_mode2 = nullptr, *pnl_mode3 = nullptr,
               *pnl_mode4 = nullptr, *pnl_mode5 = nullptr;
  LabelControl *MouseMode = nullptr, *Win8Mode = nullptr, *GameMode = nullptr, *MediaMode = nullptr,
               *OfficeMode = nullptr;
  ImageControl *img_mode1 = nullptr, *img_mode2 = nullptr, *img_mode3 = nullptr,
               *img_mode4 = nullptr, *img_mode5 = nullptr;
  QMenu* ModeMenu = nullptr;  // attached to no control; holds MenuName
  QAction* MenuName = nullptr;

  // ---- The function menu
  PanelControl *gbMenu = nullptr, *gbbasekeys = nullptr, *gbgaming = nullptr, *gboffice = nullptr,
               *gbmedia = nullptr, *gbie = nullptr, *gbwin8 = nullptr, *gbos = nullptr,
               *gbother = nullptr;
  ImageControl *img_gbMenu = nullptr, *img_gbbasekeys = nullptr, *img_gbgaming = nullptr,
               *img_gboffice = nullptr, *img_gbmedia = nullptr, *img_gbie = nullptr,
               *img_gbwin8 = nullptr, *img_gbos = nullptr, *img_gbother = nullptr;
  QSlider *TB_menu = nullptr, *TB_basekeys = nullptr, *TB_gaming = nullptr, *TB_office = nullptr,
          *TB_media = nullptr, *TB_ie = nullptr, *TB_win8 = nullptr, *TB_os = nullptr,
          *TB_other = nullptr;
  LabelControl *lbl_basekeys = nullptr, *lbl_gaming = nullptr, *lbl_office = nullptr,
               *lbl_media = nullptr, *lbl_ie = nullptr, *lbl_win8 = nullptr, *lbl_os = nullptr,
               *lbl_other = nullptr, *lbl_mode = nullptr, *lbl_keyoff = nullptr;
  LabelControl *lbl_extend1 = nullptr, *lbl_extend2 = nullptr, *lbl_extend3 = nullptr,
               *lbl_extend4 = nullptr, *lbl_extend5 = nullptr, *lbl_extend6 = nullptr,
               *lbl_extend7 = nullptr, *lbl_extend8 = nullptr;
  // The 55 sub-list rows are reached by name through menuItem().

  // ---- page_Macro
  QListWidget* macro_list = nullptr;
  QListWidget* macro_content = nullptr;
  LabelControl *lbl_macro = nullptr, *lbl_name = nullptr, *lbl_configure = nullptr,
               *lbl_list = nullptr;
  LabelControl *lbl_REC = nullptr, *lbl_MseLeft = nullptr, *lbl_MseRight = nullptr,
               *lbl_MseMid = nullptr, *lbl_delkey = nullptr, *lbl_Time = nullptr;
  ImageControl *img_REC = nullptr, *img_MseLeft = nullptr, *img_MseRight = nullptr,
               *img_MseMid = nullptr, *img_delkey = nullptr, *img_Time = nullptr;
  QLineEdit* Edt_ModifyTime = nullptr;
  LabelControl* lbl_ms = nullptr;
  LabelControl *lbl_cycle_max = nullptr, *lbl_cycle_max_check = nullptr, *lbl_cycle = nullptr,
               *lbl_cycle_check = nullptr;
  QLineEdit* edt_cycle = nullptr;
  LabelControl *lbl_load = nullptr, *lbl_new = nullptr, *lbl_save = nullptr, *lbl_delete = nullptr,
               *lbl_cancle = nullptr;
  ImageControl *img_load = nullptr, *img_new = nullptr, *img_save = nullptr, *img_delete = nullptr,
               *img_cancel = nullptr;
  // The delay step buttons: on the page, never shown.
  LabelControl *lbl_delay = nullptr, *lbl_delay_d = nullptr;
  ImageControl *img_delay_i = nullptr, *img_delay_d = nullptr;
  QCheckBox *cbCycle_Max = nullptr, *cbCycle = nullptr;  // hidden

  // ---- page_About (sensitivity)
  LabelControl* lbl_XY = nullptr;
  QSlider* tb_XY = nullptr;
  LabelControl *lbl_XY_1 = nullptr, *lbl_XY_1_check = nullptr;
  QCheckBox* cb_XY = nullptr;  // hidden
  LabelControl* lbl_report = nullptr;
  ImageControl *btn_125hz = nullptr, *btn_250hz = nullptr, *btn_500hz = nullptr,
               *btn_1000hz = nullptr;
  LabelControl *lbl_125hz = nullptr, *lbl_250hz = nullptr, *lbl_500hz = nullptr,
               *lbl_1000hz = nullptr;
  LabelControl* lbl_dpi = nullptr;
  LabelControl *lbl_level1 = nullptr, *lbl_level2 = nullptr, *lbl_level3 = nullptr,
               *lbl_level4 = nullptr;
  PanelControl *btn_level1 = nullptr, *btn_level2 = nullptr, *btn_level3 = nullptr,
               *btn_level4 = nullptr;  // hidden; lime when selected, grey otherwise
  QSlider *tb_step1 = nullptr, *tb_step2 = nullptr, *tb_step3 = nullptr, *tb_step4 = nullptr;
  // The sensor-angle box: hidden, outside the window.
  PanelControl* gbSensorDegree = nullptr;
  LabelControl* lbl_sensordegree = nullptr;
  PanelControl *btn_sensordegree1 = nullptr, *btn_sensordegree2 = nullptr,
               *btn_sensordegree3 = nullptr, *btn_sensordegree4 = nullptr;
  LabelControl *lbl_sensordegree1 = nullptr, *lbl_sensordegree2 = nullptr,
               *lbl_sensordegree3 = nullptr, *lbl_sensordegree4 = nullptr;

  // ---- page_BreathLED (lighting)
  LabelControl *lbl_LEDSwitch = nullptr, *lbl_LEDOpen = nullptr, *lbl_LEDClose = nullptr;
  ImageControl *btn_LEDOpen = nullptr, *btn_LEDClose = nullptr;
  LabelControl* lbl_LEDBre = nullptr;
  LabelControl *lbl_LEDBre1 = nullptr, *lbl_LEDBre2 = nullptr, *lbl_LEDBre3 = nullptr,
               *lbl_LEDBre4 = nullptr, *lbl_LEDBre5 = nullptr, *lbl_LEDBre6 = nullptr;
  ImageControl *btn_LEDBre1 = nullptr, *btn_LEDBre2 = nullptr, *btn_LEDBre3 = nullptr,
               *btn_LEDBre4 = nullptr, *btn_LEDBre5 = nullptr, *btn_LEDBre6 = nullptr;
  LabelControl* lbl_LEDcolor = nullptr;
  LabelControl *lbl_LEDcolor1 = nullptr, *lbl_LEDcolor2 = nullptr, *lbl_LEDcolor3 = nullptr,
               *lbl_LEDcolor4 = nullptr, *lbl_LEDcolor5 = nullptr, *lbl_LEDcolor6 = nullptr,
               *lbl_LEDcolor7 = nullptr, *lbl_LEDcolor8 = nullptr;
  ImageControl *btn_LEDcolor1 = nullptr, *btn_LEDcolor2 = nullptr, *btn_LEDcolor3 = nullptr,
               *btn_LEDcolor4 = nullptr, *btn_LEDcolor5 = nullptr, *btn_LEDcolor6 = nullptr,
               *btn_LEDcolor7 = nullptr, *btn_LEDcolor8 = nullptr;
  // The vibration motor: hidden and staying hidden.
  LabelControl* lbl_Motor = nullptr;
  LabelControl *lbl_Motor1 = nullptr, *lbl_Motor2 = nullptr, *lbl_Motor3 = nullptr,
               *lbl_Motor4 = nullptr;
  ImageControl *btn_Motor1 = nullptr, *btn_Motor2 = nullptr, *btn_Motor3 = nullptr,
               *btn_Motor4 = nullptr;

  // ---- page_MseAdv (system pointer options)
  LabelControl *lbl_msedbspeed = nullptr, *lbl_msespeed = nullptr, *lbl_msewheel_X = nullptr,
               *lbl_msewheel = nullptr;
  QSlider *spin_msedbspeed = nullptr, *spin_msespeed = nullptr, *spin_msewheel_X = nullptr,
          *spin_msewheel = nullptr;
  LabelControl *lbl_mse1 = nullptr, *lbl_mse1_check = nullptr, *lbl_mse2 = nullptr,
               *lbl_mse2_check = nullptr;
  QCheckBox *cb_msespeed = nullptr, *cb_msewheel = nullptr;  // hidden

  // ---- page_Device (hidden, outside the window)
  QPushButton *btnWriteMode1 = nullptr, *btnWriteMode2 = nullptr, *btnWriteMode3 = nullptr,
              *btnWriteMode4 = nullptr, *btnWriteMode5 = nullptr;
  QPushButton *btnReadMode1 = nullptr, *btnReadMode2 = nullptr, *btnReadMode3 = nullptr,
              *btnReadMode4 = nullptr, *btnReadMode5 = nullptr;
  QPushButton *TntButton1 = nullptr, *TntButton2 = nullptr, *TntButton3 = nullptr,
              *TntButton4 = nullptr, *TntButton5 = nullptr, *TntButton6 = nullptr,
              *TntButton7 = nullptr, *TntButton8 = nullptr, *TntButton9 = nullptr,
              *TntButton10 = nullptr;
  QPushButton *btnGetFWVersion = nullptr, *btnChangeRegPro1 = nullptr, *btnChangeRegPro2 = nullptr;

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Where each family of controls is created.
  void createFrame();            // TForm1_frame.cpp: background, heading, window buttons
  void createTabsAndPages();     // TForm1_pages.cpp: tabs, page panels, commands, version labels
  void createKeysPage();         // TForm1_pages.cpp: key rows and mode panels
  void createDevicePage();       // TForm1_pages.cpp: page_Device
  void createFunctionMenu();     // TForm1_menu.cpp
  void createMacroPage();        // TForm1_macroPage.cpp
  void createSensitivityPage();  // TForm1_optionPages.cpp
  void createLightingPage();     // TForm1_optionPages.cpp
  void createSystemPage();       // TForm1_optionPages.cpp
  void bindOptionHandlers();     // TForm1_options.cpp
  void bindKeyHandlers();        // TForm1_keys.cpp
  void showLeftKeyWarning();
  void selectPictureOption(std::size_t index);  // the common steps of an option click
  void bindThemes();                            // TForm1_skins.cpp
  void img_baseMouseDown(Qt::MouseButton button, QPoint globalPos);
  void watchWindowShape();
  void scheduleWindowShape();
  void callSeam(const std::function<void()>& seam);

  Clock& m_clock;
  Seams m_seams;
  AppPaths m_paths;
  WindowDrag* m_drag = nullptr;
  Clock::TimerId m_detectionTimer = 0;
  bool m_colourKeyed = false;
  bool m_shapePending = false;
  std::vector<LabelControl*> m_menuItems;                   // every row of gbMenu and the sub-lists
  std::array<std::vector<LabelControl*>, 8> m_subListRows;  // sub-list k's rows in row order
  std::function<void()> m_leftKeyWarning;
};

}  // namespace kestrovane
