#pragma once

#include <string>
#include <vector>

#include "device/HidDeviceLink.h"
#include "macro/MacroDeviceRecord.h"
#include "program/ProgramModel.h"

namespace kestrovane {

// What the three commands need of the windows (or of the command line).
class CommandView {
 public:
  virtual ~CommandView() = default;

  // The four action labels SaveConf, DefaultSetting, Btn_Exit and Apply are
  // off while a command runs (busy) and come back when it ends.
  virtual void setCommandRunning(bool running) = 0;

  // The loading window TForm4.
  virtual void showLoadingWindow() = 0;
  virtual void hideLoadingWindow() = 0;

  // One step of Apply is about to run ("mode 3", "macro 7"): for progress
  // lines; the window shows nothing.
  virtual void applyStep(const std::string& step) = 0;

  // Tells the user that the mouse was not fully written (one message).
  virtual void reportApplyFailure(const std::string& message) = 0;
};

// Where compilation finds the macros: the names of the macro list in its
// order, and the folder of their files.
class MacroList {
 public:
  virtual ~MacroList() = default;
  virtual std::vector<std::string> macroNames() = 0;
  virtual std::string macroFolder() = 0;
};

// The macro list as the program has it before the editor loads it: the
// macro files of a folder, in the list's order.
class FolderMacroList final : public MacroList {
 public:
  explicit FolderMacroList(std::string folder) : m_folder(std::move(folder)) {}
  std::vector<std::string> macroNames() override;
  std::string macroFolder() override { return m_folder; }

 private:
  std::string m_folder;
};

// How an Apply ended.
enum class ApplyResult {
  Written,     // everything reached the mouse (or the partial link took it)
  NotWritten,  // a transfer failed, no mouse was linked or it went away
  Stopped,     // the command stopped on an error (compilation, a file)
};

// The three commands at the bottom of the main window that act on
// everything at once: Apply writes the five modes and ten macros to the
// mouse and hands the pointer options to the system; SaveConf writes the
// current mode's two settings files; DefaultSetting copies the factory files
// back, reloads and applies. One Apply sequence serves the window and
// kestrovanectl.
class ProgramCommands {
 public:
  ProgramCommands(ProgramModel& model, HidDeviceLink& link, MacroRecordTable& records,
                  MacroList& macros, CommandView& view);
  ProgramCommands(const ProgramCommands&) = delete;
  ProgramCommands& operator=(const ProgramCommands&) = delete;

  // True while one of the commands runs.
  bool running() const { return m_running > 0; }

  // Apply: modes (the current one last; none while no mode is current),
  // macros 1..10, pointer options. Before the first transfer it checks what
  // can fail without the mouse: a mode to be written whose image came from
  // no image file, and the compilation of the macros; either is thrown as
  // Error (its message is the user's) and nothing reaches the mouse. Stops
  // at the first failed transfer, tells the user which step, and always ends
  // with the loading window hidden and the labels back.
  ApplyResult ApplyClick();

  // SaveConf: the working image into the current mode's stored image, then
  // its settings file and image file. A refused write is thrown after the
  // labels come back and the loading window hides.
  void SaveCurrentMode();

  // DefaultSetting: every settings file that has a factory copy gets it
  // back, the settings are read again and the mouse written (Apply).
  ApplyResult FactoryReset();

  // The messages of a failed Apply, with their built-in texts; the user
  // reads them in the language of the language file.
  static std::string noMouseMessage();
  static std::string failedStepMessage(const std::string& step);
  static std::string unpluggedMessage(const std::string& step);
  // "The mouse was not written: mode N holds no settings read from PATH."
  std::string missingImageMessage(int n) const;

 private:
  class Running;
  bool linked() const;
  // Runs one step; false (and the user told) when it did not reach the mouse.
  template <typename Write>
  bool writeStep(const std::string& step, Write write);
  void reportFailure(const std::string& message);
  std::string text(std::string_view name) const;
  std::string stepName(std::string_view name, int n) const;
  void copyFactoryFile(const std::string& folder, const std::string& name);

  ProgramModel& m_model;
  HidDeviceLink& m_link;
  MacroRecordTable& m_records;
  MacroList& m_macros;
  CommandView& m_view;
  int m_running = 0;
};

}  // namespace kestrovane
