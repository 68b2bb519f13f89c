#include "macro/MacroFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "base/Error.h"
#include "config/CaptionTable.h"
#include "macro/MacroCipher.h"
#include "tests/ErrorText.h"
#include "tests/TempFolder.h"

namespace kestrovane {
namespace {

using test::TempFolder;

const std::string kGolden = std::string(KESTROVANE_TEST_DATA) + "/macro/";

// The worked example of a recorded macro; compile/Combo.spm holds it as
// OpenSSL enciphered it.
const MacroScript kCombo{"1",     "1 Ctrl CODE:1111", "0 80", "1 A CODE:0004",
                         "0 120", "2 A CODE:0004",    "0 90", "2 Ctrl CODE:1111"};

std::vector<std::string> sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

TEST(MacroFileText, LinesSplitAtEveryKindOfBreak) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},
      {"a\r\nb", {"a", "b"}},
      {"a\nb\rc\r\nd\n", {"a", "b", "c", "d"}},
      {"\r\n", {""}},
      {"a\r\n\r\n", {"a", ""}},
      {"\r\r\n", {"", ""}},
      {"\n\r", {"", ""}},
      {"a\n\nb", {"a", "", "b"}},
  };
  for (const auto& [text, lines] : cases) EXPECT_EQ(splitLines(text), lines) << text;
}

TEST(MacroFileText, FormatEndsEveryLineWithCrLf) {
  EXPECT_EQ(formatMacroFile({}), "");
  EXPECT_EQ(formatMacroFile({"1"}), "4e5cb637a5aeed16\r\n");
  EXPECT_EQ(formatMacroFile({"1", "", "0 50"}), "4e5cb637a5aeed16\r\n\r\nb633285265fa4da5\r\n");
  EXPECT_EQ(parseMacroFile(""), MacroScript{});
  EXPECT_EQ(parseMacroFile("\r\n"), MacroScript{""});
  // Line ends of every kind, upper-case hex and a last line without a break.
  EXPECT_EQ(parseMacroFile("4E5CB637A5AEED16\nb633285265fa4da5\r4e5cb637a5aeed16"),
            (MacroScript{"1", "0 50", "1"}));
  EXPECT_EQ(errorOf([] { parseMacroFile("4e5cb637a5aeed16\r\nnot hex\r\n"); }),
            "Error: not a Hex String");
  EXPECT_EQ(errorOf([] {
              formatMacroFile({"1", std::string("x\0", 2)});
            }),
            "Error: the last char is NULL char.");
}

TEST(MacroFileText, GoldenFileMatchesByteForByte) {
  const std::string golden = TempFolder::readFile(kGolden + "compile/Combo.spm");
  ASSERT_FALSE(golden.empty());
  EXPECT_EQ(parseMacroFile(golden), kCombo);
  EXPECT_EQ(formatMacroFile(kCombo), golden);
  EXPECT_EQ(readMacroScriptFile(kGolden + "compile/Combo.spm"), kCombo);
}

TEST(MacroFileText, NamesSortAlphabeticallyIgnoringCase) {
  std::vector<std::string> names{"b_held", "Combo", "a", "A", "combo", "B", "10", "2", "_x"};
  sortMacroNames(names);
  EXPECT_EQ(names,
            (std::vector<std::string>{"10", "2", "_x", "A", "a", "B", "b_held", "Combo", "combo"}));
  // The second byte of a double-byte character is no letter: 0x81 0x5A is not
  // folded to 0x81 0x7A, so it stays before 0x81 0x61.
  std::vector<std::string> gbk{"\x81\x61", "\x81\x5A", "b", "A"};
  sortMacroNames(gbk);
  EXPECT_EQ(gbk, (std::vector<std::string>{"A", "b", "\x81\x5A", "\x81\x61"}));
}

