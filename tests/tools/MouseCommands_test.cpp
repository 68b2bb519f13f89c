// kestrovanectl apply and read-modes, run as the real program in a scratch
// program folder (configure/, data/, Macro/ beside a copy of the program)
// over a virtual mouse; what reached the mouse is its whole transfer log.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/IniFile.h"
#include "config/SettingsFiles.h"
#include "device/VirtualMouse.h"
#include "program/ProgramCommands.h"
#include "tests/TempFolder.h"
#include "tests/device/TransferLogLines.h"

namespace kestrovane::test {
namespace {

namespace fs = std::filesystem;

std::string shellQuoted(const std::string& text) {
  return "'" + text + "'";
}

struct Outcome {
  int code = -1;
  std::string out;
  std::string err;
};

// A program folder with the factory settings, a copy of kestrovanectl and
// the six macros of the compile fixture in its Macro folder.
class ProgramFolder {
 public:
  ProgramFolder() {
    const fs::path resources = KESTROVANE_RESOURCES;
    fs::copy(resources / "configure", m_folder.path() / "configure");
    fs::copy(resources / "data", m_folder.path() / "data");
    fs::create_directories(m_folder.path() / "Macro");
    for (const auto& entry :
         fs::directory_iterator(fs::path(KESTROVANE_TEST_DATA) / "macro/compile"))
      fs::copy(entry.path(), m_folder.path() / "Macro" / entry.path().filename());
    fs::copy(KESTROVANECTL, m_folder.path() / "kestrovanectl");
    fs::create_directories(mouseDir());
  }

  fs::path path() const { return m_folder.path(); }
  fs::path mouseDir() const { return m_folder.path() / "mouse"; }
  std::string mouseOption() const { return "--virtual-mouse=" + mouseDir().string(); }

  // Runs the copy in the folder, its pointer options kept inside the folder.
  // On a terminal (script(1) gives it one) standard error joins standard
  // output.
  Outcome run(const std::string& args, bool terminal = false) const {
    const std::string out = (path() / "stdout").string();
    const std::string err = (path() / "stderr").string();
    std::string command = "XDG_CONFIG_HOME=" + shellQuoted(path().string()) +
                          " GSETTINGS_BACKEND=memory ./kestrovanectl " + args;
    if (terminal) command = "script -qec " + shellQuoted(command) + " /dev/null";
    const int status = std::system(("cd " + shellQuoted(path().string()) + " && " + command + " >" +
                                    shellQuoted(out) + " 2>" + shellQuoted(err))
                                       .c_str());
    EXPECT_TRUE(WIFEXITED(status)) << status;
    Outcome result;
    result.code = WEXITSTATUS(status);
    result.out = TempFolder::readFile(out);
    result.err = TempFolder::readFile(err);
    return result;
  }

