#include "base/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "base/Error.h"

namespace kestrovane {
namespace {

namespace fs = std::filesystem;

struct ReadCase {
  const char* section;
  const char* key;
  std::optional<std::string> expected;
};

TEST(IniFile, ReadsLikeTheProfileFunctions) {
  const IniFile ini = IniFile::parse(
      "top=level\r\n"
      "[Mode1]\r\n"
      "  Key1  =  Copy  \r\n"
      "Key2=first\r\n"
      "key2=second\r\n"
      "no equals sign\r\n"
      ";Key3=commented\r\n"
      "\tKey4\t=\t\"quoted\"\t\r\n"
      "Key5='single'\r\n"
      "Key6=\"unbalanced\r\n"
      "Key7=a=b\r\n"
      "Key8=\r\n"
      "[Broken\r\n"
      "Key9=still Mode1\r\n"
      "[ Data ] trailing text\r\n"
      "Data0=5\r\n"
      "[mode1]\r\n"
      "Key10=in the second Mode1\r\n"
      "[\xC9\xE8\xD6\xC3]\n"
      "\xC4\xA3\xCA\xBD=\xB9\xA4\xBE\xDF\n"
      "[\x81\x5D]\r"
      "K=trail byte 0x5D is no bracket\r"
      "[\x81\x41]\n"
      "K=A\n"
      "[\x81\x61]\n"
      "K=a\n");
  const ReadCase cases[] = {
      {"Mode1", "Key1", "Copy"},
      {"MODE1", "KEY1", "Copy"},
      {" Mode1 ", " Key1 ", "Copy"},
      {"Mode1", "Key2", "first"},
      {"Mode1", "no equals sign", std::nullopt},
      {"Mode1", ";Key3", std::nullopt},
      {"Mode1", "Key4", "quoted"},
      {"Mode1", "Key5", "single"},
      {"Mode1", "Key6", "\"unbalanced"},
      {"Mode1", "Key7", "a=b"},
      {"Mode1", "Key8", ""},
      {"Mode1", "Key9", "still Mode1"},
      {"Broken", "Key9", std::nullopt},
      {"Data", "Data0", "5"},
      {"Mode1", "Key10", std::nullopt},
      {"Mode1", "top", std::nullopt},
      {"", "top", std::nullopt},
      {"Missing", "Key1", std::nullopt},
      {"\xC9\xE8\xD6\xC3", "\xC4\xA3\xCA\xBD", "\xB9\xA4\xBE\xDF"},
      {"\x81\x5D", "K", "trail byte 0x5D is no bracket"},
      {"\x81", "K", std::nullopt},
      {"\x81\x41", "K", "A"},
      {"\x81\x61", "K", "a"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.section) + " / " + c.key);
    EXPECT_EQ(ini.value(c.section, c.key), c.expected);
  }
  EXPECT_EQ(ini.getString("Mode1", "Missing", "fallback"), "fallback");
  EXPECT_TRUE(ini.hasSection("DATA"));
  EXPECT_FALSE(ini.hasSection("Broken"));
}

TEST(IniFile, IntegersAreWholeDecimalNumbersOrTheDefault) {
  const struct {
    const char* text;
    int expected;
  } cases[] = {
      {"0", 0},
      {"42", 42},
      {"-5", -5},
      {"+7", 7},
      {" 12 ", 12},
      {"\"3\"", 3},
      {"12abc", -1},
      {"0x10", -1},
      {"1.5", -1},
      {"", -1},
      {"-", -1},
      {"+", -1},
      {"+-1", -1},
      {"--1", -1},
      {"2147483647", 2147483647},
      {"2147483648", -1},
      {"-2147483648", -2147483647 - 1},
      {"1 2", -1},
  };
  for (const auto& c : cases) {
    const IniFile ini = IniFile::parse(std::string("[S]\r\nk=") + c.text + "\r\n");
    EXPECT_EQ(ini.getInt("S", "k", -1), c.expected) << c.text;
  }
  EXPECT_EQ(IniFile().getInt("S", "k", 9), 9);
}

TEST(IniFile, WritesLikeTheProfileFunctions) {
  IniFile ini = IniFile::parse(
      "; settings\n"
      "[GM]\n"
      "Mode1=Mouse\n"
      " Cycle = 1 \n"
      "\n"
      "[Other]\r"
      "x=1");
  ini.setString("gm", "CYCLE", "0");       // replaced in place, the file's spelling kept
  ini.setString("GM", "cbMode", "2");      // new key before the blank line
  ini.setInt("Other", "y", -3);            // after a last line without line end
  ini.setString("New", "Key1", "A\r\nB");  // new section at the end; one line
  ini.setString("GM", "Mode1", "\xCA\xF3\xB1\xEA");
  EXPECT_TRUE(ini.removeKey("other", "X"));
  EXPECT_FALSE(ini.removeKey("Other", "x"));
  EXPECT_FALSE(ini.removeKey("Nowhere", "x"));
  EXPECT_EQ(ini.text(),
            "; settings\r\n"
            "[GM]\r\n"
            "Mode1=\xCA\xF3\xB1\xEA\r\n"
            "Cycle=0\r\n"
            "cbMode=2\r\n"
            "\r\n"
            "[Other]\r\n"
            "y=-3\r\n"
            "[New]\r\n"
            "Key1=A  B\r\n");
  EXPECT_EQ(ini.getString("New", "Key1"), "A  B");
  EXPECT_EQ(IniFile::parse(ini.text()).text(), ini.text());
}

TEST(IniFile, RemovingTheFirstOfTwoEqualKeysUncoversTheSecond) {
  IniFile ini = IniFile::parse("[S]\r\nk=1\r\nK=2\r\n");
  EXPECT_TRUE(ini.removeKey("S", "k"));
  EXPECT_EQ(ini.getString("S", "k"), "2");
}

TEST(IniFile, KeepsAByteOrderMarkOutOfTheFirstSection) {
  const IniFile ini = IniFile::parse("\xEF\xBB\xBF[Device]\r\nPresent=0\r\n");
  EXPECT_EQ(ini.getInt("Device", "Present", 1), 0);
  EXPECT_EQ(ini.text(), "\xEF\xBB\xBF[Device]\r\nPresent=0\r\n");
}

class IniFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = fs::temp_directory_path() /
            ("kestrovane-ini-" +
             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(m_dir / "GM.ini", fs::perms::owner_all, ec);
    fs::remove_all(m_dir, ec);
  }
  static std::string read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  fs::path m_dir;
};

