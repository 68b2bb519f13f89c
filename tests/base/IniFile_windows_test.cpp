// Compares the INI model with the profile functions of Windows (here: wine's,
// under code page 936) on the same files.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "base/IniFile.h"
#include "config/SettingsFiles.h"
#include "tests/TempFolder.h"

namespace kestrovane {
namespace {

namespace fs = std::filesystem;

class ProfileFunctions : public ::testing::Test {
 protected:
  // Full paths always: a bare name would go to the Windows folder.
  fs::path file(const std::string& name) const { return fs::absolute(m_dir.path() / name); }
  static void put(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    ASSERT_TRUE(out.good());
  }
  static std::string get(const fs::path& path) { return test::TempFolder::readFile(path); }
  static std::optional<std::string> profileValue(const fs::path& path, const std::string& section,
                                                 const std::string& key) {
    static const char kAbsent[] =
        "\x01"
        "absent";
    char buffer[1024];
    const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), kAbsent, buffer,
                                             sizeof buffer, path.string().c_str());
    const std::string text(buffer, n);
    if (text == kAbsent) return std::nullopt;
    return text;
  }
  test::TempFolder m_dir;
};

const std::vector<std::string> kTexts = {
    "[Mode1]\r\n  Key1  =  Copy  \r\nKey2=first\r\nkey2=second\r\nno equals\r\n"
    "\tKey4\t=\t\"quoted\"\t\r\nKey5='single'\r\nKey6=\"open\r\nKey7=a=b\r\nKey8=\r\n"
    "[Broken\r\nKey9=still Mode1\r\n[ Data ] trailing\r\nData0=5\r\n[mode1]\r\nKey10=x\r\n",
    "[GM]\nMode1=\xCA\xF3\xB1\xEA\nCycle=1\r[\xC9\xE8\xD6\xC3]\r\xC4\xA3\xCA\xBD=\xB9\xA4\r\n",
    "[\x81\x5D]\r\nK=five-d\r\n[\x81\x41]\r\nK=upper\r\n[\x81\x61]\r\nK=lower\r\n",
    "\r\n\r\n[S]\r\n\r\nk=1\r\n\r\n[T]\r\nk=2",
};

struct Query {
  std::string section, key;
};
const std::vector<Query> kQueries = {
    {"Mode1", "Key1"},
    {"MODE1", "key1"},
    {" Mode1 ", " Key1 "},
    {"Mode1", "Key2"},
    {"Mode1", "no equals"},
    {"Mode1", "Key4"},
    {"Mode1", "Key5"},
    {"Mode1", "Key6"},
    {"Mode1", "Key7"},
    {"Mode1", "Key8"},
    {"Mode1", "Key9"},
    {"Broken", "Key9"},
    {"Data", "Data0"},
    {"Mode1", "Key10"},
    {"GM", "Mode1"},
    {"gm", "CYCLE"},
    {"\xC9\xE8\xD6\xC3", "\xC4\xA3\xCA\xBD"},
    {"\x81\x5D", "K"},
    {"\x81", "K"},
    {"\x81\x41", "K"},
    {"\x81\x61", "K"},
    {"S", "k"},
    {"T", "k"},
    {"T", "missing"},
};

TEST_F(ProfileFunctions, ReadTheSameValues) {
  if (GetACP() != 936) GTEST_SKIP() << "needs code page 936 (LC_ALL=zh_CN.UTF-8 under wine)";
  for (std::size_t t = 0; t < kTexts.size(); ++t) {
    const fs::path path = file("read" + std::to_string(t) + ".ini");
    put(path, kTexts[t]);
    const IniFile ini = IniFile::load(path);
    for (const auto& q : kQueries)
      EXPECT_EQ(ini.value(q.section, q.key), profileValue(path, q.section, q.key))
          << "text " << t << ": [" << q.section << "] " << q.key;
  }
}

struct Op {
  std::string section, key;
  std::optional<std::string> value;  // nullopt removes the key
};

TEST_F(ProfileFunctions, WriteTheSameFiles) {
  if (GetACP() != 936) GTEST_SKIP() << "needs code page 936 (LC_ALL=zh_CN.UTF-8 under wine)";
  // Wine rewrites untouched lines in its own form (no blank lines, no blanks
  // around "="); real Windows keeps them. From files already in that form
  // both must write the same bytes.
  const std::vector<std::string> starts = {
      "", "[GM]\r\nMode1=Mouse\r\nCycle=1\r\n[Mode1]\r\nKey1=Copy\r\n", "[S]\r\nk=1",
      "; comment\r\n[S]\r\nk=1\r\n"};
  const std::vector<Op> ops = {
      {"GM", "cbMode", "2"},
      {"gm", "MODE1", "\xCA\xF3\xB1\xEA"},
      {"Mode1", "Key2", ""},
      {"S", "k", std::nullopt},
      {"New", "a", "b"},
      {"S", "n", "x y"},
      {"GM", "Cycle", std::nullopt},
      {"\xC9\xE8\xD6\xC3", "\xC4\xA3", "1"},
  };
  for (std::size_t s = 0; s < starts.size(); ++s) {
    const fs::path ours = file("ours" + std::to_string(s) + ".ini");
    const fs::path theirs = file("theirs" + std::to_string(s) + ".ini");
    put(ours, starts[s]);
    put(theirs, starts[s]);
    for (const auto& op : ops) {
      IniFile ini = IniFile::load(ours);
      if (op.value)
        ini.setString(op.section, op.key, *op.value);
      else
        ini.removeKey(op.section, op.key);
      ini.save(ours);
      ASSERT_TRUE(WritePrivateProfileStringA(op.section.c_str(), op.key.c_str(),
                                             op.value ? op.value->c_str() : nullptr,
                                             theirs.string().c_str()));
    }
    EXPECT_EQ(get(ours), get(theirs)) << "start " << s;
  }
}

