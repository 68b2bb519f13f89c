#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

#include "app/main.h"
#include "tests/app/TestClock.h"
#include "tests/ui/SkinFolder.h"

namespace kestrovane::test {

// Puts the shipped Simplified Chinese language file into a program folder:
// its texts are the window's built-in ones.
inline void copyShippedLanguageFile(const QString& folder) {
  const QString file = QStringLiteral("Language/2052/Simplified Chinese.ini");
  QVERIFY(QDir(folder).mkpath(QStringLiteral("Language/2052")));
  QVERIFY(QFile::copy(QStringLiteral(KESTROVANE_SOURCE_DIR "/resources/") + file,
                      folder + QLatin1Char('/') + file));
}

// Takes every pointer value; onWrite hears of each key written.
class WatchedPointerStore final : public PointerStore {
 public:
  bool writeValues(std::string_view key, std::span<const PointerValue>) override {
    if (onWrite) onWrite(key);
    return true;
  }
  std::function<void(std::string_view)> onWrite;
};

// The window's start-up steps and commands, each a hook a test may set; an
// unset hook does what the program does with it (the two settings steps
// run on the model, the rest nothing).
struct RecordingServices final : StartupSteps, WindowCommands {
  std::function<std::string()> currentDirectoryHook, executableDirectoryHook;
  std::function<void()> fillDeviceIdTable, chooseLanguage, loadMainTexts, readGeneralSettings,
      loadCurrentMode, loadMacroList, detectHidDeviceCounterTimer, writeGeneralSettings,
      showMacroAssignDialog, compileMacros, recordClick, applyClick, saveCurrentMode, factoryReset,
      getFirmwareVersion, showLoadingWindow;
  std::function<void(int)> writeMode, readMode, writeMacro;
  ProgramModel* model = nullptr;

  static void run(const std::function<void()>& hook) {
    if (hook) hook();
  }
  std::string currentDirectory() override { return currentDirectoryHook(); }
  std::string executableDirectory() override { return executableDirectoryHook(); }
  void FillDeviceIdTable() override { run(fillDeviceIdTable); }
  void ChooseLanguage() override { run(chooseLanguage); }
  void LoadMainTexts() override { run(loadMainTexts); }
  void ReadGeneralSettings() override {
    if (readGeneralSettings)
      readGeneralSettings();
    else
      model->ReadGeneralSettings();
  }
  void LoadCurrentMode() override {
    if (loadCurrentMode)
      loadCurrentMode();
    else
      model->LoadCurrentMode();
  }
  void LoadMacroList() override { run(loadMacroList); }
  void DetectHIDDeviceCounterTimer() override { run(detectHidDeviceCounterTimer); }
  void WriteGeneralSettings() override { run(writeGeneralSettings); }
  void ShowMacroAssignDialog() override { run(showMacroAssignDialog); }
  void CompileMacros() override { run(compileMacros); }
  void RecordClick() override { run(recordClick); }
  void ApplyClick() override { run(applyClick); }
  void SaveCurrentMode() override { run(saveCurrentMode); }
  void FactoryReset() override { run(factoryReset); }
  void WriteMode(int n) override {
    if (writeMode) writeMode(n);
  }
  void ReadMode(int n) override {
    if (readMode) readMode(n);
  }
  void WriteMacro(int k) override {
    if (writeMacro) writeMacro(k);
  }
  void GetFirmwareVersion() override { run(getFirmwareVersion); }
  void ShowLoadingWindow() override { run(showLoadingWindow); }
};

// A main window over a temporary working directory (with its skin folder)
// and a temporary program folder, on a clock that never waits.
struct FormFixture {
  FormFixture() {
    services.model = &model;
    services.currentDirectoryHook = [this] {
      return QFile::encodeName(skins.workDir()).toStdString();
    };
    services.executableDirectoryHook = [this] {
      return QFile::encodeName(programDir.path()).toStdString();
    };
    form = std::make_unique<TForm1>(clock, model, services, services);
  }

  TForm1& create() {
    form->FormCreate();
    return *form;
  }

  TestClock clock;
  SkinFolder skins;
  QTemporaryDir programDir;
  WatchedPointerStore pointerStore;
  NullPointerSystem pointerSystem;
  ProgramModel model{clock, pointerStore, pointerSystem};
  RecordingServices services;
  std::unique_ptr<TForm1> form;
};

}  // namespace kestrovane::test
