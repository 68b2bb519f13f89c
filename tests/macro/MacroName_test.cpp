#include "macro/MacroName.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "config/CaptionTable.h"
#include "macro/MacroFile.h"
#include "tests/ErrorText.h"
#include "tests/TempFolder.h"

namespace kestrovane {
namespace {

using test::TempFolder;

std::string refusedMessage() {
  return std::string(builtInCaption(message::kMacroNameRefused));
}

TEST(MacroName, AcceptsOnlyNamesAFileNameCanSafelyCarry) {
  const std::string longest(kMaxMacroNameBytes, 'x');
  const std::pair<std::string, bool> cases[] = {
      {"Fire", true},
      {"a b.c", true},
      {"x", true},
      {"_-()[]{}!#$%&'+,;=@^`~", true},
      {longest, true},
      {longest + "x", false},
      {"", false},
      {".", false},
      {"..", false},
      {"../outside", false},
      {"..\\outside", false},
      {"a/b", false},
      {"a\\b", false},
      {"c:x", false},
      {"a*", false},
      {"a?", false},
      {"a\"b", false},
      {"a<b", false},
      {"a>b", false},
      {"a|b", false},
      {std::string("a\0b", 3), false},
      {"a\tb", false},
      {"a\x1F", false},
      {"a\x7F", false},
      {" Fire", false},
      {"Fire ", false},
      {".Fire", false},
      {"Fire.", false},
      {"CON", false},
      {"con", false},
      {"cOn.txt", false},
      {"NUL.tar.gz", false},
      {"prn", false},
      {"Aux", false},
      {"COM1", false},
      {"com9.spm", false},
      {"LPT5", false},
      {"CON .txt", false},
      {"COM0", true},
      {"COM10", true},
      {"LPT", true},
      {"CONSOLE", true},
      {"icon", true},
      {"x.con", true},
      // Code page 936: 设置 is C9E8 D6C3. The byte after a lead byte is part of
      // its character, even where it equals \ or |.
      {"\xC9\xE8\xD6\xC3", true},
      {"\x81\x5C", true},
      {"\x81\x7C"
       "a",
       true},
      {"a\xC9", false},
      {std::string(kMaxMacroNameBytes, '\xC9'), true},
      {std::string(kMaxMacroNameBytes + 2, '\xC9'), false},
  };
  for (const auto& [name, accepted] : cases) {
    EXPECT_EQ(isAcceptedMacroName(name), accepted) << '"' << name << '"';
    EXPECT_EQ(errorOf([&] { checkMacroName(name); }), accepted ? "no error" : refusedMessage())
        << name;
  }
}

// Every operation on a macro of a name refuses a refused name before a file
// is touched: none reaches outside the macro folder.
TEST(MacroName, RefusedNamesNeverReachTheFolder) {
  TempFolder root;
  const std::filesystem::path macros = root.path() / "Macro";
  std::filesystem::create_directory(macros);
  const std::string folder = macros.string();
  root.write("outside.spm", "keep");

  EXPECT_EQ(errorOf([&] { WriteMacroFile(folder, "../outside", {"1"}); }), refusedMessage());
  EXPECT_EQ(errorOf([&] { WriteMacroFile(folder, "../escaped", {"1"}); }), refusedMessage());
  EXPECT_EQ(root.read("outside.spm"), "keep");
  EXPECT_FALSE(std::filesystem::exists(root.path() / "escaped.spm"));
  EXPECT_EQ(errorOf([&] { ReadMacroFile(folder, "../outside"); }), refusedMessage());
  EXPECT_EQ(errorOf([&] { DeleteMacroFile(folder, "../outside"); }), refusedMessage());
  EXPECT_EQ(root.read("outside.spm"), "keep");
  EXPECT_EQ(errorOf([&] { WriteMacroFile(folder, "NUL", {"1"}); }), refusedMessage());
  EXPECT_TRUE(std::filesystem::is_empty(macros));

  // A planted file of a refused name is no macro. (Windows cannot even
  // create a device's or a control character's file.)
  std::vector<std::string> planted{" Lead.spm", "Trail..spm", "Good.spm"};
#ifndef _WIN32
  planted.insert(planted.end(), {"con.spm", "a\x01.spm"});
#endif
  for (const std::string& name : planted) root.write("Macro/" + name, "");
  EXPECT_EQ(ListMacroNames(folder), std::vector<std::string>{"Good"});
}

TEST(MacroName, NewNameIsCheckedEmptyThenDuplicateIgnoringCaseThenRefused) {
  const std::vector<std::string> names{"Combo", "Fire", "\xC9\xE8"};
  const std::pair<std::string, NewMacroName> cases[] = {
      {"", NewMacroName::Empty},          {"Fire", NewMacroName::Exists},
      {"FIRE", NewMacroName::Exists},     {"combo", NewMacroName::Exists},
      {"\xC9\xE8", NewMacroName::Exists}, {"Fire2", NewMacroName::Accepted},
      {"a/b", NewMacroName::Refused},     {" ", NewMacroName::Refused},
      {"aux", NewMacroName::Refused},
  };
  for (const auto& [name, expected] : cases)
    EXPECT_EQ(checkNewMacroName(names, name), expected) << name;
  // Only ASCII letters fold: the byte after a lead byte stays as it is.
  EXPECT_FALSE(macroNameTaken({"\x81\x61"}, "\x81\x41"));
  EXPECT_TRUE(macroNameTaken({"\x81\x61"
                              "A"},
                             "\x81\x61"
                             "a"));
}

TEST(MacroName, CreateAddsInOrderAndMakesAnEmptyFile) {
  TempFolder folder;
  std::vector<std::string> names{"alpha", "Gamma"};
  createMacro(folder.str(), names, "Beta");
  createMacro(folder.str(), names, "zeta");
  createMacro(folder.str(), names, "ALPHA2");
  EXPECT_EQ(names, (std::vector<std::string>{"alpha", "ALPHA2", "Beta", "Gamma", "zeta"}));
  EXPECT_EQ(folder.read("Beta.spm"), "");
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "zeta.spm"));
  EXPECT_EQ(ReadMacroFile(folder.str(), "ALPHA2"), MacroScript{});

  // A refused name is not added; a file that cannot be created leaves the
  // name in the list and says why.
  EXPECT_EQ(errorOf([&] { createMacro(folder.str(), names, "../x"); }), refusedMessage());
  EXPECT_EQ(names.size(), 5u);
  std::filesystem::create_directory(folder.path() / "Blocked.spm.tmp");
  EXPECT_TRUE(errorOf([&] {
                createMacro(folder.str(), names, "Blocked");
              }).starts_with("Cannot write file"));
  EXPECT_EQ(names[3], "Blocked");
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "Blocked.spm"));
}

// Exactly ten names stop new macros; with more (put there by hand) the
// design enables it again.
TEST(MacroName, TheTenthNameStopsNewMacros) {
  std::vector<std::string> names;
  for (int n = 0; n < 12; ++n) {
    EXPECT_EQ(newMacroAllowed(names), n != 10) << n;
    names.push_back("m" + std::to_string(n));
  }
}

}  // namespace
}  // namespace kestrovane
