#include "program/ProgramCommands.h"

#include <array>
#include <filesystem>

#include "base/Error.h"
#include "base/IniFile.h"
#include "config/CaptionTable.h"
#include "config/Language.h"
#include "config/SettingsFiles.h"
#include "macro/MacroCompiler.h"
#include "macro/MacroFile.h"

namespace kestrovane {

namespace {

// Puts value where pattern holds placeholder; a pattern without it (a
// language file's text) gets the value after it.
std::string filledIn(std::string_view pattern, std::string_view placeholder,
                     const std::string& value) {
  std::string text(pattern);
  const std::size_t at = text.find(placeholder);
  if (at == std::string::npos) return text + " " + value;
  text.replace(at, placeholder.size(), value);
  return text;
}

bool fileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(std::filesystem::path(path), ec);
}

// Hides the loading window however a command ends: a failed or stopped
// command must not leave it over the window.
class LoadingWindowGuard {
 public:
  explicit LoadingWindowGuard(CommandView& view) : m_view(view) {}
  ~LoadingWindowGuard() { m_view.hideLoadingWindow(); }
  LoadingWindowGuard(const LoadingWindowGuard&) = delete;
  LoadingWindowGuard& operator=(const LoadingWindowGuard&) = delete;

 private:
  CommandView& m_view;
};

}  // namespace

// The four labels are off from a command's start to its end, however it
// ends; a command inside another (the reset's Apply) leaves them to it.
class ProgramCommands::Running {
 public:
  explicit Running(ProgramCommands& commands) : m_commands(commands) {
    if (m_commands.m_running++ == 0) m_commands.m_view.setCommandRunning(true);
  }
  ~Running() {
    if (--m_commands.m_running == 0) m_commands.m_view.setCommandRunning(false);
  }
  Running(const Running&) = delete;
  Running& operator=(const Running&) = delete;

 private:
  ProgramCommands& m_commands;
};

std::vector<std::string> FolderMacroList::macroNames() {
  std::vector<std::string> names = ListMacroNames(m_folder);
  sortMacroNames(names);
  return names;
}

ProgramCommands::ProgramCommands(ProgramModel& model, HidDeviceLink& link,
                                 MacroRecordTable& records, MacroList& macros, CommandView& view)
    : m_model(model), m_link(link), m_records(records), m_macros(macros), m_view(view) {}

std::string ProgramCommands::noMouseMessage() {
  return std::string(builtInCaption(message::kApplyNoMouse));
}

std::string ProgramCommands::failedStepMessage(const std::string& step) {
  return filledIn(builtInCaption(message::kApplyFailed), "%s", step);
}

std::string ProgramCommands::unpluggedMessage(const std::string& step) {
  return filledIn(builtInCaption(message::kApplyUnplugged), "%s", step);
}

std::string ProgramCommands::missingImageMessage(int n) const {
  return "The mouse was not written: mode " + std::to_string(n) + " holds no settings read from " +
         joinPath(m_model.paths().dataDir, modeImageFileName(n)) + ".";
}

// The messages in the user's language, their built-in texts without one.
std::string ProgramCommands::text(std::string_view name) const {
  if (m_model.language == Language::None) return std::string(builtInCaption(name));
  return messageText(name, m_model.language, m_model.paths());
}

std::string ProgramCommands::stepName(std::string_view name, int n) const {
  return filledIn(text(name), "%d", std::to_string(n));
}

// A mouse is linked while it has a feature interface: the partial link
// without an output interface takes the commands' requests and counts.
bool ProgramCommands::linked() const {
  return m_link.link().featureHandle != kInvalidHidHandle;
}

template <typename Write>
bool ProgramCommands::writeStep(const std::string& step, Write write) {
  // A detection tick in the pause after the last step may have found the
  // mouse gone; its handles are then closed and nothing would be sent.
  if (!linked()) {
    reportFailure(filledIn(text(message::kApplyUnplugged), "%s", step));
    return false;
  }
  m_view.applyStep(step);
  write();
  if (m_link.deviceWriteFailed()) {
    reportFailure(filledIn(text(message::kApplyFailed), "%s", step));
    return false;
  }
  return true;
}

