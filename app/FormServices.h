#pragma once

#include <string>

namespace kestrovane {

// What the main window asks of the rest of the program at start-up, at its
// detection tick and at closing: the operations of other parts, in the order
// FormCreate calls them. The program binds them; window tests record them.
class StartupSteps {
 public:
  virtual ~StartupSteps() = default;

  // Where start-up takes its folders from: the process's current directory
  // and the executable's folder.
  virtual std::string currentDirectory() = 0;
  virtual std::string executableDirectory() = 0;

  virtual void FillDeviceIdTable() = 0;    // step 6: the mouse identities
  virtual void ChooseLanguage() = 0;       // step 9
  virtual void LoadMainTexts() = 0;        // step 10
  virtual void ReadGeneralSettings() = 0;  // step 11: GM.ini (marks the mode, no load)
  virtual void LoadCurrentMode() = 0;      // step 16
  // Step 19: the macro names of the macro folder into the editor's sorted
  // list, then the list refreshed (macroCount, lbl_new).
  virtual void LoadMacroList() = 0;
  // The 2.5 s tick of the detection timer DetectHIDDeviceCounter.
  virtual void DetectHIDDeviceCounterTimer() = 0;
  // FormCloseQuery: GM.ini.
  virtual void WriteGeneralSettings() = 0;
  // "宏定义": the macro assignment dialog TForm2 (modal); its OK assigns.
  virtual void ShowMacroAssignDialog() = 0;
};

// The commands of the main window that reach the mouse or act on everything
// at once.
class WindowCommands {
 public:
  virtual ~WindowCommands() = default;

  virtual void ApplyClick() = 0;       // "确 定"
  virtual void SaveCurrentMode() = 0;  // "保 存"
  virtual void FactoryReset() = 0;     // "恢复出厂值" and the heading

  // The buttons of page_Device.
  virtual void WriteMode(int n) = 0;   // btnWriteMode1..5
  virtual void ReadMode(int n) = 0;    // btnReadMode1..5
  virtual void WriteMacro(int k) = 0;  // TntButton1..10
  virtual void GetFirmwareVersion() = 0;

  // The macro page's OK: every macro of the list compiled, nothing sent.
  virtual void CompileMacros() = 0;
  // The macro page's REC: starts or stops recording the keyboard.
  virtual void RecordClick() = 0;

  // The loading window TForm4, shown while the mouse is written.
  virtual void ShowLoadingWindow() = 0;
};

}  // namespace kestrovane
