#include "tools/factorygen/FactorySettings.h"

#include <array>
#include <cerrno>
#include <stdexcept>
#include <string_view>

#include "base/IniFile.h"
#include "config/KeyFunction.h"
#include "config/ModeImages.h"
#include "config/SettingsFiles.h"
#include "tools/common/StrictEncoder.h"

namespace kestrovane::factory {
namespace {

// The factory values. Every mode is alike except its LED colour, which is
// the mode's number (red, yellow, green, cyan, blue). Captions are UTF-8 here
// and code page 936 in the files.
struct FactoryButton {
  std::string_view caption;
  KeyFunction code;
};

struct FactoryTable {
  // The captions say what the button does. Mouse button bits follow the USB
  // HID Button page: 1 left, 2 right, 4 middle, 8 and 16 buttons 4 and 5.
  std::array<FactoryButton, kKeyCount> buttons;
  int reportRate;  // 3: 1000 Hz
  int dpi;         // 1: level 2
  std::array<int, 4> tbStep;
  int sensorDegree;
  int ledSwitch;  // 0: on
  int breathe;    // 1: medium level
  int freq;       // 1: medium frequency
  int motor;      // 1: off
  int motorStr;   // 1: weak
  int speed;      // 5: Windows' own sensitivity 10
  bool enhance;
  bool mse1;
  int wheel;  // lines per notch
  bool scroll;
  bool mse2;
  int dbSpeed;  // 7: 480 ms, the nearest to Windows' own 500
  int wheelX;
  bool xy;
  bool xyFlag;
  int xyPos;                        // 5: the middle, "0"
  int currentMode;                  // 1..5
  std::string_view modeNamePrefix;  // + the mode's number
  bool cycleMax;
  bool cycleMaxFlag;
  bool cycle;
  bool cycleFlag;
  std::string_view cycleCount;
};

constexpr FactoryTable kFactory = {
    .buttons = {{
        {"左键", {kKindMouseButton, 1, 0}},
        {"右键", {kKindMouseButton, 2, 0}},
        {"中键", {kKindMouseButton, 4, 0}},
        {"下翻页", {kKindMouseButton, 8, 0}},
        {"上翻页", {kKindMouseButton, 16, 0}},
        {"DPI", {kKindDevice, 3, 0}},
        {"Double Left Click", {kKindLeftBurst, 2, 0}},
        {"WWW Home", {kKindConsumer, 2, 35}},  // consumer usage 0x0223, AC Home
        {"Windows", {kKindKeyboard, 8, 0}},    // modifier bit 3, left GUI
        {"模式切换", {kKindModeSwitch, 0, 0}},
        {"左摆", {kKindTilt, 1, 0}},
        {"右摆", {kKindTilt, 255, 0}},
    }},
    .reportRate = 3,
    .dpi = 1,
    .tbStep = {0, 2, 3, 4},
    .sensorDegree = 0,
    .ledSwitch = 0,
    .breathe = 1,
    .freq = 1,
    .motor = 1,
    .motorStr = 1,
    .speed = 5,
    .enhance = true,
    .mse1 = true,
    .wheel = 3,
    .scroll = false,
    .mse2 = false,
    .dbSpeed = 7,
    .wheelX = 3,
    .xy = false,
    .xyFlag = false,
    .xyPos = 5,
    .currentMode = 1,
    .modeNamePrefix = "设置模式",
    .cycleMax = false,
    .cycleMaxFlag = false,
    .cycle = false,
    .cycleFlag = false,
    .cycleCount = "1",
};

ModeSettings modeSettings(int mode, const StrictEncoder& cp936) {
  ModeSettings s;
  for (std::size_t i = 0; i < s.keys.size(); ++i) s.keys[i] = cp936(kFactory.buttons[i].caption);
  s.speed = kFactory.speed;
  s.enhance = kFactory.enhance;
  s.mse1 = kFactory.mse1;
  s.wheel = kFactory.wheel;
  s.scroll = kFactory.scroll;
  s.mse2 = kFactory.mse2;
  s.dbSpeed = kFactory.dbSpeed;
  s.wheelX = kFactory.wheelX;
  s.xy = kFactory.xy;
  s.xyFlag = kFactory.xyFlag;
  s.xyPos = kFactory.xyPos;
  s.reportRate = kFactory.reportRate;
  s.dpi = kFactory.dpi;
  s.tbStep = kFactory.tbStep;
  s.sensorDegree = kFactory.sensorDegree;
  s.ledSwitch = kFactory.ledSwitch;
  s.breathe = kFactory.breathe;
  s.freq = kFactory.freq;
  s.breatheColor = mode - 1;
  s.motor = kFactory.motor;
  s.motorStr = kFactory.motorStr;
  return s;
}

// The image the program builds when it loads these settings: each option's
// own write, in the order the settings are replayed. Reserved bytes stay 0.
ModeImage modeImage(int mode, const ModeSettings& s) {
  ModeImage image{};
  image[kModeNumberByte] = static_cast<std::uint8_t>(mode);
  for (int n = 1; n <= kKeyCount; ++n)
    writeKeyFunction(image, n, kFactory.buttons[static_cast<std::size_t>(n - 1)].code);
  writeRateCode(image, static_cast<std::uint8_t>(*s.reportRate + 1));
  writeDpiLevel(image, static_cast<std::uint8_t>(*s.dpi + 1));
  for (int level = 1; level <= kDpiLevelCount; ++level)
    if (!writeDpiStep(image, level, s.tbStep[static_cast<std::size_t>(level - 1)]))
      throw std::runtime_error("a DPI step outside the slider");
  writeLedSwitch(image, *s.ledSwitch == 0);
  writeLedLevel(image, static_cast<std::uint8_t>(*s.breathe + 1));
  writeLedFrequency(image, static_cast<std::uint8_t>(*s.freq + 1));
  writeLedColor(image, *s.breatheColor + 1);
  writeMotor(image, *s.motor == 0);
  writeMotorStrength(image, *s.motorStr == 0);
  return image;
}

void addWithFactoryCopy(std::vector<GeneratedFile>& files, std::string_view folder,
                        const std::string& name, const IniFile& ini) {
  const std::string bytes = ini.text();
  std::string path(folder);
  path += '/';
  files.push_back({path + name, bytes});
  files.push_back({path + std::string(kFactoryCopyPrefix) + name, bytes});
}

}  // namespace

std::vector<GeneratedFile> factoryFiles() {
  const StrictEncoder cp936("CP936");
  std::vector<GeneratedFile> files;

  GeneralSettings general;
  for (int n = 1; n <= kModeCount; ++n)
    general.modeNames[static_cast<std::size_t>(n - 1)] =
        cp936(std::string(kFactory.modeNamePrefix) + std::to_string(n));
  general.cbMode = kFactory.currentMode - 1;
  general.cycleMax = kFactory.cycleMax;
  general.cycleMaxFlag = kFactory.cycleMaxFlag;
  general.cycle = kFactory.cycle;
  general.cycleFlag = kFactory.cycleFlag;
  general.cycleCount = std::string(kFactory.cycleCount);
  IniFile gm;
  writeGeneralSettings(gm, modeSettings(kFactory.currentMode, cp936), general);
  addWithFactoryCopy(files, "configure", std::string(kGeneralSettingsFile), gm);

  for (int n = 1; n <= kModeCount; ++n) {
    const ModeSettings settings = modeSettings(n, cp936);
    IniFile ini;
    writeModeSettings(ini, modeSettingsSection(n), settings);
    addWithFactoryCopy(files, "configure", modeSettingsFileName(n), ini);
  }
  for (int n = 1; n <= kModeCount; ++n) {
    IniFile ini;
    writeModeImage(ini, modeImageSection(n), modeImage(n, modeSettings(n, cp936)));
    addWithFactoryCopy(files, "data", modeImageFileName(n), ini);
  }
  return files;
}

}  // namespace kestrovane::factory
