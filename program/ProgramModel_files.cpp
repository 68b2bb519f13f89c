// ProgramModel: mode selection and the settings files.
#include <filesystem>

#include "base/Error.h"
#include "base/IniFile.h"
#include "program/ProgramModel.h"

namespace kestrovane {

namespace {

// Anything in the file's place counts: a folder or a file that cannot be
// read is reported by the read, not skipped as missing.
bool fileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::status(std::filesystem::path(path), ec).type() !=
         std::filesystem::file_type::not_found;
}

// The number of the first button of a group that is on, counting from 0;
// none on writes nothing.
std::optional<int> radioValue(const SelectionGroup& group) {
  const int choice = group.checkedChoice();
  if (choice == 0) return std::nullopt;
  return choice - 1;
}

// A caption that reads empty (a language file without the text) is never
// saved over one the file holds: the stored caption stays, and shows again
// once the language file is whole.
template <std::size_t N>
void keepStoredCaptions(std::array<std::string, N>& captions,
                        const std::array<std::string, N>& stored) {
  for (std::size_t i = 0; i < N; ++i)
    if (captions[i].empty()) captions[i] = stored[i];
}

// The texts of several files that could not be read, as one message.
std::string joinedMessages(const std::vector<std::string>& messages) {
  std::string text;
  for (const std::string& message : messages) {
    if (!text.empty()) text += "\r\n";
    text += message;
  }
  return text;
}

}  // namespace

void ProgramModel::throwUnreadFiles() {
  if (m_unreadFiles.empty()) return;
  const std::string text = joinedMessages(m_unreadFiles);
  m_unreadFiles.clear();
  throw Error(text);
}

std::string ProgramModel::configurePath(std::string_view name) const {
  return joinPath(m_paths.configureDir, name);
}

std::string ProgramModel::dataPath(std::string_view name) const {
  return joinPath(m_paths.dataDir, name);
}

template <typename Action>
void ProgramModel::readRadio(SelectionGroup& group, int value, Action action) {
  mark(kAspectOptions);
  for (int n = 1; n <= group.count(); ++n) group.setChecked(n, value == n - 1);
  const int on = group.checkedChoice();
  if (on != 0) action(on);
}

void ProgramModel::SelectMode(int n) {
  if (n < 1 || n > kModeCount) return;
  {
    const Change change(*this, kAspectCurrentMode);
    if (m_observer != nullptr) m_observer->closeFunctionMenus();
    gb7.clear();
    m_modeSelected.fill(false);
    gb7.setChecked(n, true);
    m_modeSelected[static_cast<std::size_t>(n - 1)] = true;
    if (loadOnModeSelect) LoadCurrentMode();
  }
  processEvents();
}

// A file that cannot be read is taken as missing and the load goes on; the
// files that could not be read are told at the end, in one message.
void ProgramModel::LoadCurrentMode() {
  const Change change(*this, kAspectImages);
  std::vector<std::string> unread;
  const auto read = [&unread](auto step) {
    try {
      step();
    } catch (const Error& error) {
      unread.emplace_back(error.what());
    }
  };
  for (int n = 1; n <= kModeCount; ++n) read([this, n] { ReadModeImageFile(n); });
  const int current = gb7.checkedChoice();
  if (current != 0) {
    const ModeImage& stored = images.storedImage(current);
    images.workingImage = stored;
    images.workingImage[kModeNumberByte] = static_cast<std::uint8_t>(current);
    m_workingImageFromFile = imageFromFile(current);
    read([this, current] { ReadModeSettings(current); });
    // A mode whose lighting is off keeps the level and frequency selections
    // of its file, but the mouse gets no light.
    if (gb4.checked(2)) {
      writeLedLevel(images.workingImage, 0);
      writeLedFrequency(images.workingImage, 0);
      StoreCurrentMode();
    }
  }
  if (!unread.empty()) throw Error(joinedMessages(unread));
}

void ProgramModel::ReadModeImageFile(int n) {
  if (n < 1 || n > kModeCount) return;
  const Change change(*this, kAspectImages);
  const std::string path = dataPath(modeImageFileName(n));
  std::optional<Error> unreadable;
  if (fileExists(path)) {
    try {
      images.workingImage = readModeImage(IniFile::load(path), modeImageSection(n));
      m_workingImageFromFile = true;
    } catch (const Error& error) {
      unreadable = error;
    }
  }
  // Whether or not the file was there or could be read: a missing file gives
  // the mode what the working image holds.
  ModeImage& stored = images.storedImage(n);
  stored = images.workingImage;
  stored[kModeNumberByte] = static_cast<std::uint8_t>(n);
  m_storedImageFromFile[static_cast<std::size_t>(n - 1)] = m_workingImageFromFile;
  if (unreadable) throw *unreadable;
}

