#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/FormServices.h"
#include "base/AppPaths.h"
#include "base/Clock.h"
#include "config/KeyFunction.h"
#include "device/DeviceControls.h"
#include "program/ProgramModel.h"
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

inline constexpr int kFormWidth = 901;
inline constexpr int kFormHeight = 681;
inline constexpr Clock::Duration kDetectionInterval{2500};

// The main window: header, five tabs, one content page at a time, the
// function menu of the button page and the four commands. The constructor
// builds every control at its design place (the window's design); FormCreate
// runs the start-up sequence. Controls carry the design's names, both as
// members and as object names (findChild<LabelControl*>("lbl_office_copy")).
// The device-dependent controls start disabled.
//
// The window is a view of the program model: it shows what the model holds
// (captions, selections, sliders, marks, current mode) whenever the model
// tells it of a change, and forwards clicks to the model's operations, to
// the commands and to the start-up steps it is given.
class TForm1 : public QWidget, public DeviceControls, public ModelObserver {
  Q_OBJECT

 public:
  TForm1(Clock& clock, ProgramModel& model, StartupSteps& startup, WindowCommands& commands,
         QWidget* parent = nullptr);
  ~TForm1() override;

  Clock& clock() { return m_clock; }
  ProgramModel& model() { return m_model; }
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
  bool isDetectionTimerEnabled() const { return m_detectionTimer != 0; }

  // ---- The device-dependent controls (DeviceControls)
  void DisableDeviceControls() override;
  void EnableDeviceControls() override;
  void ShowFirmwareVersion(const std::string& text) override;
  void ShowLoadingWindow() override;
  // The 46 controls, in the order of their design list.
  std::vector<QWidget*> deviceDependentControls() const;
  // While one of the commands runs, its four labels stay off, whatever the
  // detection tick does; they come back when it ends (with the mouse linked).
  void setCommandRunning(bool running);

  // ---- ModelObserver
  void modelChanged(unsigned aspects) override;
  void closeFunctionMenus() override;
  void showLeftKeyWarning() override;

  // ---- The commands
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

  // ---- The option pictures (TForm1_options.cpp)
  // lbl_LEDOpenMouseEnter .. lbl_Motor4MouseLeave: the option picture of a
  // lighting or motor label; no data changes.
  void optionMouseEnter(LabelControl* label);
  void optionMouseLeave(LabelControl* label);
  // pnl_mode1MouseEnter .. pnl_mode5MouseLeave: the mode indicator's pictures.
  void pnl_modeMouseEnter(int n);
  void pnl_modeMouseLeave(int n);

  // ---- Button assignment (TForm1_keys.cpp)
  void KeyClick(int n);  // Key1Click .. Key12Click
  // Gives the selected button the function and caption (through the
  // model, which keeps the left button on one of Key1..Key3 and stores the
  // mode), then closes the menu.
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
  bool isKeySelected(int n) const;

  // ---- Mode names
  // "Save As Name": the mode name dialog TForm3, modally; its name (if any)
  // becomes the name of the mode whose panel was right-clicked to open the
  // menu, else of the first selected mode.
  void MenuNameClick();
  // How TForm3 is shown: the name entered, empty when the mode keeps its
  // name; empty (the default) shows the real modal dialog.
  void setModeNamePresenter(std::function<QString()> presenter);

  // ---- The macro page (TForm1_macroEditor.cpp)
  void lbl_loadClick();
  void lbl_newClick();
  // The new-macro dialog: the name it accepted (code page), nullopt when it
  // was cancelled.
  std::optional<std::string> askNewMacroName();
  // How the import's file is chosen and the new macro's name asked; empty
  // choosers (the default) show the real dialogs.
  void setMacroFileChooser(std::function<QString()> chooser);
  void setNewMacroPresenter(std::function<std::optional<QString>()> presenter);

  // ---- Skins and shape
  void ShowSkinImage(ImageControl* control, std::string_view imageName);
  void LoadSkins();
  // Recomputes the see-through outline from what the window now draws. It
  // runs by itself (once the pending events are done) when a page or a menu
  // panel is shown or hidden, or any picture changes.
  void UpdateWindowShape();

  // ---- State of the window's own (the program's state is the model's)
  int macroCount = 0;
  std::array<bool, kKeyCount> keySelected{};  // keySelected[n - 1]: Key n

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
  QMenu* ModeMenu = nullptr;  // opened by a right click on a mode panel or name
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
  void bindModelControls();      // TForm1_view.cpp: sliders, check labels, mode panels
  // The parts of the window that show the model (TForm1_view.cpp).
  void bindCaptions();
  void reflectCaptions(unsigned aspects);
  void reflectOptions();
  void reflectControls();
  void reflectCurrentMode();
  void reflectDeviceLabels();
  void bindMacroPage();     // TForm1_macroEditor.cpp
  void reflectMacroPage();  // TForm1_macroEditor.cpp
  void showStatePicture(ImageControl* control, std::string_view imageName);
  void bindThemes();  // TForm1_skins.cpp
  void img_baseMouseDown(Qt::MouseButton button, QPoint globalPos);
  void watchWindowShape();
  void scheduleWindowShape();

  Clock& m_clock;
  ProgramModel& m_model;
  StartupSteps& m_startup;
  WindowCommands& m_commands;
  AppPaths m_paths;
  bool m_deviceLinked = false;
  bool m_commandRunning = false;
  WindowDrag* m_drag = nullptr;
  Clock::TimerId m_detectionTimer = 0;
  bool m_colourKeyed = false;
  bool m_shapePending = false;
  std::vector<LabelControl*> m_menuItems;                   // every row of gbMenu and the sub-lists
  std::array<std::vector<LabelControl*>, 8> m_subListRows;  // sub-list k's rows in row order
  std::function<void()> m_leftKeyWarning;
  std::function<QString()> m_chooseMacroFile;
  std::function<std::optional<QString>()> m_newMacroName;
  std::function<QString()> m_modeNamePresenter;
  // The mode whose panel or name opened ModeMenu, 0 for none.
  int m_renameMode = 0;
  // The controls whose texts the model holds, with how each takes its text.
  struct CaptionTarget {
    std::string_view control;
    std::function<void(const QString&)> set;
  };
  std::vector<CaptionTarget> m_captionTargets;
  // The skin picture each control last got through ShowSkinImage.
  std::map<const ImageControl*, std::string> m_shownPicture;
};

}  // namespace kestrovane
