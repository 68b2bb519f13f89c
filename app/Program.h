#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/FormServices.h"
#include "app/main.h"
#include "base/Clock.h"
#include "device/HidDeviceLink.h"
#include "device/HidTransport.h"
#include "macro/KeyCapture.h"
#include "macro/MacroDeviceRecord.h"
#include "macro/MacroRecorder.h"
#include "pointer/PointerSettings.h"
#include "program/ProgramCommands.h"
#include "program/ProgramModel.h"
#include "ui/Loading.h"

class QSocketNotifier;

namespace kestrovane {

class TForm2;

// The objects of one run and how they are bound together: the HID transport,
// the program model, the main window (its view), the link to the mouse
// (which switches the window's device-dependent controls), the loading
// window, the ten compiled macro records and the three commands. The program
// answers the window's start-up steps and commands, and is the commands'
// view. The program's entry makes one; tests make one over the virtual
// mouse, a manual clock and recording pointer doubles.
class Program final : public StartupSteps,
                      public WindowCommands,
                      public CommandView,
                      public MacroList,
                      public KeyCaptureSink,
                      public MacroRecordingEditor {
 public:
  Program(Clock& clock, std::unique_ptr<HidTransport> transport,
          std::unique_ptr<PointerStore> pointerStore = createPointerStore(),
          std::unique_ptr<PointerSystem> pointerSystem = createPointerSystem());
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  ~Program() override;

  TForm1& form() { return m_form; }
  ProgramModel& model() { return m_model; }
  ProgramCommands& commands() { return m_commands; }
  HidDeviceLink& deviceLink() { return m_link; }
  TForm4& loadingWindow() { return m_loading; }
  MacroRecordTable& macroRecords() { return m_macroRecords; }
  PointerStore& pointerStore() { return *m_pointerStore; }

  // How the macro assignment dialog is run once it is made: tests act on it
  // instead of running its modal loop; empty (the default) runs it modally.
  void setMacroAssignPresenter(std::function<void(TForm2&)> presenter);

  // Start-up's folders instead of the process's own (tests).
  void setFolders(std::string currentDirectory, std::string executableDirectory);

  // StartupSteps
  std::string currentDirectory() override;
  std::string executableDirectory() override;
  void FillDeviceIdTable() override;
  void ChooseLanguage() override;
  void LoadMainTexts() override;
  void ReadGeneralSettings() override;
  void LoadCurrentMode() override;
  void LoadMacroList() override;
  void DetectHIDDeviceCounterTimer() override;
  void WriteGeneralSettings() override;
  void ShowMacroAssignDialog() override;

  // WindowCommands
  void ApplyClick() override;
  void SaveCurrentMode() override;
  void FactoryReset() override;
  void WriteMode(int n) override;
  void ReadMode(int n) override;
  void WriteMacro(int k) override;
  void GetFirmwareVersion() override;
  void CompileMacros() override;
  void RecordClick() override;
  void ShowLoadingWindow() override;

  // CommandView
  void setCommandRunning(bool running) override;
  void showLoadingWindow() override;
  void hideLoadingWindow() override;
  void applyStep(const std::string& step) override;
  void reportApplyFailure(const std::string& message) override;

  // KeyCaptureSink: the keyboard while recording.
  void onKeyboardHookReceive(std::uint16_t key, TKeyboardHookState state, int repeatCount) override;
  void onWatchKeyNative(std::uint32_t wParam, std::uint32_t lParam, const TKeyInfo& info) override;
  void onCaptureMessage(const std::string& text) override;

  // MacroRecordingEditor: the macro editor, with the window kept up to date.
  MacroScript& script() override;
  int rowCount() const override;
  void addRow() override;
  void selectLastRow() override;
  void endRecording() override;

  // Where the keystrokes come from (tests: a scripted source); by default
  // the platform's source, made at the first recording.
  using KeyCaptureFactory = std::function<std::unique_ptr<KeyCapture>(KeyCaptureSink&)>;
  void setKeyCaptureFactory(KeyCaptureFactory factory) { m_captureFactory = std::move(factory); }
  KeyCapture* keyCapture() const { return m_capture.get(); }
  bool recording() const { return m_recording; }

  // MacroList: the macro folder's names, in the macro list's order.
  std::vector<std::string> macroNames() override;
  std::string macroFolder() override;

 private:
  KeyCapture* capture();
  void tellDeniedMouse();
  bool startRecording();
  void stopRecording();

  // Declared in the order they depend on each other: the link closes its
  // handles through the transport and switches the window's controls.
  std::unique_ptr<HidTransport> m_transport;
  std::unique_ptr<PointerStore> m_pointerStore;
  std::unique_ptr<PointerSystem> m_pointerSystem;
  ProgramModel m_model;
  TForm1 m_form;
  HidDeviceLink m_link;
  TForm4 m_loading;
  MacroRecordTable m_macroRecords{};
  ProgramCommands m_commands;
  MacroRecorder m_recorder;
  KeyCaptureFactory m_captureFactory;
  std::unique_ptr<KeyCapture> m_capture;
  std::unique_ptr<QSocketNotifier> m_captureNotifier;
  bool m_recording = false;
  bool m_deniedMouseTold = false;
  std::optional<std::string> m_currentDirectory;
  std::optional<std::string> m_executableDirectory;
  std::function<void(TForm2&)> m_macroAssignPresenter;
};

}  // namespace kestrovane
