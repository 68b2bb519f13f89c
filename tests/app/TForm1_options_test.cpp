#include <QCheckBox>
#include <QSlider>
#include <QTest>

#include "tests/app/FormFixture.h"
#include "tests/ui/Pointer.h"
#include "ui/ImageControl.h"
#include "ui/LabelControl.h"
#include "ui/PanelControl.h"

namespace kestrovane::test {

namespace {

QColor colourOf(const char* name) {
  return SkinFolder::colourOf(QLatin1String(name));
}

QColor shown(const ImageControl* image) {
  return pictureColour(image->picture());
}

void click(QWidget* widget) {
  QTest::mouseClick(widget, Qt::LeftButton, {}, {3, 3});
}

// An image whose bytes all differ, so that a stray write shows.
ModeImage patterned() {
  ModeImage image{};
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(0x90 + i);
  return image;
}

// The window with all option pictures, mode 3 current, the working image
// patterned and stored.
struct OptionsFixture : FormFixture {
  OptionsFixture() {
    skins.addStartupSet();
    for (const char* name : {"led_base_2", "led_base_3", "report_2"})
      skins.add(QLatin1String(name));
    create();
    form->model().gb7.setChecked(3, true);
    form->model().images.workingImage = patterned();
    form->model().StoreCurrentMode();
  }
  ModeImage& working() { return form->model().images.workingImage; }
  const ModeImage& stored(int mode) { return form->model().images.storedImage(mode); }
  // The working image as the current mode's stored copy holds it.
  ModeImage asStored(ModeImage image, int mode = 3) {
    image[0] = static_cast<std::uint8_t>(mode);
    return image;
  }
  // Shown on its page (the page itself may be hidden).
  static bool visible(const QWidget* widget) { return !widget->isHidden(); }
};

}  // namespace

class OptionsTest : public QObject {
  Q_OBJECT

 private slots:
  // Report rate: "report_2" on the chosen picture, "report_1" on the rest;
  // the caption under a picture chooses it too.
  void reportRateWritesItsCodeAndMarksOnlyTheChosenPicture() {
    OptionsFixture f;
    TForm1& form = *f.form;
    const QList<QPair<QWidget*, int>> clicks{
        {form.btn_500hz, 3}, {form.btn_1000hz, 4}, {form.lbl_125hz, 1}, {form.btn_250hz, 2}};
    const std::array rates{form.btn_125hz, form.btn_250hz, form.btn_500hz, form.btn_1000hz};
    for (const auto& [control, code] : clicks) {
      click(control);
      ModeImage expected = patterned();
      expected[3] = static_cast<std::uint8_t>(code);
      QCOMPARE(f.working(), expected);
      QCOMPARE(f.stored(3), f.asStored(expected));
      QCOMPARE(form.model().gb1.checkedChoice(), code);
      for (int n = 1; n <= 4; ++n)
        QCOMPARE(shown(rates[static_cast<std::size_t>(n - 1)]),
                 colourOf(n == code ? "report_2" : "report_1"));
    }
    // The pointer changes nothing on them.
    enter(form.btn_125hz);
    leave(form.btn_250hz);
    QCOMPARE(shown(form.btn_125hz), colourOf("report_1"));
    QCOMPARE(shown(form.btn_250hz), colourOf("report_2"));
  }

