// kestrovanectl's grammar, show and set, run as the real program in a
// scratch program folder with the factory settings.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "base/IniFile.h"
#include "device/VirtualMouse.h"
#include "tests/TempFolder.h"
#include "tests/tools/CtlProgramFolder.h"

namespace kestrovane::test {
namespace {

// Every form of the grammar and every kind of usage error: exit code, and
// a text that standard output or standard error must hold.
TEST(CommandLine, Grammar) {
  const ProgramFolder folder;
  const std::string mouse = folder.mouseOption();
  const struct {
    std::string args;
    int code;
    std::string out;
    std::string err;
  } cases[] = {
      {"--help", 0, "\n  set         Change settings of a mode", ""},
      {"-h", 0, "usage: kestrovanectl [--virtual-mouse[=DIR]]", ""},
      {"help", 0, "\n  read-modes  Back up the five modes", ""},
      {"help show", 0, "usage: kestrovanectl show [--mode N] [--json]\n", ""},
      {"set --help", 0, "usage: kestrovanectl set [--mode N]", ""},
      {"--language=en apply -h", 0, "--no-pointer  leave the desktop's pointer options alone", ""},
      {"--version", 0, "kestrovanectl " KESTROVANE_VERSION "\n", ""},
      {"", 2, "", "kestrovanectl: no command given\n"},
      {"bogus", 2, "", "kestrovanectl: unknown command 'bogus'\n"},
      {"help bogus", 2, "", "kestrovanectl: unknown command 'bogus'\n"},
      {"show --x", 2, "", "kestrovanectl: unknown option '--x' for 'show'\n"},
      {"--x show", 2, "", "kestrovanectl: unknown option '--x'\n"},
      {"show --mode", 2, "", "kestrovanectl: option '--mode' needs a value\n"},
      {"show --mode=", 2, "", "kestrovanectl: option '--mode' needs a value\n"},
      {"show --json=yes", 2, "", "kestrovanectl: option '--json' takes no value\n"},
      {"show --mode 6", 2, "", "kestrovanectl: option '--mode' takes a mode 1..5\n"},
      {"show extra", 2, "", "kestrovanectl: unexpected argument 'extra' for 'show'\n"},
      {"read-modes " + mouse, 2, "", "kestrovanectl: missing option '--out DIR'\n"},
      {"read-modes --out a --out b", 2, "", "kestrovanectl: option '--out' is given twice\n"},
      {"apply " + mouse + " " + mouse, 2, "", "option '--virtual-mouse' is given twice\n"},
      {"--language=fr show", 2, "", "kestrovanectl: unknown language 'fr' (en, zh_CN or zh_TW)\n"},
      {"set", 2, "", "kestrovanectl: missing NAME=VALUE\n"},
      {"set speed", 2, "", "kestrovanectl: 'speed' is not NAME=VALUE\n"},
      {"set bogus=1", 2, "", "kestrovanectl: unknown setting 'bogus'\n"},
      {"set key13=DPI", 2, "", "kestrovanectl: unknown setting 'key13'\n"},
      {"set motor=on motor=off", 2, "", "kestrovanectl: setting 'motor' is given twice\n"},
      {"set --list motor=on", 2, "", "kestrovanectl: '--list' takes no NAME=VALUE\n"},
      {"set --no-pointer motor=on", 2, "", "'--no-pointer' goes with '--apply'\n"},
      {"macro", 2, "", "kestrovanectl: missing argument for 'macro'\n"},
      {"macro frobnicate", 2, "", "kestrovanectl: unknown macro action 'frobnicate'\n"},
      {"macro decrypt a b", 2, "", "kestrovanectl: unexpected argument 'b' for 'macro'\n"},
      {"macro compile Macro --count", 2, "", "option '--count' needs a value\n"},
      {"macro compile Macro --endless --count 3", 2, "", "'--endless' and '--count' exclude"},
      // Both spellings of a value, global options before and after the command.
      {"show --mode 2 --json", 0, "[\n  {\"mode\": 2, ", ""},
      {"show --json --mode=2", 0, "[\n  {\"mode\": 2, ", ""},
      {"--language=en show --mode=1", 0, "\n  key1 = Left Button  [01 01 00]\n", ""},
      {"show --language zh_CN --mode 1", 0, "\n  key1 = 左键  [01 01 00]\n", ""},
      {"show --mode 1 --language=zh_TW", 0, "\n  key1 = 左鍵  [01 01 00]\n", ""},
      {mouse + " devices", 0, "\nmouse: found (entry 1, 4321:6789)\n", ""},
      {"devices " + mouse, 0, "\nmouse: found (entry 1, 4321:6789)\n", ""},
      {"macro compile Macro --count 3", 0, "0 ", ""},
      {"macro compile Macro --count=3 -- ", 0, "0 ", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    const Outcome outcome = folder.run(c.args);
    EXPECT_EQ(outcome.code, c.code) << outcome.err;
    EXPECT_NE(outcome.out.find(c.out), std::string::npos) << outcome.out;
    EXPECT_NE(outcome.err.find(c.err), std::string::npos) << outcome.err;
    if (c.code == 0) EXPECT_EQ(outcome.err, "");
    if (c.code == 2) EXPECT_EQ(outcome.out, "");
  }
  // No usage error wrote anything.
  EXPECT_FALSE(fs::exists(folder.path() / "a"));
}

// What the window's tables say about the factory files' values.
const std::array<const char*, 4> kRates = {"125", "250", "500", "1000"};
const std::array<const char*, 5> kSteps = {"800", "1200", "1600", "2400", "3200"};
const std::array<const char*, 4> kAngles = {"0", "90", "180", "270"};
const std::array<const char*, 3> kLevels = {"\"high\"", "\"medium\"", "\"low\""};
const std::array<const char*, 3> kFrequencies = {"\"fast\"", "\"medium\"", "\"slow\""};
const std::array<const char*, 8> kColours = {"\"red\"",  "\"yellow\"", "\"green\"", "\"cyan\"",
                                             "\"blue\"", "\"purple\"", "\"white\"", "\"cycle\""};
const std::array<const char*, 2> kOnOff = {"\"on\"", "\"off\""};

// The language keys of the functions in the factory set, by code.
const std::map<std::array<int, 3>, const char*> kFactoryFunctions = {
    {{1, 1, 0}, "KBK1"},  {{1, 2, 0}, "KBK2"}, {{1, 4, 0}, "KBK3"},   {{1, 8, 0}, "KBK4"},
    {{1, 16, 0}, "KBK5"}, {{2, 1, 0}, "KBK6"}, {{2, 255, 0}, "KBK7"}, {{5, 2, 0}, "KG1"},
    {{4, 2, 35}, "KIE1"}, {{3, 8, 0}, "KOS7"}, {{8, 3, 0}, "KOT3"},   {{7, 0, 0}, "KM9"},
};

std::string trimmedText(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

// show --json of the factory set in English, each value against the files
// read here and the window's tables above.
TEST(Show, JsonOfTheFactorySet) {
  const ProgramFolder folder;
  const Outcome shown = folder.run("show --json --language=en");
  ASSERT_EQ(shown.code, 0) << shown.err;
  ASSERT_TRUE(shown.out.starts_with("[\n") && shown.out.ends_with("}\n]\n")) << shown.out;
  const fs::path resources = KESTROVANE_RESOURCES;
  const IniFile english = IniFile::load(resources / "Language/1033/English.ini");
  const IniFile general = IniFile::load(resources / "configure/GM.ini");
  std::vector<std::string> modes;
  for (std::size_t at = shown.out.find("{\"mode\": "); at != std::string::npos;) {
    const std::size_t next = shown.out.find("{\"mode\": ", at + 1);
    modes.push_back(shown.out.substr(at, next - at));
    at = next;
  }
  ASSERT_EQ(modes.size(), 5u);
  for (int n = 1; n <= 5; ++n) {
    SCOPED_TRACE(n);
    const std::string& json = modes[static_cast<std::size_t>(n - 1)];
    const std::string mode = "Mode" + std::to_string(n);
    const IniFile settings = IniFile::load(resources / "configure" / (mode + ".ini"));
    const IniFile data = IniFile::load(resources / "data" / (mode + "_data.ini"));
    const auto value = [&](const char* key) { return settings.getInt(mode, key, -1); };
    const auto at = [](const auto& table, int index) {
      return std::string(table.at(static_cast<std::size_t>(index)));
    };
    const std::vector<std::string> expected = {
        "{\"mode\": " + std::to_string(n) + ", \"mode-name\": \"" +
            english.getString("English", "Mode" + std::to_string(n), "?") +
            "\", \"current\": " + (general.getInt("GM", "cbMode", -1) == n - 1 ? "true" : "false"),
        "\"report-rate\": " + at(kRates, value("ReportRate")),
        "\"dpi-level\": " + std::to_string(value("DPI") + 1),
        "\"dpi-step1\": " + at(kSteps, value("TB_Step1")),
        "\"dpi-step2\": " + at(kSteps, value("TB_Step2")),
        "\"dpi-step3\": " + at(kSteps, value("TB_Step3")),
        "\"dpi-step4\": " + at(kSteps, value("TB_Step4")),
        "\"sensor-angle\": " + at(kAngles, value("SensorDegree")),
        "\"lighting\": " + at(kOnOff, value("LEDSwitch")),
        "\"lighting-level\": " + at(kLevels, value("Breathe")),
        "\"lighting-frequency\": " + at(kFrequencies, value("Freq")),
        "\"lighting-colour\": " + at(kColours, value("BreatheColor")),
        "\"motor\": " + at(kOnOff, value("Motor")),
        "\"motor-strength\": " + std::string(value("MotorStr") == 0 ? "\"strong\"" : "\"weak\""),
        "\"pointer-speed\": " + std::to_string(value("Speed")),
        "\"pointer-precision\": " + at(kOnOff, value("Enhance") != 0 ? 0 : 1),
        "\"wheel-lines\": " + std::to_string(value("wheel")),
        "\"wheel-screen\": " + at(kOnOff, value("scroll") != 0 ? 0 : 1),
        "\"double-click-speed\": " + std::to_string(value("DBSpeed")),
        "\"wheel-horizontal\": " + std::to_string(value("wheel_X")),
        "\"xy-sync\": " + at(kOnOff, value("XY") != 0 ? 0 : 1),
        "\"xy-sensitivity\": " + std::to_string(value("XYPos") - 5),
        "\"loop\": \"off\"",
        "\"loop-count\": \"" + general.getString("GM", "Cycle_Count", "?") + "\"}",
    };
    for (const std::string& text : expected) EXPECT_NE(json.find(text), std::string::npos) << text;
    for (int k = 1; k <= 12; ++k) {
      std::array<int, 3> code{};
      for (int b = 0; b < 3; ++b)
        code[static_cast<std::size_t>(b)] =
            data.getInt(mode + "_data", "Data" + std::to_string(8 + 3 * (k - 1) + b), -1);
      ASSERT_TRUE(kFactoryFunctions.contains(code)) << k;
      const std::string name =
          trimmedText(english.getString("English", kFactoryFunctions.at(code), "?"));
      EXPECT_NE(json.find("{\"key\": " + std::to_string(k) + ", \"function\": \"" + name +
                          "\", \"code\": [" + std::to_string(code[0]) + ", " +
                          std::to_string(code[1]) + ", " + std::to_string(code[2]) + "]}"),
                std::string::npos)
          << k;
    }
  }
}

// The bytes of every settings file of a folder, by name.
std::map<std::string, std::string> settingsFiles(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const char* sub : {"configure", "data"})
    for (const auto& entry : fs::directory_iterator(folder / sub))
      files[std::string(sub) + "/" + entry.path().filename().string()] =
          TempFolder::readFile(entry.path());
  return files;
}

// set for every name, each in a fresh factory folder (mode 1 current): the
// keys of the files that must follow, by the files' rules: a radio group
// stores its 0-based choice, the image the option's byte (Data3 rate code,
// Data4 DPI level, Data5 LED level | motor bit 7 | strength bit 6, Data6
// LED frequency, Data7 colour with the cycle 0, Data60.. the DPI step / 50,
// Data8 + 3(N-1).. button N's function).
TEST(Set, EveryNameThroughTheWindowsOperations) {
  const struct {
    std::string args;
    std::vector<std::pair<std::string, std::string>> expected;  // "file:key", value
  } cases[] = {
      {"report-rate=250", {{"Mode1.ini:ReportRate", "1"}, {"Mode1_data.ini:Data3", "2"}}},
      {"dpi-level=4", {{"Mode1.ini:DPI", "3"}, {"Mode1_data.ini:Data4", "4"}}},
      {"dpi-step1=1200", {{"Mode1.ini:TB_Step1", "1"}, {"Mode1_data.ini:Data60", "24"}}},
      {"dpi-step2=800", {{"Mode1.ini:TB_Step2", "0"}, {"Mode1_data.ini:Data61", "16"}}},
      {"dpi-step3=3200", {{"Mode1.ini:TB_Step3", "4"}, {"Mode1_data.ini:Data62", "64"}}},
      {"dpi-step4=1600", {{"Mode1.ini:TB_Step4", "2"}, {"Mode1_data.ini:Data63", "32"}}},
      {"sensor-angle=270", {{"Mode1.ini:SensorDegree", "3"}, {"Mode1_data.ini:Data5", "2"}}},
      {"lighting=off",
       {{"Mode1.ini:LEDSwitch", "1"},
        {"Mode1_data.ini:Data5", "0"},
        {"Mode1_data.ini:Data6", "0"}}},
      {"lighting-level=LOW", {{"Mode1.ini:Breathe", "2"}, {"Mode1_data.ini:Data5", "3"}}},
      {"lighting-frequency=slow", {{"Mode1.ini:Freq", "2"}, {"Mode1_data.ini:Data6", "3"}}},
      {"lighting-colour=blue", {{"Mode1.ini:BreatheColor", "4"}, {"Mode1_data.ini:Data7", "5"}}},
      {"lighting-colour=cycle", {{"Mode1.ini:BreatheColor", "7"}, {"Mode1_data.ini:Data7", "0"}}},
      {"motor=on", {{"Mode1.ini:Motor", "0"}, {"Mode1_data.ini:Data5", "130"}}},
      {"motor-strength=strong", {{"Mode1.ini:MotorStr", "0"}, {"Mode1_data.ini:Data5", "66"}}},
      {"pointer-speed=8", {{"Mode1.ini:Speed", "8"}, {"GM.ini:Speed", "8"}}},
      {"pointer-precision=off", {{"Mode1.ini:Enhance", "0"}}},
      {"wheel-lines=6", {{"Mode1.ini:wheel", "6"}}},
      {"wheel-screen=on", {{"Mode1.ini:scroll", "1"}}},
      {"double-click-speed=2", {{"Mode1.ini:DBSpeed", "2"}}},
      {"wheel-horizontal=9", {{"Mode1.ini:wheel_X", "9"}}},
      {"xy-sync=on", {{"Mode1.ini:XY", "1"}, {"Mode1.ini:XYFlag", "1"}}},
      {"xy-sensitivity=-5", {{"Mode1.ini:XYPos", "0"}}},
      {"loop=endless", {{"GM.ini:Cycle_Max", "1"}, {"GM.ini:CycleMaxFlag", "1"}}},
      {"loop=count loop-count=4",
       {{"GM.ini:Cycle", "1"}, {"GM.ini:CycleFlag", "1"}, {"GM.ini:Cycle_Count", "4"}}},
      {"mode-name=Sniper", {{"GM.ini:Mode1", "Sniper"}}},
      {"current=4", {{"GM.ini:cbMode", "3"}}},
      {"key4=copy",
       {{"Mode1.ini:Key4", "Copy"},
        {"Mode1_data.ini:Data17", "3"},
        {"Mode1_data.ini:Data18", "1"},
        {"Mode1_data.ini:Data19", "6"}}},
      // A name in another of our languages, the left button moved to button 2.
      {"key1='Right Button' key2=左键",
       {{"Mode1.ini:Key1", "Right Button"},
        {"Mode1.ini:Key2", "Left Button"},
        {"Mode1_data.ini:Data8", "1"},
        {"Mode1_data.ini:Data9", "2"},
        {"Mode1_data.ini:Data11", "1"},
        {"Mode1_data.ini:Data12", "1"}}},
      // Combo is third in the macro list's order (a_partial, b_held, Combo).
      {"key12=macro:Combo",
       {{"Mode1.ini:Key12", "Combo"},
        {"Mode1_data.ini:Data41", "9"},
        {"Mode1_data.ini:Data42", "2"}}},
      // Another mode: its files, the current mode stays.
      {"--mode 3 report-rate=125",
       {{"Mode3.ini:ReportRate", "0"}, {"Mode3_data.ini:Data3", "1"}, {"GM.ini:cbMode", "0"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    const ProgramFolder folder;
    const Outcome outcome = folder.run("--language=en set " + c.args);
    ASSERT_EQ(outcome.code, 0) << outcome.err;
    EXPECT_EQ(outcome.out + outcome.err, "");
    for (const auto& [where, value] : c.expected) {
      const std::string file = where.substr(0, where.find(':'));
      const std::string key = where.substr(where.find(':') + 1);
      const std::string section = file.substr(0, file.find('.'));
      const fs::path path =
          folder.path() / (file.find("_data") != std::string::npos ? "data" : "configure") / file;
      EXPECT_EQ(IniFile::load(path).getString(section, key, "(none)"), value) << where;
    }
  }
}

// A mode must keep the left button on one of its first three buttons: the
// refusal writes nothing, not even the settings named before it.
TEST(Set, RefusalsWriteNothing) {
  const ProgramFolder folder;
  const auto before = settingsFiles(folder.path());
  for (const std::string args :
       {"report-rate=250 key1='Right Button'", "--mode 2 key3=DPI key1=Copy key2=Copy",
        "report-rate=300", "key5=macro:Missing", "key5=Nonsense", "loop-count=10",
        "xy-sensitivity=6", "current=0"}) {
    SCOPED_TRACE(args);
    const Outcome outcome = folder.run("--language=en set " + args);
    EXPECT_EQ(outcome.code, 1);
    EXPECT_TRUE(outcome.err.starts_with("kestrovanectl: ")) << outcome.err;
    EXPECT_TRUE(outcome.err.ends_with(" (nothing was written)\n")) << outcome.err;
    EXPECT_EQ(settingsFiles(folder.path()), before);
  }
  EXPECT_NE(folder.run("set key1='Right Button'").err.find("must keep the left button"),
            std::string::npos);
}

// --apply writes what set saved to the mouse, --no-pointer leaves the
// pointer options alone (the one run that waits the mouse's pacing).
TEST(Set, ApplySendsTheResultToTheMouse) {
  const ProgramFolder folder;
  const Outcome outcome =
      folder.run("set --apply --no-pointer report-rate=250 " + folder.mouseOption());
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_EQ(VirtualMouse(folder.mouseDir()).modeImage(1)[3], 2);
  EXPECT_FALSE(fs::exists(folder.path() / "KestrovaneDriver" / "pointer.ini"));
}

}  // namespace
}  // namespace kestrovane::test
