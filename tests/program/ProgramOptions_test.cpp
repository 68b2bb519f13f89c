#include "program/ProgramOptions.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestrovane {
namespace {

TEST(ProgramOptions, TheVirtualMouseOption) {
  struct Case {
    std::vector<std::string> args;
    bool virtualMouse;
    std::string dir;
  };
  const Case cases[] = {
      {{}, false, ""},
      {{"--virtual-mouse"}, true, "virtual-mouse"},
      {{"--virtual-mouse=/tmp/vm"}, true, "/tmp/vm"},
      {{"--virtual-mouse="}, false, ""},
      // Anything else is not an option of this program.
      {{"--virtual-mouse-x", "virtual-mouse", "-virtual-mouse"}, false, ""},
      {{"--verbose", "--virtual-mouse=a b"}, true, "a b"},
      // The last one wins.
      {{"--virtual-mouse=first", "--virtual-mouse=second"}, true, "second"},
      {{"--virtual-mouse=first", "--virtual-mouse"}, true, "virtual-mouse"},
  };
  for (const Case& c : cases) {
    const ProgramOptions options = parseProgramOptions(c.args);
    const std::string args = c.args.empty() ? "(none)" : c.args.front();
    EXPECT_EQ(options.transport.virtualMouseDir.has_value(), c.virtualMouse) << args;
    if (c.virtualMouse) EXPECT_EQ(options.transport.virtualMouseDir->string(), c.dir) << args;
    EXPECT_TRUE(options.transport.platform) << args;
    EXPECT_EQ(options.error, "") << args;
  }
}

TEST(ProgramOptions, LanguageVersionAndHelp) {
  struct Case {
    std::vector<std::string> args;
    std::optional<Language> language;
    bool version, help;
    std::string error;
  };
  const Case cases[] = {
      {{"--language=en"}, Language::ENU, false, false, ""},
      {{"--language", "zh_CN"}, Language::CHS, false, false, ""},
      {{"--language=zh_TW", "--virtual-mouse"}, Language::CHT, false, false, ""},
      {{"--language=zh_CN", "--language", "en"}, Language::ENU, false, false, ""},
      // "--language X" takes X as its value, whatever it looks like.
      {{"--language", "--version"},
       std::nullopt,
       false,
       false,
       "unknown language '--version' (en, zh_CN or zh_TW)"},
      {{"--language=de"}, std::nullopt, false, false, "unknown language 'de' (en, zh_CN or zh_TW)"},
      {{"--language="}, std::nullopt, false, false, "unknown language '' (en, zh_CN or zh_TW)"},
      {{"--language"}, std::nullopt, false, false, "option '--language' needs a value"},
      {{"--languages=en"}, std::nullopt, false, false, ""},
      {{"--version"}, std::nullopt, true, false, ""},
      {{"-h", "--language=en"}, Language::ENU, false, true, ""},
      {{"--help"}, std::nullopt, false, true, ""},
  };
  for (const Case& c : cases) {
    const ProgramOptions options = parseProgramOptions(c.args);
    EXPECT_EQ(options.language, c.language) << c.args.front();
    EXPECT_EQ(options.version, c.version) << c.args.front();
    EXPECT_EQ(options.help, c.help) << c.args.front();
    EXPECT_EQ(options.error, c.error) << c.args.front();
  }
}

}  // namespace
}  // namespace kestrovane
