#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/AppPaths.h"
#include "base/Clock.h"
#include "config/KeyFunction.h"
#include "config/Language.h"
#include "config/ModeImages.h"
#include "config/SelectionGroup.h"
#include "config/SettingsFiles.h"
#include "macro/MacroCompiler.h"
#include "macro/MacroEditor.h"
#include "pointer/PointerSettings.h"

namespace kestrovane {

// The function menu's left-button row, which the left-button rule is about.
inline constexpr std::string_view kLeftButtonItem = "lbl_msekey_left";

// The sliders whose positions the program keeps, with their ranges.
enum class Slider {
  spin_msespeed,    // pointer speed 0..10
  spin_msewheel,    // vertical wheel 0..10
  spin_msedbspeed,  // double-click speed 0..10
  spin_msewheel_X,  // horizontal wheel 0..10 (stored, never applied)
  tb_XY,            // XY sensitivity 0..10 (window only)
  tb_step1,         // DPI step of level 1, 0..4
  tb_step2,
  tb_step3,
  tb_step4,
};
inline constexpr int kSliderCount = 9;

// The hidden check boxes that hold values for the files and the registry.
enum class CheckBox {
  cb_msespeed,  // enhanced pointer precision
  cb_msewheel,  // one screen per wheel notch
  cb_XY,        // XY synchronisation
  cbCycle_Max,  // endless macro looping
  cbCycle,      // counted macro looping
};
inline constexpr int kCheckBoxCount = 5;

// What changed, for the views: one bit per kind of state.
enum ModelAspect : unsigned {
  kAspectKeyCaptions = 1u << 0,  // captions of Key1..Key12
  kAspectModeNames = 1u << 1,    // the five mode names
  kAspectCurrentMode = 1u << 2,  // rb7_1..rb7_5 and modeSelected
  kAspectOptions = 1u << 3,      // the selection groups gb1..gb10
  kAspectSliders = 1u << 4,      // positions and the wheel slider's enabled state
  kAspectChecks = 1u << 5,       // check boxes, the five flags, the loop count box
  kAspectVisibility = 1u << 6,   // the lighting and motor options shown or hidden
  kAspectImages = 1u << 7,       // workingImage and storedImages
  kAspectCaptions = 1u << 8,     // the other controls' texts
  kAspectMacros = 1u << 9,       // the macro page: the name list, the open script, the selections
  kAspectAll = 0x3FFu,
};

// What the program model needs of its views: they reflect the model when it
// changes and do the few things that are the window's own.
class ModelObserver {
 public:
  virtual ~ModelObserver() = default;

  // The state named by aspects (ModelAspect bits) changed; the view reads
  // what it shows from the model again.
  virtual void modelChanged(unsigned aspects) = 0;

  // Selecting a mode first closes any open function menu and leaves no
  // button selected.
  virtual void closeFunctionMenus() = 0;

  // Shows the left-button warning TForm5 (modal).
  virtual void showLeftKeyWarning() = 0;
};

// The program's state: the six mode images, the hidden selection groups, the
// sliders, check boxes and flags, the button captions and mode names (code
// page bytes), the current mode, the pointer settings and the two start-up
// flags; and the operations that change them. The main window is a view of
// it; kestrovanectl uses it without a window. Setters keep the controls'
// semantics: a slider's change action runs only when its position changes, a
// check box's click action runs whenever it is set, a radio group runs the
// action of the button that is on.
//
// File errors throw Error (the text the user sees); the operation that threw
// stops there, as a handler does.
class ProgramModel {
 public:
  ProgramModel(Clock& clock, PointerStore& pointerStore, PointerSystem& pointerSystem);
  ProgramModel(const ProgramModel&) = delete;
  ProgramModel& operator=(const ProgramModel&) = delete;

