#include "base/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "base/Error.h"
#include "tests/ErrorText.h"

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

// The profile-function rules written the plainest way: a list of lines,
// every lookup a scan from the top. The indexed reader must agree with it on
// every read and every text.
class ReferenceIni {
 public:
  explicit ReferenceIni(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) {
      m_bom = true;
      text.remove_prefix(3);
    }
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find_first_of("\r\n", start);
      if (end == std::string_view::npos) end = text.size();
      m_lines.emplace_back(text.substr(start, end - start));
      if (end == text.size()) break;
      start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
  }

  std::string text() const {
    std::string out = m_bom ? "\xEF\xBB\xBF" : "";
    for (const std::string& line : m_lines) out += line + "\r\n";
    return out;
  }

  std::optional<std::string> value(std::string_view section, std::string_view key) const {
    const std::size_t i = findKey(section, key);
    if (i == npos) return std::nullopt;
    std::string v = valueOf(m_lines[i]);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
      v = v.substr(1, v.size() - 2);
    return v;
  }

  void set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string name = trim(oneLine(key));
    const std::size_t existing = findKey(section, name);
    if (existing != npos) {
      m_lines[existing] = nameOf(m_lines[existing]) + "=" + oneLine(value);
      return;
    }
    const std::size_t s = findSection(section);
    if (s == npos) {
      m_lines.push_back("[" + trim(oneLine(section)) + "]");
      m_lines.push_back(name + "=" + oneLine(value));
      return;
    }
    std::size_t at = sectionEnd(s);
    while (at > s + 1 && trim(m_lines[at - 1]).empty()) --at;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), name + "=" + oneLine(value));
  }

  bool remove(std::string_view section, std::string_view key) {
    const std::size_t i = findKey(section, key);
    if (i == npos) return false;
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(i));
    return true;
  }

 private:
  static constexpr std::size_t npos = std::string::npos;
  static bool blank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }
  static bool lead(char c) { return static_cast<unsigned char>(c) >= 0x81 && c != '\xFF'; }
  static std::string trim(std::string_view s) {
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return std::string(s);
  }
  static std::string oneLine(std::string_view s) {
    std::string out(s);
    for (char& c : out)
      if (c == '\r' || c == '\n') c = ' ';
    return out;
  }
  static char fold(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
  static bool same(std::string_view a, std::string_view b) {
    const std::string x = trim(a), y = trim(b);
    if (x.size() != y.size()) return false;
    for (std::size_t i = 0; i < x.size(); ++i) {
      if (lead(x[i]) && i + 1 < x.size()) {
        if (x[i] != y[i] || x[i + 1] != y[i + 1]) return false;
        ++i;
      } else if (fold(x[i]) != fold(y[i])) {
        return false;
      }
    }
    return true;
  }
  // The section name of a line, nullopt for no section line.
  static std::optional<std::string> sectionOf(const std::string& line) {
    const std::string s = trim(line);
    if (s.empty() || s.front() != '[') return std::nullopt;
    for (std::size_t i = 1; i < s.size(); ++i) {
      if (s[i] == ']') return trim(std::string_view(s).substr(1, i - 1));
      if (lead(s[i])) ++i;
    }
    return std::nullopt;
  }
  static bool isKey(const std::string& line) {
    const std::string s = trim(line);
    return !s.empty() && s.front() != '[' && s.front() != ';' && s.find('=') != npos;
  }
  static std::string nameOf(const std::string& line) {
    const std::string s = trim(line);
    return trim(std::string_view(s).substr(0, s.find('=')));
  }
  static std::string valueOf(const std::string& line) {
    const std::string s = trim(line);
    return trim(std::string_view(s).substr(s.find('=') + 1));
  }
  std::size_t findSection(std::string_view section) const {
    for (std::size_t i = 0; i < m_lines.size(); ++i)
      if (const auto name = sectionOf(m_lines[i]); name && same(*name, section)) return i;
    return npos;
  }
  std::size_t sectionEnd(std::size_t s) const {
    std::size_t i = s + 1;
    while (i < m_lines.size() && !sectionOf(m_lines[i])) ++i;
    return i;
  }
  std::size_t findKey(std::string_view section, std::string_view key) const {
    const std::size_t s = findSection(section);
    if (s == npos) return npos;
    for (std::size_t i = s + 1; i < sectionEnd(s); ++i)
      if (isKey(m_lines[i]) && same(nameOf(m_lines[i]), key)) return i;
    return npos;
  }

  std::vector<std::string> m_lines;
  bool m_bom = false;
};

