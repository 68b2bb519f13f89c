// kestrovanectl apply and read-modes: the program's Apply without its
// window, and a backup of the mouse's five modes into the files Apply reads.
#include <array>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "base/Error.h"
#include "base/IniFile.h"
#include "base/SystemClock.h"
#include "config/SettingsFiles.h"
#include "device/HidDeviceLink.h"
#include "device/HidPermission.h"
#include "device/HidTransportFactory.h"
#include "macro/MacroFile.h"
#include "program/ProgramCommands.h"
#include "program/ProgramModel.h"
#include "tools/kestrovanectl/Commands.h"
#include "tools/kestrovanectl/ProgramFolder.h"

namespace kestrovane::ctl {
namespace {

constexpr const char* kNoMouseToRead = "The modes were not read: no mouse is connected.";
constexpr const char* kNoInputInterface =
    "The modes were not read: the mouse has no interface to read from.";
constexpr const char* kStdoutFailed = "Cannot write to the standard output.";

// The mouse linked as the program's first detection tick links it. The
// detection timer is not started: nothing re-scans while a command runs.
struct MouseLink {
  explicit MouseLink(const TransportOptions& options) : transport(createHidTransport(options)) {
    link.FillDeviceIdTable();
    link.DetectHIDDeviceCounterTimer();
  }
  bool linked() const { return link.link().featureHandle != kInvalidHidHandle; }

  SystemClock clock;
  NullDeviceControls controls;
  std::unique_ptr<HidTransport> transport;
  HidDeviceLink link{*transport, clock, controls};
};

}  // namespace

int fail(const std::string& message) {
  std::cerr << kErrorPrefix << message << "\n";
  return kFailed;
}

namespace {

// The message for a mouse that the system lists but this user may not open;
// empty when there is none.
std::string deniedMouse(MouseLink& mouse) {
  const std::vector<std::string> denied =
      findDeniedMouseInterfaces(*mouse.transport, mouse.link.deviceIdTable());
  return denied.empty() ? std::string()
                        : deniedMouseMessage(denied, udevRuleFix(executableDirectory()));
}

// Progress on a terminal, failures on standard error.
class ConsoleView final : public CommandView {
 public:
  explicit ConsoleView(bool progress) : m_progress(progress) {}
  void setCommandRunning(bool) override {}
  void showLoadingWindow() override {}
  void hideLoadingWindow() override {}
  void applyStep(const std::string& step) override {
    if (m_progress) std::cout << step << std::endl;
  }
  void reportApplyFailure(const std::string& message) override { failures.push_back(message); }

  std::vector<std::string> failures;

 private:
  bool m_progress;
};

}  // namespace

bool isProgramFolder(const std::string& folder) {
  std::error_code ec;
  return std::filesystem::is_directory(std::filesystem::path(folder) / "configure", ec);
}

// The folders of a program started in the current directory. Outside a
// program folder (no configure/ there), those of the user's own program
// folder that the launcher prepares, when it exists: the settings and the
// macros there; which one is told on standard error.
AppPaths programPaths() {
  AppPaths paths;
  const std::string current = currentDirectory();
  if (!isProgramFolder(current)) {
    const std::optional<std::string> own = perUserProgramFolder();
    if (own && isProgramFolder(*own)) {
      std::cerr << "kestrovanectl: using the program folder " << *own << "\n";
      fillWorkPaths(paths, *own);
      fillProgramPaths(paths, *own);
      return paths;
    }
  }
  fillWorkPaths(paths, current);
  fillProgramPaths(paths, executableDirectory());
  return paths;
}

namespace {

bool fileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::status(std::filesystem::path(path), ec).type() !=
         std::filesystem::file_type::not_found;
}

// The program's Apply keeps a mode without an image file (it takes the mode
// read before it); without a window nobody would see that, and a folder with
// no settings at all would erase the mouse. So every file that the run
// would send is required.
std::string missingSettingsMessage(const AppPaths& paths, const std::string& file) {
  return "The mouse was not written: the program folder " + paths.workDir + " has no " + file + ".";
}

}  // namespace