TEST(MacroFiles, WriteThenReadAndList) {
  TempFolder folder;
  WriteMacroFile(folder.str(), "Fire", kCombo);
  EXPECT_EQ(folder.read("Fire.spm"), formatMacroFile(kCombo));
  EXPECT_EQ(ReadMacroFile(folder.str(), "Fire"), kCombo);
  // A folder given with its separator at the end names the same files.
  EXPECT_EQ(ReadMacroFile(folder.str() + "/", "Fire"), kCombo);
  WriteMacroFile(folder.str(), "Fire", {"1"});
  EXPECT_EQ(ReadMacroFile(folder.str(), "Fire"), MacroScript{"1"});
  EXPECT_EQ(ListMacroNames(folder.str()), std::vector<std::string>{"Fire"});
  // No temporary stays behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(MacroFiles, CodePageNamesAreBytes) {
  TempFolder folder;
  const std::string name = "\xC9\xE8\xD6\xC3";
  WriteMacroFile(folder.str(), name, {"1", "1 \xC4\xA3 CODE:0004"});
  EXPECT_EQ(ListMacroNames(folder.str()), std::vector<std::string>{name});
  EXPECT_EQ(ReadMacroFile(folder.str(), name), (MacroScript{"1", "1 \xC4\xA3 CODE:0004"}));
}

TEST(MacroFiles, ZeroByteFileIsAScriptWithNoLines) {
  TempFolder folder;
  folder.write("New.spm", "");
  EXPECT_EQ(ReadMacroFile(folder.str(), "New"), MacroScript{});
  WriteMacroFile(folder.str(), "Empty", {});
  EXPECT_EQ(folder.read("Empty.spm"), "");
}

TEST(MacroFiles, ListingTakesEntriesEndingInSpmFoldersIncluded) {
  TempFolder folder;
  for (const char* name : {"a.spm", "b.spm", "notes.txt", "c.spm.tmp", "d.spmx", "spm", ".spm"})
    folder.write(name, "");
  std::filesystem::create_directory(folder.path() / "Folder.spm");
  std::filesystem::create_directory(folder.path() / "other");
  // ".spm" would be the macro of no name, which is refused.
  EXPECT_EQ(sorted(ListMacroNames(folder.str())), (std::vector<std::string>{"Folder", "a", "b"}));
  EXPECT_EQ(ListMacroNames(folder.file("missing")), std::vector<std::string>{});
  EXPECT_TRUE(macroFolderExists(folder.str()));
  EXPECT_FALSE(macroFolderExists(folder.file("missing")));
  EXPECT_FALSE(macroFolderExists(folder.file("a.spm")));
}

TEST(MacroFiles, ExtensionCaseFollowsThePlatform) {
  TempFolder folder;
  folder.write("Upper.SPM", "");
#ifdef _WIN32
  // Windows file names compare without case: Upper.spm opens Upper.SPM.
  EXPECT_EQ(ListMacroNames(folder.str()), std::vector<std::string>{"Upper"});
  EXPECT_EQ(ReadMacroFile(folder.str(), "Upper"), MacroScript{});
#else
  // Elsewhere Upper.spm would not open it, so it is no macro.
  EXPECT_EQ(ListMacroNames(folder.str()), std::vector<std::string>{});
#endif
}

TEST(MacroFiles, ReadFailuresNameTheFile) {
  TempFolder folder;
  const std::string missing = errorOf([&] { ReadMacroFile(folder.str(), "Missing"); });
  EXPECT_EQ(
      missing.rfind("Cannot open file \"" + macroFilePath(folder.str(), "Missing") + "\". ", 0), 0u)
      << missing;
  EXPECT_GT(missing.size(), 20 + macroFilePath(folder.str(), "Missing").size());
  std::filesystem::create_directory(folder.path() / "Folder.spm");
  const std::string directory = errorOf([&] { ReadMacroFile(folder.str(), "Folder"); });
  EXPECT_TRUE(directory.starts_with("Cannot open file") ||
              directory.starts_with("Cannot read file"))
      << directory;
  // A damaged line: which file and which line.
  folder.write("Damaged.spm", "4e5cb637a5aeed16\r\n4e5cb637a5aeed1x\r\n");
  EXPECT_EQ(errorOf([&] { ReadMacroFile(folder.str(), "Damaged"); }),
            "Cannot read file \"" + macroFilePath(folder.str(), "Damaged") +
                "\". Line 2: Error: not a Hex String.");
}

TEST(MacroFiles, FailedWriteLeavesTheOldFile) {
  TempFolder folder;
  WriteMacroFile(folder.str(), "Keep", kCombo);
  const std::string before = folder.read("Keep.spm");
  // The temporary beside the file cannot be created where a folder of its
  // name stands, whatever the permissions (tests may run as root).
  std::filesystem::create_directory(folder.path() / "Keep.spm.tmp");
  const std::string message = errorOf([&] { WriteMacroFile(folder.str(), "Keep", {"1"}); });
  EXPECT_TRUE(message.starts_with("Cannot write file \"" + macroFilePath(folder.str(), "Keep")))
      << message;
  EXPECT_EQ(folder.read("Keep.spm"), before);
  EXPECT_EQ(ReadMacroFile(folder.str(), "Keep"), kCombo);
}

