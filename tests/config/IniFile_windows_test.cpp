// Compares the INI model with the profile functions of Windows (here: wine's,
// under code page 936) on the same files.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "config/IniFile.h"
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

}  // namespace
}  // namespace kestrovane