int apply(const TransportOptions& options, bool pointer) {
  const AppPaths paths = programPaths();
  const std::string general = std::string("configure/") + std::string(kGeneralSettingsFile);
  if (!fileExists(joinPath(paths.configureDir, kGeneralSettingsFile)))
    return fail(missingSettingsMessage(paths, general));

  // The program's start-up: the saved current mode is marked while the
  // general settings are read, then loaded once. The settings files are
  // only read: iniWriteSuppressed stays on, as before the window shows.
  // Without the pointer options neither the store (on Windows the
  // registry, which is the desktop's own) nor the running desktop is touched.
  SystemClock clock;
  const std::unique_ptr<PointerStore> pointerStore =
      pointer ? createPointerStore() : std::make_unique<NullPointerStore>();
  const std::unique_ptr<PointerSystem> pointerSystem =
      pointer ? createPointerSystem() : std::make_unique<NullPointerSystem>();
  ProgramModel model(clock, *pointerStore, *pointerSystem);
  model.setPaths(paths);
  model.loadOnModeSelect = false;
  model.ReadGeneralSettings();
  model.loadOnModeSelect = true;
  model.LoadCurrentMode();
  // No mode current: no mode is written, so none needs its file.
  if (model.currentMode() != 0)
    for (int n = 1; n <= kModeCount; ++n)
      if (!fileExists(joinPath(paths.dataDir, modeImageFileName(n))))
        return fail(missingSettingsMessage(paths, "data/" + modeImageFileName(n)));

  // The mouse is linked only now: nothing reaches it when the files fail.
  MouseLink mouse(options);
  if (const std::string denied = deniedMouse(mouse); !denied.empty()) return fail(denied);
  MacroRecordTable records{};
  FolderMacroList macros(paths.macroDir);
  ConsoleView view(stdoutIsTerminal());
  ProgramCommands commands(model, mouse.link, records, macros, view);
  const ApplyResult result = commands.ApplyClick();
  if (!std::cout.flush()) return fail(kStdoutFailed);
  for (const std::string& message : view.failures) std::cerr << kErrorPrefix << message << "\n";
  if (result == ApplyResult::Written) return kDone;
  if (view.failures.empty()) return fail("The mouse was not fully written.");
  return kFailed;
}

namespace {

std::string readFailedMessage(int n) {
  return "The modes were not read: reading mode " + std::to_string(n) + " failed.";
}

int readModes(const TransportOptions& options, const std::string& folder) {
  MouseLink mouse(options);
  if (const std::string denied = deniedMouse(mouse); !denied.empty()) return fail(denied);
  if (!mouse.linked()) return fail(kNoMouseToRead);
  // Without an input interface ReadMode would leave the images as they are.
  if (mouse.link.link().inputHandle == kInvalidHidHandle) return fail(kNoInputInterface);

  // All five first: a failed read leaves every file as it was.
  std::array<ModeImage, kModeCount> images{};
  for (int n = 1; n <= kModeCount; ++n) {
    mouse.link.clearDeviceWriteFailed();
    mouse.link.ReadMode(n, images[static_cast<std::size_t>(n - 1)]);
    if (mouse.link.deviceWriteFailed()) return fail(readFailedMessage(n));
  }
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(folder), ec);
  if (ec) throw Error("Unable to create folder " + folder);
  for (int n = 1; n <= kModeCount; ++n) {
    const std::string path = joinPath(folder, modeImageFileName(n));
    // Other keys and sections of an existing file stay.
    IniFile file = IniFile::load(path);
    writeModeImage(file, modeImageSection(n), images[static_cast<std::size_t>(n - 1)]);
    file.save(path);
  }
  return kDone;
}

}  // namespace

int runApplyCommand(const Invocation& invocation) {
  return guarded(
      [&] { return apply(transportOptions(invocation), !invocation.has("--no-pointer")); });
}

// Only where the user says: the live data/ files are the settings that
// apply sends, and the captions in configure/ describe them.
int runReadModesCommand(const Invocation& invocation) {
  const std::optional<std::string> out = invocation.value("--out");
  if (!out) return usageError(invocation, "missing option '--out DIR'");
  return guarded([&] { return readModes(transportOptions(invocation), *out); });
}

}  // namespace kestrovane::ctl
