// The program's objects bound together, over the virtual mouse and a clock
// that never waits: what the user sees of the mouse coming and going, and
// what crosses to the mouse, compared as the virtual mouse's transfer log.
#include "app/Program.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <array>
#include <filesystem>
#include <memory>

#include "base/IniFile.h"
#include "base/ManualClock.h"
#include "config/CaptionTable.h"
#include "device/HidrawTransport.h"
#include "device/VirtualMouse.h"
#include "macro/MacroFile.h"
#include "macro/ScriptedKeyCapture.h"
#include "tests/ui/LocaleForTest.h"
#ifndef _WIN32
#include "ui/WindowKeyCapture.h"
#endif
#include "tests/app/FormFixture.h"
#include "tests/device/RefusingHidraw.h"
#include "ui/ErrorReport.h"
#include "ui/LabelControl.h"
#include "ui/LeftKeyWarning.h"
#include "ui/MacroApp.h"
#include "ui/MacroName.h"
#include "ui/ModeConfigure.h"
#include "ui/PanelControl.h"

namespace kestrovane::test {

namespace {

constexpr Clock::Duration kTick{2500};

std::string zeros(int bytes) {
  return std::string(static_cast<std::size_t>(2 * bytes), '0');
}

// A feature request of the virtual mouse's 9 bytes carrying one command.
std::string featureHex(const char* command) {
  return "00" + std::string(command) + zeros(7);
}

// An output report of 65 bytes whose payload is all zero but its first byte.
std::string reportHex(const char* firstPayloadByte) {
  return "00" + std::string(firstPayloadByte) + zeros(63);
}

// A folder of the program's own with the mouse in it; with the shipped
// Simplified Chinese file unless told otherwise (this test runs in zh_CN).
struct Rig {
  explicit Rig(int interfaces = 1, bool languageFile = true) {
    if (languageFile) copyShippedLanguageFile(dir.path());
    if (interfaces != 1) setDevice("Interfaces", interfaces);
    start(std::make_unique<VirtualMouse>(QFile::encodeName(dir.path()).toStdString()));
  }
  explicit Rig(std::unique_ptr<HidTransport> transport) { start(std::move(transport)); }

  void start(std::unique_ptr<HidTransport> transport) {
    program = std::make_unique<Program>(clock, std::move(transport),
                                        std::make_unique<WatchedPointerStore>(),
                                        std::make_unique<NullPointerSystem>());
    const std::string folder = QFile::encodeName(dir.path()).toStdString();
    program->setFolders(folder, folder);
  }

  std::string path(const char* file) const {
    return QFile::encodeName(dir.filePath(QLatin1String(file))).toStdString();
  }

  void setDevice(const char* key, int value) {
    IniFile ini = QFile::exists(dir.filePath(QLatin1String(VirtualMouse::kStateFile)))
                      ? IniFile::load(path(VirtualMouse::kStateFile))
                      : IniFile();
    ini.setInt("Device", key, value);
    ini.save(path(VirtualMouse::kStateFile));
  }

  // Records from a scripted keyboard; the reference names the source while
  // a recording runs.
  ScriptedKeyCapture*& scriptKeyboard() {
    program->setKeyCaptureFactory([this](KeyCaptureSink& sink) {
      auto source = std::make_unique<ScriptedKeyCapture>(sink);
      keyboard = source.get();
      return source;
    });
    return keyboard;
  }

  void setFirmwareVersion(int version) {
    IniFile ini = IniFile::load(path(VirtualMouse::kStateFile));
    ini.setInt("Firmware", "Version", version);
    ini.save(path(VirtualMouse::kStateFile));
  }

  // The transfer log since the last call.
  QStringList takeLog() {
    QFile file(dir.filePath(QLatin1String(VirtualMouse::kLogFile)));
    QStringList lines;
    if (file.open(QIODevice::ReadOnly))
      lines = QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    file.close();
    file.remove();
    return lines;
  }

  bool controlsEnabled() const {
    for (QWidget* control : program->form().deviceDependentControls())
      if (!control->isEnabled()) return false;
    return true;
  }

