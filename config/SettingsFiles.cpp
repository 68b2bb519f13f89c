#include "config/SettingsFiles.h"

namespace kestrovane {

namespace {

std::string numberedName(std::string_view stem, int n, std::string_view tail = {}) {
  std::string name(stem);
  name += std::to_string(n);
  name += tail;
  return name;
}

// Visits the keys of a mode's settings in the order the file holds them.
template <typename Settings, typename Visit>
void forEachModeKey(Settings& s, Visit&& visit) {
  for (int n = 1; n <= kKeyCount; ++n)
    visit(numberedName("Key", n), s.keys[static_cast<std::size_t>(n - 1)]);
  visit("Speed", s.speed);
  visit("Enhance", s.enhance);
  visit("Mse1", s.mse1);
  visit("wheel", s.wheel);
  visit("scroll", s.scroll);
  visit("Mse2", s.mse2);
  visit("DBSpeed", s.dbSpeed);
  visit("wheel_X", s.wheelX);
  visit("XY", s.xy);
  visit("XYFlag", s.xyFlag);
  visit("XYPos", s.xyPos);
  visit("ReportRate", s.reportRate);
  visit("DPI", s.dpi);
  for (int n = 1; n <= 4; ++n)
    visit(numberedName("TB_Step", n), s.tbStep[static_cast<std::size_t>(n - 1)]);
  visit("SensorDegree", s.sensorDegree);
  visit("LEDSwitch", s.ledSwitch);
  visit("Breathe", s.breathe);
  visit("Freq", s.freq);
  visit("BreatheColor", s.breatheColor);
  visit("Motor", s.motor);
  visit("MotorStr", s.motorStr);
}

// Visits the general keys of GM.ini in their order.
template <typename Settings, typename Visit>
void forEachGeneralKey(Settings& g, Visit&& visit) {
  for (int n = 1; n <= kModeCount; ++n)
    visit(numberedName("Mode", n), g.modeNames[static_cast<std::size_t>(n - 1)]);
  visit("cbMode", g.cbMode);
  visit("Cycle_Max", g.cycleMax);
  visit("CycleMaxFlag", g.cycleMaxFlag);
  visit("Cycle", g.cycle);
  visit("CycleFlag", g.cycleFlag);
  visit("Cycle_Count", g.cycleCount);
}

// Reads one value of any of the settings' kinds.
struct Reader {
  const IniFile& file;
  std::string_view section;

  void operator()(const std::string& key, std::string& value) const {
    value = file.getString(section, key);
  }
  void operator()(const std::string& key, int& value) const {
    value = file.getInt(section, key, 0);
  }
  void operator()(const std::string& key, bool& value) const {
    value = file.getInt(section, key, 0) != 0;
  }
  void operator()(const std::string& key, std::optional<int>& value) const {
    value = file.getInt(section, key, 0);
  }
};

// Writes one value; a radio group with no button on writes nothing.
struct Writer {
  IniFile& file;
  std::string_view section;

  void operator()(const std::string& key, const std::string& value) const {
    file.setString(section, key, value);
  }
  void operator()(const std::string& key, int value) const { file.setInt(section, key, value); }
  void operator()(const std::string& key, bool value) const {
    file.setInt(section, key, value ? 1 : 0);
  }
  void operator()(const std::string& key, const std::optional<int>& value) const {
    if (value) file.setInt(section, key, *value);
  }
};

}  // namespace

std::string modeSettingsFileName(int mode) {
  return numberedName("Mode", mode, ".ini");
}

std::string modeSettingsSection(int mode) {
  return numberedName("Mode", mode);
}

std::string modeImageFileName(int mode) {
  return numberedName("Mode", mode, "_data.ini");
}

std::string modeImageSection(int mode) {
  return numberedName("Mode", mode, "_data");
}

ModeSettings readModeSettings(const IniFile& file, std::string_view section) {
  ModeSettings settings;
  forEachModeKey(settings, Reader{file, section});
  return settings;
}

void writeModeSettings(IniFile& file, std::string_view section, const ModeSettings& settings) {
  forEachModeKey(settings, Writer{file, section});
}

GeneralSettings readGeneralSettings(const IniFile& file) {
  GeneralSettings general;
  forEachGeneralKey(general, Reader{file, kGeneralSettingsSection});
  return general;
}

void writeGeneralSettings(IniFile& file, const ModeSettings& current,
                          const GeneralSettings& general) {
  writeModeSettings(file, kGeneralSettingsSection, current);
  forEachGeneralKey(general, Writer{file, kGeneralSettingsSection});
}

ModeImage readModeImage(const IniFile& file, std::string_view section) {
  ModeImage image{};
  for (std::size_t i = 0; i < image.size(); ++i)
    image[i] = static_cast<std::uint8_t>(
        static_cast<unsigned>(file.getInt(section, numberedName("Data", static_cast<int>(i)), 0)) &
        0xFFu);
  return image;
}

void writeModeImage(IniFile& file, std::string_view section, const ModeImage& image) {
  for (std::size_t i = 0; i < image.size(); ++i)
    file.setInt(section, numberedName("Data", static_cast<int>(i)), image[i]);
}

}  // namespace kestrovane