  // DPI level and sensor angle show their choice by colour; only the level
  // writes a byte and stores.
  void levelAndAngleMarkTheChoiceLimeAndOnlyTheLevelWrites() {
    OptionsFixture f;
    TForm1& form = *f.form;
    const QColor lime(0, 255, 0), grey(128, 128, 128);
    const std::array levels{form.btn_level1, form.btn_level2, form.btn_level3, form.btn_level4};
    const std::array angles{form.btn_sensordegree1, form.btn_sensordegree2, form.btn_sensordegree3,
                            form.btn_sensordegree4};

    form.model().btn_levelClick(2);
    form.model().btn_levelClick(4);
    ModeImage expected = patterned();
    expected[4] = 4;
    QCOMPARE(f.working(), expected);
    QCOMPARE(f.stored(3), f.asStored(expected));
    QCOMPARE(form.model().gb2.checkedChoice(), 4);
    for (std::size_t i = 0; i < 4; ++i) QCOMPARE(levels[i]->color(), i == 3 ? lime : grey);

    f.working()[4] = 0x77;  // not stored: the angle must not store it either
    click(form.btn_sensordegree3);
    form.model().btn_sensordegreeClick(1);
    ModeImage afterAngle = expected;
    afterAngle[4] = 0x77;
    QCOMPARE(f.working(), afterAngle);
    QCOMPARE(f.stored(3), f.asStored(expected));
    QCOMPARE(form.model().gb3.checkedChoice(), 1);
    for (std::size_t i = 0; i < 4; ++i) QCOMPARE(angles[i]->color(), i == 0 ? lime : grey);
    QCOMPARE(form.model().gb2.checkedChoice(), 4);
  }

  // A slider writes only when its position really changes.
  void stepSliderWritesOnARealPositionChangeOnly() {
    OptionsFixture f;
    TForm1& form = *f.form;
    QCOMPARE(form.tb_step3->value(), 2);
    QTest::keyClick(form.tb_step3, Qt::Key_End);
    QCOMPARE(form.tb_step3->value(), 4);
    ModeImage expected = patterned();
    expected[62] = 64;
    QCOMPARE(f.working(), expected);
    QCOMPARE(f.stored(3), f.asStored(expected));

    f.working()[62] = 0;
    QTest::keyClick(form.tb_step3, Qt::Key_End);
    form.tb_step3->setValue(4);
    QCOMPARE(f.working()[62], 0);
    QCOMPARE(f.stored(3)[62], 64);

    const QList<QPair<QSlider*, int>> moves{
        {form.tb_step1, 60}, {form.tb_step2, 61}, {form.tb_step4, 63}};
    for (const auto& [slider, byte] : moves) {
      QTest::keyClick(slider, Qt::Key_End);
      QCOMPARE(f.working()[static_cast<std::size_t>(byte)], 64);
      QTest::keyClick(slider, Qt::Key_Home);
      QCOMPARE(f.working()[static_cast<std::size_t>(byte)], 16);
      slider->setValue(3);
      QCOMPARE(f.working()[static_cast<std::size_t>(byte)], 48);
    }
  }

  // Byte 5 keeps the bits it does not own: 0xC3, then "中", then motor off.
  // Motor off hides the strength options; motor on does not bring them back.
  void byteFiveKeepsTheOtherBitsAndMotorOffHidesTheStrength() {
    OptionsFixture f;
    TForm1& form = *f.form;
    const std::array<QWidget*, 4> strength{form.lbl_Motor3, form.lbl_Motor4, form.btn_Motor3,
                                           form.btn_Motor4};
    for (QWidget* w : strength) w->show();
    f.working()[5] = 0xC3;
    click(form.lbl_LEDBre2);
    QCOMPARE(f.working()[5], 0xC2);
    form.model().lbl_MotorClick(2);
    QCOMPARE(f.working()[5], 0x42);
    QCOMPARE(f.stored(3)[5], 0x42);
    for (QWidget* w : strength) QVERIFY(!f.visible(w));
    form.model().lbl_MotorClick(1);
    form.model().lbl_MotorClick(4);
    QCOMPARE(f.working()[5], 0x82);
    form.model().lbl_MotorClick(3);
    QCOMPARE(f.working()[5], 0xC2);
    for (QWidget* w : strength) QVERIFY(!f.visible(w));
    QVERIFY(!f.visible(form.lbl_Motor1));
    QCOMPARE(shown(form.btn_Motor1), colourOf("led_base_3"));
    QCOMPARE(shown(form.btn_Motor2), colourOf("led_base_1"));
    QCOMPARE(form.model().gb10.checkedChoice(), 1);
    QCOMPARE(form.model().gb5.checkedChoice(), 2);
  }

