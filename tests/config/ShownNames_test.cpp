// The shipped factory set read in each of our languages: stored button and
// mode names that one of our languages gives to the function or mode are
// shown in the user's language, everything else as stored, and the
// left-button rule holds on the translated names.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "config/CaptionTable.h"
#include "tests/program/ModelRig.h"

namespace kestrovane::test {
namespace {

namespace fs = std::filesystem;

struct FactoryRig : ModelRig {
  explicit FactoryRig(Language code) {
    for (const char* dir : {"configure", "data", "Language"})
      fs::copy(fs::path(KESTROVANE_RESOURCES) / dir, folder.path() / dir,
               fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    model.language = code;
    texts = LanguageTexts::load(code, model.paths());
  }

  // Start-up's order: texts, general settings, the current mode.
  void start() {
    EXPECT_EQ(model.LoadMainTexts(), "");
    model.ReadGeneralSettings();
    model.LoadCurrentMode();
  }

  // The language's name of a function menu row.
  std::string nameOf(std::string_view label) const { return texts->text(findCaption(label)->key); }

  std::string shown(int key) const { return codePageToUtf8(model.keyCaption(key)); }

  std::optional<LanguageTexts> texts;
};

// The factory buttons by the function each one's code holds (USB HID: bit 1
// left, bit 2 right, bit 4 middle; consumer 0x0223 AC Home; the GUI key).
constexpr std::array<std::string_view, kKeyCount> kFactoryFunctions{
    "lbl_msekey_left",    "lbl_msekey_right", "lbl_msekey_mid",    "lbl_msekey_back",
    "lbl_msekey_forward", "lbl_other_dpi",    "lbl_gaming_double", "lbl_ie_home",
    "lbl_os_win",         "lbl_mode",         "lbl_msekey_ltilt",  "lbl_msekey_rtilt"};

TEST(ShownNames, TheFactorySetReadsInEachOfOurLanguages) {
#ifdef _WIN32
  // Windows reads language files in the system's code page: the Big5 file
  // belongs to a Traditional Chinese system, not to this code page 936 one.
  const std::array languages{Language::ENU, Language::CHS};
#else
  const std::array languages{Language::ENU, Language::CHT, Language::CHS};
#endif
  for (Language code : languages) {
    SCOPED_TRACE(std::string(languageCode(code)));
    FactoryRig rig(code);
    rig.start();
    for (int key = 1; key <= kKeyCount; ++key)
      EXPECT_EQ(rig.shown(key), rig.nameOf(kFactoryFunctions[static_cast<std::size_t>(key - 1)]))
          << "Key" << key;
    // The file itself read through its code page (936 on a Chinese Windows).
    if (code == Language::CHS) EXPECT_EQ(rig.model.caption("lbl_title2"), "宏管理");
    if (code == Language::ENU) EXPECT_EQ(rig.model.caption("lbl_title2"), "Macros");
    for (int mode = 1; mode <= kModeCount; ++mode)
      EXPECT_EQ(codePageToUtf8(rig.model.modeName(mode)),
                rig.texts->text("Mode" + std::to_string(mode)));

    // The rule finds the left button on Key1 under its translated name:
    // Copy on Key4 warns nothing and is saved with the language's caption;
    // the files keep the names as stored until then, GM.ini even at closing.
    rig.model.AssignKeyFunction(4, findFunctionItem("lbl_office_copy")->code,
                                utf8ToCodePage(rig.nameOf("lbl_office_copy")));
    EXPECT_EQ(rig.observer.warnings, 0);
    const ModeSettings before =
        readModeSettings(IniFile::load(rig.configure("Mode1.ini")), modeSettingsSection(1));
    EXPECT_EQ(codePageToUtf8(before.keys[0]), "左键");
    rig.model.WriteModeSettings(1);
    rig.model.WriteGeneralSettings();
    const ModeSettings saved =
        readModeSettings(IniFile::load(rig.configure("Mode1.ini")), modeSettingsSection(1));
    EXPECT_EQ(codePageToUtf8(saved.keys[3]), rig.nameOf("lbl_office_copy"));
    EXPECT_EQ(codePageToUtf8(saved.keys[0]), rig.nameOf("lbl_msekey_left"));
    const GeneralSettings general =
        readGeneralSettings(IniFile::load(rig.configure(std::string(kGeneralSettingsFile))));
    EXPECT_EQ(codePageToUtf8(general.modeNames[0]), "设置模式1");
  }
}

// The factory captions are stored in code page 936; they are known by their
// bytes, whatever the system's code page (run under wine with 1252, 936 and
// 950 too): in English, every button of every mode and every mode name
// shows the English text, which reads the same in any of them.
TEST(ShownNames, EnglishShowsEveryFactoryCaptionWhateverTheCodePage) {
  FactoryRig rig(Language::ENU);
  rig.start();
  for (int mode = 1; mode <= kModeCount; ++mode) {
    SCOPED_TRACE("mode " + std::to_string(mode));
    rig.model.SelectMode(mode);
    const ModeSettings stored =
        readModeSettings(IniFile::load(rig.configure("Mode" + std::to_string(mode) + ".ini")),
                         modeSettingsSection(mode));
    for (int key = 1; key <= kKeyCount; ++key) {
      const std::string& caption = stored.keys[static_cast<std::size_t>(key - 1)];
      const ModeImage& image = rig.model.images.storedImage(mode);
      const auto at = static_cast<std::size_t>(keyFunctionOffset(key));
      const KeyFunction code{image[at], image[at + 1], image[at + 2]};
      const auto table = functionTable();
      const auto item = std::find_if(table.begin(), table.end(),
                                     [&](const FunctionItem& i) { return i.code == code; });
      ASSERT_NE(item, table.end()) << "Key" << key;
      EXPECT_EQ(rig.model.keyCaption(key), rig.texts->bytes(findCaption(item->label)->key))
          << "Key" << key << " stored as " << caption;
    }
    EXPECT_EQ(rig.model.modeName(mode), rig.texts->bytes("Mode" + std::to_string(mode)));
  }
}

// Only a name of exactly the function the code holds is translated: a macro
// named like a function, a caption naming another function and a text of
// the user's stay; so does a renamed mode.
TEST(ShownNames, OtherCaptionsStayAsStored) {
  FactoryRig rig(Language::ENU);
  ModeSettings settings =
      readModeSettings(IniFile::load(rig.configure("Mode1.ini")), modeSettingsSection(1));
  ModeImage image = readModeImage(IniFile::load(rig.data("Mode1_data.ini")), modeImageSection(1));
  settings.keys[4] = utf8ToCodePage("左键");  // Key5: a macro of that name
  writeKeyFunction(image, 5, {kKindMacro, 0, 0});
  settings.keys[5] = utf8ToCodePage("Copy");  // Key6: the middle button
  writeKeyFunction(image, 6, findFunctionItem("lbl_msekey_mid")->code);
  settings.keys[6] = utf8ToCodePage("我的连发");  // Key7: the user's own name
  rig.writeMode(1, settings, image);
  rig.start();
  EXPECT_EQ(rig.shown(5), "左键");
  EXPECT_EQ(rig.shown(6), "Copy");
  EXPECT_EQ(rig.shown(7), "我的连发");
  EXPECT_EQ(rig.shown(1), "Left Button");

  // Renamed in the window, a mode's name is the user's and is saved so.
  rig.model.setModeName(3, utf8ToCodePage("Sniper"));
  rig.model.WriteGeneralSettings();
  const GeneralSettings general =
      readGeneralSettings(IniFile::load(rig.configure(std::string(kGeneralSettingsFile))));
  EXPECT_EQ(codePageToUtf8(general.modeNames[2]), "Sniper");
  EXPECT_EQ(codePageToUtf8(general.modeNames[1]), "设置模式2");
}

// A language file without the left button's name and mode 1's (the keys
// removed, or there but empty): the stored names show instead of an empty
// text, the left-button rule still finds the left button on Key1 (stored in
// another of our languages), a save keeps the stored names, and once the file is
// whole again the names read in the language.
TEST(ShownNames, ALanguageFileWithoutANameKeepsTheStoredOne) {
#ifdef _WIN32
  // The Big5 file is not this code page's (see above).
  const bool traditional[] = {false};
#else
  const bool traditional[] = {false, true};
#endif
  for (const bool removed : {true, false}) {
    for (const bool fromTraditional : traditional) {
      FactoryRig rig(Language::ENU);
      const std::string stored =
          fromTraditional ? LanguageTexts::load(Language::CHT, rig.model.paths())->text("KBK1")
                          : "左键";
      SCOPED_TRACE(std::string(removed ? "removed, " : "empty, ") + stored);
      const fs::path english = rig.folder.path() / "Language" / "1033" / "English.ini";
      std::string text;
      {
        std::ifstream in(english, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), {});
      }
      std::string edited;
      std::size_t start = 0;
      while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        const std::string line = text.substr(start, end - start);
        start = end;
        if (line.rfind("KBK1=", 0) == 0 || line.rfind("Mode1=", 0) == 0) {
          if (!removed) edited += line.substr(0, line.find('=') + 1) + "\r\n";
          continue;
        }
        edited += line;
      }
      ASSERT_LT(edited.size(), text.size());
      {
        std::ofstream out(english, std::ios::binary | std::ios::trunc);
        out << edited;
      }
      ModeSettings settings =
          readModeSettings(IniFile::load(rig.configure("Mode1.ini")), modeSettingsSection(1));
      settings.keys[0] = utf8ToCodePage(stored);
      rig.writeMode(1, settings,
                    readModeImage(IniFile::load(rig.data("Mode1_data.ini")), modeImageSection(1)));

      rig.start();
      EXPECT_EQ(rig.shown(1), stored);
      EXPECT_EQ(codePageToUtf8(rig.model.modeName(1)), "设置模式1");
      rig.model.AssignKeyFunction(4, findFunctionItem("lbl_office_copy")->code,
                                  utf8ToCodePage(rig.nameOf("lbl_office_copy")));
      EXPECT_EQ(rig.observer.warnings, 0);
      // The left button from its empty menu row gets its built-in name.
      rig.model.AssignKeyFunction(5, findFunctionItem("lbl_msekey_left")->code, "");
      EXPECT_EQ(rig.shown(5), "左键");
      rig.model.WriteModeSettings(1);
      rig.model.WriteGeneralSettings();
      const ModeSettings saved =
          readModeSettings(IniFile::load(rig.configure("Mode1.ini")), modeSettingsSection(1));
      EXPECT_EQ(codePageToUtf8(saved.keys[0]), stored);
      EXPECT_EQ(codePageToUtf8(saved.keys[4]), "左键");
      const GeneralSettings general =
          readGeneralSettings(IniFile::load(rig.configure(std::string(kGeneralSettingsFile))));
      EXPECT_EQ(codePageToUtf8(general.modeNames[0]), "设置模式1");

      // The file whole again: the saved names read in English.
      FactoryRig repaired(Language::ENU);
      // Removed first: mingw's copy_file refuses to overwrite even when told to.
      for (const char* file : {"Mode1.ini", "GM.ini"}) {
        fs::remove(repaired.configure(file));
        fs::copy_file(rig.configure(file), repaired.configure(file));
      }
      repaired.start();
      EXPECT_EQ(repaired.shown(1), repaired.nameOf("lbl_msekey_left"));
      EXPECT_EQ(codePageToUtf8(repaired.model.modeName(1)), repaired.texts->text("Mode1"));
    }
  }
}

// With no language the window keeps the design's built-in texts, whose
// mouse button rows have the right and middle names the other way round:
// the stored names are shown as they are ("右键" stays on the right button).
TEST(ShownNames, WithoutALanguageTheStoredNamesStay) {
  FactoryRig rig(Language::None);
  const ModeSettings stored =
      readModeSettings(IniFile::load(rig.configure("Mode1.ini")), modeSettingsSection(1));
  rig.model.ReadGeneralSettings();
  rig.model.LoadCurrentMode();
  for (int key = 1; key <= kKeyCount; ++key)
    EXPECT_EQ(rig.model.keyCaption(key), stored.keys[static_cast<std::size_t>(key - 1)]);
  EXPECT_EQ(codePageToUtf8(rig.model.keyCaption(2)), "右键");
}

}  // namespace
}  // namespace kestrovane::test