  void setObserver(ModelObserver* observer) { m_observer = observer; }
  void setPaths(const AppPaths& paths) {
    // The names of our languages are read again only from another folder,
    // so that a file that cannot be read is told once.
    if (paths.languageDir != m_paths.languageDir) m_knownNamesRead = false;
    m_paths = paths;
    macroEditor.setFolder(paths.macroDir);
  }
  const AppPaths& paths() const { return m_paths; }

  // ---- State
  ModeImages images;  // workingImage and storedImages[1..5]

  // Hidden selection groups, choices rbG_1 .. rbG_n.
  SelectionGroup gb1{"ReportRate", 4};
  SelectionGroup gb2{"DPILevel", 4};
  SelectionGroup gb3{"SensorDegree", 4};
  SelectionGroup gb4{"LED Switch", 2};
  SelectionGroup gb5{"LEDBreathe", 3};
  SelectionGroup gb6{"LEDColor", 8};
  SelectionGroup gb7{"Mode", 5};  // the current mode, rb7_1..rb7_5
  SelectionGroup gb8{"Motor", 2};
  SelectionGroup gb9{"LEDFreq", 3};
  SelectionGroup gb10{"Motor Strong", 2};

  bool iniWriteSuppressed = true;
  bool loadOnModeSelect = false;
  bool mse1Flag = false;
  bool mse2Flag = false;
  bool xyFlag = false;
  bool cycleMaxFlag = false;
  bool cycleFlag = false;
  PointerSettings pointerSettings;

  int slider(Slider s) const { return m_sliders[index(s)].position; }
  int sliderMin(Slider s) const { return m_sliders[index(s)].min; }
  int sliderMax(Slider s) const { return m_sliders[index(s)].max; }
  bool checkBox(CheckBox c) const { return m_checks[static_cast<std::size_t>(c)]; }
  // spin_msewheel is disabled while one screen per notch is on.
  bool wheelSliderEnabled() const { return m_wheelSliderEnabled; }
  // The loop count box edt_cycle: its text and whether it takes input.
  const std::string& cycleCountText() const { return m_cycleCount; }
  bool cycleCountEnabled() const { return m_cycleCountEnabled; }
  // The fourteen lighting level, frequency and colour options follow the LED
  // switch; the motor strength options hide when the motor is switched off.
  bool ledOptionsVisible() const { return m_ledOptionsVisible; }
  bool motorStrengthVisible() const { return m_motorStrengthVisible; }

  // Captions of Key1..Key12 (n = 1..12) and the names of modes 1..5.
  const std::string& keyCaption(int n) const;
  const std::string& modeName(int n) const;
  void setKeyCaption(int n, std::string caption);
  void setModeName(int n, std::string name);
  // The text the left-button rule looks for on Key1..Key3: the caption of
  // the menu's left-button item, in the code page; its built-in text when
  // the language file leaves the item empty.
  std::string leftButtonText() const;

  // The texts of the window's other controls (UTF-8), by control name: the
  // built-in texts of the caption table until a language file gives others.
  // An unknown name reads as the empty text.
  const std::string& caption(std::string_view control) const;
  void setCaption(std::string_view control, std::string text);

  // ---- Language
  Language language = Language::None;  // ChooseLanguage sets it
  // LoadMainTexts: the main window's 158 keys from the language file, in
  // their order, the two option states through lbl_mse1Click and
  // lbl_mse2Click; then our own keys. Returns the message for a missing
  // file (empty when the file was read or there is no language); the
  // captions keep their built-in texts then.
  std::string LoadMainTexts();

  // A stored button caption as the window shows it: when it is a name that
  // one of our languages (or the built-in texts) gives to exactly the
  // function code holds, the current language's name of that function;
  // anything else (a macro's name, a name of another function, a text of
  // the user's) as stored. Likewise a stored mode name that is a default
  // name of mode n. A name the current language leaves empty is no name:
  // the stored one stays. Code page bytes in and out.
  std::string shownKeyCaption(const KeyFunction& code, const std::string& stored);
  std::string shownModeName(int n, const std::string& stored);