  bool controlsDisabled() const {
    for (QWidget* control : program->form().deviceDependentControls())
      if (control->isEnabled()) return false;
    return true;
  }

  QString versionText() const { return program->form().lbl_Ver->text(); }

  QTemporaryDir dir;
  ManualClock clock;
  std::unique_ptr<Program> program;
  ScriptedKeyCapture* keyboard = nullptr;
};

QStringList firmwareQuery(const char* version) {
  return {QString::fromStdString("set-feature " + featureHex("c0")),
          QString::fromStdString("get-feature 00c0" + std::string(version) + zeros(6))};
}

}  // namespace

class ProgramTest : public QObject {
  Q_OBJECT

 private slots:
#ifndef _WIN32
  // Without the udev rule the mouse's hidraw node (entry 1's IDs) refuses to
  // open, as does a keyboard's: a real message box names the mouse's node
  // and the fix, once, however many ticks follow.
  void aMouseThisUserMayNotOpenIsToldOnce() {
    QTemporaryDir root;
    const std::filesystem::path rootPath(QFile::encodeName(root.path()).toStdString());
    addHidrawNode(rootPath, "hidraw0", "0003:0000046D:0000C31C");
    addHidrawNode(rootPath, "hidraw4", "0003:00004321:00006789");
    Rig rig(std::make_unique<HidrawTransport>(rootPath, std::make_unique<RefusingHidraw>()));
    QStringList shown;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&shown] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        shown.append(box->text());
        box->button(QMessageBox::Ok)->click();
      }
    });
    // Start-up in an empty folder tells its own missing files first.
    setErrorPresenter([](const std::string&) {});
    rig.program->form().FormCreate();
    setErrorPresenter({});
    closer.start(0);
    rig.clock.advance(3 * kTick);
    closer.stop();
    const QString node = QString::fromStdString((rootPath / "dev/hidraw4").string());
    QCOMPARE(shown,
             QStringList{node + QStringLiteral(" is the mouse, but this user may not open it: "
                                               "install the package's udev rule or copy "
                                               "resources/linux/70-kestrovane.rules to "
                                               "/etc/udev/rules.d/, then replug the mouse.")});
    QVERIFY(rig.controlsDisabled());
  }
