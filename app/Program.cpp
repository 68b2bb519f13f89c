#include "app/Program.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <cstddef>
#include <cstdint>

#include "base/Error.h"
#include "config/CaptionTable.h"
#include "config/KeyFunction.h"
#include "config/Language.h"
#include "device/HidPermission.h"
#include "macro/MacroFile.h"
#include "macro/PlatformKeyCapture.h"
#include "ui/ErrorReport.h"
#include "ui/MacroApp.h"
#include "ui/QtTranslations.h"
#ifndef _WIN32
#include "ui/WindowKeyCapture.h"
#endif

namespace kestrovane {

namespace {

constexpr std::string_view kNoSystemWideCapture =
    "Recording is not available: this system gives the program no keyboard to record.";
constexpr std::string_view kRecordingDropped =
    "The recording was not saved: no macro was chosen for it.";
constexpr std::string_view kRecordingKept =
    "The recording was not saved; the editor still shows it.";

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
      m_commands(m_model, m_link, m_macroRecords, *this, *this),
      m_recorder(*this, clock) {}

Program::~Program() {
  m_captureNotifier.reset();
  m_capture.reset();
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
  if (m_executableDirectory) return *m_executableDirectory;
  if (std::optional<std::string> folder = programFolderFromEnvironment()) return *folder;
  return nativePath(QCoreApplication::applicationDirPath());
}

void Program::FillDeviceIdTable() {
  m_link.FillDeviceIdTable();
}

void Program::ChooseLanguage() {
  kestrovane::ChooseLanguage(m_model.language);
  // Without Qt's translation the message boxes' buttons and the edit fields'
  // menus stay English; the window's own texts do not depend on it.
  installQtTranslations(m_model.language, QCoreApplication::applicationDirPath());
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

void Program::LoadMacroList() {
  m_model.editMacros([](MacroEditor& e) { e.LoadNames(); });
}

void Program::CompileMacros() {
  kestrovane::CompileMacros(macroNames(), macroFolder(), m_model.macroLooping(), m_macroRecords);
}

void Program::DetectHIDDeviceCounterTimer() {
  m_link.DetectHIDDeviceCounterTimer();
  tellDeniedMouse();
}

// A mouse that the system lists but this user may not open would leave the
// window grey without a word: while nothing is linked, it is told once,
// naming its node and how this install gets the udev rule.
void Program::tellDeniedMouse() {
  if (m_deniedMouseTold || m_link.link().featureHandle != kInvalidHidHandle) return;
  const std::vector<std::string> denied =
      findDeniedMouseInterfaces(*m_transport, m_link.deviceIdTable());
  if (denied.empty()) return;
  // Set first: the message box runs events, and with them further ticks.
  m_deniedMouseTold = true;
  showError(deniedMouseMessage(denied, udevRuleFix(executableDirectory())));
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

// REC: the start and stop texts come from the language file, and the
// caption tells which of the two a click means. Without a language the
// built-in texts serve, so that recording works in any locale.
void Program::RecordClick() {
  std::string start(builtInCaption("lbl_REC"));
  std::string stop(builtInCaption(message::kRecordStop));
  if (m_model.language != Language::None) {
    const std::optional<LanguageTexts> texts =
        LanguageTexts::load(m_model.language, m_model.paths());
    if (!texts) {
      showError(std::string(missingLanguageFileMessage(m_model.language)));
      return;
    }
    start = texts->text("Macro5");
    stop = texts->text("Macro10");
  }
  const std::string caption = m_model.caption("lbl_REC");
  if (caption == start && !m_recording) {
    if (startRecording()) m_model.setCaption("lbl_REC", stop);
  } else if (caption == stop && m_recording) {
    // The recording is over before anything of its end can show (the name
    // dialog, an error): the caption turns back first.
    m_model.setCaption("lbl_REC", start);
    stopRecording();
  }
}

KeyCapture* Program::capture() {
  if (!m_capture) {
    m_capture = m_captureFactory ? m_captureFactory(*this) : makePlatformKeyCapture(*this);
#ifndef _WIN32
    // No system-wide source: the window's own keys, with a word on it.
    if (!m_capture && !m_captureFactory) {
      m_capture = std::make_unique<WindowKeyCapture>(*this);
      showError(kWindowKeysOnlyNote);
    }
#endif
    if (m_capture && m_capture->eventDescriptor() >= 0) {
      m_captureNotifier =
          std::make_unique<QSocketNotifier>(m_capture->eventDescriptor(), QSocketNotifier::Read);
      QObject::connect(m_captureNotifier.get(), &QSocketNotifier::activated, &m_form,
                       [this] { runGuarded([this] { m_capture->dispatch(); }); });
    }
  }
  return m_capture.get();
}

bool Program::startRecording() {
  KeyCapture* source = capture();
  if (source == nullptr) {
    showError(std::string(kNoSystemWideCapture));
    return false;
  }
  m_recorder.startRecording();
  m_model.editMacros([](MacroEditor& e) { e.Clear(); });
  source->startWatching();
  m_form.clock().processEvents();
  source->setEnabled(true);
  m_recording = true;
  return true;
}

void Program::stopRecording() {
  m_recording = false;
  m_recorder.stopTiming();
  // The keyboard is let go before anything else, so that no dialog of the
  // end (the name asked for, an error) is recorded; pending window events
  // run only once the recording is saved, so that no click can change the
  // editor under it.
  m_recorder.clearModifierPending();
  if (KeyCapture* source = m_capture.get()) {
    source->stopWatching();
    source->setEnabled(false);
  }
  m_recorder.releaseHeldKeys();
  struct LetEventsRun {
    Clock& clock;
    ~LetEventsRun() { clock.processEvents(); }
  } letEventsRun{m_form.clock()};
  // No macro selected and none named in this run: the recording is named
  // now, or dropped with a word to the user; nothing is lost silently.
  if (!m_model.macroEditor.macroName()) {
    const std::optional<std::string> name = m_form.askNewMacroName();
    if (!name) {
      m_model.editMacros([](MacroEditor& e) { e.Clear(); });
      showError(std::string(kRecordingDropped));
      return;
    }
    try {
      m_model.editMacros([&name](MacroEditor& e) { e.AddRecordedMacro(*name); });
    } catch (const Error& error) {
      throw Error(std::string(error.what()) + "\r\n" + std::string(kRecordingKept));
    }
    return;
  }
  m_model.editMacros([](MacroEditor& e) { e.WriteFile(); });
}

void Program::onKeyboardHookReceive(std::uint16_t key, TKeyboardHookState state, int) {
  m_recorder.onReceive(key, state);
}

void Program::onWatchKeyNative(std::uint32_t, std::uint32_t, const TKeyInfo& info) {
  m_recorder.onKeyNative(info);
}

void Program::onCaptureMessage(const std::string& text) {
  showError(text);
}

MacroScript& Program::script() {
  return m_model.macroEditor.recordingScript();
}

int Program::rowCount() const {
  return m_model.macroEditor.contentRows();
}

void Program::addRow() {
  m_model.editMacros([](MacroEditor& e) { e.addRecordedRow(); });
}

void Program::selectLastRow() {
  m_model.editMacros([](MacroEditor& e) { e.selectLastRow(); });
}

void Program::endRecording() {
  RecordClick();
}

std::vector<std::string> Program::macroNames() {
  return FolderMacroList(m_form.appPaths().macroDir).macroNames();
}

std::string Program::macroFolder() {
  return m_form.appPaths().macroDir;
}

}  // namespace kestrovane