  // The current mode 1..5 (the first of rb7_1..rb7_5 that is on), 0 for none;
  // the first mode whose modeSelected flag is set, 0 for none.
  int currentMode() const { return gb7.checkedChoice(); }
  bool modeSelected(int n) const;
  int firstSelectedMode() const;

  // ---- Controls set as the user or a file sets them
  void setSlider(Slider s, int position);
  void setCheckBox(CheckBox c, bool checked);
  void setCycleCountText(std::string text);

  // ---- The option operations: each writes its bytes into the working image
  // and ends in StoreCurrentMode (the sensor angle writes and stores nothing).
  void StoreCurrentMode();
  void reportRateClick(int n);  // btn_125hzClick .. btn_1000hzClick, n = 1..4
  void btn_levelClick(int n);   // DPI level n = 1..4
  void tb_stepChange(int n);    // DpiStep of level n from tb_stepN's position
  void btn_sensordegreeClick(int n);
  void lbl_LEDOpenClick();
  void lbl_LEDCloseClick();
  void lbl_LEDBreClick(int n);    // 1..3 level "高" "中" "低"; 4..6 frequency
  void lbl_LEDcolorClick(int n);  // 1..8, "红色" .. "白色", "循环"
  void lbl_MotorClick(int n);     // 1..4: on, off, strong, weak
  void lbl_XY_1Click();
  void lbl_cycle_maxClick();
  void lbl_cycleClick();

  // ---- Button assignment: button n (1..12) gets the function and caption,
  // then the left-button rule (one of Key1..Key3 keeps the left button's
  // caption), then StoreCurrentMode. n = 0 (no button selected) assigns
  // nothing but still checks the rule.
  void AssignKeyFunction(int n, KeyFunction function, std::string caption);

  // ---- Modes
  void SelectMode(int n);
  // A file that cannot be read is taken as missing: the load goes on with
  // the others and throws the messages of all such files at its end.
  void LoadCurrentMode();
  // Whether the bytes of mode n's stored image came from an image file, read
  // by a load or written by a save. The images start all zero, and a mode
  // whose file was missing takes what the working image held: bytes that no
  // file gave when no file had been read before it. The mouse must never get
  // such an image.
  bool imageFromFile(int n) const;
  // SaveCurrentMode's copy: all 64 bytes of the working image, byte 0
  // included, become mode n's stored image.
  void storeWholeWorkingImage(int n);

  // ---- Settings files. The writers do nothing while iniWriteSuppressed,
  // and never write an empty caption or mode name over one the file holds.
  // A language file the shown names need that cannot be read gives no names;
  // the read is done and then throws its message.
  void ReadGeneralSettings();
  void WriteGeneralSettings();
  void ReadModeSettings(int n);
  void WriteModeSettings(int n);
  void ReadModeImageFile(int n);
  void WriteModeImageFile(int n);
  // The values the settings writers store, from the controls.
  ModeSettings currentModeSettings() const;
  GeneralSettings generalSettings() const;

  // ---- Pointer options
  void btnChangeRegPro1Click();  // "Control Panel\Mouse" from speed, precision, double-click
  void btnChangeRegPro2Click();  // "Control Panel\Desktop" WheelScrollLines
  void lbl_mse1Click();
  void lbl_mse2Click();
  void ApplyPointerSettings();
  // What Apply ends with: both stores written again, then the running system.
  void applyPointerOptions();

  // ---- The macro page
  MacroEditor macroEditor;
  // Runs an operation of the macro page (a MacroEditor call) and tells the
  // views once it ends, also when it throws.
  template <typename Operation>
  void editMacros(Operation operation) {
    const Change change(*this, kAspectMacros);
    operation(macroEditor);
  }

  // The looping choice of the macro page, as compilation reads it.
  MacroLooping macroLooping() const;

