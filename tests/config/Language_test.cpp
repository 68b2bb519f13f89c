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

TEST(Language, LocaleIdentifiersAndVariablesMapToTheThreeLanguagesOnly) {
  struct Lcid {
    std::uint32_t lcid;
    Language language;
  };
  for (const Lcid& c :
       {Lcid{2052, Language::CHS}, Lcid{1028, Language::CHT}, Lcid{1033, Language::ENU},
        Lcid{3076, Language::None}, Lcid{2057, Language::None}, Lcid{1031, Language::None},
        Lcid{0x10804, Language::None}, Lcid{0, Language::None}})
    EXPECT_EQ(languageForLocale(c.lcid), c.language) << c.lcid;

  struct Env {
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    std::uint32_t lcid;
  };
  for (const Env& c : {
           Env{"zh_CN.UTF-8", nullptr, nullptr, 2052},
           Env{"zh_CN", "en_US.UTF-8", "zh_TW.UTF-8", 2052},
           Env{nullptr, "zh_TW.Big5", "en_US.UTF-8", 1028},
           Env{"", "", "en_US.UTF-8", 1033},  // empty variables do not count
           Env{nullptr, nullptr, "en_US", 1033},
           Env{"C", nullptr, "zh_CN.UTF-8", 0},  // the first set variable decides
           Env{"POSIX", nullptr, nullptr, 0},
           Env{"zh_HK.UTF-8", nullptr, nullptr, 0},
           Env{"en_GB.UTF-8", nullptr, nullptr, 0},
           Env{"de_DE.UTF-8", nullptr, nullptr, 0},
           Env{nullptr, nullptr, nullptr, 0},
       })
    EXPECT_EQ(localeFromEnvironment(c.lcAll, c.lcMessages, c.lang), c.lcid)
        << (c.lcAll ? c.lcAll : "-") << " " << (c.lcMessages ? c.lcMessages : "-") << " "
        << (c.lang ? c.lang : "-");

  // No language for the thread's locale leaves the code as an earlier call
  // set it.
  Language code = Language::ENU;
  if (languageForLocale(threadLocale()) == Language::None) {
    ChooseLanguage(code);
    EXPECT_EQ(code, Language::ENU);
  }
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
TEST(Language, TheSessionsLocaleVariablesChooseTheLanguage) {
  const char* saved = std::getenv("LC_ALL");
  const std::string before = saved != nullptr ? saved : "";
  ASSERT_EQ(setenv("LC_ALL", "zh_TW.UTF-8", 1), 0);
  Language code = Language::None;
  ChooseLanguage(code);
  EXPECT_EQ(code, Language::CHT);
  if (saved != nullptr)
    setenv("LC_ALL", before.c_str(), 1);
  else
    unsetenv("LC_ALL");
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