bool ProgramModel::imageFromFile(int n) const {
  return n >= 1 && n <= kModeCount && m_storedImageFromFile[static_cast<std::size_t>(n - 1)];
}

void ProgramModel::storeWholeWorkingImage(int n) {
  if (n < 1 || n > kModeCount) return;
  const Change change(*this, kAspectImages);
  images.storedImage(n) = images.workingImage;
  m_storedImageFromFile[static_cast<std::size_t>(n - 1)] = m_workingImageFromFile;
}

void ProgramModel::WriteModeImageFile(int n) {
  if (iniWriteSuppressed || n < 1 || n > kModeCount) return;
  const std::string path = dataPath(modeImageFileName(n));
  IniFile file = IniFile::load(path);
  writeModeImage(file, modeImageSection(n), images.workingImage);
  file.save(path);
  // The file now holds the working image, and the stored image where it
  // holds the same bytes.
  m_workingImageFromFile = true;
  if (images.storedImage(n) == images.workingImage)
    m_storedImageFromFile[static_cast<std::size_t>(n - 1)] = true;
}

void ProgramModel::ReadModeSettings(int n) {
  if (n < 1 || n > kModeCount) return;
  const std::string path = configurePath(modeSettingsFileName(n));
  if (!fileExists(path)) return;
  const ModeSettings s = readModeSettings(IniFile::load(path), modeSettingsSection(n));
  const Change change(*this, kAspectAll);

  // Stored captions in another of our languages read in the current one.
  for (int key = 1; key <= kKeyCount; ++key)
    m_keyCaptions[static_cast<std::size_t>(key - 1)] = shownKeyCaption(
        readKeyFunction(images.storedImage(n), key), s.keys[static_cast<std::size_t>(key - 1)]);
  // The three pointer sliders run their change actions once more in any
  // case, so the registry always gets the mode's values.
  setSlider(Slider::spin_msespeed, s.speed);
  sliderChangeAction(Slider::spin_msespeed);
  setCheckBox(CheckBox::cb_msespeed, s.enhance);
  setSlider(Slider::spin_msewheel, s.wheel);
  sliderChangeAction(Slider::spin_msewheel);
  setCheckBox(CheckBox::cb_msewheel, s.scroll);
  setSlider(Slider::spin_msedbspeed, s.dbSpeed);
  sliderChangeAction(Slider::spin_msedbspeed);
  setSlider(Slider::spin_msewheel_X, s.wheelX);
  setCheckBox(CheckBox::cb_XY, s.xy);
  // The flag takes the inverse and the toggle turns it back, which leaves
  // the flag, its mark and cb_XY equal to the value.
  xyFlag = !s.xyFlag;
  lbl_XY_1Click();
  setSlider(Slider::tb_XY, s.xyPos);

  readRadio(gb1, s.reportRate.value_or(0), [this](int on) { reportRateClick(on); });
  readRadio(gb2, s.dpi.value_or(0), [this](int on) { btn_levelClick(on); });
  for (int level = 1; level <= kDpiLevelCount; ++level)
    setSlider(static_cast<Slider>(static_cast<int>(Slider::tb_step1) + level - 1),
              s.tbStep[static_cast<std::size_t>(level - 1)]);
  readRadio(gb3, s.sensorDegree.value_or(0), [this](int on) { btn_sensordegreeClick(on); });
  readRadio(gb4, s.ledSwitch.value_or(0), [this](int on) {
    if (on == 1)
      lbl_LEDOpenClick();
    else
      lbl_LEDCloseClick();
  });
  readRadio(gb5, s.breathe.value_or(0), [this](int on) { lbl_LEDBreClick(on); });
  readRadio(gb9, s.freq.value_or(0), [this](int on) { lbl_LEDBreClick(on + 3); });
  readRadio(gb6, s.breatheColor.value_or(0), [this](int on) { lbl_LEDcolorClick(on); });
  readRadio(gb8, s.motor.value_or(0), [this](int on) { lbl_MotorClick(on); });
  readRadio(gb10, s.motorStr.value_or(0), [this](int on) { lbl_MotorClick(on + 2); });
  throwUnreadFiles();
}