TEST_F(IniFileOnDisk, SavesThroughATemporaryAndLoadsBack) {
  const fs::path file = m_dir / "GM.ini";
  EXPECT_EQ(IniFile::load(file).text(), "");  // a missing file is an empty model
  IniFile ini;
  ini.setString("GM", "Mode1", "Mouse");
  ini.save(file);
  ini.setInt("GM", "cbMode", 4);
  ini.save(file);
  EXPECT_EQ(read(file), "[GM]\r\nMode1=Mouse\r\ncbMode=4\r\n");
  EXPECT_EQ(IniFile::load(file).getInt("GM", "cbMode", 0), 4);
  // Nothing is left beside it.
  EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
}

TEST_F(IniFileOnDisk, RefusedWritesThrowAndLeaveTheFileAsItWas) {
  IniFile ini;
  ini.setString("GM", "Mode1", "new");
  const fs::path missingFolder = m_dir / "missing" / "GM.ini";
  try {
    ini.save(missingFolder);
    FAIL() << "saved into a missing folder";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + missingFolder.string());
  }
  EXPECT_FALSE(fs::exists(m_dir / "missing"));

  const fs::path readOnly = m_dir / "GM.ini";
  IniFile::parse("[GM]\r\nMode1=old\r\n").save(readOnly);
  fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_THROW(ini.save(readOnly), Error);
  EXPECT_EQ(read(readOnly), "[GM]\r\nMode1=old\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);

  fs::create_directories(m_dir / "folder.ini");
  EXPECT_THROW(ini.save(m_dir / "folder.ini"), Error);
  try {
    IniFile::load(m_dir / "folder.ini");
    FAIL() << "read a folder as a file";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to read " + (m_dir / "folder.ini").string());
  }
}

}  // namespace
}  // namespace kestrovane