  // Lets pending window events run, the view brought up to date first.
  void processEvents();

 private:
  struct SliderState {
    int min;
    int max;
    int position;
  };
  // Gathers the aspects changed by one operation and its nested ones, and
  // tells the observer once, when the outermost ends (also when it throws).
  class Change {
   public:
    explicit Change(ProgramModel& model, unsigned aspects = 0) : m_model(model) {
      ++m_model.m_depth;
      m_model.mark(aspects);
    }
    ~Change() {
      if (--m_model.m_depth == 0) m_model.notify();
    }
    Change(const Change&) = delete;
    Change& operator=(const Change&) = delete;

   private:
    ProgramModel& m_model;
  };

  static std::size_t index(Slider s) { return static_cast<std::size_t>(s); }
  void sliderChangeAction(Slider s);
  void checkBoxClickAction(CheckBox c);
  void cb_msewheelClick();
  void selectOption(SelectionGroup& group, int choice);
  // The radio-group read rule: button value + 1 on, the others off; then the
  // action of the button that is on, if any.
  template <typename Action>
  void readRadio(SelectionGroup& group, int value, Action action);
  void mark(unsigned aspects) { m_pending |= aspects; }
  void notify();
  std::string configurePath(std::string_view name) const;
  std::string dataPath(std::string_view name) const;

  Clock& m_clock;
  PointerStore& m_pointerStore;
  PointerSystem& m_pointerSystem;
  ModelObserver* m_observer = nullptr;
  AppPaths m_paths;
  std::array<SliderState, kSliderCount> m_sliders;
  std::array<bool, kCheckBoxCount> m_checks{};
  bool m_wheelSliderEnabled = true;
  std::string m_cycleCount = "1";
  bool m_cycleCountEnabled = true;
  bool m_ledOptionsVisible = true;
  bool m_motorStrengthVisible = false;
  std::array<std::string, kKeyCount> m_keyCaptions;
  std::array<std::string, kModeCount> m_modeNames;
  std::array<bool, kModeCount> m_modeSelected{};
  std::map<std::string, std::string, std::less<>> m_captions;
  // The names our languages give each function item and mode, by control
  // name, read from the language folder when first needed: as UTF-8 texts
  // (the built-in one and each file's), and as the bytes each language file
  // holds, in that file's own code page. A stored name is recognised by
  // either, so a name stored in code page 936 is known on a system whose
  // code page is another.
  struct KnownNames {
    std::vector<std::string> texts;
    std::vector<std::string> bytes;
    bool holds(const std::string& stored) const;
  };
  const std::map<std::string, KnownNames, std::less<>>& knownNames();
  std::map<std::string, KnownNames, std::less<>> m_knownNames;
  bool m_knownNamesRead = false;
  // The messages of language files that knownNames could not read; the
  // settings read that needed them tells them once it is done.
  std::vector<std::string> m_unreadFiles;
  void throwUnreadFiles();
  // Whether a caption kept as stored is one of our languages' names of the
  // left button while the current language has no text for it (the caption
  // then is not translated, and the rule must still see the left button).
  bool namesLeftButtonWithoutText(const std::string& stored);
  // The window's texts come from a language file (LoadMainTexts read one).
  bool m_textsFromFile = false;
  // The current language's default mode names (UTF-8).
  std::array<std::string, kModeCount> m_defaultModeNames;
  // GM.ini's bytes of a mode name shown translated: written back unchanged
  // until the mode is renamed.
  std::array<std::optional<std::string>, kModeCount> m_storedModeNames;
  // Where the image bytes came from (imageFromFile).
  bool m_workingImageFromFile = false;
  std::array<bool, kModeCount> m_storedImageFromFile{};
  // The open case of the left-button rule has been told in this run.
  bool m_leftKeyWarned = false;
  int m_depth = 0;
  unsigned m_pending = 0;
};

}  // namespace kestrovane