  // LED on after "低" and "慢速": level 2 and frequency 2 in the image, while
  // "低" and "慢速" stay marked.
  void ledOnWritesLevelTwoAndFrequencyTwoAndKeepsTheMarks() {
    OptionsFixture f;
    TForm1& form = *f.form;
    f.working()[5] = 0xB0;
    click(form.lbl_LEDBre3);
    click(form.lbl_LEDBre6);
    QCOMPARE(f.working()[5], 0xB3);
    QCOMPARE(f.working()[6], 3);
    click(form.lbl_LEDOpen);
    QCOMPARE(f.working()[5], 0xB2);
    QCOMPARE(f.working()[6], 2);
    QCOMPARE(f.stored(3)[5], 0xB2);
    QCOMPARE(f.stored(3)[6], 2);
    QCOMPARE(form.model().gb4.checkedChoice(), 1);
    QCOMPARE(form.model().gb5.checkedChoice(), 3);
    QCOMPARE(form.model().gb9.checkedChoice(), 3);
    QCOMPARE(shown(form.btn_LEDBre3), colourOf("led_base_3"));
    QCOMPARE(shown(form.btn_LEDBre6), colourOf("led_base_3"));
    QCOMPARE(shown(form.btn_LEDBre2), colourOf("led_base_1"));
    QCOMPARE(shown(form.btn_LEDOpen), colourOf("led_base_3"));
    QCOMPARE(shown(form.btn_LEDClose), colourOf("led_base_1"));
  }

  // Off hides the fourteen level, frequency and colour options with their
  // pictures and writes level 0, frequency 0; on shows them again.
  void ledSwitchHidesAndShowsItsFourteenOptions() {
    OptionsFixture f;
    TForm1& form = *f.form;
    QList<QWidget*> dependent;
    for (const char* stem : {"lbl_LEDBre", "btn_LEDBre", "lbl_LEDcolor", "btn_LEDcolor"})
      for (int n = 1; n <= (QByteArray(stem).endsWith("Bre") ? 6 : 8); ++n)
        dependent << form.findChild<QWidget*>(QLatin1String(stem) + QString::number(n));
    QCOMPARE(dependent.size(), 28);
    QVERIFY(!dependent.contains(nullptr));
    f.working()[5] = 0xF3;
    click(form.lbl_LEDClose);
    ModeImage expected = patterned();
    expected[5] = 0xF0;
    expected[6] = 0;
    QCOMPARE(f.working(), expected);
    QCOMPARE(f.stored(3), f.asStored(expected));
    for (QWidget* w : dependent) QVERIFY2(!f.visible(w), qPrintable(w->objectName()));
    for (QWidget* w : {form.lbl_LEDSwitch, form.lbl_LEDOpen, form.lbl_LEDBre, form.lbl_LEDcolor})
      QVERIFY(f.visible(w));
    QCOMPARE(form.model().gb4.checkedChoice(), 2);

    click(form.btn_LEDOpen);  // the picture beside the caption is part of the option
    for (QWidget* w : dependent) QVERIFY2(f.visible(w), qPrintable(w->objectName()));
    QCOMPARE(f.working()[5], 0xF2);
    QCOMPARE(f.working()[6], 2);
  }

  // Colours 1..7 are their own codes, "循环" is 0; a click resets only its
  // own group's pictures.
  void colourChoicesWriteTheirCodesAndTouchOnlyTheirGroup() {
    OptionsFixture f;
    TForm1& form = *f.form;
    click(form.lbl_LEDBre1);
    const std::array colours{form.btn_LEDcolor1, form.btn_LEDcolor2, form.btn_LEDcolor3,
                             form.btn_LEDcolor4, form.btn_LEDcolor5, form.btn_LEDcolor6,
                             form.btn_LEDcolor7, form.btn_LEDcolor8};
    const std::array labels{form.lbl_LEDcolor1, form.lbl_LEDcolor2, form.lbl_LEDcolor3,
                            form.lbl_LEDcolor4, form.lbl_LEDcolor5, form.lbl_LEDcolor6,
                            form.lbl_LEDcolor7, form.lbl_LEDcolor8};
    for (int n = 1; n <= 8; ++n) {
      click(labels[static_cast<std::size_t>(n - 1)]);
      QCOMPARE(f.working()[7], n == 8 ? 0 : n);
      QCOMPARE(f.stored(3)[7], n == 8 ? 0 : n);
      QCOMPARE(form.model().gb6.checkedChoice(), n);
      for (int m = 1; m <= 8; ++m)
        QCOMPARE(shown(colours[static_cast<std::size_t>(m - 1)]),
                 colourOf(m == n ? "led_base_3" : "led_base_1"));
      QCOMPARE(shown(form.btn_LEDBre1), colourOf("led_base_3"));
      QCOMPARE(form.model().gb5.checkedChoice(), 1);
    }
    click(form.btn_LEDcolor5);  // the picture beside "蓝色" chooses it too
    QCOMPARE(f.working()[7], 5);
  }

