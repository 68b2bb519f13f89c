#include <QDir>
#include <QSet>
#include <QSlider>
#include <QTest>

#include "base/Error.h"
#include "tests/app/FormFixture.h"
#include "ui/ErrorReport.h"
#include "ui/ImageControl.h"
#include "ui/LabelControl.h"
#include "ui/PanelControl.h"
#include "ui/Style.h"

namespace kestrovane::test {

namespace {

QColor underline(const TForm1& form, int tab) {
  return pictureColour(form.pageTitleImage(tab)->picture());
}

QColor colourOf(const char* name) {
  return SkinFolder::colourOf(QLatin1String(name));
}

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QCOMPARE(file.write(bytes), bytes.size());
}

}  // namespace

class StartupTest : public QObject {
  Q_OBJECT

 private slots:
  // Each step of another Part finds the window in the state the steps before
  // it leave: that is what the fixed order is for.
  void stepsRunInTheirFixedOrder() {
    FormFixture f;
    f.skins.addStartupSet();
    f.skins.add(QStringLiteral("title_base_3"));
    writeFile(f.skins.workDir() + QStringLiteral("/ZQK_A.sui"), "QSlider { margin: 1px; }");
    TForm1& form = *f.form;
    form.macroCount = 7;
    form.model().cycleFlag = true;
    QStringList trace;
    auto& seams = f.services;

    seams.fillDeviceIdTable = [&] {
      trace << QStringLiteral("deviceIds");
      QCOMPARE(form.macroCount, 0);
      QVERIFY(!form.model().cycleFlag);
      QVERIFY(form.page_MseKeys->isVisibleTo(&form));
      for (int n = 2; n <= 5; ++n) QVERIFY(!form.page(n)->isVisibleTo(&form));
      QCOMPARE(form.palette().color(QPalette::Window), kMaroon);
      QCOMPARE(form.size(), QSize(kFormWidth, kFormHeight));
      QVERIFY(form.windowFlags().testFlag(Qt::FramelessWindowHint));
      QCOMPARE(QDir::fromNativeSeparators(QString::fromStdString(form.appPaths().skinsDir)),
               f.skins.skinsDir());
      // Themes and skins come after the identities.
      QVERIFY(form.spin_msespeed->styleSheet().isEmpty());
      QVERIFY(form.img_base->picture().isNull());
    };
    seams.chooseLanguage = [&] {
      trace << QStringLiteral("language");
      QVERIFY(!form.spin_msespeed->styleSheet().isEmpty());
      QCOMPARE(pictureColour(form.img_base->picture()), colourOf("basemap"));
    };
    seams.loadMainTexts = [&] { trace << QStringLiteral("texts"); };
    seams.readGeneralSettings = [&] {
      trace << QStringLiteral("settings");
      // Selecting the saved mode here must not load it, and no detection may
      // interleave with reading the settings.
      QVERIFY(!form.model().loadOnModeSelect);
      QVERIFY(!form.isDetectionTimerEnabled());
      QCOMPARE(underline(form, 1), colourOf("title_base_1"));
    };
    seams.loadCurrentMode = [&] {
      trace << QStringLiteral("mode");
      QVERIFY(form.model().loadOnModeSelect);
      QVERIFY(form.isDetectionTimerEnabled());
      QCOMPARE(underline(form, 1), colourOf("title_base_3"));
      QVERIFY(form.appPaths().programDir.empty());
    };
    seams.loadMacroList = [&] {
      trace << QStringLiteral("macros");
      QVERIFY(QDir(f.programDir.path() + QStringLiteral("/Macro")).exists());
    };
    seams.detectHidDeviceCounterTimer = [&] { trace << QStringLiteral("tick"); };
    // Nothing that runs during start-up may write a settings file.
    for (auto* seam : {&seams.fillDeviceIdTable, &seams.chooseLanguage, &seams.loadMainTexts,
                       &seams.readGeneralSettings, &seams.loadCurrentMode, &seams.loadMacroList}) {
      *seam = [inner = *seam, &form] {
        QVERIFY(form.model().iniWriteSuppressed);
        inner();
      };
    }

    f.create();
    QCOMPARE(trace, QStringList({"deviceIds", "language", "texts", "settings", "mode", "macros"}));
    QVERIFY(f.clock.processEventsCalls >= 2);
    QVERIFY(form.model().iniWriteSuppressed);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&form, &activate);
    QVERIFY(!form.model().iniWriteSuppressed);
  }

  // The first tick comes one interval after start-up, then every 2.5 s.
  void detectionTimerTicksEveryTwoAndAHalfSeconds() {
    FormFixture f;
    int ticks = 0;
    f.services.detectHidDeviceCounterTimer = [&ticks] { ++ticks; };
    f.create();
    f.clock.advance(Clock::Duration(2499));
    QCOMPARE(ticks, 0);
    f.clock.advance(Clock::Duration(1));
    QCOMPARE(ticks, 1);
    f.clock.advance(Clock::Duration(5000));
    QCOMPARE(ticks, 3);
    f.form.reset();
    QVERIFY(f.clock.timers.empty());
  }

  // Macros hang off the program's folder; all else off the working directory.
  void foldersFollowTheWorkingDirectoryExceptTheMacros() {
    FormFixture f;
    TForm1& form = f.create();
    const AppPaths& paths = form.appPaths();
    const QString sep = QDir::separator();
    QCOMPARE(QString::fromStdString(paths.configureDir),
             f.skins.workDir() + sep + QStringLiteral("configure"));
    QCOMPARE(QString::fromStdString(paths.macroDir),
             f.programDir.path() + sep + QStringLiteral("Macro") + sep);
    QVERIFY(QDir(f.programDir.path() + QStringLiteral("/Macro")).exists());
    QVERIFY(!QDir(f.skins.workDir() + QStringLiteral("/Macro")).exists());
  }

  void aMacroFolderThatCannotBeMadeIsIgnored() {
    FormFixture f;
    const QString notAFolder = f.programDir.path() + QStringLiteral("/file");
    writeFile(notAFolder, "x");
    f.services.executableDirectoryHook = [&] {
      return QFile::encodeName(notAFolder).toStdString();
    };
    bool listed = false;
    f.services.loadMacroList = [&listed] { listed = true; };
    f.create();
    QVERIFY(listed);
    QVERIFY(!QDir(notAFolder + QStringLiteral("/Macro")).exists());
  }

  // A step that reads files and raises an error (a file that cannot be
  // read) is told once and stops only itself: every later step runs, and the
  // detection timer starts.
  void aFailingStepStopsOnlyItself_data() {
    QTest::addColumn<QString>("step");
    for (const char* step :
         {"LoadMainTexts", "ReadGeneralSettings", "LoadCurrentMode", "LoadMacroList"})
      QTest::newRow(step) << QString::fromLatin1(step);
  }
  void aFailingStepStopsOnlyItself() {
    QFETCH(QString, step);
    FormFixture f;
    std::vector<std::string> shown;
    setErrorPresenter([&shown](const std::string& text) { shown.push_back(text); });
    QStringList ran;
    const auto hook = [&](const char* name) {
      return [&ran, &step, name] {
        if (step == QLatin1String(name)) throw Error(std::string(name) + ": Unable to read");
        ran << QLatin1String(name);
      };
    };
    f.services.loadMainTexts = hook("LoadMainTexts");
    f.services.readGeneralSettings = hook("ReadGeneralSettings");
    f.services.loadCurrentMode = hook("LoadCurrentMode");
    f.services.loadMacroList = hook("LoadMacroList");
    f.create();
    setErrorPresenter({});
    QCOMPARE(shown, std::vector<std::string>{step.toStdString() + ": Unable to read"});
    QStringList expected{QStringLiteral("LoadMainTexts"), QStringLiteral("ReadGeneralSettings"),
                         QStringLiteral("LoadCurrentMode"), QStringLiteral("LoadMacroList")};
    expected.removeOne(step);
    QCOMPARE(ran, expected);
    QVERIFY(f.form->isDetectionTimerEnabled());
    QVERIFY(f.form->model().loadOnModeSelect);
  }

  // ZQK_A.sui styles the page track bars, ZQK_B.sui the menu indicators; both
  // lie in the working directory, and a missing one leaves Qt's look.
  void themeFilesStyleTheirTrackBarFamilies() {
    FormFixture f;
    const QByteArray sheet = "QSlider::groove:horizontal { background: rgb(1, 2, 3); }";
    writeFile(f.skins.workDir() + QStringLiteral("/ZQK_A.sui"), sheet);
    writeFile(f.skins.skinsDir() + QStringLiteral("/ZQK_B.sui"), "QSlider { margin: 3px; }");
    TForm1& form = f.create();
    for (QSlider* bar :
         {form.spin_msedbspeed, form.spin_msespeed, form.spin_msewheel, form.spin_msewheel_X,
          form.tb_XY, form.tb_step1, form.tb_step2, form.tb_step3, form.tb_step4})
      QCOMPARE(bar->styleSheet(), QString::fromUtf8(sheet));
    QVERIFY(form.TB_menu->styleSheet().isEmpty());
    for (int k = 1; k <= 8; ++k) QVERIFY(form.subListIndicator(k)->styleSheet().isEmpty());
  }

  // Every control shows the picture of its own name: each skin file has a
  // colour of its own, and the controls of each name are the design's list,
  // written out here.
  void eachControlShowsThePictureOfItsName() {
    FormFixture f;
    f.skins.addStartupSet();
    TForm1& form = f.create();
    const std::vector<std::pair<const char*, QList<ImageControl*>>> design{
        {"basemap", {form.img_base}},
        {"title_base_1",
         {form.img_title1, form.img_title2, form.img_title3, form.img_title4, form.img_title5}},
        {"btn_base", {form.img_page1}},
        {"macro_base", {form.img_page3}},
        {"dpi_base", {form.img_page5}},
        {"led_base", {form.img_page4}},
        {"sys_base", {form.img_page2}},
        {"mode_base_1",
         {form.img_mode1, form.img_mode2, form.img_mode3, form.img_mode4, form.img_mode5}},
        {"macro_btn1_1",
         {form.img_load, form.img_new, form.img_save, form.img_delete, form.img_cancel}},
        {"macro_btn2_1", {form.img_REC}},
        {"macro_btn3_1",
         {form.img_MseLeft, form.img_MseRight, form.img_MseMid, form.img_delkey, form.img_Time}},
        {"macro_btn4_1", {form.img_delay_i}},
        {"macro_btn5_1", {form.img_delay_d}},
        {"report_1", {form.btn_125hz, form.btn_250hz, form.btn_500hz, form.btn_1000hz}},
        {"led_base_1",
         {form.btn_LEDOpen,   form.btn_LEDClose,  form.btn_LEDBre1,   form.btn_LEDBre2,
          form.btn_LEDBre3,   form.btn_LEDBre4,   form.btn_LEDBre5,   form.btn_LEDBre6,
          form.btn_LEDcolor1, form.btn_LEDcolor2, form.btn_LEDcolor3, form.btn_LEDcolor4,
          form.btn_LEDcolor5, form.btn_LEDcolor6, form.btn_LEDcolor7, form.btn_LEDcolor8,
          form.btn_Motor1,    form.btn_Motor2,    form.btn_Motor3,    form.btn_Motor4}},
        {"10Keys", {form.img_gbMenu}},
        {"9Keys", {form.img_gboffice}},
        {"8Keys", {form.img_gbmedia, form.img_gbwin8}},
        {"7Keys", {form.img_gbie, form.img_gbos, form.img_gbbasekeys}},
        {"5Keys", {form.img_gbgaming}},
        {"4Keys", {form.img_gbother}},
    };
    // Distinct colours, or a swapped name could still match.
    QSet<QRgb> colours;
    for (const auto& [name, controls] : design) colours.insert(colourOf(name).rgb());
    QCOMPARE(colours.size(), qsizetype(design.size()));
    QSet<ImageControl*> listed;
    for (const auto& [name, controls] : design) {
      for (ImageControl* control : controls) {
        QVERIFY2(control != nullptr, name);
        QVERIFY2(pictureColour(control->picture()) == colourOf(name),
                 qPrintable(control->objectName() + QStringLiteral(" does not show ") +
                            QLatin1String(name)));
        listed.insert(control);
      }
    }
    QCOMPARE(listed.size(), 62);
    // No other control got a picture.
    for (ImageControl* control : form.findChildren<ImageControl*>())
      QVERIFY2(listed.contains(control) || control->picture().isNull(),
               qPrintable(control->objectName()));
  }

  // Without "btn_base" the walk stops after the tab underlines.
  void skinFolderWithoutBtnBase() {
    FormFixture f;
    f.skins.addStartupSet({QStringLiteral("btn_base")});
    TForm1& form = f.create();
    QVERIFY(!form.img_base->picture().isNull());
    for (int n = 1; n <= 5; ++n) QCOMPARE(underline(form, n), colourOf("title_base_1"));
    const QList<ImageControl*> empty{
        form.img_page1,     form.img_page2,  form.img_page3,  form.img_page4,  form.img_page5,
        form.img_mode1,     form.img_load,   form.img_REC,    form.img_Time,   form.btn_125hz,
        form.btn_LEDcolor8, form.btn_Motor4, form.img_gbMenu, form.img_gbother};
    for (ImageControl* control : empty)
      QVERIFY2(control->picture().isNull(), qPrintable(control->objectName()));
  }

  // Without only "4Keys" everything else is there; the four-row list keeps
  // its design size. The menu panels take their pictures' sizes.
  void skinFolderWithoutFourKeys() {
    FormFixture f;
    f.skins.addStartupSet({QStringLiteral("4Keys"), QStringLiteral("10Keys")});
    f.skins.add(QStringLiteral("10Keys"), {230, 260});
    TForm1& form = f.create();
    const QList<ImageControl*> loaded{
        form.img_base,     form.img_page1,   form.img_page2,      form.img_page3,
        form.img_page4,    form.img_page5,   form.img_mode5,      form.img_cancel,
        form.img_REC,      form.img_delkey,  form.img_delay_i,    form.img_delay_d,
        form.btn_1000hz,   form.btn_LEDOpen, form.btn_Motor1,     form.img_gbMenu,
        form.img_gboffice, form.img_gbwin8,  form.img_gbbasekeys, form.img_gbgaming};
    for (ImageControl* control : loaded)
      QVERIFY2(!control->picture().isNull(), qPrintable(control->objectName()));
    QVERIFY(form.img_gbother->picture().isNull());
    QCOMPARE(form.gbother->size(), QSize(187, 106));
    QCOMPARE(form.gbMenu->size(), QSize(230, 260));
    QCOMPARE(form.TB_menu->geometry().right(), form.gbMenu->width() - 1 - 3);
    QCOMPARE(form.gboffice->size(), QSize(187, 226));
    // Pictures that keep the control's design size.
    QCOMPARE(form.img_page2->size(), QSize(417, 361));
    QCOMPARE(form.btn_125hz->size(), QSize(60, 24));
  }
};

}  // namespace kestrovane::test

QTEST_MAIN(kestrovane::test::StartupTest)
#include "TForm1_startup_test.moc"