// Random files of sections, keys, comments, blank and odd lines (names in
// other cases, repeated, with code page 936 bytes, every kind of line end),
// then random writes and removals: the indexed model reads and writes
// exactly what the plain one does.
TEST(IniFile, AgreesWithAPlainScanOnRandomFilesAndEdits) {
  const std::vector<std::string> names{
      "Mode1",    "mode1",    " MODE1 ", "Key", "key", "Data0", "\xC9\xE8\xD6\xC3",
      "\x81\x41", "\x81\x61", "a",       "A",   "",    "a=b",   ";c",
      "[x]",      "[y",       "\x81"};
  const std::vector<std::string> breaks{"\r\n", "\n", "\r", "\r\n"};
  std::mt19937 random(17);
  const auto pick = [&](const std::vector<std::string>& from) {
    return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
  };
  const auto chance = [&](int percent) {
    return std::uniform_int_distribution<int>(0, 99)(random) < percent;
  };
  for (int round = 0; round < 300; ++round) {
    std::string text = chance(10) ? "\xEF\xBB\xBF" : "";
    const int lines = std::uniform_int_distribution<int>(0, 40)(random);
    for (int i = 0; i < lines; ++i) {
      switch (std::uniform_int_distribution<int>(0, 6)(random)) {
        case 0:
          text += "[" + pick(names) + "]" + (chance(20) ? " tail" : "");
          break;
        case 1:
          text += chance(50) ? "" : "  \t";
          break;
        case 2:
          text += "; " + pick(names);
          break;
        case 3:
          text += "no key here";
          break;
        default:
          text += " " + pick(names) + " = \"v" + std::to_string(i) + "\" ";
          break;
      }
      if (i + 1 < lines || chance(70)) text += pick(breaks);
    }
    SCOPED_TRACE(::testing::PrintToString(text));
    IniFile ini = IniFile::parse(text);
    ReferenceIni reference(text);
    for (int step = 0; step < 30; ++step) {
      const std::string section = pick(names), key = pick(names);
      if (chance(40)) {
        const std::string value = chance(20) ? "x\r\ny" : "w" + std::to_string(step);
        ini.setString(section, key, value);
        reference.set(section, key, value);
      } else if (chance(20)) {
        EXPECT_EQ(ini.removeKey(section, key), reference.remove(section, key));
      }
      ASSERT_EQ(ini.text(), reference.text()) << "step " << step;
      for (const std::string& s : names)
        for (const std::string& k : names)
          ASSERT_EQ(ini.value(s, k), reference.value(s, k)) << s << " / " << k;
    }
  }
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
}

// The user reads which file and why: the system's reason after the path.
TEST_F(IniFileOnDisk, ReadFailuresNameTheFileAndTheSystemsReason) {
  const fs::path folder = m_dir / "Mode4.ini";
  fs::create_directories(folder);
  const std::string message = errorOf([&] { IniFile::load(folder); });
  const std::string prefix = "Unable to read " + folder.string() + ": ";
  EXPECT_TRUE(message.starts_with(prefix)) << message;
  EXPECT_GT(message.size(), prefix.size()) << "no reason";
#ifndef _WIN32
  EXPECT_EQ(message, prefix + "Is a directory");
#endif
}

// A settings or language file is a few kilobytes: one larger than 1 MiB is
// refused by name before it is read whole, and nothing larger is written.
TEST_F(IniFileOnDisk, FilesLargerThanTheLimitAreRefusedByName) {
  const std::string tooLarge =
      "it is larger than 1024 KiB, far more than any settings or "
      "language file holds";
  const std::string head = "[Mode2_data]\r\nData0=7\r\n";
  const struct {
    const char* name;
    std::size_t size;
    char fill;
    bool refused;
  } cases[] = {
      {"exact.ini", IniFile::kMaxFileBytes, '\n', false},
      {"blanks.ini", IniFile::kMaxFileBytes + 1, '\n', true},
      {"spaces.ini", IniFile::kMaxFileBytes + 1, ' ', true},
      {"huge.ini", 50 * IniFile::kMaxFileBytes, '\n', true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path path = m_dir / c.name;
    std::string bytes = head;
    bytes.resize(c.size, c.fill);
    std::ofstream(path, std::ios::binary) << bytes;
    if (c.refused) {
      EXPECT_EQ(errorOf([&] { IniFile::load(path); }),
                "Unable to read " + path.string() + ": " + tooLarge);
    } else {
      EXPECT_EQ(IniFile::load(path).getInt("Mode2_data", "Data0", -1), 7);
    }
  }

  // One byte more than load takes: refused, the file as it was.
  const fs::path target = m_dir / "GM.ini";
  IniFile::parse("[GM]\r\nMode1=old\r\n").save(target);
  IniFile large;
  large.setString("GM", "Mode1", std::string(IniFile::kMaxFileBytes - 13, 'x'));
  ASSERT_EQ(large.text().size(), IniFile::kMaxFileBytes + 1);
  EXPECT_EQ(errorOf([&] { large.save(target); }),
            "Unable to write to " + target.string() + ": " + tooLarge);
  EXPECT_EQ(read(target), "[GM]\r\nMode1=old\r\n");
  large.setString("GM", "Mode1", std::string(IniFile::kMaxFileBytes - 14, 'x'));
  large.save(target);
  EXPECT_EQ(IniFile::load(target).getString("GM", "Mode1").size(), IniFile::kMaxFileBytes - 14);
}

}  // namespace
}  // namespace kestrovane
