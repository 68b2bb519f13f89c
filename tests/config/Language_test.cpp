#include "config/Language.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/CodePage.h"
#include "config/CaptionTable.h"
#include "tests/ErrorText.h"
#include "tests/program/ModelRig.h"

namespace kestrovane::test {
namespace {

// The user's primary language decides. Locale identifiers as [MS-LCID]
// (Windows Language Code Identifier Reference) lists them; locale names as
// glibc's SUPPORTED list and BCP 47 script subtags write them.
TEST(Language, ThePrimaryLanguageOfTheLocaleChoosesTheLanguage) {
  struct Lcid {
    std::uint32_t lcid;
    Language language;
  };
  for (const Lcid& c : {
           Lcid{0x0804, Language::CHS},   // zh-CN
           Lcid{0x1004, Language::CHS},   // zh-SG
           Lcid{0x0004, Language::CHS},   // zh-Hans
           Lcid{0x10804, Language::CHS},  // zh-CN, stroke sort
           Lcid{0x0404, Language::CHT},   // zh-TW
           Lcid{0x0C04, Language::CHT},   // zh-HK
           Lcid{0x1404, Language::CHT},   // zh-MO
           Lcid{0x7C04, Language::CHT},   // zh-Hant
           Lcid{0x30404, Language::CHT},  // zh-TW, Bopomofo sort
           Lcid{0x0409, Language::ENU},   // en-US
           Lcid{0x0809, Language::ENU},   // en-GB
           Lcid{0x0C09, Language::ENU},   // en-AU
           Lcid{0x0407, Language::ENU},   // de-DE
           Lcid{0x0411, Language::ENU},   // ja-JP
           Lcid{0, Language::ENU},
       })
    EXPECT_EQ(languageForLocale(c.lcid), c.language) << std::hex << c.lcid;

  struct Env {
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    Language language;
  };
  for (const Env& c : {
           Env{"zh_CN.UTF-8", nullptr, nullptr, Language::CHS},
           Env{"zh_SG.GBK", nullptr, nullptr, Language::CHS},
           Env{"zh_Hans_HK", nullptr, nullptr, Language::CHS},
           Env{"zh", nullptr, nullptr, Language::CHS},
           Env{"zh_TW.Big5", nullptr, nullptr, Language::CHT},
           Env{"zh_HK.UTF-8", nullptr, nullptr, Language::CHT},
           Env{"zh_MO.UTF-8", nullptr, nullptr, Language::CHT},
           Env{"zh_Hant_CN.UTF-8", nullptr, nullptr, Language::CHT},
           Env{"zh-Hant", nullptr, nullptr, Language::CHT},
           Env{"en_US.UTF-8", nullptr, nullptr, Language::ENU},
           Env{"en_GB.UTF-8", nullptr, nullptr, Language::ENU},
           Env{"en_AU", nullptr, nullptr, Language::ENU},
           Env{"de_DE.UTF-8", nullptr, nullptr, Language::ENU},
           Env{"C", nullptr, nullptr, Language::ENU},
           Env{"POSIX", nullptr, nullptr, Language::ENU},
           Env{"C.UTF-8", nullptr, nullptr, Language::ENU},
           Env{nullptr, nullptr, nullptr, Language::ENU},
           // The first variable that is set and not empty decides.
           Env{"zh_CN", "en_US.UTF-8", "zh_TW.UTF-8", Language::CHS},
           Env{nullptr, "zh_HK.UTF-8", "zh_CN.UTF-8", Language::CHT},
           Env{"", "", "zh_TW", Language::CHT},
           Env{"de_DE.UTF-8", nullptr, "zh_CN.UTF-8", Language::ENU},
       })
    EXPECT_EQ(languageForLocale(localeFromEnvironment(c.lcAll, c.lcMessages, c.lang)), c.language)
        << (c.lcAll ? c.lcAll : "-") << " " << (c.lcMessages ? c.lcMessages : "-") << " "
        << (c.lang ? c.lang : "-");

  for (const auto& [value, language] :
       {std::pair<const char*, std::optional<Language>>{"en", Language::ENU},
        {"zh_CN", Language::CHS},
        {"zh_TW", Language::CHT},
        {"", std::nullopt},
        {"EN", std::nullopt},
        {"zh_HK", std::nullopt},
        {"en_US", std::nullopt},
        {"CHS", std::nullopt}})
    EXPECT_EQ(parseLanguageOption(value), language) << value;
}

#ifdef _WIN32
// Under wine, LC_ALL=zh_CN.UTF-8 gives the thread locale of a Chinese (PRC)
// Windows, 0x0804.
TEST(Language, ThreadLocaleOfAChineseSystemChoosesSimplifiedChinese) {
  EXPECT_EQ(threadLocale(), 2052u);
  Language code = Language::None;
  ChooseLanguage(code);
  EXPECT_EQ(code, Language::CHS);
}
#else
// An override wins over KESTROVANE_LANGUAGE, which wins over the locale; an
// invalid value of the variable is ignored.
TEST(Language, TheOverrideThenTheVariableThenTheLocaleChoose) {
  const auto saved = [](const char* name) -> std::optional<std::string> {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
  };
  const std::optional<std::string> lcAll = saved("LC_ALL"), variable = saved("KESTROVANE_LANGUAGE");
  struct Case {
    Language override;
    const char* variable;
    const char* locale;
    Language language;
  };
  for (const Case& c : {
           Case{Language::None, nullptr, "zh_HK.UTF-8", Language::CHT},
           Case{Language::None, "en", "zh_HK.UTF-8", Language::ENU},
           Case{Language::None, "zh_CN", "en_GB.UTF-8", Language::CHS},
           Case{Language::None, "klingon", "zh_TW.UTF-8", Language::CHT},
           Case{Language::None, "", "de_DE.UTF-8", Language::ENU},
           Case{Language::CHT, "zh_CN", "en_US.UTF-8", Language::CHT},
           Case{Language::ENU, nullptr, "zh_CN.UTF-8", Language::ENU},
       }) {
    SetLanguageOverride(c.override);
    ASSERT_EQ(setenv("LC_ALL", c.locale, 1), 0);
    ASSERT_EQ(
        c.variable ? setenv("KESTROVANE_LANGUAGE", c.variable, 1) : unsetenv("KESTROVANE_LANGUAGE"),
        0);
    Language code = Language::None;
    ChooseLanguage(code);
    EXPECT_EQ(code, c.language) << c.locale << " " << (c.variable ? c.variable : "-");
  }
  SetLanguageOverride(Language::None);
  for (const auto& [name, value] : {std::pair{"LC_ALL", lcAll}, {"KESTROVANE_LANGUAGE", variable}})
    if (value)
      setenv(name, value->c_str(), 1);
    else
      unsetenv(name);
}

// Off Windows the Traditional Chinese file is Big5: "按鍵設定" there is
// AB F6 C1 E4 B3 5D A9 77 (0x5D is ']' and 0x77 'w' as single bytes).
TEST(Language, TheTraditionalChineseFileIsReadAsBig5) {
  const std::optional<LanguageFileRef> file = LanguageFile(Language::CHT, AppPaths{});
  ASSERT_TRUE(file);
  const LanguageTexts texts = LanguageTexts::parse(
      "[Traditional Chinese]\r\nT2=\xAB\xF6\xC1\xE4\xB3\x5D\xA9\x77\r\n", *file);
  EXPECT_EQ(texts.text("T2"), "按鍵設定");
}
#endif

TEST(Language, FilesLieUnderTheLanguageFolderWithTheirSections) {
  AppPaths paths;
  fillWorkPaths(paths, "work");
  const std::string sep(1, kPathSeparator);
  struct Case {
    Language code;
    std::string path;
    std::string section;
  };
  for (const Case& c :
       {Case{Language::CHS, "2052" + sep + "Simplified Chinese.ini", "Simplified Chinese"},
        Case{Language::CHT, "1028" + sep + "Traditional Chinese.ini", "Traditional Chinese"},
        Case{Language::ENU, "1033" + sep + "English.ini", "English"}}) {
    const std::optional<LanguageFileRef> file = LanguageFile(c.code, paths);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->path, "work" + sep + "Language" + sep + c.path);
    EXPECT_EQ(file->section, c.section);
  }
  EXPECT_FALSE(LanguageFile(Language::None, paths));
}

TEST(Language, OptionKeysAreWholeNumbersAndAnythingElseIsFalse) {
  const LanguageTexts texts =
      LanguageTexts::parse("[English]\r\nA=1\r\nB=0\r\nC= 2 \r\nD=abc\r\nE=12abc\r\nF=-1\r\nG=\r\n",
                           LanguageFileRef{"", "English"});
  for (const auto& [key, expected] :
       {std::pair{"A", true}, std::pair{"B", false}, std::pair{"C", true}, std::pair{"D", false},
        std::pair{"E", false}, std::pair{"F", true}, std::pair{"G", false}, std::pair{"H", false}})
    EXPECT_EQ(texts.option(key), expected) << key;
}

struct LanguageRig : ModelRig {
  // Writes the language's file with one line per given key.
  void writeFile(Language code, const std::string& lines) const {
    const std::optional<LanguageFileRef> file = LanguageFile(code, model.paths());
    std::filesystem::create_directories(std::filesystem::path(file->path).parent_path());
    folder.write(std::filesystem::relative(file->path, folder.path()).string(),
                 "[" + file->section + "]\r\n" + lines);
  }
};

// Every key of the table read from its section, through the code page; the
// options set their flags and write the pointer store at once; a key the
// file lacks gives an empty caption, our own keys keep their built-in texts.
TEST(Language, MainTextsComeFromTheFileThroughTheCaptionTable) {
  LanguageRig rig;
  std::string lines;
  for (const Caption& c : mainWindowTexts()) {
    if (c.key == "Apply") continue;
    if (c.kind == CaptionKind::OptionState)
      lines += std::string(c.key) + "=" + (c.key == "Mse1" ? "1" : "0") + "\r\n";
    else if (c.key == "T2")
      lines += "T2=" + utf8ToCodePage("按键设置") + "\r\n";
    else
      lines += std::string(c.key) + "=t-" + std::string(c.key) + "\r\n";
  }
  lines += "[Other]\r\nApply=elsewhere\r\n";
  rig.writeFile(Language::CHS, lines);
  rig.model.language = Language::CHS;
  ProgramModel& m = rig.model;

  EXPECT_EQ(m.LoadMainTexts(), "");

  int key = 0, mode = 0;
  for (const Caption& c : mainWindowTexts()) {
    const std::string expected = "t-" + std::string(c.key);
    switch (c.kind) {
      case CaptionKind::KeyCaption:
        EXPECT_EQ(m.keyCaption(++key), utf8ToCodePage(expected));
        break;
      case CaptionKind::ModeName:
        EXPECT_EQ(m.modeName(++mode), utf8ToCodePage(expected));
        break;
      case CaptionKind::OptionState:
        break;
      default:
        if (c.key == "T2")
          EXPECT_EQ(m.caption(c.control), "按键设置");
        else if (c.key == "Apply")
          EXPECT_EQ(m.caption(c.control), "");
        else
          EXPECT_EQ(m.caption(c.control), expected) << c.control;
    }
  }
  EXPECT_EQ(key, 12);
  EXPECT_EQ(mode, 5);
  EXPECT_EQ(m.caption("lbl_mse1"), "      t-MS2");
  EXPECT_EQ(m.caption("lbl_XY_1"), builtInCaption("lbl_XY_1"));
  EXPECT_EQ(m.leftButtonText(), "t-KBK1");

  // Mse1=1: the precision option on, its check box too, and the registry
  // written with it; Mse2=0 leaves one screen per notch off.
  EXPECT_TRUE(m.mse1Flag);
  EXPECT_TRUE(m.checkBox(CheckBox::cb_msespeed));
  EXPECT_FALSE(m.mse2Flag);
  EXPECT_FALSE(m.checkBox(CheckBox::cb_msewheel));
  const std::vector<std::string> written = rig.store.take();
  EXPECT_NE(std::find(written.begin(), written.end(), "Control Panel\\Mouse|MouseSpeed=1"),
            written.end())
      << ::testing::PrintToString(written);
}

TEST(Language, AMissingFileIsToldOnceAndTheBuiltInTextsStay) {
  struct Case {
    Language code;
    std::string message;
  };
  for (const Case& c :
       {Case{Language::CHS, "没有发现\"Simplified Chinese.ini\"文件"}, Case{Language::CHT, "No "},
        Case{Language::ENU, "\"English.ini\" File No Find"}, Case{Language::None, ""}}) {
    LanguageRig rig;
    // A file of another language does not stand in for the missing one.
    rig.writeFile(c.code == Language::ENU ? Language::CHS : Language::ENU, "T2=x\r\n");
    rig.model.language = c.code;
    EXPECT_EQ(rig.model.LoadMainTexts(), c.message);
    EXPECT_EQ(rig.model.caption("lbl_title1"), "按键设置");
    EXPECT_EQ(rig.model.keyCaption(1), utf8ToCodePage("左键"));
    EXPECT_TRUE(rig.store.log.empty());
    EXPECT_TRUE(LoadDialogTexts("TForm5", c.code, rig.model.paths()).empty());
  }
}

TEST(Language, DialogsAndMessagesReadTheirKeys) {
  LanguageRig rig;
  rig.writeFile(Language::ENU,
                "Form5_T=Keep a left button\r\nForm2_O=Fine\r\nMsgNoMouse=No mouse here.\r\n");
  const auto texts = LoadDialogTexts("TForm5", Language::ENU, rig.model.paths());
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0],
            (std::pair<std::string_view, std::string>{"lbl_title", "Keep a left button"}));
  EXPECT_EQ(texts[1], (std::pair<std::string_view, std::string>{"lbl_ok", "Fine"}));
  EXPECT_EQ(messageText(message::kApplyNoMouse, Language::ENU, rig.model.paths()),
            "No mouse here.");
  // A message the file lacks keeps its built-in text.
  EXPECT_EQ(messageText(message::kMacroNameExists, Language::ENU, rig.model.paths()),
            builtInCaption(message::kMacroNameExists));
}

// A language file larger than any language file is refused by name, not read
// line by line into memory; dialogs and messages then keep their built-in
// texts instead of failing.
TEST(Language, AFileLargerThanTheLimitIsRefusedByName) {
  LanguageRig rig;
  rig.writeFile(Language::ENU,
                "MsgNoMouse=No mouse here.\r\n" + std::string(IniFile::kMaxFileBytes, '\n'));
  const std::string path = LanguageFile(Language::ENU, rig.model.paths())->path;
  EXPECT_EQ(errorOf([&] { LanguageTexts::load(Language::ENU, rig.model.paths()); }),
            "Unable to read " + path +
                ": it is larger than 1024 KiB, far more than any settings or language file holds");
  EXPECT_TRUE(LoadDialogTexts("TForm5", Language::ENU, rig.model.paths()).empty());
  EXPECT_EQ(messageText(message::kApplyNoMouse, Language::ENU, rig.model.paths()),
            builtInCaption(message::kApplyNoMouse));
}

}  // namespace
}  // namespace kestrovane::test