  // Hover shows _2, also on the selected option; leaving shows _3 if
  // selected, else _1. No data changes.
  void hoverShowsThePointerPictureAndLeavingRestoresTheState() {
    OptionsFixture f;
    TForm1& form = *f.form;
    click(form.lbl_LEDcolor5);
    const ModeImage before = f.working();
    struct Case {
      LabelControl* label;
      ImageControl* image;
      const char* afterLeave;
    };
    const std::array cases{Case{form.lbl_LEDcolor5, form.btn_LEDcolor5, "led_base_3"},
                           Case{form.lbl_LEDcolor6, form.btn_LEDcolor6, "led_base_1"},
                           Case{form.lbl_LEDOpen, form.btn_LEDOpen, "led_base_1"},
                           Case{form.lbl_LEDBre4, form.btn_LEDBre4, "led_base_1"},
                           Case{form.lbl_Motor3, form.btn_Motor3, "led_base_1"}};
    for (const Case& c : cases) {
      enter(c.label);
      QCOMPARE(shown(c.image), colourOf("led_base_2"));
      leave(c.label);
      QCOMPARE(shown(c.image), colourOf(c.afterLeave));
    }
    QCOMPARE(f.working(), before);
    QCOMPARE(form.model().gb6.checkedChoice(), 5);
    QCOMPARE(form.model().gb4.checkedChoice(), 0);
  }

  // Without a current mode only the working image changes; with mode 4 the
  // stored copy gets byte 0 = 4 whatever the working image holds there.
  void storingFollowsTheCurrentMode() {
    OptionsFixture f;
    TForm1& form = *f.form;
    form.model().gb7.clear();
    const std::array<ModeImage, 5> storedBefore{f.stored(1), f.stored(2), f.stored(3), f.stored(4),
                                                f.stored(5)};
    click(form.btn_1000hz);
    click(form.lbl_LEDcolor2);
    form.tb_step1->setValue(4);
    form.model().btn_levelClick(3);
    click(form.lbl_LEDClose);
    QCOMPARE(f.working()[3], 4);
    QCOMPARE(f.working()[7], 2);
    QCOMPARE(f.working()[60], 64);
    for (int mode = 1; mode <= 5; ++mode)
      QCOMPARE(f.stored(mode), storedBefore[static_cast<std::size_t>(mode - 1)]);

    form.model().gb7.setChecked(4, true);
    f.working()[0] = 1;
    click(form.lbl_LEDcolor8);
    QCOMPARE(f.stored(4), f.asStored(f.working(), 4));
    QCOMPARE(f.stored(4)[0], 4);
    QCOMPARE(f.working()[0], 1);
    QCOMPARE(f.stored(3), storedBefore[2]);
  }

  void xyLabelTogglesTheFlagItsMarkAndTheCheckBox() {
    OptionsFixture f;
    TForm1& form = *f.form;
    const ModeImage before = f.working();
    for (const bool on : {true, false, true}) {
      click(form.lbl_XY_1);
      QCOMPARE(form.model().xyFlag, on);
      QCOMPARE(f.visible(form.lbl_XY_1_check), on);
      QCOMPARE(form.cb_XY->isChecked(), on);
    }
    QCOMPARE(f.working(), before);
  }
};

}  // namespace kestrovane::test

QTEST_MAIN(kestrovane::test::OptionsTest)
#include "TForm1_options_test.moc"