TEST(MacroFiles, FailedRenameRemovesTheTemporary) {
  TempFolder folder;
  std::filesystem::create_directory(folder.path() / "Dir.spm");
  folder.write("Dir.spm/inside", "x");
  const std::string message = errorOf([&] { WriteMacroFile(folder.str(), "Dir", {"1"}); });
  EXPECT_TRUE(message.starts_with("Cannot replace file \"" + macroFilePath(folder.str(), "Dir")))
      << message;
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "Dir.spm.tmp"));
  EXPECT_EQ(folder.read("Dir.spm/inside"), "x");
}

TEST(MacroFiles, LineEndingInZeroWritesNothing) {
  TempFolder folder;
  WriteMacroFile(folder.str(), "Keep", kCombo);
  EXPECT_EQ(errorOf([&] {
              WriteMacroFile(folder.str(), "Keep", {"1", std::string("\0", 1)});
            }),
            "Error: the last char is NULL char.");
  EXPECT_EQ(ReadMacroFile(folder.str(), "Keep"), kCombo);
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "Keep.spm.tmp"));
}

TEST(MacroFiles, MissingFolderIsAWriteError) {
  TempFolder folder;
  EXPECT_TRUE(errorOf([&] {
                WriteMacroFile(folder.file("missing"), "X", {"1"});
              }).starts_with("Cannot write file"));
}

TEST(MacroFiles, DeleteReportsOnlyWhetherItWorked) {
  TempFolder folder;
  WriteMacroFile(folder.str(), "Gone", {"1"});
  EXPECT_TRUE(DeleteMacroFile(folder.str(), "Gone"));
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "Gone.spm"));
  EXPECT_FALSE(DeleteMacroFile(folder.str(), "Gone"));
}

TEST(MacroFiles, ImportCopiesUnderItsOwnNameOverAnOldFile) {
  TempFolder source;
  TempFolder macros;
  source.write("Jump.spm", "not even hex\r\n");
  WriteMacroFile(macros.str(), "Jump", kCombo);
  EXPECT_EQ(errorOf([&] { ImportMacroFile(macros.str(), source.file("Jump.spm")); }), "no error");
  EXPECT_EQ(macros.read("Jump.spm"), "not even hex\r\n");
  source.write("Other.txt", "x");
  EXPECT_EQ(errorOf([&] { ImportMacroFile(macros.str(), source.file("Other.txt")); }), "no error");
  EXPECT_EQ(macros.read("Other.txt"), "x");
  // Importing a file of the macro folder onto itself keeps it.
  EXPECT_EQ(errorOf([&] { ImportMacroFile(macros.str(), macros.file("Jump.spm")); }), "no error");
  EXPECT_EQ(macros.read("Jump.spm"), "not even hex\r\n");
  // The folders of the chosen path stay behind: only the name arrives.
  std::filesystem::create_directories(source.path() / "deep" / "er");
  source.write("deep/er/Deep.spm", "d");
  EXPECT_EQ(errorOf([&] { ImportMacroFile(macros.str(), source.file("deep/er/Deep.spm")); }),
            "no error");
  EXPECT_EQ(macros.read("Deep.spm"), "d");
  EXPECT_FALSE(std::filesystem::exists(macros.path() / "deep"));
}

TEST(MacroFiles, FailedImportSaysWhyAndLeavesTheOldFile) {
  TempFolder source;
  TempFolder macros;
  WriteMacroFile(macros.str(), "Jump", kCombo);
  const std::string refused(builtInCaption(message::kMacroNameRefused));
  EXPECT_TRUE(errorOf([&] {
                ImportMacroFile(macros.str(), source.file("Jump.spm"));
              }).starts_with("Cannot open file"));
  EXPECT_EQ(ReadMacroFile(macros.str(), "Jump"), kCombo);
  source.write("Jump.spm", "new");
  std::filesystem::create_directory(macros.path() / "Jump.spm.tmp");
  EXPECT_TRUE(errorOf([&] {
                ImportMacroFile(macros.str(), source.file("Jump.spm"));
              }).starts_with("Cannot write file"));
  EXPECT_EQ(ReadMacroFile(macros.str(), "Jump"), kCombo);
  // No file name, or one the macro folder must not hold.
  EXPECT_EQ(errorOf([&] { ImportMacroFile(macros.str(), source.str() + "/"); }), refused);
  for (const char* name : {"aux.spm", " Jump.spm", "Jump..spm"}) {
    source.write(name, "x");
    EXPECT_EQ(errorOf([&] { ImportMacroFile(macros.str(), source.file(name)); }), refused) << name;
  }
  source.write("Big.spm", std::string(kMaxMacroFileBytes + 1, '0'));
  EXPECT_TRUE(errorOf([&] {
                ImportMacroFile(macros.str(), source.file("Big.spm"));
              }).starts_with("Cannot read file"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(macros.path()), {}), 2);
}