// One key write of a settings writer.
struct KeyWrite {
  std::string section, key, value;
};

// The keys of a mode's settings in the order the program writes them, each
// spelled as the file holds it; a radio group with no button on is skipped.
std::vector<KeyWrite> modeSettingsWrites(const std::string& section, const ModeSettings& s) {
  std::vector<KeyWrite> writes;
  const auto text = [&](const std::string& key, const std::string& value) {
    writes.push_back({section, key, value});
  };
  const auto number = [&](const std::string& key, int value) { text(key, std::to_string(value)); };
  const auto group = [&](const std::string& key, const std::optional<int>& value) {
    if (value) number(key, *value);
  };
  for (std::size_t i = 0; i < s.keys.size(); ++i) text("Key" + std::to_string(i + 1), s.keys[i]);
  number("Speed", s.speed);
  number("Enhance", s.enhance ? 1 : 0);
  number("Mse1", s.mse1 ? 1 : 0);
  number("wheel", s.wheel);
  number("scroll", s.scroll ? 1 : 0);
  number("Mse2", s.mse2 ? 1 : 0);
  number("DBSpeed", s.dbSpeed);
  number("wheel_X", s.wheelX);
  number("XY", s.xy ? 1 : 0);
  number("XYFlag", s.xyFlag ? 1 : 0);
  number("XYPos", s.xyPos);
  group("ReportRate", s.reportRate);
  group("DPI", s.dpi);
  for (std::size_t i = 0; i < s.tbStep.size(); ++i)
    number("TB_Step" + std::to_string(i + 1), s.tbStep[i]);
  group("SensorDegree", s.sensorDegree);
  group("LEDSwitch", s.ledSwitch);
  group("Breathe", s.breathe);
  group("Freq", s.freq);
  group("BreatheColor", s.breatheColor);
  group("Motor", s.motor);
  group("MotorStr", s.motorStr);
  return writes;
}

std::vector<KeyWrite> generalSettingsWrites(const ModeSettings& current, const GeneralSettings& g) {
  std::vector<KeyWrite> writes = modeSettingsWrites("GM", current);
  for (std::size_t i = 0; i < g.modeNames.size(); ++i)
    writes.push_back({"GM", "Mode" + std::to_string(i + 1), g.modeNames[i]});
  if (g.cbMode) writes.push_back({"GM", "cbMode", std::to_string(*g.cbMode)});
  writes.push_back({"GM", "Cycle_Max", g.cycleMax ? "1" : "0"});
  writes.push_back({"GM", "CycleMaxFlag", g.cycleMaxFlag ? "1" : "0"});
  writes.push_back({"GM", "Cycle", g.cycle ? "1" : "0"});
  writes.push_back({"GM", "CycleFlag", g.cycleFlag ? "1" : "0"});
  writes.push_back({"GM", "Cycle_Count", g.cycleCount});
  return writes;
}

std::vector<KeyWrite> modeImageWrites(const std::string& section, const ModeImage& image) {
  std::vector<KeyWrite> writes;
  for (std::size_t i = 0; i < image.size(); ++i)
    writes.push_back({section, "Data" + std::to_string(i), std::to_string(image[i])});
  return writes;
}

// Code page 936 captions.
const std::string kLeftButton = "\xD7\xF3\xBC\xFC";                  // 左键
const std::string kRightButton = "\xD3\xD2\xBC\xFC";                 // 右键
const std::string kModeSwitch = "\xC4\xA3\xCA\xBD\xC7\xD0\xBB\xBB";  // 模式切换
const std::string kModeName = "\xC9\xE8\xD6\xC3\xC4\xA3\xCA\xBD";    // 设置模式