ModeSettings ProgramModel::currentModeSettings() const {
  ModeSettings s;
  s.keys = m_keyCaptions;
  s.speed = slider(Slider::spin_msespeed);
  s.enhance = checkBox(CheckBox::cb_msespeed);
  s.mse1 = mse1Flag;
  s.wheel = slider(Slider::spin_msewheel);
  s.scroll = checkBox(CheckBox::cb_msewheel);
  s.mse2 = mse2Flag;
  s.dbSpeed = slider(Slider::spin_msedbspeed);
  s.wheelX = slider(Slider::spin_msewheel_X);
  s.xy = checkBox(CheckBox::cb_XY);
  s.xyFlag = xyFlag;
  s.xyPos = slider(Slider::tb_XY);
  s.reportRate = radioValue(gb1);
  s.dpi = radioValue(gb2);
  for (int level = 1; level <= kDpiLevelCount; ++level)
    s.tbStep[static_cast<std::size_t>(level - 1)] =
        slider(static_cast<Slider>(static_cast<int>(Slider::tb_step1) + level - 1));
  s.sensorDegree = radioValue(gb3);
  s.ledSwitch = radioValue(gb4);
  s.breathe = radioValue(gb5);
  s.freq = radioValue(gb9);
  s.breatheColor = radioValue(gb6);
  s.motor = radioValue(gb8);
  s.motorStr = radioValue(gb10);
  return s;
}

void ProgramModel::WriteModeSettings(int n) {
  if (iniWriteSuppressed || n < 1 || n > kModeCount) return;
  const std::string path = configurePath(modeSettingsFileName(n));
  IniFile file = IniFile::load(path);
  ModeSettings settings = currentModeSettings();
  keepStoredCaptions(settings.keys, readModeSettings(file, modeSettingsSection(n)).keys);
  writeModeSettings(file, modeSettingsSection(n), settings);
  file.save(path);
}

GeneralSettings ProgramModel::generalSettings() const {
  GeneralSettings general;
  general.modeNames = m_modeNames;
  for (std::size_t i = 0; i < m_storedModeNames.size(); ++i)
    if (m_storedModeNames[i]) general.modeNames[i] = *m_storedModeNames[i];
  general.cbMode = radioValue(gb7);
  general.cycleMax = checkBox(CheckBox::cbCycle_Max);
  general.cycleMaxFlag = cycleMaxFlag;
  general.cycle = checkBox(CheckBox::cbCycle);
  general.cycleFlag = cycleFlag;
  general.cycleCount = m_cycleCount;
  return general;
}

void ProgramModel::ReadGeneralSettings() {
  const std::string path = configurePath(kGeneralSettingsFile);
  if (!fileExists(path)) return;
  const GeneralSettings g = readGeneralSettings(IniFile::load(path));
  const Change change(*this, kAspectModeNames | kAspectCurrentMode | kAspectChecks);
  for (int mode = 1; mode <= kModeCount; ++mode) {
    const auto i = static_cast<std::size_t>(mode - 1);
    m_modeNames[i] = shownModeName(mode, g.modeNames[i]);
    m_storedModeNames[i].reset();
    if (m_modeNames[i] != g.modeNames[i]) m_storedModeNames[i] = g.modeNames[i];
  }
  readRadio(gb7, g.cbMode.value_or(0), [this](int on) { SelectMode(on); });
  setCheckBox(CheckBox::cbCycle_Max, g.cycleMax);
  cycleMaxFlag = !g.cycleMaxFlag;
  lbl_cycle_maxClick();
  setCheckBox(CheckBox::cbCycle, g.cycle);
  cycleFlag = !g.cycleFlag;
  lbl_cycleClick();
  m_cycleCount = g.cycleCount;
  throwUnreadFiles();
}

void ProgramModel::WriteGeneralSettings() {
  if (iniWriteSuppressed) return;
  const std::string path = configurePath(kGeneralSettingsFile);
  IniFile file = IniFile::load(path);
  ModeSettings current = currentModeSettings();
  GeneralSettings general = generalSettings();
  const GeneralSettings stored = readGeneralSettings(file);
  keepStoredCaptions(general.modeNames, stored.modeNames);
  keepStoredCaptions(current.keys, readModeSettings(file, kGeneralSettingsSection).keys);
  writeGeneralSettings(file, current, general);
  file.save(path);
}

}  // namespace kestrovane
