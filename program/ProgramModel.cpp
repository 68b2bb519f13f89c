// ProgramModel: the state, the control setters, the option operations of
// the sensitivity and lighting pages and the button assignment.
#include "program/ProgramModel.h"

#include <stdexcept>

#include "base/CodePage.h"
#include "config/CaptionTable.h"
#include "config/KeyAssignment.h"

namespace kestrovane {

ProgramModel::ProgramModel(Clock& clock, PointerStore& pointerStore, PointerSystem& pointerSystem)
    : m_clock(clock),
      m_pointerStore(pointerStore),
      m_pointerSystem(pointerSystem),
      // The positions the window starts with.
      m_sliders{{{0, 10, 3},
                 {0, 10, 3},
                 {0, 10, 10},
                 {0, 10, 3},
                 {0, 10, 5},
                 {0, 4, 0},
                 {0, 4, 1},
                 {0, 4, 2},
                 {0, 4, 3}}} {
  // The texts the window shows before a language or settings file gives
  // others.
  std::size_t key = 0;
  std::size_t mode = 0;
  for (std::span<const Caption> list : {mainWindowTexts(), mainWindowExtraTexts()}) {
    for (const Caption& c : list) {
      switch (c.kind) {
        case CaptionKind::KeyCaption:
          m_keyCaptions.at(key++) = utf8ToCodePage(c.builtIn);
          break;
        case CaptionKind::ModeName:
          m_defaultModeNames.at(mode) = std::string(c.builtIn);
          m_modeNames.at(mode++) = utf8ToCodePage(c.builtIn);
          break;
        case CaptionKind::OptionState:
        case CaptionKind::Message:
          break;
        default:
          m_captions.insert_or_assign(std::string(c.control), std::string(c.builtIn));
      }
    }
  }
}

// A language file without the item's text leaves the menu row empty; the
// rule then looks for the built-in name, so no button is given an empty
// caption.
std::string ProgramModel::leftButtonText() const {
  const std::string& text = caption(kLeftButtonItem);
  return utf8ToCodePage(text.empty() ? builtInCaption(kLeftButtonItem) : text);
}

const std::string& ProgramModel::caption(std::string_view control) const {
  static const std::string kNone;
  const auto it = m_captions.find(control);
  return it == m_captions.end() ? kNone : it->second;
}

void ProgramModel::setCaption(std::string_view control, std::string text) {
  const auto it = m_captions.find(control);
  if (it == m_captions.end() || it->second == text) return;
  Change change(*this, kAspectCaptions);
  it->second = std::move(text);
}

void ProgramModel::notify() {
  const unsigned aspects = m_pending;
  m_pending = 0;
  if (aspects != 0 && m_observer != nullptr) m_observer->modelChanged(aspects);
}

void ProgramModel::processEvents() {
  if (m_depth > 0) notify();
  m_clock.processEvents();
}

const std::string& ProgramModel::keyCaption(int n) const {
  if (n < 1 || n > kKeyCount) throw std::out_of_range("button number");
  return m_keyCaptions[static_cast<std::size_t>(n - 1)];
}

const std::string& ProgramModel::modeName(int n) const {
  if (n < 1 || n > kModeCount) throw std::out_of_range("mode number");
  return m_modeNames[static_cast<std::size_t>(n - 1)];
}

void ProgramModel::setKeyCaption(int n, std::string caption) {
  if (n < 1 || n > kKeyCount) return;
  const Change change(*this, kAspectKeyCaptions);
  m_keyCaptions[static_cast<std::size_t>(n - 1)] = std::move(caption);
}

void ProgramModel::setModeName(int n, std::string name) {
  if (n < 1 || n > kModeCount) return;
  const Change change(*this, kAspectModeNames);
  m_modeNames[static_cast<std::size_t>(n - 1)] = std::move(name);
  m_storedModeNames[static_cast<std::size_t>(n - 1)].reset();
}

bool ProgramModel::modeSelected(int n) const {
  return n >= 1 && n <= kModeCount && m_modeSelected[static_cast<std::size_t>(n - 1)];
}

int ProgramModel::firstSelectedMode() const {
  for (int n = 1; n <= kModeCount; ++n)
    if (modeSelected(n)) return n;
  return 0;
}

void ProgramModel::setSlider(Slider s, int position) {
  SliderState& state = m_sliders[index(s)];
  if (position < state.min) position = state.min;
  if (position > state.max) position = state.max;
  if (position == state.position) return;
  const Change change(*this, kAspectSliders);
  state.position = position;
  sliderChangeAction(s);
}

void ProgramModel::sliderChangeAction(Slider s) {
  switch (s) {
    case Slider::spin_msespeed:
    case Slider::spin_msedbspeed:
      btnChangeRegPro1Click();
      break;
    case Slider::spin_msewheel:
      btnChangeRegPro2Click();
      break;
    case Slider::tb_step1:
    case Slider::tb_step2:
    case Slider::tb_step3:
    case Slider::tb_step4:
      tb_stepChange(static_cast<int>(s) - static_cast<int>(Slider::tb_step1) + 1);
      break;
    case Slider::spin_msewheel_X:
    case Slider::tb_XY:
      break;
  }
}

void ProgramModel::setCheckBox(CheckBox c, bool checked) {
  const Change change(*this, kAspectChecks);
  m_checks[static_cast<std::size_t>(c)] = checked;
  checkBoxClickAction(c);
}

void ProgramModel::checkBoxClickAction(CheckBox c) {
  switch (c) {
    case CheckBox::cb_msespeed:  // cb_msespeedClick
      btnChangeRegPro1Click();
      break;
    case CheckBox::cb_msewheel:
      cb_msewheelClick();
      break;
    case CheckBox::cb_XY:
    case CheckBox::cbCycle_Max:
    case CheckBox::cbCycle:
      break;
  }
}

void ProgramModel::setCycleCountText(std::string text) {
  const Change change(*this, kAspectChecks);
  m_cycleCount = std::move(text);
}

// The current mode is the first chosen radio button of gb7, tested 1 to 5;
// without one nothing is stored.
void ProgramModel::StoreCurrentMode() {
  const Change change(*this, kAspectImages);
  const int current = gb7.checkedChoice();
  images.store(current);
  if (current != 0)
    m_storedImageFromFile[static_cast<std::size_t>(current - 1)] = m_workingImageFromFile;
}

// Steps 1 and 2 of an option click: the group's selection cleared, then the
// clicked choice on. The views show the matching pictures.
void ProgramModel::selectOption(SelectionGroup& group, int choice) {
  mark(kAspectOptions);
  group.clear();
  group.setChecked(choice, true);
}

void ProgramModel::reportRateClick(int n) {
  if (n < 1 || n > 4) return;
  const Change change(*this);
  selectOption(gb1, n);
  writeRateCode(images.workingImage, static_cast<std::uint8_t>(n));
  StoreCurrentMode();
}

void ProgramModel::btn_levelClick(int n) {
  if (n < 1 || n > kDpiLevelCount) return;
  const Change change(*this);
  selectOption(gb2, n);
  writeDpiLevel(images.workingImage, static_cast<std::uint8_t>(n));
  StoreCurrentMode();
}

void ProgramModel::tb_stepChange(int n) {
  if (n < 1 || n > kDpiLevelCount) return;
  const Change change(*this);
  const auto s = static_cast<Slider>(static_cast<int>(Slider::tb_step1) + n - 1);
  writeDpiStep(images.workingImage, n, slider(s));
  StoreCurrentMode();
}

// The sensor angle is the window's own: no byte, no store.
void ProgramModel::btn_sensordegreeClick(int n) {
  if (n < 1 || n > 4) return;
  const Change change(*this);
  selectOption(gb3, n);
}

// Lighting on shows its fourteen options again and writes level 2 and
// frequency 2; the level and frequency selections stay where they were, so
// the window may mark another level than the image holds until one is
// clicked.
void ProgramModel::lbl_LEDOpenClick() {
  const Change change(*this, kAspectVisibility);
  m_ledOptionsVisible = true;
  selectOption(gb4, 1);
  writeLedSwitch(images.workingImage, true);
  StoreCurrentMode();
}

void ProgramModel::lbl_LEDCloseClick() {
  const Change change(*this, kAspectVisibility);
  m_ledOptionsVisible = false;
  selectOption(gb4, 2);
  writeLedSwitch(images.workingImage, false);
  StoreCurrentMode();
}

void ProgramModel::lbl_LEDBreClick(int n) {
  if (n < 1 || n > 6) return;
  const Change change(*this);
  if (n <= 3) {
    selectOption(gb5, n);
    writeLedLevel(images.workingImage, static_cast<std::uint8_t>(n));
  } else {
    selectOption(gb9, n - 3);
    writeLedFrequency(images.workingImage, static_cast<std::uint8_t>(n - 3));
  }
  StoreCurrentMode();
}

void ProgramModel::lbl_LEDcolorClick(int n) {
  if (n < 1 || n > 8) return;
  const Change change(*this);
  selectOption(gb6, n);
  writeLedColor(images.workingImage, n);
  StoreCurrentMode();
}

// Motor off hides the strength options; motor on does not show them again.
void ProgramModel::lbl_MotorClick(int n) {
  if (n < 1 || n > 4) return;
  const Change change(*this);
  if (n == 2) {
    mark(kAspectVisibility);
    m_motorStrengthVisible = false;
  }
  if (n <= 2) {
    selectOption(gb8, n);
    writeMotor(images.workingImage, n == 1);
  } else {
    selectOption(gb10, n - 2);
    writeMotorStrength(images.workingImage, n == 3);
  }
  StoreCurrentMode();
}

void ProgramModel::lbl_XY_1Click() {
  const Change change(*this, kAspectChecks);
  xyFlag = !xyFlag;
  setCheckBox(CheckBox::cb_XY, xyFlag);
}

// Endless looping: off when on; otherwise on, counted looping off and the
// count box closed.
void ProgramModel::lbl_cycle_maxClick() {
  const Change change(*this, kAspectChecks);
  if (cycleMaxFlag) {
    cycleMaxFlag = false;
    setCheckBox(CheckBox::cbCycle_Max, false);
    return;
  }
  cycleMaxFlag = true;
  setCheckBox(CheckBox::cbCycle_Max, true);
  cycleFlag = false;
  setCheckBox(CheckBox::cbCycle, false);
  m_cycleCountEnabled = false;
}

// Counted looping: the count box opens; on when off (endless goes off),
// off when on.
void ProgramModel::lbl_cycleClick() {
  const Change change(*this, kAspectChecks);
  m_cycleCountEnabled = true;
  if (!cycleFlag) {
    cycleFlag = true;
    setCheckBox(CheckBox::cbCycle, true);
    cycleMaxFlag = false;
    setCheckBox(CheckBox::cbCycle_Max, false);
  } else {
    cycleFlag = false;
    setCheckBox(CheckBox::cbCycle, false);
  }
}

MacroLooping ProgramModel::macroLooping() const {
  return {checkBox(CheckBox::cbCycle_Max), checkBox(CheckBox::cbCycle), m_cycleCount};
}

void ProgramModel::AssignKeyFunction(int n, KeyFunction function, std::string caption) {
  const Change change(*this, kAspectKeyCaptions | kAspectImages);
  // A menu row the language file leaves empty gives its built-in name: no
  // button is given an empty caption.
  if (caption.empty())
    for (const FunctionItem& item : functionTable())
      if (item.code == function) {
        caption = utf8ToCodePage(builtInCaption(item.label));
        break;
      }
  if (n >= 1 && n <= kKeyCount) {
    m_keyCaptions[static_cast<std::size_t>(n - 1)] = std::move(caption);
    writeKeyFunction(images.workingImage, n, function);
  }

  std::array firstThree{m_keyCaptions[0], m_keyCaptions[1], m_keyCaptions[2]};
  const std::string leftText = leftButtonText();
  for (std::string& shown : firstThree)
    if (namesLeftButtonWithoutText(shown)) shown = leftText;
  switch (leftButtonRule(firstThree, leftText, n)) {
    case LeftButtonRule::Holds:
      break;
    case LeftButtonRule::WarnThenGiveLeftButton:
      if (m_observer != nullptr) m_observer->showLeftKeyWarning();
      m_keyCaptions[static_cast<std::size_t>(n - 1)] = leftText;
      writeKeyFunction(images.workingImage, n, findFunctionItem(kLeftButtonItem)->code);
      break;
    case LeftButtonRule::WarnOnceThenKeep:
      if (!m_leftKeyWarned && m_observer != nullptr) m_observer->showLeftKeyWarning();
      m_leftKeyWarned = true;
      break;
  }
  StoreCurrentMode();
}

}  // namespace kestrovane
