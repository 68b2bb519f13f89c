#include "app/Program.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstddef>
#include <cstdint>

#include "config/KeyFunction.h"
#include "macro/MacroFile.h"
#include "ui/ErrorReport.h"
#include "ui/MacroApp.h"

namespace kestrovane {

namespace {

std::string nativePath(const QString& path) {
  return QFile::encodeName(QDir::toNativeSeparators(path)).toStdString();
}

}  // namespace

Program::Program(Clock& clock, std::unique_ptr<HidTransport> transport,
                 std::unique_ptr<PointerStore> pointerStore,
                 std::unique_ptr<PointerSystem> pointerSystem)
    : m_transport(std::move(transport)),
      m_pointerStore(std::move(pointerStore)),
      m_pointerSystem(std::move(pointerSystem)),
      m_model(clock, *m_pointerStore, *m_pointerSystem),
      m_form(clock, m_model, *this, *this),
      m_link(*m_transport, clock, m_form),
      m_commands(m_model, m_link, m_macroRecords, *this, *this) {}

Program::~Program() {
  m_model.setObserver(nullptr);
}

void Program::setFolders(std::string currentDirectory, std::string executableDirectory) {
  m_currentDirectory = std::move(currentDirectory);
  m_executableDirectory = std::move(executableDirectory);
}

std::string Program::currentDirectory() {
  return m_currentDirectory ? *m_currentDirectory : nativePath(QDir::currentPath());
}

std::string Program::executableDirectory() {
  return m_executableDirectory ? *m_executableDirectory
                               : nativePath(QCoreApplication::applicationDirPath());
}

void Program::FillDeviceIdTable() {
  m_link.FillDeviceIdTable();
}

void Program::ChooseLanguage() {
  kestrovane::ChooseLanguage(m_model.language);
}

// A missing file is told once, in a plain message box with one OK.
void Program::LoadMainTexts() {
  const std::string message = m_model.LoadMainTexts();
  if (!message.empty()) showError(message);
}

void Program::ReadGeneralSettings() {
  m_model.ReadGeneralSettings();
}

void Program::LoadCurrentMode() {
  m_model.LoadCurrentMode();
}

// The macro editor's list comes with the macro page; compilation reads the
// macro folder itself (macroNames).
void Program::LoadMacroList() {}

void Program::DetectHIDDeviceCounterTimer() {
  m_link.DetectHIDDeviceCounterTimer();
}

void Program::WriteGeneralSettings() {
  m_model.WriteGeneralSettings();
}

// "宏定义": the chosen macro's position becomes the selected button's macro
// function, its name the button's caption. Cancel leaves the button as it
// was (and still selected).
void Program::ShowMacroAssignDialog() {
  TForm2 dialog(m_form.appPaths(), &m_form);
  if (m_macroAssignPresenter)
    m_macroAssignPresenter(dialog);
  else
    dialog.exec();
  if (dialog.result() != QDialog::Accepted) return;
  const int k = dialog.chosenIndex();
  // The function's argument is one byte; the mouse holds ten macros.
  if (k < 0 || k > 0xFF) return;
  m_form.AssignKeyFunction(kKindMacro, static_cast<std::uint8_t>(k), 0, dialog.chosenName());
}

void Program::setMacroAssignPresenter(std::function<void(TForm2&)> presenter) {
  m_macroAssignPresenter = std::move(presenter);
}

void Program::ApplyClick() {
  m_commands.ApplyClick();
}

void Program::SaveCurrentMode() {
  m_commands.SaveCurrentMode();
}

void Program::FactoryReset() {
  m_commands.FactoryReset();
}

void Program::WriteMode(int n) {
  if (n >= 1 && n <= kModeCount) m_link.WriteMode(n, m_model.images.storedImage(n));
}

void Program::ReadMode(int n) {
  if (n >= 1 && n <= kModeCount) m_link.ReadMode(n, m_model.images.storedImage(n));
}

void Program::WriteMacro(int k) {
  if (k >= 1 && k <= static_cast<int>(m_macroRecords.size()))
    m_link.WriteMacro(k, m_macroRecords[static_cast<std::size_t>(k - 1)]);
}

void Program::GetFirmwareVersion() {
  m_link.GetFirmwareVersion();
}

void Program::ShowLoadingWindow() {
  m_loading.show();
}

void Program::setCommandRunning(bool running) {
  m_form.setCommandRunning(running);
}

void Program::showLoadingWindow() {
  m_loading.show();
}

void Program::hideLoadingWindow() {
  m_loading.hide();
}

void Program::applyStep(const std::string&) {}

void Program::reportApplyFailure(const std::string& message) {
  showError(message);
}

std::vector<std::string> Program::macroNames() {
  return FolderMacroList(m_form.appPaths().macroDir).macroNames();
}

std::string Program::macroFolder() {
  return m_form.appPaths().macroDir;
}

}  // namespace kestrovane