// A macro of blank lines is harmless text but costs memory line by line:
// a file larger than any macro is refused before it is read whole.
TEST(MacroFiles, FileLargerThanAnyMacroIsRefused) {
  TempFolder folder;
  const std::string line = "4e5cb637a5aeed16\r\n";
  std::string fits;
  while (fits.size() + line.size() <= kMaxMacroFileBytes) fits += line;
  fits += std::string(kMaxMacroFileBytes - fits.size(), '\n');
  folder.write("Fits.spm", fits);
  EXPECT_EQ(ReadMacroFile(folder.str(), "Fits").size(),
            kMaxMacroFileBytes / line.size() + kMaxMacroFileBytes % line.size());
  folder.write("Blank.spm", std::string(kMaxMacroFileBytes + 1, '\n'));
  EXPECT_EQ(errorOf([&] { ReadMacroFile(folder.str(), "Blank"); }),
            "Cannot read file \"" + macroFilePath(folder.str(), "Blank") +
                "\". It is larger than 64 KiB, far more than any macro needs, so it is no "
                "macro file.");
  // Nothing is written that reading would refuse; the old file stays.
  WriteMacroFile(folder.str(), "Fits", {"1"});
  // Every line of this script takes the same 18 bytes in the file.
  MacroScript tooLarge{"1"};
  tooLarge.resize(kMaxMacroFileBytes / formatMacroFile({"0 50"}).size() + 1, "0 50");
  ASSERT_GT(formatMacroFile(tooLarge).size(), kMaxMacroFileBytes);
  EXPECT_EQ(errorOf([&] { WriteMacroFile(folder.str(), "Fits", tooLarge); }),
            "Cannot write file \"" + macroFilePath(folder.str(), "Fits") +
                "\". It would be larger than 64 KiB, far more than any macro needs.");
  EXPECT_EQ(ReadMacroFile(folder.str(), "Fits"), MacroScript{"1"});
  tooLarge.pop_back();
  ASSERT_LE(formatMacroFile(tooLarge).size(), kMaxMacroFileBytes);
  WriteMacroFile(folder.str(), "Fits", tooLarge);
  EXPECT_EQ(ReadMacroFile(folder.str(), "Fits"), tooLarge);
  folder.write("Huge.spm", std::string(20 * 1024 * 1024, '\n'));
  EXPECT_TRUE(
      errorOf([&] { ReadMacroFile(folder.str(), "Huge"); }).starts_with("Cannot read file"));
}

#ifndef _WIN32
// The temporary is created exclusively: a link planted under its name is
// neither followed nor replaced, and the write fails with the old file kept.
TEST(MacroFiles, PlantedLinkAtTheTemporaryIsNotFollowed) {
  TempFolder folder;
  TempFolder elsewhere;
  elsewhere.write("victim", "precious");
  WriteMacroFile(folder.str(), "X", kCombo);
  const std::filesystem::path link = folder.path() / "X.spm.tmp";
  std::filesystem::create_symlink(elsewhere.path() / "victim", link);
  EXPECT_TRUE(
      errorOf([&] { WriteMacroFile(folder.str(), "X", {"1"}); }).starts_with("Cannot write file"));
  EXPECT_EQ(elsewhere.read("victim"), "precious");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadMacroFile(folder.str(), "X"), kCombo);
  // A dangling link is not followed into a new file either.
  std::filesystem::remove(link);
  std::filesystem::create_symlink(elsewhere.path() / "created", link);
  EXPECT_TRUE(
      errorOf([&] { WriteMacroFile(folder.str(), "X", {"1"}); }).starts_with("Cannot write file"));
  EXPECT_FALSE(std::filesystem::exists(elsewhere.path() / "created"));
}
#endif

}  // namespace
}  // namespace kestrovane
