// kestrovanectl export and import, run as the real program in a scratch
// program folder (configure/, data/, Macro/ beside a copy of the program);
// every file of the folder is compared byte for byte before and after.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>

#include "base/ZipArchive.h"
#include "program/ConfigurationExport.h"
#include "tests/TempFolder.h"

namespace kestrovane::test {
namespace {

namespace fs = std::filesystem;
using Snapshot = std::map<std::string, std::string>;

struct Outcome {
  int code = -1;
  std::string err;
};

// A program folder with the factory settings, the macros of the compile
// fixture, one whose name is double-byte (code page 936 "宏") and one that
// differs from another only in case (two files here), and a copy of
// kestrovanectl.
class ProgramFolder {
 public:
  ProgramFolder() {
    const fs::path resources = KESTROVANE_RESOURCES;
    fs::create_directories(folder() / "Macro");
    fs::copy(resources / "configure", folder() / "configure");
    fs::copy(resources / "data", folder() / "data");
    for (const auto& entry :
         fs::directory_iterator(fs::path(KESTROVANE_TEST_DATA) / "macro/compile"))
      fs::copy(entry.path(), folder() / "Macro" / entry.path().filename());
    m_root.write("pf/Macro/\xBA\xEA.spm", "0123456789ABCDEF\r\n");
    m_root.write("pf/Macro/combo.spm", "");
    fs::copy(KESTROVANECTL, folder() / "kestrovanectl");
  }

  fs::path folder() const { return m_root.path() / "pf"; }
  std::string file(const std::string& name) const { return m_root.file(name); }
  void write(const std::string& name, const std::string& bytes) const { m_root.write(name, bytes); }

  // Every file of the program folder but the program itself.
  Snapshot snapshot() const {
    Snapshot files;
    for (const auto& entry : fs::recursive_directory_iterator(folder()))
      if (entry.is_regular_file() && entry.path().filename() != "kestrovanectl")
        files[fs::relative(entry.path(), folder()).string()] = TempFolder::readFile(entry.path());
    return files;
  }

  Outcome run(const std::string& args) const {
    const std::string err = m_root.file("stderr");
    const std::string command = "cd '" + folder().string() + "' && XDG_DATA_HOME='" +
                                m_root.file("none") + "' ./kestrovanectl " + args +
                                " >/dev/null 2>'" + err + "'";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status)) << status;
    return {WEXITSTATUS(status), TempFolder::readFile(err)};
  }

 private:
  TempFolder m_root;
};

TEST(ConfigurationCommands, ImportRestoresEveryExportedFileAndReplaceRemovesOtherMacros) {
  ProgramFolder program;
  const Snapshot exported = program.snapshot();
  // Eleven settings files, their eleven factory copies, eight macros.
  ASSERT_EQ(exported.size(), 30u);
  ASSERT_EQ(program.run("export ../saved.zip").code, 0);

  // Every exported file changes (the factory copies are not the user's), a
  // macro goes and another comes.
  for (const auto& [name, bytes] : exported)
    if (name.find("Default_") == std::string::npos)
      program.write("pf/" + name, bytes + "changed\r\n");
  fs::remove(program.folder() / "Macro/Combo.spm");
  program.write("pf/Macro/extra.spm", "00\r\n");
  Outcome imported = program.run("import ../saved.zip");
  ASSERT_EQ(imported.code, 0) << imported.err;
  Snapshot expected = exported;
  expected["Macro/extra.spm"] = "00\r\n";
  EXPECT_EQ(program.snapshot(), expected);

  imported = program.run("import --replace ../saved.zip");
  ASSERT_EQ(imported.code, 0) << imported.err;
  EXPECT_EQ(program.snapshot(), exported);
}

// An archive of the given entries as an export would frame them.
std::string archiveOf(std::vector<ZipEntry> entries) {
  return writeZip(entries, {});
}

TEST(ConfigurationCommands, AnythingButAWholeExportChangesNothingAndFails) {
  ProgramFolder program;
  ASSERT_EQ(program.run("export ../saved.zip").code, 0);
  const std::string good = TempFolder::readFile(program.file("saved.zip"));
  std::vector<ZipEntry> entries = readZip(good, {100, 1 << 20, 1 << 24});
  ASSERT_EQ(entries.size(), 20u);
  const auto with = [&](std::size_t k, const std::string& name, const std::string& bytes) {
    std::vector<ZipEntry> changed = entries;
    changed[k] = {name, bytes};
    return archiveOf(changed);
  };
  std::mt19937 random(18);
  std::string noise(4096, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  std::string flipped = good;
  flipped[200] = static_cast<char>(flipped[200] ^ 0x10);
  std::vector<ZipEntry> lacking = entries;
  lacking.erase(lacking.begin() + 3);

  const std::vector<std::pair<std::string, std::string>> junk = {
      {"random bytes", noise},
      {"another program's ZIP", archiveOf({{"readme.txt", "hello"}})},
      {"cut short", good.substr(0, good.size() / 2)},
      {"cut before its end record", good.substr(0, good.size() - 10)},
      {"a flipped byte", flipped},
      {"a newer format", with(0, "KestrovaneDriver-export.txt",
                              "KestrovaneDriver configuration export\r\nformat=2\r\n")},
      {"a settings file missing", archiveOf(lacking)},
      {"Macro/../", with(13, "Macro/../configure/GM.spm", "x")},
      {"../ outside", with(13, "../evil.spm", "x")},
      {"an absolute path", with(13, "/tmp/evil.spm", "x")},
      {"a factory file", with(13, "configure/Default_GM.ini", "x")},
      {"a macro too large", with(13, "Macro/big.spm", std::string(65 * 1024, '0'))},
      {"a settings file too large", with(1, "configure/GM.ini", std::string((1 << 20) + 1, 'x'))},
  };
  const Snapshot before = program.snapshot();
  for (const auto& [what, bytes] : junk) {
    program.write("junk.zip", bytes);
    for (const char* options : {"", " --replace"}) {
      const Outcome outcome = program.run(std::string("import ../junk.zip") + options);
      EXPECT_EQ(outcome.code, 1) << what;
      EXPECT_EQ(outcome.err.rfind("kestrovanectl: ../junk.zip was not imported", 0), 0u)
          << what << ": " << outcome.err;
      EXPECT_EQ(program.snapshot(), before) << what;
    }
  }
  EXPECT_EQ(program.run("import").code, 2);
  EXPECT_EQ(program.run("import ../missing.zip").code, 1);
  EXPECT_EQ(program.snapshot(), before);
}

}  // namespace
}  // namespace kestrovane::test
