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
#include "tests/tools/CtlProgramFolder.h"

namespace kestrovane::test {
namespace {

namespace fs = std::filesystem;

const std::string kPrefix = "kestrovanectl: ";

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
  // Without a session bus: the desktop's GSettings (dconf) is left alone,
  // without a warning, and the store is still written.
  const Outcome written = folder.run("apply " + folder.mouseOption(), false,
                                     "env -u GSETTINGS_BACKEND -u DBUS_SESSION_BUS_ADDRESS "
                                     "XDG_RUNTIME_DIR=/nonexistent DISPLAY=");
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
  EXPECT_EQ(written.out, "mode 2\r\nmode 3\r\nkestrovanectl: " +
                             ProgramCommands::failedStepMessage("mode 3") + "\r\n");
  EXPECT_EQ(folder.log().size(), 6u);

  folder.faults("[Faults]\r\nFailTransfer=5\r\n");
  const Outcome quiet = folder.run("apply " + folder.mouseOption());
  EXPECT_EQ(quiet.code, 1);
  EXPECT_EQ(quiet.out, "");
  EXPECT_EQ(quiet.err, kPrefix + ProgramCommands::failedStepMessage("mode 3") + "\n");
}

TEST(MouseCommands, NothingIsWrittenWithoutAMouseOrAfterAFailedRead) {
  const ProgramFolder folder;
  folder.state("[Device]\nPresent=0\n");
  const Outcome written = folder.run("apply " + folder.mouseOption());
  EXPECT_EQ(written.code, 1);
  EXPECT_EQ(written.err, kPrefix + ProgramCommands::noMouseMessage() + "\n");
  const Outcome backup = folder.run("read-modes " + folder.mouseOption() + " --out backup");
  EXPECT_EQ(backup.code, 1);
  EXPECT_EQ(backup.err, "kestrovanectl: The modes were not read: no mouse is connected.\n");
  EXPECT_EQ(folder.log(), std::vector<std::string>{});

  // Transfer 6 is the read of mode 2: no file at all, not even mode 1's.
  folder.state("");
  folder.faults("[Faults]\r\nFailTransfer=6\r\n");
  const Outcome readFailed = folder.run("read-modes " + folder.mouseOption() + " --out backup");
  EXPECT_EQ(readFailed.code, 1);
  EXPECT_EQ(readFailed.err, "kestrovanectl: The modes were not read: reading mode 2 failed.\n");
  EXPECT_FALSE(fs::exists(folder.path() / "backup"));
  EXPECT_EQ(folder.log().size(), 6u);
}

// Without a current mode no mode command goes out: the first transfer after
// the link's version query is macro 1's (made to fail, so that the run ends
// there and does not pace the remaining macros), and a missing image file of
// a mode that is not written does not matter.
TEST(MouseCommands, ApplyWithNoCurrentModeWritesNoMode) {
  const ProgramFolder folder;
  IniFile general = IniFile::load(folder.path() / "configure" / "GM.ini");
  general.setInt("GM", "cbMode", 7);
  general.save(folder.path() / "configure" / "GM.ini");
  fs::remove(folder.path() / "data" / "Mode4_data.ini");
  folder.faults("[Faults]\r\nFailTransfer=3\r\n");
  const Outcome written = folder.run("apply " + folder.mouseOption());
  EXPECT_EQ(written.code, 1);
  EXPECT_EQ(written.err, kPrefix + ProgramCommands::failedStepMessage("macro 1") + "\n");
  // The version query, then macro 1 whole: its failed request, both halves.
  const std::vector<std::string> records = expectedRecords();
  ASSERT_FALSE(records.empty());
  EXPECT_EQ(folder.log(),
            (std::vector<std::string>{featureLine(0xC0), "get-feature 00c001000000000000",
                                      "fail " + featureLine(0x20),
                                      "write 00" + records[0].substr(0, 128) + " ignored",
                                      featureLine(0x30), "write 00" + records[0].substr(128)}));
}

// A folder without the settings that Apply would send, or with a file that
// cannot be read, is refused by name before the mouse is even linked; a
// macro that does not compile before anything is written.
TEST(MouseCommands, ApplyRefusesMissingOrUnreadableSettingsBeforeTheMouse) {
  const struct {
    const char* name;
    void (*prepare)(const fs::path&);
    const char* message;  // after the folder's path; "" where the file names itself
    std::size_t transfers;
  } cases[] = {
      {"no settings at all",
       [](const fs::path& p) {
         fs::remove_all(p / "configure");
         fs::remove_all(p / "data");
       },
       ": the program folder {} has no configure/GM.ini.", 0},
      {"no GM.ini", [](const fs::path& p) { fs::remove(p / "configure" / "GM.ini"); },
       ": the program folder {} has no configure/GM.ini.", 0},
      {"no image file of mode 4",
       [](const fs::path& p) { fs::remove(p / "data" / "Mode4_data.ini"); },
       ": the program folder {} has no data/Mode4_data.ini.", 0},
      {"a folder in place of Mode1.ini",
       [](const fs::path& p) {
         fs::remove(p / "configure" / "Mode1.ini");
         fs::create_directory(p / "configure" / "Mode1.ini");
       },
       "Unable to read {}/configure/Mode1.ini: Is a directory", 0},
      {"a 2 MiB Mode2_data.ini",
       [](const fs::path& p) {
         std::ofstream(p / "data" / "Mode2_data.ini", std::ios::app)
             << std::string(2 * 1024 * 1024, '\n');
       },
       "Unable to read {}/data/Mode2_data.ini: it is larger than 1024 KiB, far more than any "
       "settings or language file holds",
       0},
      {"a damaged macro",
       [](const fs::path& p) {
         std::ofstream(p / "Macro" / "Broken.spm", std::ios::binary)
             << "4e5cb637a5aeed16\r\nnot hex\r\n";
       },
       "Cannot read file \"{}/Macro/Broken.spm\". Line 2: Error: not a Hex String.", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ProgramFolder folder;
    c.prepare(folder.path());
    std::string message = c.message;
    message.replace(message.find("{}"), 2, folder.path().string());
    if (message.starts_with(": ")) message = "The mouse was not written" + message;
    const Outcome written = folder.run("apply " + folder.mouseOption());
    EXPECT_EQ(written.code, 1);
    EXPECT_EQ(written.out, "");
    EXPECT_EQ(written.err, kPrefix + message + "\n");
    // Only the link's version query, where the mouse was linked at all.
    EXPECT_EQ(folder.log().size(), c.transfers);
  }
}

}  // namespace
}  // namespace kestrovane::test
