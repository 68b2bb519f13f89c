// Apply, save and factory reset over the virtual mouse: what reaches the
// mouse is compared as the virtual mouse's whole transfer log.
#include "program/ProgramCommands.h"

#include <gtest/gtest.h>

#include <fstream>

#include "device/VirtualMouse.h"
#include "macro/MacroFile.h"
#include "tests/ErrorText.h"
#include "tests/device/TransferLogLines.h"
#include "tests/program/ModelRig.h"

namespace kestrovane::test {
namespace {

// What the commands told the window, in order.
class RecordingView final : public CommandView {
 public:
  void setCommandRunning(bool running) override { log.push_back(running ? "busy" : "idle"); }
  void showLoadingWindow() override { log.push_back("show"); }
  void hideLoadingWindow() override { log.push_back("hide"); }
  void applyStep(const std::string& step) override { steps.push_back(step); }
  void reportApplyFailure(const std::string& message) override { failures.push_back(message); }
  std::vector<std::string> log, steps, failures;
};

struct CommandRig : ModelRig {
  CommandRig() {
    std::filesystem::create_directories(macroDir);
    link.FillDeviceIdTable();
    link.DetectHIDDeviceCounterTimer();
    EXPECT_NE(link.link().featureHandle, kInvalidHidHandle);
    for (int n = 1; n <= kModeCount; ++n) writeMode(n, sampleSettings(n), patternedImage(n));
    GeneralSettings general;
    general.cbMode = 2;  // mode 3
    writeGeneral(general);
    model.ReadGeneralSettings();
    model.loadOnModeSelect = true;
    model.LoadCurrentMode();
    // One recorded macro: Ctrl down, delay 80, A down, delay 120, A up.
    const MacroScript script{"1",     "1 Ctrl CODE:1111", "0 80", "1 A CODE:0004",
                             "0 120", "2 A CODE:0004"};
    WriteMacroFile(macroDir, "Fire", script);
    takeLog();
  }

  std::vector<std::string> takeLog() {
    const std::filesystem::path path = folder.path() / "mouse" / VirtualMouse::kLogFile;
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    in.close();
    std::filesystem::remove(path);
    return lines;
  }

  void failTransfer(int n) const {
    std::ofstream(folder.path() / "mouse" / VirtualMouse::kFaultsFile)
        << "[Faults]\r\nFailTransfer=" << n << "\r\n";
  }

  // The log of a full Apply with mode 3 current: modes 1, 2, 4, 5, 3, then
  // both halves of macros 1..10.
  std::vector<std::string> fullApply() const {
    std::vector<std::string> lines;
    for (int n : {1, 2, 4, 5, 3}) {
      lines.push_back(featureLine(n));
      lines.push_back(reportLine(model.images.storedImage(n).data()));
    }
    for (int k = 1; k <= kMacroCount; ++k) {
      const MacroDeviceRecord& r = records[static_cast<std::size_t>(k - 1)];
      lines.push_back(featureLine(0x1F + k));
      lines.push_back(reportLine(r.data()));
      lines.push_back(featureLine(0x2F + k));
      lines.push_back(reportLine(r.data() + 64));
    }
    return lines;
  }

