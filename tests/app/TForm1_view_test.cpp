// The main window as a view of the program model: what it shows of the
// model, and which clicks reach which operation.
#include <QCheckBox>
#include <QLineEdit>
#include <QSlider>
#include <QTest>

#include "base/CodePage.h"
#include "base/IniFile.h"
#include "config/SettingsFiles.h"
#include "tests/app/FormFixture.h"
#include "tests/ui/Pointer.h"
#include "ui/ImageControl.h"
#include "ui/LabelControl.h"
#include "ui/PanelControl.h"

namespace kestrovane::test {

namespace {

QColor shown(const ImageControl* image) {
  return pictureColour(image->picture());
}

QColor colourOf(const char* name) {
  return SkinFolder::colourOf(QLatin1String(name));
}

void click(QWidget* widget) {
  QTest::mouseClick(widget, Qt::LeftButton, {}, {3, 3});
}

// The window with the mode pictures and the settings files of mode 2.
struct ViewFixture : FormFixture {
  ViewFixture() {
    skins.addStartupSet();
    for (const char* name : {"mode_base_2", "mode_base_3"}) skins.add(QLatin1String(name));
    const std::string work = QFile::encodeName(skins.workDir()).toStdString();
    QDir(skins.workDir()).mkpath(QStringLiteral("configure"));
    QDir(skins.workDir()).mkpath(QStringLiteral("data"));
    IniFile settings;
    ModeSettings mode2;
    mode2.keys[0] = utf8ToCodePage("开火");
    mode2.speed = 8;
    mode2.scroll = true;
    mode2.reportRate = 1;
    writeModeSettings(settings, "Mode2", mode2);
    settings.save(work + "/configure/Mode2.ini");
    create();
    form->EnableDeviceControls();
  }
};

}  // namespace

class ViewTest : public QObject {
  Q_OBJECT

 private slots:
  // A mode panel, its name and its indicator each select and load their
  // mode; the indicators show the current mode and the pointer's visit.
  void modePanelsSelectAndLoadTheirMode() {
    ViewFixture f;
    TForm1& form = *f.form;
    for (QWidget* target :
         {static_cast<QWidget*>(form.modeName(2)), static_cast<QWidget*>(form.modePanel(4)),
          static_cast<QWidget*>(form.modeImage(2))}) {
      click(target);
      const int mode = target == form.modePanel(4) ? 4 : 2;
      QCOMPARE(f.model.currentMode(), mode);
      for (int n = 1; n <= kModeCount; ++n)
        QCOMPARE(shown(form.modeImage(n)), colourOf(n == mode ? "mode_base_3" : "mode_base_1"));
    }
    // Mode 2's file is shown: caption, slider, check box and disabled wheel.
    QCOMPARE(form.Key1->text(), QStringLiteral("开火"));
    QCOMPARE(form.spin_msespeed->value(), 8);
    QVERIFY(form.cb_msewheel->isChecked());
    QVERIFY(!form.spin_msewheel->isEnabled());
    QCOMPARE(f.model.images.workingImage[3], 2);

    enter(form.modeName(3));
    QCOMPARE(shown(form.modeImage(3)), colourOf("mode_base_2"));
    leave(form.modeName(3));
    QCOMPARE(shown(form.modeImage(3)), colourOf("mode_base_1"));
    enter(form.modePanel(2));
    leave(form.modePanel(2));
    QCOMPARE(shown(form.modeImage(2)), colourOf("mode_base_3"));
  }

  // A slider moved by the user and a check label clicked reach the model;
  // the model's changes reach the controls without echoing back.
  void controlsForwardToTheModelAndShowIt() {
    ViewFixture f;
    TForm1& form = *f.form;
    int mouseKeyWrites = 0;
    f.pointerStore.onWrite = [&](std::string_view key) { mouseKeyWrites += key == kMouseKey; };
    form.spin_msedbspeed->setValue(4);
    QCOMPARE(f.model.slider(Slider::spin_msedbspeed), 4);
    QCOMPARE(mouseKeyWrites, 1);
    form.tb_step2->setValue(4);
    QCOMPARE(f.model.images.workingImage[61], 64);

    click(form.lbl_mse1);
    QVERIFY(f.model.mse1Flag);
    QVERIFY(!form.lbl_mse1_check->isHidden());
    QVERIFY(form.cb_msespeed->isChecked());
    click(form.lbl_cycle_max);
    QVERIFY(!form.lbl_cycle_max_check->isHidden());
    QVERIFY(!form.edt_cycle->isEnabled());
    click(form.lbl_cycle);
    QVERIFY(form.lbl_cycle_max_check->isHidden());
    QVERIFY(!form.lbl_cycle_check->isHidden());
    QVERIFY(form.edt_cycle->isEnabled());
    form.edt_cycle->clear();
    QTest::keyClicks(form.edt_cycle, QStringLiteral("7"));
    QCOMPARE(f.model.macroLooping().countText, std::string("7"));

    mouseKeyWrites = 0;
    f.model.setSlider(Slider::spin_msespeed, 9);
    QCOMPARE(form.spin_msespeed->value(), 9);
    QCOMPARE(mouseKeyWrites, 1);  // the window's own slider did not act again
    f.model.setModeName(5, utf8ToCodePage("狙击"));
    QCOMPARE(form.modeName(5)->text(), QStringLiteral("狙击"));
    f.model.lbl_LEDCloseClick();
    QVERIFY(form.lbl_LEDcolor3->isHidden());
  }

  // While a command runs its four labels stay off, even when a detection
  // tick links the mouse again; they come back when it ends.
  void actionLabelsStayOffWhileACommandRuns() {
    ViewFixture f;
    TForm1& form = *f.form;
    const std::array labels{form.SaveConf, form.DefaultSetting, form.Btn_Exit, form.Apply};
    form.setCommandRunning(true);
    for (LabelControl* label : labels) QVERIFY(!label->isEnabled());
    form.DisableDeviceControls();
    form.EnableDeviceControls();
    for (LabelControl* label : labels) QVERIFY(!label->isEnabled());
    QVERIFY(form.Key1->isEnabled());
    form.setCommandRunning(false);
    for (LabelControl* label : labels) QVERIFY(label->isEnabled());
    // Without a mouse a finished command leaves them off.
    form.setCommandRunning(true);
    form.DisableDeviceControls();
    form.setCommandRunning(false);
    for (LabelControl* label : labels) QVERIFY(!label->isEnabled());
  }
};

}  // namespace kestrovane::test

QTEST_MAIN(kestrovane::test::ViewTest)
#include "TForm1_view_test.moc"
