// The shipped factory settings: what the generator writes now, and the
// factory values themselves, checked against sources of their own.
#include "tools/factorygen/FactorySettings.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "base/IniFile.h"
#include "tests/TempFolder.h"

namespace kestrovane {
namespace {

namespace fs = std::filesystem;

const fs::path kResources = KESTROVANE_SOURCE_DIR "/resources";

std::string shipped(const std::string& path) {
  return test::TempFolder::readFile(kResources / path);
}

// glibc's conversion, independent of the generator's own call.
std::string cp936(const std::string& utf8) {
  iconv_t cd = iconv_open("CP936", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return "<no iconv>";
  std::string in = utf8;
  std::string out(64, '\0');
  char* inPtr = in.data();
  char* outPtr = out.data();
  std::size_t inLeft = in.size();
  std::size_t outLeft = out.size();
  const std::size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (done == static_cast<std::size_t>(-1)) return "<not convertible>";
  out.resize(out.size() - outLeft);
  return out;
}

TEST(FactorySettings, ShippedFilesAreWhatTheGeneratorWrites) {
  const auto files = factory::factoryFiles();
  ASSERT_EQ(files.size(), 22u);
  for (const auto& file : files)
    EXPECT_EQ(shipped(file.path), file.bytes)
        << "resources/" << file.path
        << " is stale: run flock /tmp/kestrovane-build.lock tools/factorygen/regenerate.sh";
}

TEST(FactorySettings, FactoryCopiesEqualTheFiles) {
  std::vector<std::string> names = {"configure/GM.ini"};
  for (int n = 1; n <= 5; ++n) {
    names.push_back("configure/Mode" + std::to_string(n) + ".ini");
    names.push_back("data/Mode" + std::to_string(n) + "_data.ini");
  }
  for (const std::string& name : names) {
    const fs::path path = name;
    const std::string copy =
        (path.parent_path() / ("Default_" + path.filename().string())).string();
    EXPECT_FALSE(shipped(name).empty()) << name;
    EXPECT_EQ(shipped(name), shipped(copy)) << name;
  }
}

struct Button {
  const char* utf8;
  std::uint8_t kind, arg1, arg2;
};

// Mouse buttons (kind 1) as bits of the USB HID Button page (Usage Tables
// 1.12, page 0x09): bit 0 button 1 (primary, left), bit 1 button 2
// (secondary, right), bit 2 button 3 (tertiary, middle), bits 3 and 4
// buttons 4 and 5. WWW Home: consumer page 0x0C usage 0x0223 (AC Home), Arg1
// 0x02 high byte, Arg2 0x23 = 35 low byte. Windows: keyboard modifier byte
// bit 3, Left GUI (usage 0xE3).
constexpr std::array<Button, 12> kButtons = {{
    {"左键", 1, 0x01, 0},
    {"右键", 1, 0x02, 0},
    {"中键", 1, 0x04, 0},
    {"下翻页", 1, 0x08, 0},
    {"上翻页", 1, 0x10, 0},
    {"DPI", 8, 3, 0},
    {"Double Left Click", 5, 2, 0},
    {"WWW Home", 4, 0x02, 0x23},
    {"Windows", 3, 0x08, 0},
    {"模式切换", 7, 0, 0},
    {"左摆", 2, 1, 0},
    {"右摆", 2, 0xFF, 0},
}};

// The settings keys every mode file holds, and GM.ini holds mode 1's of.
void expectModeSettings(const IniFile& ini, const std::string& section, int mode) {
  for (std::size_t i = 0; i < kButtons.size(); ++i) {
    const std::string key = "Key" + std::to_string(i + 1);
    EXPECT_EQ(ini.value(section, key), cp936(kButtons[i].utf8)) << section << " " << key;
  }
  const std::array<std::pair<const char*, int>, 26> values = {{
      {"Speed", 5},     {"Enhance", 1},
      {"Mse1", 1},      {"wheel", 3},
      {"scroll", 0},    {"Mse2", 0},
      {"DBSpeed", 7},   {"wheel_X", 3},
      {"XY", 0},        {"XYFlag", 0},
      {"XYPos", 5},     {"ReportRate", 3},
      {"DPI", 1},       {"TB_Step1", 0},
      {"TB_Step2", 2},  {"TB_Step3", 3},
      {"TB_Step4", 4},  {"SensorDegree", 0},
      {"LEDSwitch", 0}, {"Breathe", 1},
      {"Freq", 1},      {"BreatheColor", mode - 1},
      {"Motor", 1},     {"MotorStr", 1},
      {"Key13", -1},    {"Mode6", -1},
  }};
  for (const auto& [key, value] : values) {
    if (value < 0)
      EXPECT_EQ(ini.value(section, key), std::nullopt) << section << " " << key;
    else
      EXPECT_EQ(ini.value(section, key), std::to_string(value)) << section << " " << key;
  }
}

TEST(FactorySettings, ModeFilesHoldTheFactoryValues) {
  // Slider position -> DPI step byte (resolution / 50).
  constexpr std::array<int, 5> kStepBytes = {16, 24, 32, 48, 64};
  for (int mode = 1; mode <= 5; ++mode) {
    const std::string name = "Mode" + std::to_string(mode);
    const IniFile settings = IniFile::load(kResources / "configure" / (name + ".ini"));
    const IniFile data = IniFile::load(kResources / "data" / (name + "_data.ini"));
    expectModeSettings(settings, name, mode);
    const std::string dataSection = name + "_data";
    std::array<int, 64> image{};
    for (int i = 0; i < 64; ++i) {
      const auto value = data.value(dataSection, "Data" + std::to_string(i));
      ASSERT_TRUE(value) << dataSection << " Data" << i;
      image[static_cast<std::size_t>(i)] = std::stoi(*value);
    }
    EXPECT_EQ(data.value(dataSection, "Data64"), std::nullopt);
    SCOPED_TRACE(name);

    EXPECT_EQ(image[0], mode);
    EXPECT_EQ(image[3], 4);     // 1000 Hz
    EXPECT_EQ(image[4], 2);     // DPI level 2
    EXPECT_EQ(image[5], 0x02);  // LED medium, motor off (bit 7) and weak (bit 6)
    EXPECT_EQ(image[6], 2);     // medium frequency
    EXPECT_EQ(image[7], mode);  // red, yellow, green, cyan, blue
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
      const std::size_t at = 8 + 3 * i;
      EXPECT_EQ(image[at], kButtons[i].kind) << "button " << i + 1;
      EXPECT_EQ(image[at + 1], kButtons[i].arg1) << "button " << i + 1;
      EXPECT_EQ(image[at + 2], kButtons[i].arg2) << "button " << i + 1;
    }
    for (const std::size_t reserved : {1, 2}) EXPECT_EQ(image[reserved], 0);
    for (std::size_t reserved = 44; reserved < 60; ++reserved) EXPECT_EQ(image[reserved], 0);
    EXPECT_EQ((std::array<int, 4>{image[60], image[61], image[62], image[63]}),
              (std::array<int, 4>{16, 32, 48, 64}));  // 800, 1600, 2400, 3200

    // Each settings index matches the byte the program derives from it.
    EXPECT_EQ(settings.getInt(name, "ReportRate", -1) + 1, image[3]);
    EXPECT_EQ(settings.getInt(name, "DPI", -1) + 1, image[4]);
    for (int level = 0; level < 4; ++level)
      EXPECT_EQ(kStepBytes[static_cast<std::size_t>(
                    settings.getInt(name, "TB_Step" + std::to_string(level + 1), -1))],
                image[static_cast<std::size_t>(60 + level)]);
    EXPECT_EQ(settings.getInt(name, "Breathe", -1) + 1, image[5] & 0x0F);
    EXPECT_EQ(settings.getInt(name, "Freq", -1) + 1, image[6]);
    EXPECT_EQ(settings.getInt(name, "BreatheColor", -1) + 1, image[7]);
    EXPECT_EQ(settings.getInt(name, "Motor", -1) == 0, (image[5] & 0x80) != 0);
    EXPECT_EQ(settings.getInt(name, "MotorStr", -1) == 0, (image[5] & 0x40) != 0);
  }
}

TEST(FactorySettings, GeneralFileHoldsModeOneThenTheGeneralKeys) {
  const std::string text = shipped("configure/GM.ini");
  const IniFile gm = IniFile::parse(text);
  expectModeSettings(gm, "GM", 1);
  for (int n = 1; n <= 5; ++n)
    EXPECT_EQ(gm.value("GM", "Mode" + std::to_string(n)), cp936("设置模式" + std::to_string(n)));
  // The measured bytes of the first name (PLATFORM-NOTES).
  EXPECT_EQ(gm.value("GM", "Mode1"), "\xC9\xE8\xD6\xC3\xC4\xA3\xCA\xBD\x31");
  EXPECT_EQ(gm.value("GM", "cbMode"), "0");
  EXPECT_EQ(gm.value("GM", "Cycle_Max"), "0");
  EXPECT_EQ(gm.value("GM", "CycleMaxFlag"), "0");
  EXPECT_EQ(gm.value("GM", "Cycle"), "0");
  EXPECT_EQ(gm.value("GM", "CycleFlag"), "0");
  EXPECT_EQ(gm.value("GM", "Cycle_Count"), "1");
  // One section, CR LF ends, the mode keys before the names, the loop count last.
  EXPECT_TRUE(text.starts_with("[GM]\r\nKey1="));
  EXPECT_LT(text.find("\r\nMotorStr=1\r\n"), text.find("\r\nMode1="));
  EXPECT_TRUE(text.ends_with("\r\nCycle_Count=1\r\n"));
  EXPECT_EQ(text.find('\n'), text.find('\r') + 1);
  EXPECT_EQ(text.find("\n["), std::string::npos);
}

}  // namespace
}  // namespace kestrovane