  std::string macroDir = (folder.path() / "Macro").string() + "/";
  VirtualMouse mouse{folder.path() / "mouse"};
  NullDeviceControls controls;
  HidDeviceLink link{mouse, clock, controls};
  MacroRecordTable records{};
  FolderMacroList macros{macroDir};
  RecordingView view;
  ProgramCommands commands{model, link, records, macros, view};
};

TEST(Apply, WritesTheOtherModesThenTheCurrentOneThenEveryMacro) {
  CommandRig rig;
  EXPECT_EQ(rig.commands.ApplyClick(), ApplyResult::Written);
  const std::vector<std::string> log = rig.takeLog();
  EXPECT_EQ(log, rig.fullApply());
  // The compiled macro went out in slot 1: no looping, three groups.
  EXPECT_EQ(log[11].substr(0, 34), "write 000003810701820b010401000000");
  EXPECT_EQ(rig.view.failures, std::vector<std::string>{});
  EXPECT_EQ(rig.view.log.front(), "busy");
  EXPECT_EQ(rig.view.log.back(), "idle");
  EXPECT_EQ(rig.view.log[rig.view.log.size() - 2], "hide");
  ASSERT_EQ(rig.system.applied.size(), 1u);
  EXPECT_EQ(rig.system.applied[0].mouseSpeed, 14);
  // 25 commands, each followed by its 200 ms pause: the pacing floor.
  int commandPauses = 0;
  for (const Clock::Duration d : rig.clock.pauses()) commandPauses += d.count() == 200;
  EXPECT_EQ(commandPauses, 25);
}

// Each of the 50 transfers of a full Apply fails in turn: the command it
// belongs to is finished (a mode's report after its failed request, both
// halves of a macro), nothing after it is sent, the user is told which step
// failed, and the window is given back.
TEST(Apply, StopsAfterTheCommandOfAFailedTransfer) {
  CommandRig rig;
  rig.commands.ApplyClick();
  const std::vector<std::string> full = rig.takeLog();
  ASSERT_EQ(full.size(), 50u);
  const std::vector<std::string> modeSteps{"mode 1", "mode 2", "mode 4", "mode 5", "mode 3"};
  for (int failing = 1; failing <= 50; ++failing) {
    SCOPED_TRACE("transfer " + std::to_string(failing));
    rig.view = RecordingView{};
    rig.system.applied.clear();
    rig.failTransfer(failing);
    EXPECT_EQ(rig.commands.ApplyClick(), ApplyResult::NotWritten);
    const std::vector<std::string> log = rig.takeLog();
    const int index = failing - 1;
    // Modes are two transfers a command; macros four (two halves).
    const int end = index < 10 ? (index / 2 + 1) * 2 : 10 + ((index - 10) / 4 + 1) * 4;
    ASSERT_EQ(log.size(), static_cast<std::size_t>(end));
    // Every transfer at an even place is a feature request; the mouse
    // ignores a report whose request failed.
    for (int i = 0; i < end; ++i)
      EXPECT_EQ(log[static_cast<std::size_t>(i)],
                (i == index ? "fail " : "") + full[static_cast<std::size_t>(i)] +
                    (i == index + 1 && index % 2 == 0 ? " ignored" : ""));
    const std::string step = index < 10 ? modeSteps[static_cast<std::size_t>(index / 2)]
                                        : "macro " + std::to_string((index - 10) / 4 + 1);
    EXPECT_EQ(rig.view.failures,
              std::vector<std::string>{ProgramCommands::failedStepMessage(step)});
    EXPECT_EQ(rig.view.log.back(), "idle");
    EXPECT_EQ(rig.view.log[rig.view.log.size() - 2], "hide");
    EXPECT_TRUE(rig.system.applied.empty());
  }
}

TEST(Apply, WithoutAMouseOrWhenItGoesAwaySendsNothingMore) {
  {
    CommandRig rig;
    rig.link.closeHandles();
    EXPECT_EQ(rig.commands.ApplyClick(), ApplyResult::NotWritten);
    EXPECT_EQ(rig.takeLog(), std::vector<std::string>{});
    EXPECT_EQ(rig.view.failures, std::vector<std::string>{ProgramCommands::noMouseMessage()});
    EXPECT_EQ(rig.view.log.back(), "idle");
  }
  {
    // Unplugged while mode 2's pause lets the detection tick run.
    CommandRig rig;
    int pauses = 0;
    rig.clock.setPauseHook([&](Clock::Duration d) {
      if (d.count() == 200 && ++pauses == 2) {
        IniFile state = IniFile::load((rig.folder.path() / "mouse" / "virtual-mouse.ini").string());
        state.setInt("Device", "Present", 0);
        state.save((rig.folder.path() / "mouse" / "virtual-mouse.ini").string());
        rig.link.DetectHIDDeviceCounterTimer();
      }
    });
    EXPECT_EQ(rig.commands.ApplyClick(), ApplyResult::NotWritten);
    EXPECT_EQ(rig.takeLog().size(), 4u);
    EXPECT_EQ(rig.view.failures,
              std::vector<std::string>{ProgramCommands::unpluggedMessage("mode 4")});
    EXPECT_TRUE(rig.system.applied.empty());
  }
}

// The user reads a failure in the language of the language file, step
// names included; a text without the step's place gets it at the end.
TEST(Apply, FailuresAreToldInTheUsersLanguage) {
  for (const auto& [failed, expected] : {std::pair{"Writing %s failed.", "Writing Mode 1 failed."},
                                         std::pair{"Not written:", "Not written: Mode 1"}}) {
    CommandRig rig;
    std::filesystem::create_directories(rig.folder.path() / "Language" / "1033");
    rig.folder.write("Language/1033/English.ini", std::string("[English]\r\nMsgWriteFailed=") +
                                                      failed + "\r\nMsgMode=Mode %d\r\n");
    rig.model.language = Language::ENU;
    rig.failTransfer(1);
    EXPECT_EQ(rig.commands.ApplyClick(), ApplyResult::NotWritten);
    EXPECT_EQ(rig.view.failures, std::vector<std::string>{expected});
  }
}

// A macro that does not compile is found before the first transfer: the
// mouse keeps everything it had, and the user reads which file.
TEST(Apply, ACompilationErrorStopsBeforeAnyTransfer) {
  CommandRig rig;
  // Binary: a text stream on Windows would write each \n as \r\n.
  std::ofstream(rig.macroDir + "Broken.spm", std::ios::binary) << "4e5cb637a5aeed16\r\nnot hex\r\n";
  EXPECT_EQ(
      errorOf([&] { rig.commands.ApplyClick(); }),
      "Cannot read file \"" + rig.macroDir + "Broken.spm\". Line 2: Error: not a Hex String.");
  EXPECT_EQ(rig.takeLog(), std::vector<std::string>{});
  EXPECT_EQ(rig.view.log.back(), "idle");
  EXPECT_EQ(rig.view.log[rig.view.log.size() - 2], "hide");
  EXPECT_TRUE(rig.system.applied.empty());
}

// With no current mode no mode is written: the sequence goes on with the
// macros and the pointer options.
TEST(Apply, WithNoCurrentModeWritesTheMacrosOnly) {
  // cbMode outside 0..4, or no GM.ini at all.
  for (const char* general : {"[GM]\r\ncbMode=7\r\n", "[GM]\r\ncbMode=-1\r\n", ""}) {
    SCOPED_TRACE(general);
    CommandRig rig;
    std::filesystem::remove(rig.configure("GM.ini"));
    if (*general != '\0') rig.folder.write("configure/GM.ini", general);
    ProgramModel model{rig.clock, rig.store, rig.system};
    model.setPaths(rig.model.paths());
    model.ReadGeneralSettings();
    model.loadOnModeSelect = true;
    model.LoadCurrentMode();
    ASSERT_EQ(model.currentMode(), 0);
    ProgramCommands commands{model, rig.link, rig.records, rig.macros, rig.view};
    EXPECT_EQ(commands.ApplyClick(), ApplyResult::Written);
    const std::vector<std::string> full = rig.fullApply();
    EXPECT_EQ(rig.takeLog(), std::vector<std::string>(full.begin() + 10, full.end()));
    EXPECT_EQ(rig.view.steps.front(), "macro 1");
    EXPECT_EQ(rig.system.applied.size(), 1u);
  }
}

// A mode whose image no file gave holds the all-zero start: sending it would
// erase every button of the mouse, the left one included. Apply refuses
// before the first transfer and names the file; an image copied from the
// mode read before it, or saved by the user, is the mode's and goes out.
TEST(Apply, NeverSendsAnImageThatNoFileGave) {
  const struct {
    const char* name;
    std::vector<int> missing;  // image files removed before the load
    int select;                // mode clicked after the start-up load, 0 for none
    bool save;                 // the selected mode saved before Apply
    int refused;               // the first mode of the write order without, 0 for none
  } cases[] = {
      {"no image file at all", {1, 2, 3, 4, 5}, 1, false, 2},
      {"the first one missing", {1}, 0, false, 1},
      {"the first two missing", {1, 2}, 0, false, 1},
      {"a later one missing: a copy of the one before", {4}, 0, false, 0},
      {"all missing, mode 1 saved", {1, 2, 3, 4, 5}, 1, true, 2},
      {"the first missing, re-selected: the working image came from a file", {1}, 3, false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CommandRig rig;
    for (int n : c.missing) std::filesystem::remove(rig.data(modeImageFileName(n)));
    // The program as started in such a folder: fresh images, the saved mode
    // marked, then loaded.
    ProgramModel model{rig.clock, rig.store, rig.system};
    model.setPaths(rig.model.paths());
    model.iniWriteSuppressed = false;
    model.ReadGeneralSettings();
    model.loadOnModeSelect = true;
    model.LoadCurrentMode();
    if (c.select != 0) model.SelectMode(c.select);
    ProgramCommands commands{model, rig.link, rig.records, rig.macros, rig.view};
    if (c.save) commands.SaveCurrentMode();
    rig.takeLog();
    if (c.refused != 0) {
      EXPECT_EQ(errorOf([&] { commands.ApplyClick(); }),
                "The mouse was not written: mode " + std::to_string(c.refused) +
                    " holds no settings read from " + rig.data(modeImageFileName(c.refused)) + ".");
      EXPECT_EQ(rig.takeLog(), std::vector<std::string>{});
      EXPECT_TRUE(rig.system.applied.empty());
      EXPECT_EQ(rig.view.log.back(), "idle");
    } else {
      EXPECT_EQ(commands.ApplyClick(), ApplyResult::Written);
      EXPECT_EQ(rig.takeLog().size(), 50u);
    }
  }
}

TEST(SaveConf, WritesTheCurrentModesTwoFilesOnly) {
  CommandRig rig;
  rig.model.SelectMode(4);
  rig.model.reportRateClick(1);
  rig.commands.SaveCurrentMode();
  const IniFile image = IniFile::load(rig.data("Mode4_data.ini"));
  EXPECT_EQ(image.getInt("Mode4_data", "Data0", -1), 4);
  EXPECT_EQ(image.getInt("Mode4_data", "Data3", -1), 1);
  EXPECT_EQ(IniFile::load(rig.configure("Mode4.ini")).getInt("Mode4", "ReportRate", -1), 0);
  EXPECT_EQ(IniFile::load(rig.configure("Mode3.ini")).getInt("Mode3", "ReportRate", -1),
            *sampleSettings(3).reportRate);
  EXPECT_EQ(rig.takeLog(), std::vector<std::string>{}) << "saving sends nothing";
  EXPECT_EQ(rig.view.log, (std::vector<std::string>{"busy", "show", "hide", "idle"}));

  // A refused write: the message, and the window given back.
  rig.view = RecordingView{};
  std::filesystem::remove_all(rig.folder.path() / "data");
  EXPECT_EQ(errorOf([&] { rig.commands.SaveCurrentMode(); }),
            "Unable to write to " + rig.data("Mode4_data.ini"));
  EXPECT_EQ(rig.view.log, (std::vector<std::string>{"busy", "show", "hide", "idle"}));
}

TEST(SaveConf, WithNoModeCurrentSavesNothing) {
  CommandRig rig;
  std::filesystem::remove_all(rig.folder.path() / "configure");
  std::filesystem::create_directories(rig.folder.path() / "configure");
  ProgramModel fresh{rig.clock, rig.store, rig.system};
  fresh.setPaths(rig.model.paths());
  fresh.iniWriteSuppressed = false;
  ProgramCommands commands{fresh, rig.link, rig.records, rig.macros, rig.view};
  commands.SaveCurrentMode();
  EXPECT_TRUE(std::filesystem::is_empty(rig.folder.path() / "configure"));
}

TEST(FactoryReset, CopiesTheFactoryFilesThatHaveATargetThenApplies) {
  CommandRig rig;
  for (int n = 1; n <= kModeCount; ++n) {
    std::filesystem::copy_file(rig.configure(modeSettingsFileName(n)),
                               rig.configure("Default_" + modeSettingsFileName(n)));
    std::filesystem::copy_file(rig.data(modeImageFileName(n)),
                               rig.data("Default_" + modeImageFileName(n)));
  }
  std::filesystem::copy_file(rig.configure("GM.ini"), rig.configure("Default_GM.ini"));
  std::filesystem::remove(rig.data("Mode3_data.ini"));
  // The user's changes, saved: mode 2 gets another colour.
  rig.model.SelectMode(2);
  rig.model.lbl_LEDcolorClick(7);
  rig.commands.SaveCurrentMode();
  rig.model.SelectMode(5);
  rig.takeLog();

  EXPECT_EQ(rig.commands.FactoryReset(), ApplyResult::Written);
  EXPECT_FALSE(std::filesystem::exists(rig.data("Mode3_data.ini")));
  EXPECT_EQ(IniFile::load(rig.configure("Mode2.ini")).getInt("Mode2", "BreatheColor", -1),
            *sampleSettings(2).breatheColor);
  EXPECT_EQ(rig.model.currentMode(), 3) << "GM.ini's current mode again";
  EXPECT_EQ(rig.takeLog(), rig.fullApply());
  EXPECT_EQ(rig.view.log.back(), "idle");
}

}  // namespace
}  // namespace kestrovane::test