  std::vector<std::string> log() const {
    std::ifstream in(mouseDir() / VirtualMouse::kLogFile);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  void state(const std::string& text) const {
    std::ofstream(mouseDir() / VirtualMouse::kStateFile, std::ios::binary) << text;
  }
  void faults(const std::string& text) const {
    std::ofstream(mouseDir() / VirtualMouse::kFaultsFile, std::ios::binary) << text;
  }

 private:
  TempFolder m_folder;
};

// The image of a factory data file as the program sends it: byte 0 carries
// the mode number.
ModeImage dataFileImage(const fs::path& file, int n) {
  ModeImage image = readModeImage(IniFile::load(file), modeImageSection(n));
  image[0] = static_cast<std::uint8_t>(n);
  return image;
}

// The 128-byte records of the compile fixture, one "INDEX HEX" line each.
std::vector<std::string> expectedRecords() {
  std::istringstream lines(
      TempFolder::readFile(fs::path(KESTROVANE_TEST_DATA) / "macro/compile.expected"));
  std::vector<std::string> records;
  for (std::string line; std::getline(lines, line);)
    records.push_back(line.substr(line.find(' ') + 1));
  return records;
}

// The link's firmware version query, the other modes, the current mode 1,
// then both halves of the ten macros.
std::vector<std::string> expectedApplyLog(const std::array<ModeImage, kModeCount>& images) {
  std::vector<std::string> lines = {featureLine(0xC0), "get-feature 00c001000000000000"};
  for (int n : {2, 3, 4, 5, 1}) {
    lines.push_back(featureLine(n));
    lines.push_back("write 00" + hexBytes(images[static_cast<std::size_t>(n - 1)].data(), 64));
  }
  const std::vector<std::string> records = expectedRecords();
  EXPECT_EQ(records.size(), 10u);
  for (int k = 1; k <= 10 && static_cast<std::size_t>(k) <= records.size(); ++k) {
    const std::string& record = records[static_cast<std::size_t>(k - 1)];
    lines.push_back(featureLine(0x1F + k));
    lines.push_back("write 00" + record.substr(0, 128));
    lines.push_back(featureLine(0x2F + k));
    lines.push_back("write 00" + record.substr(128));
  }
  return lines;
}

// Backs up the mouse's modes into the data folder, empties the mouse, and
// writes everything back: the one run with the real 25 x 200 ms pacing.
TEST(MouseCommands, ApplyWritesBackWhatReadModesSaved) {
  const ProgramFolder folder;
  // Mode 1 is current and its settings file decides some of its bytes, so
  // it keeps its factory image; the others get patterns of their own.
  std::array<ModeImage, kModeCount> images{};
  std::string state;
  for (int n = 1; n <= kModeCount; ++n) {
    ModeImage& image = images[static_cast<std::size_t>(n - 1)];
    image = dataFileImage(folder.path() / "data" / modeImageFileName(n), n);
    if (n != 1)
      for (std::size_t i = 1; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(n * 37 + static_cast<int>(i) * 11);
    state += "[Mode" + std::to_string(n) + "]\nImage=" + hexBytes(image.data(), 64) + "\n";
  }
  folder.state(state);

  const Outcome backup = folder.run("read-modes " + folder.mouseOption() + " --out data");
  ASSERT_EQ(backup.code, 0) << backup.err;
  EXPECT_EQ(backup.out, "");
  for (int n = 1; n <= kModeCount; ++n) {
    // Every key in place, in order: the file is the factory file rewritten.
    std::string expected = "[" + modeImageSection(n) + "]\r\n";
    for (std::size_t i = 0; i < 64; ++i)
      expected += "Data" + std::to_string(i) + "=" +
                  std::to_string(images[static_cast<std::size_t>(n - 1)][i]) + "\r\n";
    EXPECT_EQ(TempFolder::readFile(folder.path() / "data" / modeImageFileName(n)), expected) << n;
  }

  folder.state("");
  fs::remove(folder.mouseDir() / VirtualMouse::kLogFile);
  const Outcome written = folder.run("apply " + folder.mouseOption());
  ASSERT_EQ(written.code, 0) << written.err;
  // Not a terminal: no progress lines.
  EXPECT_EQ(written.out, "");
  EXPECT_EQ(written.err, "");
  EXPECT_EQ(folder.log(), expectedApplyLog(images));
  VirtualMouse mouse(folder.mouseDir());
  for (int n = 1; n <= kModeCount; ++n)
    EXPECT_EQ(mouse.modeImage(n), images[static_cast<std::size_t>(n - 1)]) << n;

  // The factory pointer options of mode 1, where the Linux store keeps them.
  const std::string pointer =
      TempFolder::readFile(folder.path() / "KestrovaneDriver" / "pointer.ini");
  EXPECT_EQ(pointer,
            "[Control Panel\\Mouse]\r\nMouseSensitivity=10\r\nMouseSpeed=1\r\n"
            "MouseThreshold1=6\r\nMouseThreshold2=10\r\nDoubleClickSpeed=480\r\n"
            "[Control Panel\\Desktop]\r\nWheelScrollLines=3\r\n");
  // Read, never written: the settings files are the ones read-modes left.
  for (const char* name : {"GM.ini", "Mode1.ini"})
    EXPECT_EQ(TempFolder::readFile(folder.path() / "configure" / name),
              TempFolder::readFile(fs::path(KESTROVANE_RESOURCES) / "configure" / name));
}

// Transfers 1 and 2 are the link's version query; 3 and 4 write mode 2,
// 5 is mode 3's request.
TEST(MouseCommands, ApplyNamesTheFailedStepAndShowsProgressOnATerminal) {
  const ProgramFolder folder;
  folder.faults("[Faults]\r\nFailTransfer=5\r\n");
  const Outcome written = folder.run("apply " + folder.mouseOption(), true);
  EXPECT_EQ(written.code, 1);
  EXPECT_EQ(written.out,
            "mode 2\r\nmode 3\r\n" + ProgramCommands::failedStepMessage("mode 3") + "\r\n");
  EXPECT_EQ(folder.log().size(), 6u);

  folder.faults("[Faults]\r\nFailTransfer=5\r\n");
  const Outcome quiet = folder.run("apply " + folder.mouseOption());
  EXPECT_EQ(quiet.code, 1);
  EXPECT_EQ(quiet.out, "");
  EXPECT_EQ(quiet.err, ProgramCommands::failedStepMessage("mode 3") + "\n");
}

TEST(MouseCommands, NothingIsWrittenWithoutAMouseOrAfterAFailedRead) {
  const ProgramFolder folder;
  folder.state("[Device]\nPresent=0\n");
  const Outcome written = folder.run("apply " + folder.mouseOption());
  EXPECT_EQ(written.code, 1);
  EXPECT_EQ(written.err, ProgramCommands::noMouseMessage() + "\n");
  const Outcome backup = folder.run("read-modes " + folder.mouseOption() + " --out backup");
  EXPECT_EQ(backup.code, 1);
  EXPECT_EQ(backup.err, "The modes were not read: no mouse is connected.\n");
  EXPECT_EQ(folder.log(), std::vector<std::string>{});

  // Transfer 6 is the read of mode 2: no file at all, not even mode 1's.
  folder.state("");
  folder.faults("[Faults]\r\nFailTransfer=6\r\n");
  const Outcome readFailed = folder.run("read-modes " + folder.mouseOption() + " --out backup");
  EXPECT_EQ(readFailed.code, 1);
  EXPECT_EQ(readFailed.err, "The modes were not read: reading mode 2 failed.\n");
  EXPECT_FALSE(fs::exists(folder.path() / "backup"));
  EXPECT_EQ(folder.log().size(), 6u);
}

TEST(MouseCommands, UsageErrors) {
  const ProgramFolder folder;
  for (const std::string args : {"apply --bogus", "apply --virtual-mouse=a --virtual-mouse=b",
                                 "apply --virtual-mouse=", "read-modes --out",
                                 "read-modes --out a --out b", "read-modes extra", "restore"}) {
    SCOPED_TRACE(args);
    const Outcome outcome = folder.run(args);
    EXPECT_EQ(outcome.code, 2);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err.rfind("usage: kestrovanectl ", 0), 0u) << outcome.err;
  }
  EXPECT_FALSE(fs::exists(folder.mouseDir() / VirtualMouse::kLogFile));
}

}  // namespace
}  // namespace kestrovane::test