#endif

  // Nothing is linked before the first tick, 2.5 s after start-up; then the
  // mouse is found, its version read and the controls come on.
  void firstTickLinksTheVirtualMouse() {
    Rig rig;
    rig.program->form().FormCreate();
    QVERIFY(rig.controlsDisabled());
    QVERIFY(rig.takeLog().isEmpty());
    rig.clock.advance(kTick - Clock::Duration{1});
    QVERIFY(rig.controlsDisabled());
    rig.clock.advance(Clock::Duration{1});
    QVERIFY(rig.controlsEnabled());
    QCOMPARE(rig.versionText(), QStringLiteral(" Ver-1"));
    QCOMPARE(rig.takeLog(), firmwareQuery("01"));
    // A tick that sees the same count changes nothing and sends nothing.
    rig.clock.advance(kTick);
    QVERIFY(rig.controlsEnabled());
    QVERIFY(rig.takeLog().isEmpty());
  }

  // Unplugged, the controls go off and the version empties at the next tick;
  // plugged again, the version is read anew.
  void unplugAndReplug() {
    Rig rig;
    rig.program->form().FormCreate();
    rig.clock.advance(kTick);
    rig.takeLog();
    rig.setDevice("Present", 0);
    rig.clock.advance(kTick);
    QVERIFY(rig.controlsDisabled());
    QCOMPARE(rig.versionText(), QString());
    QCOMPARE(rig.program->deviceLink().link().featureHandle, kInvalidHidHandle);
    QVERIFY(rig.takeLog().isEmpty());
    rig.setDevice("Present", 1);
    rig.setFirmwareVersion(255);
    rig.clock.advance(kTick);
    QVERIFY(rig.controlsEnabled());
    QCOMPARE(rig.versionText(), QStringLiteral(" Ver-255"));
    QCOMPARE(rig.takeLog(), firmwareQuery("ff"));
  }

  // "确 定" through the window: a transfer that fails stops Apply after its
  // command, the user reads which step failed, and the window is given back
  // (labels on, loading window hidden) with nothing more sent. The folder
  // holds no settings, so no mode is current and no (all-zero) image is
  // written: Apply starts with macro 1, and transfer 3 is the request of its
  // second half.
  void applyThatFailsTellsTheUserAndGivesTheWindowBack() {
    Rig rig;
    std::vector<std::string> shown;
    setErrorPresenter([&shown](const std::string& text) { shown.push_back(text); });
    TForm1& form = rig.program->form();
    form.FormCreate();
    rig.clock.advance(kTick);
    rig.takeLog();
    IniFile faults;
    faults.setInt("Faults", "FailTransfer", 3);
    faults.save(rig.path(VirtualMouse::kFaultsFile));
    QTest::mouseClick(form.Apply, Qt::LeftButton, {}, {5, 5});
    setErrorPresenter({});
    // In the shipped Simplified Chinese file's words.
    QCOMPARE(shown, std::vector<std::string>{"鼠标未完全写入：写入宏1失败。"});
    const QStringList log = rig.takeLog();
    QCOMPARE(log.size(), 4);
    QCOMPARE(log.first(), QString::fromStdString("set-feature " + featureHex("20")));
    QVERIFY(rig.controlsEnabled());
    QVERIFY(!rig.program->loadingWindow().isVisible());
  }

  // Started from a folder without settings, the user clicks a mode: its
  // image, and every other, holds no file's bytes (all zero: every button
  // erased). "确 定" then sends nothing and names the file that is missing.
  void applyNeverSendsAnImageThatNoFileGave() {
    Rig rig;
    std::vector<std::string> shown;
    setErrorPresenter([&shown](const std::string& text) { shown.push_back(text); });
    TForm1& form = rig.program->form();
    form.FormCreate();
    rig.clock.advance(kTick);
    rig.takeLog();
    QTest::mouseClick(form.pnl_mode1, Qt::LeftButton, {}, {5, 5});
    QCOMPARE(rig.program->model().currentMode(), 1);
    QTest::mouseClick(form.Apply, Qt::LeftButton, {}, {5, 5});
    setErrorPresenter({});
    const std::string image = joinPath(rig.program->model().paths().dataDir, modeImageFileName(2));
    QCOMPARE(shown, std::vector<std::string>{"The mouse was not written: mode 2 holds no "
                                             "settings read from " +
                                             image + "."});
    QVERIFY(rig.takeLog().isEmpty());
    QVERIFY(rig.controlsEnabled());
    QVERIFY(!rig.program->loadingWindow().isVisible());
  }

  // Start-up reads the language file of the session's locale: every key of
  // the caption table lands on its control, the precision option starts as
  // the file says and reaches the pointer store before the settings are
  // read; a missing file is told once, English's for any language but
  // Chinese.
  void startupTextsComeFromTheLanguageOfTheLocale() {
    LocaleForTest locale;
    struct Restore {
      ~Restore() { setErrorPresenter({}); }
    } restore;
    std::vector<std::string> shown;
    setErrorPresenter([&shown](const std::string& text) { shown.push_back(text); });
    {
      Rig rig(1, false);
      std::string lines = "[English]\r\n";
      for (const Caption& c : mainWindowTexts())
        lines += std::string(c.key) + "=" +
                 (c.kind == CaptionKind::OptionState ? std::string(c.key == "Mse1" ? "1" : "0")
                                                     : "E-" + std::string(c.key)) +
                 "\r\n";
      QVERIFY(QDir(rig.dir.path()).mkpath(QStringLiteral("Language/1033")));
      QFile file(rig.dir.filePath(QStringLiteral("Language/1033/English.ini")));
      QVERIFY(file.open(QIODevice::WriteOnly));
      QVERIFY(file.write(lines.data(), static_cast<qint64>(lines.size())) ==
              static_cast<qint64>(lines.size()));
      file.close();
      std::vector<std::string> storeWrites;
      auto& store = static_cast<WatchedPointerStore&>(rig.program->pointerStore());
      store.onWrite = [&](std::string_view key) {
        if (storeWrites.empty())
          QCOMPARE(rig.program->model().caption("lbl_title1"), std::string("E-T2"));
        storeWrites.emplace_back(key);
      };
      locale.use("en_US.UTF-8", 0x0409);
      TForm1& form = rig.program->form();
      form.FormCreate();
      QVERIFY(shown.empty());
      QCOMPARE(rig.program->model().language, Language::ENU);
      int checked = 0;
      for (const Caption& c : mainWindowTexts()) {
        const QString name = QString::fromLatin1(c.control.data(), c.control.size());
        const QString expected = QStringLiteral("E-") + QLatin1String(c.key.data(), c.key.size());
        if (c.kind == CaptionKind::OptionState) continue;
        if (c.kind == CaptionKind::MenuItem) {
          auto* action = form.findChild<QAction*>(name);
          QVERIFY2(action != nullptr, qPrintable(name));
          QCOMPARE(action->text(), expected);
        } else if (c.kind == CaptionKind::CheckBoxText) {
          auto* box = form.findChild<QCheckBox*>(name);
          QVERIFY2(box != nullptr, qPrintable(name));
          QCOMPARE(box->text(), expected);
        } else {
          auto* label = form.findChild<QLabel*>(name);
          QVERIFY2(label != nullptr, qPrintable(name));
          QCOMPARE(label->text(), expected);
        }
        ++checked;
      }
      QCOMPARE(checked, 156);
      // The extras with a key the file has; the others keep their texts.
      QCOMPARE(form.lbl_mse1->text(), QStringLiteral("      E-MS2"));
      QCOMPARE(form.lbl_XY_1->text(), QString::fromUtf8(builtInCaption("lbl_XY_1")));
      QVERIFY(!form.lbl_mse1_check->isHidden());
      QVERIFY(rig.program->model().checkBox(CheckBox::cb_msespeed));
      QVERIFY(!storeWrites.empty());
    }
    struct Missing {
      const char* locale;
      unsigned lcid;
      std::vector<std::string> messages;
    };
    for (const Missing& m :
         {Missing{"zh_TW.UTF-8", 0x0404, {"No "}},
          Missing{"zh_CN.UTF-8", 0x0804, {"没有发现\"Simplified Chinese.ini\"文件"}},
          Missing{"en_GB.UTF-8", 0x0809, {"\"English.ini\" File No Find"}},
          Missing{"de_DE.UTF-8", 0x0407, {"\"English.ini\" File No Find"}}}) {
      shown.clear();
      Rig rig(1, false);
      locale.use(m.locale, m.lcid);
      rig.program->form().FormCreate();
      QCOMPARE(shown, m.messages);
      QCOMPARE(rig.program->form().Apply->text(), QString::fromUtf8(builtInCaption("Apply")));
    }
  }

  // REC with a scripted keyboard: the caption turns to the stop text, the
  // keys become rows, and the second click writes the selected macro. With
  // no macro selected or named, the stop asks for a name; cancelled, the
  // recording is dropped and the user told.
  void recordingWritesTheMacroOrAsksForItsName() {
    Rig rig;
    std::vector<std::string> shown;
    setErrorPresenter([&shown](const std::string& text) { shown.push_back(text); });
    ScriptedKeyCapture*& keyboard = rig.scriptKeyboard();
    TForm1& form = rig.program->form();
    QVERIFY(QDir(rig.dir.path()).mkpath(QStringLiteral("Macro")));
    const std::string folder = rig.path("Macro") + "/";
    WriteMacroFile(folder, "m", {});
    form.FormCreate();
    MacroEditor& editor = rig.program->model().macroEditor;
    QCOMPARE(editor.names(), std::vector<std::string>{"m"});
    rig.program->model().editMacros([](MacroEditor& e) { e.OpenMacro(0); });

    const Keystroke a{0x41, 0x1E, false, "A"};
    QTest::mouseClick(form.lbl_REC, Qt::LeftButton, {}, {5, 5});
    QCOMPARE(form.lbl_REC->text(), QStringLiteral("停止录制"));
    QVERIFY(keyboard != nullptr && keyboard->enabled());
    rig.clock.advance(Clock::Duration{500});
    keyboard->down(a);
    rig.clock.advance(Clock::Duration{120});
    keyboard->up(a);
    QCOMPARE(form.macro_content->count(), static_cast<int>(editor.script().size()) - 1);
    QVERIFY(form.macro_content->count() >= 2);
    QTest::mouseClick(form.lbl_REC, Qt::LeftButton, {}, {5, 5});
    QCOMPARE(form.lbl_REC->text(), QStringLiteral("开始录制"));
    QVERIFY(!keyboard->enabled());
    const MacroScript written = ReadMacroFile(folder, "m");
    QCOMPARE(written, editor.script());
    QCOMPARE(written[1], std::string("1 A CODE:0004"));
    QCOMPARE(written.back(), std::string("2 A CODE:0004"));
    QVERIFY(shown.empty());

    // Nothing selected, nothing named: asked, cancelled, dropped and told.
    rig.program->model().editMacros([](MacroEditor& e) { e.RefreshMacroList(); });
    int asked = 0;
    form.setNewMacroPresenter([&asked] {
      ++asked;
      return std::optional<QString>();
    });
    QTest::mouseClick(form.lbl_REC, Qt::LeftButton, {}, {5, 5});
    keyboard->down(a);
    keyboard->up(a);
    QTest::mouseClick(form.lbl_REC, Qt::LeftButton, {}, {5, 5});
    QCOMPARE(asked, 1);
    QCOMPARE(shown.size(), std::size_t{1});
    QCOMPARE(form.macro_content->count(), 0);
    QCOMPARE(ReadMacroFile(folder, "m"), written);
    QVERIFY(!keyboard->enabled());

    // Named when asked: the recording goes to the new macro's file.
    form.setNewMacroPresenter([] { return std::optional<QString>(QStringLiteral("Combo")); });
    QTest::mouseClick(form.lbl_REC, Qt::LeftButton, {}, {5, 5});
    keyboard->down(a);
    keyboard->up(a);
    QTest::mouseClick(form.lbl_REC, Qt::LeftButton, {}, {5, 5});
    QCOMPARE(editor.names(), (std::vector<std::string>{"Combo", "m"}));
    QCOMPARE(ReadMacroFile(folder, "Combo"), editor.script());
    QCOMPARE(editor.script()[1], std::string("1 A CODE:0004"));
    setErrorPresenter({});
  }

  // With no macro selected or named, the end of a recording asks for a name:
  // by then the keyboard is let go, so the name typed into the dialog and its
  // Enter are not recorded, whether REC or the tenth release ended it; a key
  // still down is released in the script. A name whose file cannot be
  // created leaves the recording in the editor and says why.
  void recordingLetsTheKeyboardGoBeforeAskingForAName_data() {
    QTest::addColumn<bool>("byTenthRelease");
    QTest::addColumn<QString>("name");
    QTest::newRow("REC ends it") << false << QStringLiteral("zed");
    QTest::newRow("the tenth release ends it") << true << QStringLiteral("zed");
    QTest::newRow("the file cannot be created") << false << QStringLiteral("z:d");
  }
  void recordingLetsTheKeyboardGoBeforeAskingForAName() {
    QFETCH(bool, byTenthRelease);
    QFETCH(QString, name);
    Rig rig;
    std::vector<std::string> shown;
    setErrorPresenter([&shown](const std::string& text) { shown.push_back(text); });
    ScriptedKeyCapture*& keyboard = rig.scriptKeyboard();
    TForm1& form = rig.program->form();
    QVERIFY(QDir(rig.dir.path()).mkpath(QStringLiteral("Macro")));
    const std::string folder = rig.path("Macro") + "/";
    form.FormCreate();
    MacroEditor& editor = rig.program->model().macroEditor;

    const Keystroke a{0x41, 0x1E, false, "A"};
    const Keystroke b{0x42, 0x30, false, "B"};
    const Keystroke shift{0x10, 0x2A, false, "Shift"};
    const std::array typed{Keystroke{0x5A, 0x2C, false, "Z"}, Keystroke{0x45, 0x12, false, "E"},
                           Keystroke{0x44, 0x20, false, "D"}};
    int asked = 0;
    QString captionWhileAsked;
    bool keyboardWhileAsked = true;
    form.setNewMacroPresenter([&] {
      ++asked;
      captionWhileAsked = form.lbl_REC->text();
      keyboardWhileAsked = keyboard->enabled();
      // The user types the name and Enter into the dialog.
      for (const Keystroke& key : typed) {
        keyboard->down(key);
        keyboard->up(key);
      }
      keyboard->down(Keystroke{0x0D, 0x1C, false, "Enter"});
      return std::optional<QString>(name);
    });
    QTest::mouseClick(form.lbl_REC, Qt::LeftButton, {}, {5, 5});
    MacroScript expected{"1"};
    if (byTenthRelease) {
      for (int i = 0; i < 10; ++i) {
        const Keystroke& key = i % 2 == 0 ? a : b;
        keyboard->down(key);
        keyboard->up(key);
        expected.push_back(pressLine(key.name, i % 2 == 0 ? 0x04 : 0x05));
        expected.push_back(releaseLine(key.name, i % 2 == 0 ? 0x04 : 0x05));
      }
    } else {
      keyboard->down(shift);
      keyboard->down(a);
      keyboard->up(a);
      keyboard->down(b);
      QTest::mouseClick(form.lbl_REC, Qt::LeftButton, {}, {5, 5});
      expected.insert(expected.end(), {"1 Shift CODE:3333", "1 A CODE:0004", "2 A CODE:0004",
                                       "1 B CODE:0005", "2 B CODE:0005", "2 Shift CODE:3333"});
    }
    QCOMPARE(asked, 1);
    QCOMPARE(captionWhileAsked, QStringLiteral("开始录制"));
    QVERIFY(!keyboardWhileAsked);
    QVERIFY(!keyboard->enabled());
    QVERIFY(!rig.program->recording());
    QCOMPARE(form.lbl_REC->text(), QStringLiteral("开始录制"));
    QCOMPARE(editor.script(), expected);
    QCOMPARE(form.macro_content->count(), static_cast<int>(expected.size()) - 1);
    if (name == QStringLiteral("zed")) {
      QCOMPARE(ReadMacroFile(folder, "zed"), expected);
      QVERIFY(shown.empty());
    } else {
      QCOMPARE(shown.size(), std::size_t{1});
      QVERIFY2(shown[0].find("the editor still shows it") != std::string::npos, shown[0].c_str());
      QVERIFY(!editor.macroName());
    }
    setErrorPresenter({});
  }