ModeSettings someModeSettings(int variant) {
  ModeSettings s;
  for (std::size_t i = 0; i < s.keys.size(); ++i)
    s.keys[i] = i % 3 == 0 ? kLeftButton : i % 3 == 1 ? kModeSwitch : "Key " + std::to_string(i);
  s.keys[4] = "";  // a button showing no text
  s.keys[1] = kRightButton;
  s.speed = 3 + variant;
  s.enhance = variant % 2 == 0;
  s.mse1 = s.enhance;
  s.wheel = 10;
  s.scroll = true;
  s.mse2 = true;
  s.dbSpeed = variant;
  s.wheelX = 2;
  s.xy = true;
  s.xyFlag = true;
  s.xyPos = 8;
  s.reportRate = 2;
  s.dpi = 3;
  s.tbStep = {4, 3, 1, 0};
  // No button on in this group: its key is not written.
  s.sensorDegree = std::nullopt;
  s.ledSwitch = 1;
  s.breathe = 2;
  s.freq = 0;
  s.breatheColor = 7;
  s.motor = 0;
  s.motorStr = 0;
  return s;
}

// A factory file as shipped, edited by hand: a comment on top, a key of its
// own inside the section, two keys moved to its end and a second section.
std::string editedFactoryFile(const std::string& shipped, const std::string& moved1,
                              const std::string& moved2) {
  std::string text = "; edited by hand\r\n" + shipped;
  std::string tail;
  for (const std::string& key : {moved1, moved2}) {
    const std::size_t at = text.find("\r\n" + key + "=");
    if (at == std::string::npos) return "";
    const std::size_t end = text.find("\r\n", at + 2);
    tail += text.substr(at + 2, end - at);
    text.erase(at + 2, end - at);
  }
  const std::size_t firstKey = text.find("]\r\n") + 3;
  text.insert(firstKey + (text.find("\r\n", firstKey) - firstKey) + 2, "Extra=kept\r\n");
  return text + tail + "[Other]\r\nKey1=other section\r\n";
}

class SettingsWriters : public ProfileFunctions {
 protected:
  // Writes the same keys into two copies of start: ours through the writer
  // and one save, theirs one key at a time through the profile function.
  template <typename Writer>
  void compare(const std::string& name, const std::optional<std::string>& start, Writer writer,
               const std::vector<KeyWrite>& writes) {
    const fs::path ours = file("ours-" + name);
    const fs::path theirs = file("theirs-" + name);
    if (start) {
      ASSERT_FALSE(start->empty()) << name;
      put(ours, *start);
      put(theirs, *start);
    }
    IniFile ini = IniFile::load(ours);
    writer(ini);
    ini.save(ours);
    for (const KeyWrite& w : writes)
      ASSERT_TRUE(WritePrivateProfileStringA(w.section.c_str(), w.key.c_str(), w.value.c_str(),
                                             theirs.string().c_str()))
          << name << " " << w.key;
    const std::string ourBytes = get(ours);
    EXPECT_EQ(ourBytes, get(theirs)) << name;
    EXPECT_NE(ourBytes.find(writes.back().key + "=" + writes.back().value + "\r\n"),
              std::string::npos)
        << name;
  }
  static std::string shipped(const std::string& path) {
    return get(fs::path(KESTROVANE_RESOURCES) / path);
  }
};

TEST_F(SettingsWriters, WriteWhatTheProfileFunctionsWriteKeyByKey) {
  if (GetACP() != 936) GTEST_SKIP() << "needs code page 936 (LC_ALL=zh_CN.UTF-8 under wine)";
  const ModeSettings mode2 = someModeSettings(2);
  const ModeSettings mode4 = someModeSettings(5);
  GeneralSettings general;
  for (std::size_t i = 0; i < general.modeNames.size(); ++i)
    general.modeNames[i] = kModeName + std::to_string(i + 3);
  general.modeNames[3] = "";
  general.cbMode = 3;
  general.cycleMax = true;
  general.cycleMaxFlag = true;
  general.cycleCount = "7";
  ModeImage image{};
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 37 + 5);

  const auto settingsWriter = [](const std::string& section, const ModeSettings& s) {
    return [section, s](IniFile& ini) { writeModeSettings(ini, section, s); };
  };
  const auto generalWriter = [&](IniFile& ini) { writeGeneralSettings(ini, mode4, general); };
  const auto imageWriter = [&](IniFile& ini) { writeModeImage(ini, "Mode3_data", image); };

  for (const bool fromFactory : {false, true}) {
    SCOPED_TRACE(fromFactory ? "over an edited factory file" : "from no file");
    const auto start = [&](const std::string& path, const char* moved1,
                           const char* moved2) -> std::optional<std::string> {
      if (!fromFactory) return std::nullopt;
      return editedFactoryFile(shipped(path), moved1, moved2);
    };
    const std::string tag = fromFactory ? "-factory.ini" : "-new.ini";
    compare("Mode2" + tag, start("configure/Mode2.ini", "Key3", "Speed"),
            settingsWriter("Mode2", mode2), modeSettingsWrites("Mode2", mode2));
    compare("GM" + tag, start("configure/GM.ini", "cbMode", "Key12"), generalWriter,
            generalSettingsWrites(mode4, general));
    compare("Mode3_data" + tag, start("data/Mode3_data.ini", "Data0", "Data40"), imageWriter,
            modeImageWrites("Mode3_data", image));
  }
}

}  // namespace
}  // namespace kestrovane