// The message must not open under the loading window, which stays on top.
void ProgramCommands::reportFailure(const std::string& message) {
  m_view.hideLoadingWindow();
  m_view.reportApplyFailure(message);
}

ApplyResult ProgramCommands::ApplyClick() {
  const Running running(*this);
  m_link.clearDeviceWriteFailed();
  m_view.showLoadingWindow();
  const LoadingWindowGuard hideAtEnd(m_view);
  m_model.processEvents();
  if (!linked()) {
    reportFailure(text(message::kApplyNoMouse));
    return ApplyResult::NotWritten;
  }

  // The other modes in ascending order, the current one last; no mode at
  // all while none is current.
  const int current = m_model.currentMode();
  std::array<int, kModeCount> order{};
  std::size_t count = 0;
  if (current != 0) {
    for (int n = 1; n <= kModeCount; ++n)
      if (n != current) order[count++] = n;
    order[count++] = current;
  }

  // Whatever can fail without the mouse fails before the first transfer, so
  // the mouse is never left half-written: a mode whose image no file gave
  // (it would be all zero and erase every button), a macro that does not
  // compile (the error is the user's message).
  for (std::size_t i = 0; i < count; ++i)
    if (!m_model.imageFromFile(order[i])) throw Error(missingImageMessage(order[i]));
  CompileMacros(m_macros.macroNames(), m_macros.macroFolder(), m_model.macroLooping(), m_records);

  for (std::size_t i = 0; i < count; ++i) {
    const int n = order[i];
    if (!writeStep(stepName(message::kApplyStepMode, n),
                   [&] { m_link.WriteMode(n, m_model.images.storedImage(n)); }))
      return ApplyResult::NotWritten;
  }

  m_view.showLoadingWindow();
  m_model.processEvents();
  for (int k = 1; k <= kMacroCount; ++k) {
    if (!writeStep(stepName(message::kApplyStepMacro, k),
                   [&] { m_link.WriteMacro(k, m_records[static_cast<std::size_t>(k - 1)]); }))
      return ApplyResult::NotWritten;
  }
  m_model.applyPointerOptions();
  return ApplyResult::Written;
}

void ProgramCommands::SaveCurrentMode() {
  const Running running(*this);
  m_view.showLoadingWindow();
  const LoadingWindowGuard hideAtEnd(m_view);
  m_model.processEvents();
  const int n = m_model.firstSelectedMode();
  if (n == 0) return;
  // All 64 bytes, byte 0 included.
  m_model.storeWholeWorkingImage(n);
  m_model.WriteModeSettings(n);
  m_model.WriteModeImageFile(n);
}

// Copies a factory file over its target as text: every line, each ended by
// CR LF, replacing the target at once.
void ProgramCommands::copyFactoryFile(const std::string& folder, const std::string& name) {
  const std::string target = joinPath(folder, name);
  const std::string factory = joinPath(folder, std::string(kFactoryCopyPrefix) + name);
  if (!fileExists(target) || !fileExists(factory)) {
    m_view.hideLoadingWindow();
    return;
  }
  m_view.showLoadingWindow();
  IniFile::load(factory).save(target);
}

ApplyResult ProgramCommands::FactoryReset() {
  const Running running(*this);
  try {
    const AppPaths& paths = m_model.paths();
    copyFactoryFile(paths.configureDir, std::string(kGeneralSettingsFile));
    for (int n = 1; n <= kModeCount; ++n)
      copyFactoryFile(paths.configureDir, modeSettingsFileName(n));
    for (int n = 1; n <= kModeCount; ++n) copyFactoryFile(paths.dataDir, modeImageFileName(n));

    // The saved current mode is marked, not loaded, then loaded once.
    m_model.loadOnModeSelect = false;
    try {
      m_model.ReadGeneralSettings();
    } catch (...) {
      m_model.loadOnModeSelect = true;
      throw;
    }
    m_model.loadOnModeSelect = true;
    m_model.LoadCurrentMode();
  } catch (...) {
    // The user sees the file error; the window must not stay covered.
    m_view.hideLoadingWindow();
    throw;
  }
  m_model.processEvents();
  return ApplyClick();
}

}  // namespace kestrovane