#ifndef _WIN32
  // A file that cannot be read at start-up (a symlink to /proc/self/mem,
  // which exists but gives an error on reading): told once, the step falls
  // back to what a missing file gives, and the rest of start-up runs: the
  // macro list is read, the dialogs open, and the first tick links the mouse.
  void anUnreadableFileAtStartUpIsToldAndTheMouseIsStillLinked_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("englishTexts");
    QTest::addColumn<bool>("modeFromSettings");
    QTest::newRow("GM.ini") << QStringLiteral("configure/GM.ini") << true << false;
    QTest::newRow("the user's language file")
        << QStringLiteral("Language/1033/English.ini") << false << true;
    QTest::newRow("another language's file")
        << QStringLiteral("Language/1028/Traditional Chinese.ini") << true << true;
    QTest::newRow("a mode's image file") << QStringLiteral("data/Mode2_data.ini") << true << true;
  }
  void anUnreadableFileAtStartUpIsToldAndTheMouseIsStillLinked() {
    QFETCH(QString, file);
    QFETCH(bool, englishTexts);
    QFETCH(bool, modeFromSettings);
    LocaleForTest locale;
    struct Restore {
      ~Restore() { setErrorPresenter({}); }
    } restore;
    std::vector<std::string> shown;
    setErrorPresenter([&shown](const std::string& text) { shown.push_back(text); });
    Rig rig(1, false);
    const QString resources = QStringLiteral(KESTROVANE_SOURCE_DIR "/resources/");
    for (const char* folder : {"configure", "data", "Language/1033", "Language/1028"}) {
      const QString name = QString::fromLatin1(folder);
      QVERIFY(QDir(rig.dir.path()).mkpath(name));
      for (const QString& entry : QDir(resources + name).entryList(QDir::Files))
        QVERIFY(QFile::copy(resources + name + QLatin1Char('/') + entry,
                            rig.dir.filePath(name + QLatin1Char('/') + entry)));
    }
    QVERIFY(QFile::remove(rig.dir.filePath(file)));
    QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), rig.dir.filePath(file)));
    QVERIFY(QDir(rig.dir.path()).mkpath(QStringLiteral("Macro")));
    WriteMacroFile(rig.path("Macro") + "/", "m", {});
    locale.use("en_US.UTF-8", 0x0409);

    TForm1& form = rig.program->form();
    form.FormCreate();
    QCOMPARE(shown.size(), std::size_t{1});
    QVERIFY2(shown[0].find(QFileInfo(file).fileName().toStdString()) != std::string::npos,
             shown[0].c_str());
    QCOMPARE(form.Apply->text() == QStringLiteral("Apply"), englishTexts);
    QCOMPARE(rig.program->model().currentMode() != 0, modeFromSettings);
    QCOMPARE(rig.program->model().macroEditor.names(), std::vector<std::string>{"m"});
    QVERIFY(form.isDetectionTimerEnabled());
    // The dialogs read the language file too, and still open.
    TForm2 assign(form.appPaths(), &form);
    TForm3 rename(form.appPaths(), &form);
    TForm5 warning(form.appPaths(), &form);
    TForm6 name(form.appPaths(), {}, &form);
    rig.clock.advance(kTick);
    QVERIFY(rig.controlsEnabled());
    QCOMPARE(rig.takeLog(), firmwareQuery("01"));
    // Selecting a mode reads the names again from memory: nothing more told.
    if (file.startsWith(QLatin1String("Language"))) rig.program->model().SelectMode(2);
    QCOMPARE(shown.size(), std::size_t{1});
  }

