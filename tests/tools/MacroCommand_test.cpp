#include "tools/kestrovanectl/MacroCommand.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

#include "macro/MacroFile.h"
#include "tests/TempFolder.h"

namespace kestrovane::ctl {
namespace {

using test::TempFolder;

const std::string kData = std::string(KESTROVANE_TEST_DATA) + "/macro/";

struct Result {
  int code;
  std::string out;
  std::string err;
};

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// A stream in a folder of this test's own: std::tmpfile picks names that
// tests running side by side under wine may both pick.
File temporaryFile() {
  static const TempFolder folder;
  static int count = 0;
  const std::string path = folder.file("stream" + std::to_string(++count));
  File file(std::fopen(path.c_str(), "w+b"), &std::fclose);
  if (file == nullptr) throw std::runtime_error("cannot create " + path);
  return file;
}

std::string contentOf(std::FILE* file) {
  std::rewind(file);
  std::string text;
  char buffer[4096];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
  return text;
}

Result run(const std::vector<std::string>& args, const std::string& input = "") {
  const File in = temporaryFile();
  const File out = temporaryFile();
  const File err = temporaryFile();
  std::fwrite(input.data(), 1, input.size(), in.get());
  std::rewind(in.get());
  const int code = runMacroCommand(args, in.get(), out.get(), err.get());
  return {code, contentOf(out.get()), contentOf(err.get())};
}

// The ten "INDEX HEX" lines of compile.expected with byte 0 of the first
// `reached` records replaced by loop + index.
std::string withLoopBytes(int loop, int reached) {
  std::string expected = TempFolder::readFile(kData + "compile.expected");
  std::size_t line = 0;
  for (int index = 0; index < reached; ++index) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02x", loop + index);
    expected.replace(line + 2, 2, digits);
    line = expected.find('\n', line) + 1;
  }
  return expected;
}

TEST(MacroCommand, EncryptPrintsOneHexLinePerInputLine) {
  const Result result = run({"encrypt"}, TempFolder::readFile(kData + "encrypt.input"));
  EXPECT_EQ(result.code, 0) << result.err;
  EXPECT_EQ(result.out, TempFolder::readFile(kData + "encrypt.expected"));
  EXPECT_EQ(run({"encrypt"}, "").out, "");
  const Result nul = run({"encrypt"}, std::string("1\n2\0\n", 5));
  EXPECT_EQ(nul.code, 1);
  EXPECT_EQ(nul.out, "");
  EXPECT_EQ(nul.err, "kestrovanectl: Error: the last char is NULL char.\n");
}

TEST(MacroCommand, DecryptPrintsTheScript) {
  const Result result = run({"decrypt", kData + "compile/Combo.spm"});
  EXPECT_EQ(result.code, 0) << result.err;
  EXPECT_EQ(result.out, TempFolder::readFile(kData + "scripts/Combo.txt"));
  EXPECT_EQ(run({"decrypt", kData + "compile/e_empty.spm"}).out, "");

  TempFolder folder;
  folder.write("Damaged.spm", "4e5cb637a5aeed16\r\nxyz\r\n");
  const Result damaged = run({"decrypt", folder.file("Damaged.spm")});
  EXPECT_EQ(damaged.code, 1);
  EXPECT_EQ(damaged.out, "");
  EXPECT_EQ(damaged.err, "kestrovanectl: Cannot read file \"" + folder.file("Damaged.spm") +
                             "\". Line 2: Error: not a Hex String.\n");
  const Result missing = run({"decrypt", folder.file("Missing.spm")});
  EXPECT_EQ(missing.code, 1);
  EXPECT_TRUE(missing.err.starts_with("kestrovanectl: Cannot open file \"" +
                                      folder.file("Missing.spm") + "\"."))
      << missing.err;
}

TEST(MacroCommand, CompilePrintsTenRecordsInMacroListOrder) {
  const Result plain = run({"compile", kData + "compile"});
  EXPECT_EQ(plain.code, 0) << plain.err;
  EXPECT_EQ(plain.out, TempFolder::readFile(kData + "compile.expected"));
  // Four macros come before the empty one that ends the compilation.
  const Result endless = run({"compile", kData + "compile", "--endless"});
  EXPECT_EQ(endless.code, 0) << endless.err;
  EXPECT_EQ(endless.out, withLoopBytes(0xF0, 4));
  const Result counted = run({"compile", kData + "compile", "--count", "3"});
  EXPECT_EQ(counted.code, 0) << counted.err;
  EXPECT_EQ(counted.out, withLoopBytes(0x30, 4));
  EXPECT_EQ(run({"compile", kData + "compile", "--count", "0"}).out, plain.out);
}

TEST(MacroCommand, CompileFailures) {
  const Result empty = run({"compile", kData + "compile", "--count", ""});
  EXPECT_EQ(empty.code, 1);
  EXPECT_EQ(empty.out, "");
  EXPECT_EQ(empty.err, "kestrovanectl: The loop count is empty.\n");
  EXPECT_EQ(run({"compile", kData + "compile", "--count", "x"}).err,
            "kestrovanectl: The loop count \"x\" is not a number.\n");

  TempFolder folder;
  const Result missing = run({"compile", folder.file("missing")});
  EXPECT_EQ(missing.code, 1);
  EXPECT_EQ(missing.err, "kestrovanectl: Cannot open folder \"" + folder.file("missing") + "\".\n");

  MacroScript tooLong{"1"};
  for (int i = 0; i < 130; ++i) tooLong.push_back("1 K CODE:0004");
  WriteMacroFile(folder.str(), "Long", tooLong);
  const Result refused = run({"compile", folder.str()});
  EXPECT_EQ(refused.code, 1);
  EXPECT_EQ(refused.out, "");
  EXPECT_EQ(refused.err, "kestrovanectl: Macro Long is too long for the mouse.\n");
}

TEST(MacroCommand, UsageErrors) {
  const std::string dir = kData + "compile";
  const std::vector<std::vector<std::string>> wrong{
      {},
      {"frobnicate"},
      {"encrypt", "extra"},
      {"decrypt"},
      {"decrypt", "a", "b"},
      {"compile"},
      {"compile", dir, "--count"},
      {"compile", dir, "--endless", "--count", "3"},
      {"compile", dir, "--count", "3", "--endless"},
      {"compile", dir, "--bogus"},
      {"compile", dir, "--endless", "--endless"},
  };
  for (const auto& args : wrong) {
    const Result result = run(args);
    EXPECT_EQ(result.code, 2) << testing::PrintToString(args);
    EXPECT_EQ(result.out, "");
    EXPECT_TRUE(result.err.starts_with("usage: kestrovanectl macro")) << result.err;
  }
}

}  // namespace
}  // namespace kestrovane::ctl
