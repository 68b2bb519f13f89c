// The shipped language files: what the generator writes now, read back
// through the program's own reader, and their words checked against what
// each menu row sends to the computer.
#include "tools/langgen/LanguageFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <string>

#include "config/CaptionTable.h"
#include "config/KeyFunction.h"
#include "config/Language.h"
#include "tests/TempFolder.h"

namespace kestrovane {
namespace {

namespace fs = std::filesystem;

const fs::path kResources = KESTROVANE_SOURCE_DIR "/resources";

AppPaths shippedPaths() {
  AppPaths paths;
  paths.languageDir = (kResources / "Language").string();
  return paths;
}

std::size_t count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(LanguageFiles, ShippedFilesAreWhatTheGeneratorWrites) {
  const auto files = langgen::languageFiles();
  ASSERT_EQ(files.size(), 3u);
  for (const auto& file : files)
    EXPECT_EQ(test::TempFolder::readFile(kResources / file.path), file.bytes)
        << "resources/" << file.path
        << " is stale: run flock /tmp/kestrovane-build.lock tools/langgen/regenerate.sh";
}

// Every key of every list the program reads has a text in every shipped
// file, read through the program's reader from the program's file names;
// each key stands once, lines end in CR LF, messages keep their
// placeholders, and English is ASCII.
TEST(LanguageFiles, EveryKeyTheProgramReadsHasATextInEachLanguage) {
  std::vector<std::span<const Caption>> lists = {mainWindowTexts(), mainWindowExtraTexts(),
                                                 messageTexts()};
  for (const char* form : {"TForm2", "TForm3", "TForm5", "TForm6"})
    lists.push_back(dialogTexts(form));
  for (const Language code : {Language::CHS, Language::CHT, Language::ENU}) {
    SCOPED_TRACE(std::string(languageCode(code)));
    const std::optional<LanguageTexts> texts = LanguageTexts::load(code, shippedPaths());
    ASSERT_TRUE(texts);
    std::size_t keys = 0;
    for (const std::span<const Caption> list : lists) {
      for (const Caption& c : list) {
        if (c.key.empty()) continue;
        ++keys;
        const std::string text = texts->text(c.key);
        if (c.kind == CaptionKind::OptionState) {
          EXPECT_EQ(text, "0") << c.key;
          EXPECT_FALSE(texts->option(c.key)) << c.key;
          continue;
        }
        EXPECT_FALSE(text.empty()) << c.key;
        EXPECT_EQ(text.find("\xEF\xBF\xBD"), std::string::npos) << c.key << ": " << text;
        for (const char* placeholder : {"%s", "%d"})
          EXPECT_EQ(count(text, placeholder), count(std::string(c.builtIn), placeholder))
              << c.key << ": " << text;
      }
    }
    EXPECT_EQ(keys, 158u + 5u + 11u + 9u);  // extra keys, dialog keys, messages

    const std::string bytes = test::TempFolder::readFile(LanguageFile(code, shippedPaths())->path);
    EXPECT_TRUE(bytes.starts_with("[" + LanguageFile(code, shippedPaths())->section + "]\r\n"));
    EXPECT_EQ(count(bytes, "\n"), count(bytes, "\r\n"));
    std::map<std::string, int> seen;
    for (std::size_t at = bytes.find("\r\n"); at != std::string::npos && at + 2 < bytes.size();
         at = bytes.find("\r\n", at + 2)) {
      const std::string line = bytes.substr(at + 2, bytes.find("\r\n", at + 2) - at - 2);
      EXPECT_EQ(++seen[line.substr(0, line.find('='))], 1) << line;
    }
    EXPECT_EQ(seen.size(), 178u);  // 158 + MWS3, XY1, Macro20 + 8 dialog keys + 9 messages
    if (code == Language::ENU)
      EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(),
                              [](char b) { return static_cast<unsigned char>(b) < 0x80; }));
  }
}

// What a text must contain in each language, found by what the row sends
// (USB HID Usage Tables 1.12: Button page 0x09 buttons 1..5 as bits, Consumer
// page 0x0C usages 0xE9 Volume Increment and 0xEA Volume Decrement) or by the
// key of a tab. The Traditional Chinese words are the Taiwan ones, written in
// traditional forms: a copy of the simplified file fails here.
struct Expected {
  std::string_view key;  // empty: find it by code
  KeyFunction code;
  std::string_view chs, cht, enu;
};

constexpr std::array<Expected, 12> kExpected{{
    {"", {kKindMouseButton, 0x01, 0}, "左键", "左鍵", "Left"},
    {"", {kKindMouseButton, 0x02, 0}, "右键", "右鍵", "Right"},
    {"", {kKindMouseButton, 0x04, 0}, "中键", "中鍵", "Middle"},
    {"", {kKindMouseButton, 0x08, 0}, "后退", "上一頁", "Back"},
    {"", {kKindMouseButton, 0x10, 0}, "前进", "下一頁", "Forward"},
    {"", {kKindConsumer, 0x00, 0xE9}, "音量加", "音量提高", "Volume Up"},
    {"", {kKindConsumer, 0x00, 0xEA}, "音量减", "音量降低", "Volume Down"},
    {"", {kKindLeftBurst, 3, 0}, "连发", "連發", "x3"},
    {"T3", {}, "宏", "巨集", "Macro"},
    {"T5", {}, "灯光", "燈光", "Lighting"},
    {"T6", {}, "设置", "設定", "System"},
    {"KM1", {}, "鼠标", "滑鼠", "Mouse"},
}};

TEST(LanguageFiles, TextsNameWhatTheirControlDoesInEachLanguage) {
  const auto keyOf = [](const Expected& e) -> std::string {
    if (!e.key.empty()) return std::string(e.key);
    const auto items = functionTable();
    const auto item = std::find_if(items.begin(), items.end(),
                                   [&e](const FunctionItem& i) { return i.code == e.code; });
    if (item == items.end()) return "<no row>";
    const Caption* caption = findCaption(item->label);
    return caption == nullptr ? "<no caption>" : std::string(caption->key);
  };
  const std::array<std::pair<Language, std::string_view Expected::*>, 3> languages{{
      {Language::CHS, &Expected::chs},
      {Language::CHT, &Expected::cht},
      {Language::ENU, &Expected::enu},
  }};
  for (const auto& [code, word] : languages) {
    const std::optional<LanguageTexts> texts = LanguageTexts::load(code, shippedPaths());
    ASSERT_TRUE(texts);
    for (const Expected& e : kExpected) {
      const std::string key = keyOf(e);
      const std::string text = texts->text(key);
      EXPECT_NE(text.find(e.*word), std::string::npos)
          << languageCode(code) << " " << key << " is \"" << text << "\", not about \"" << e.*word
          << "\"";
    }
  }
}

}  // namespace
}  // namespace kestrovane