#endif

#ifndef _WIN32
  // Without an X display there is no system-wide source: REC records the
  // window's own keys and says so once.
  void withoutADisplayTheWindowsOwnKeysAreRecorded() {
    const QByteArray display = qgetenv("DISPLAY");
    qunsetenv("DISPLAY");
    Rig rig;
    std::vector<std::string> shown;
    setErrorPresenter([&shown](const std::string& text) { shown.push_back(text); });
    QVERIFY(QDir(rig.dir.path()).mkpath(QStringLiteral("Macro")));
    WriteMacroFile(rig.path("Macro") + "/", "w", {});
    TForm1& form = rig.program->form();
    form.FormCreate();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    rig.program->model().editMacros([](MacroEditor& e) { e.OpenMacro(0); });
    for (int round = 0; round < 2; ++round) {
      QTest::mouseClick(form.lbl_REC, Qt::LeftButton, {}, {5, 5});
      // A, as the X server numbers it (evdev 30 + 8).
      for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent key(type, Qt::Key_A, Qt::NoModifier, 38, 0x41, 0, QStringLiteral("a"));
        QCoreApplication::sendEvent(form.windowHandle(), &key);
      }
      QTest::mouseClick(form.lbl_REC, Qt::LeftButton, {}, {5, 5});
    }
    QCOMPARE(shown, std::vector<std::string>{kWindowKeysOnlyNote});
    QCOMPARE(ReadMacroFile(rig.path("Macro") + "/", "w"),
             (MacroScript{"1", "1 A CODE:0004", "2 A CODE:0004"}));
    setErrorPresenter({});
    if (!display.isEmpty()) qputenv("DISPLAY", display);
  }
#endif

  // A failed firmware query links the mouse but shows no version and marks
  // the failure.
  void failedFirmwareQuery() {
    Rig rig;
    rig.program->form().FormCreate();
    IniFile faults;
    faults.setInt("Faults", "FailTransfer", 2);
    faults.save(rig.path(VirtualMouse::kFaultsFile));
    rig.clock.advance(kTick);
    QVERIFY(rig.controlsEnabled());
    QCOMPARE(rig.versionText(), QString());
    QVERIFY(rig.program->deviceLink().deviceWriteFailed());
    const QStringList log = rig.takeLog();
    QCOMPARE(log.size(), 2);
    QVERIFY(log[1].startsWith(QStringLiteral("fail get-feature")));
  }

  // "Write Mode3" sends feature command 3 and then the stored image of mode
  // 3, whose byte 0 is 3; "Read Mode2" replaces all 64 bytes of the stored
  // image of mode 2, byte 0 included, with what the mouse holds.
  void writeAndReadModes() {
    Rig rig;
    rig.program->form().FormCreate();
    rig.clock.advance(kTick);
    rig.takeLog();
    TForm1& form = rig.program->form();
    rig.program->model().images.storedImage(3)[0] = 3;
    rig.program->model().images.storedImage(3)[63] = 0x40;
    form.btnWriteMode3->click();
    QCOMPARE(rig.takeLog(), (QStringList{QString::fromStdString("set-feature " + featureHex("03")),
                                         QString::fromStdString("write 0003" + zeros(62) + "40")}));
    auto mouse = std::make_unique<VirtualMouse>(QFile::encodeName(rig.dir.path()).toStdString());
    QCOMPARE(mouse->modeImage(3), rig.program->model().images.storedImage(3));

    rig.program->model().images.storedImage(2).fill(0xAA);
    form.btnReadMode2->click();
    // The virtual mouse starts with byte 0 = N and zeros elsewhere.
    ModeImage expected{};
    expected[0] = 2;
    QCOMPARE(rig.program->model().images.storedImage(2), expected);
    const QStringList log = rig.takeLog();
    QCOMPARE(log.size(), 2);
    QCOMPARE(log[0], QString::fromStdString("set-feature " + featureHex("82")));
    QCOMPARE(log[1], QString::fromStdString("read 0002" + zeros(63)));
    QVERIFY(!rig.program->deviceLink().deviceWriteFailed());
  }

  // "Write Macro10" of the device page sends both halves of record 10 with
  // commands 0x29 and 0x39, each followed by 200 ms with the loading window
  // shown; one interface or three, the mouse sees the same.
  void writeMacroTenSendsBothHalves_data() {
    QTest::addColumn<int>("interfaces");
    QTest::newRow("one interface") << 1;
    QTest::newRow("three interfaces") << 3;
  }
  void writeMacroTenSendsBothHalves() {
    QFETCH(int, interfaces);
    Rig rig(interfaces);
    rig.program->form().FormCreate();
    rig.clock.advance(kTick);
    rig.takeLog();
    MacroDeviceRecord& record = rig.program->macroRecords()[9];
    record[0] = 0x11;
    record[64] = 0x22;
    rig.clock.clearRecord();
    QVERIFY(!rig.program->loadingWindow().isVisible());
    rig.program->form().TntButton10->click();
    QCOMPARE(rig.takeLog(), (QStringList{
                                QString::fromStdString("set-feature " + featureHex("29")),
                                QString::fromStdString("write " + reportHex("11")),
                                QString::fromStdString("set-feature " + featureHex("39")),
                                QString::fromStdString("write " + reportHex("22")),
                            }));
    using D = Clock::Duration;
    QCOMPARE(rig.clock.pauses(), (std::vector<D>{D{10}, D{10}, D{200}, D{10}, D{10}, D{200}}));
    QVERIFY(rig.program->loadingWindow().isVisible());
    QVERIFY(!rig.program->deviceLink().deviceWriteFailed());
    QCOMPARE(rig.program->form().TntButton10->text(), QStringLiteral("Write Macro10"));
  }
};

}  // namespace kestrovane::test

QTEST_MAIN(kestrovane::test::ProgramTest)
#include "Program_test.moc"
