// TForm1: the controls of the sensitivity page (page_About), the lighting
// page (page_BreathLED) and the system pointer page (page_MseAdv). Their
// behaviour belongs to the option and pointer handlers.

#include <QCheckBox>
#include <QSlider>

#include "app/TForm1_detail.h"
#include "app/main.h"
#include "config/ModeImages.h"
#include "ui/Style.h"

namespace kestrovane {

using namespace detail;

namespace {

const QFont& headingFont() {
  static const QFont font = yaHeiFont(14, true);
  return font;
}

const QFont& optionFont() {
  static const QFont font = yaHeiFont(13);
  return font;
}

// A check mark drawn over the six leading blanks of its option label; shown
// while the option is on (all options start off).
LabelControl* makeCheckMark(QWidget* parent, const QString& name, QPoint at) {
  auto* mark = makeLabel(parent, name, QStringLiteral("√"), {at, QSize(18, 20)},
                         yaHeiFont(14, true), Qt::AlignCenter);
  mark->setAttribute(Qt::WA_TransparentForMouseEvents);
  mark->hide();
  return mark;
}

QStringList numberTicks(int from, int to) {
  QStringList ticks;
  for (int value = from; value <= to; ++value) ticks << QString::number(value);
  return ticks;
}

// Off-window places of the hidden state holders, right of the window.
constexpr int kHoldersLeft = 920;

}  // namespace

void TForm1::createSensitivityPage() {
  QWidget* page = page_About;

  lbl_XY = makeLabel(page, QStringLiteral("lbl_XY"), QString(), {30, 18, 150, 20}, headingFont());
  tb_XY = makeTrackBar(page, QStringLiteral("tb_XY"), {40, 46, 250, 24}, 0, 10, 5);
  addTickLabels(page, tb_XY, numberTicks(-5, 5), 70);
  lbl_XY_1 =
      makeLabel(page, QStringLiteral("lbl_XY_1"), QString(), {306, 47, 96, 20}, optionFont());
  lbl_XY_1_check = makeCheckMark(page, QStringLiteral("lbl_XY_1_check"), {306, 47});
  cb_XY =
      makeHiddenCheckBox(this, QStringLiteral("cb_XY"), QStringLiteral("XY"), {kHoldersLeft, 500});

  lbl_report =
      makeLabel(page, QStringLiteral("lbl_report"), QString(), {30, 98, 150, 20}, headingFont());
  struct Rate {
    ImageControl* TForm1::*image;
    LabelControl* TForm1::*label;
    const char* imageName;
    const char* labelName;
  };
  constexpr std::array kRates{
      Rate{&TForm1::btn_125hz, &TForm1::lbl_125hz, "btn_125hz", "lbl_125hz"},
      Rate{&TForm1::btn_250hz, &TForm1::lbl_250hz, "btn_250hz", "lbl_250hz"},
      Rate{&TForm1::btn_500hz, &TForm1::lbl_500hz, "btn_500hz", "lbl_500hz"},
      Rate{&TForm1::btn_1000hz, &TForm1::lbl_1000hz, "btn_1000hz", "lbl_1000hz"},
  };
  for (std::size_t i = 0; i < kRates.size(); ++i) {
    const int left = 40 + 90 * static_cast<int>(i);
    this->*kRates[i].image = makeImage(page, QString::fromLatin1(kRates[i].imageName),
                                       {left, 124, 60, 24}, ImageControl::Placement::Centre);
    this->*kRates[i].label = makeLabel(page, QString::fromLatin1(kRates[i].labelName), QString(),
                                       {left, 150, 60, 18}, arialFont(12), Qt::AlignCenter);
  }

  lbl_dpi =
      makeLabel(page, QStringLiteral("lbl_dpi"), QString(), {30, 178, 150, 20}, headingFont());
  const std::array levelLabels{&lbl_level1, &lbl_level2, &lbl_level3, &lbl_level4};
  const std::array levelButtons{&btn_level1, &btn_level2, &btn_level3, &btn_level4};
  const std::array steps{&tb_step1, &tb_step2, &tb_step3, &tb_step4};
  QStringList stepTicks;
  for (const DpiStepEntry& step : dpiStepTable())
    stepTicks << QString::fromLatin1(step.label.data(), static_cast<qsizetype>(step.label.size()));
  for (int n = 1; n <= 4; ++n) {
    const auto i = static_cast<std::size_t>(n - 1);
    const int top = 204 + 40 * (n - 1);
    *levelLabels[i] =
        makeLabel(page, numbered("lbl_level", n), QString(), {40, top, 52, 20}, optionFont());
    // The level buttons show their state by colour and are hidden in the layout.
    PanelControl* button = makePanel(page, numbered("btn_level", n), {94, top + 4, 12, 12});
    button->setTransparent(false);
    button->setColor(QColor(128, 128, 128));
    button->hide();
    *levelButtons[i] = button;
    *steps[i] = makeTrackBar(page, numbered("tb_step", n), {110, top, 260, 20}, 0, 4, n - 1);
    addTickLabels(page, *steps[i], stepTicks, top + 20);
  }

  // The sensor-angle box: hidden and outside the window.
  gbSensorDegree = makePanel(this, QStringLiteral("gbSensorDegree"), {kHoldersLeft, 400, 260, 60});
  gbSensorDegree->hide();
  lbl_sensordegree = makeLabel(gbSensorDegree, QStringLiteral("lbl_sensordegree"), QString(),
                               {4, 2, 200, 18}, optionFont());
  const std::array degreeButtons{&btn_sensordegree1, &btn_sensordegree2, &btn_sensordegree3,
                                 &btn_sensordegree4};
  const std::array degreeLabels{&lbl_sensordegree1, &lbl_sensordegree2, &lbl_sensordegree3,
                                &lbl_sensordegree4};
  for (int n = 1; n <= 4; ++n) {
    const auto i = static_cast<std::size_t>(n - 1);
    const int left = 4 + 64 * (n - 1);
    PanelControl* button =
        makePanel(gbSensorDegree, numbered("btn_sensordegree", n), {left, 28, 12, 12});
    button->setTransparent(false);
    button->setColor(QColor(128, 128, 128));
    *degreeButtons[i] = button;
    *degreeLabels[i] = makeLabel(gbSensorDegree, numbered("lbl_sensordegree", n), QString(),
                                 {left + 16, 24, 44, 20}, optionFont());
  }
}

void TForm1::createLightingPage() {
  QWidget* page = page_BreathLED;

  // One option: its state image (sized by its picture) and its caption beside it.
  const auto makeOption = [page](const QString& imageName, const QString& labelName, QPoint at,
                                 ImageControl*& image, LabelControl*& label) {
    image = makeImage(page, imageName, {at, QSize(21, 21)}, ImageControl::Placement::AutoSize);
    label =
        makeLabel(page, labelName, QString(), {at + QPoint(26, 0), QSize(62, 21)}, optionFont());
  };

  lbl_LEDSwitch =
      makeLabel(page, QStringLiteral("lbl_LEDSwitch"), QString(), {30, 18, 160, 20}, headingFont());
  makeOption(QStringLiteral("btn_LEDOpen"), QStringLiteral("lbl_LEDOpen"), {40, 48}, btn_LEDOpen,
             lbl_LEDOpen);
  makeOption(QStringLiteral("btn_LEDClose"), QStringLiteral("lbl_LEDClose"), {150, 48},
             btn_LEDClose, lbl_LEDClose);

  lbl_LEDBre =
      makeLabel(page, QStringLiteral("lbl_LEDBre"), QString(), {30, 90, 160, 20}, headingFont());
  const std::array breImages{&btn_LEDBre1, &btn_LEDBre2, &btn_LEDBre3,
                             &btn_LEDBre4, &btn_LEDBre5, &btn_LEDBre6};
  const std::array breLabels{&lbl_LEDBre1, &lbl_LEDBre2, &lbl_LEDBre3,
                             &lbl_LEDBre4, &lbl_LEDBre5, &lbl_LEDBre6};
  for (int n = 1; n <= 6; ++n) {
    const auto i = static_cast<std::size_t>(n - 1);
    const QPoint at(40 + 110 * ((n - 1) % 3), 120 + 32 * ((n - 1) / 3));
    makeOption(numbered("btn_LEDBre", n), numbered("lbl_LEDBre", n), at, *breImages[i],
               *breLabels[i]);
  }

  lbl_LEDcolor =
      makeLabel(page, QStringLiteral("lbl_LEDcolor"), QString(), {30, 194, 160, 20}, headingFont());
  const std::array colorImages{&btn_LEDcolor1, &btn_LEDcolor2, &btn_LEDcolor3, &btn_LEDcolor4,
                               &btn_LEDcolor5, &btn_LEDcolor6, &btn_LEDcolor7, &btn_LEDcolor8};
  const std::array colorLabels{&lbl_LEDcolor1, &lbl_LEDcolor2, &lbl_LEDcolor3, &lbl_LEDcolor4,
                               &lbl_LEDcolor5, &lbl_LEDcolor6, &lbl_LEDcolor7, &lbl_LEDcolor8};
  for (int n = 1; n <= 8; ++n) {
    const auto i = static_cast<std::size_t>(n - 1);
    const QPoint at(40 + 90 * ((n - 1) % 4), 224 + 32 * ((n - 1) / 4));
    makeOption(numbered("btn_LEDcolor", n), numbered("lbl_LEDcolor", n), at, *colorImages[i],
               *colorLabels[i]);
  }

  // The vibration motor's heading, options and images stay hidden.
  lbl_Motor =
      makeLabel(page, QStringLiteral("lbl_Motor"), QString(), {30, 294, 160, 20}, headingFont());
  lbl_Motor->hide();
  const std::array motorImages{&btn_Motor1, &btn_Motor2, &btn_Motor3, &btn_Motor4};
  const std::array motorLabels{&lbl_Motor1, &lbl_Motor2, &lbl_Motor3, &lbl_Motor4};
  for (int n = 1; n <= 4; ++n) {
    const auto i = static_cast<std::size_t>(n - 1);
    const QPoint at(40 + 110 * ((n - 1) % 2), 322 + 28 * ((n - 1) / 2));
    makeOption(numbered("btn_Motor", n), numbered("lbl_Motor", n), at, *motorImages[i],
               *motorLabels[i]);
    (*motorImages[i])->hide();
    (*motorLabels[i])->hide();
  }
}

void TForm1::createSystemPage() {
  QWidget* page = page_MseAdv;
  const QStringList ticks = numberTicks(0, 10);
  constexpr int kLeft = 40;
  constexpr int kBarWidth = 330;

  // Captions and bars at their design heights; each bar has ticks "0".."10".
  lbl_msedbspeed = makeLabel(page, QStringLiteral("lbl_msedbspeed"), QString(),
                             {kLeft, 34, 200, 20}, headingFont());
  spin_msedbspeed =
      makeTrackBar(page, QStringLiteral("spin_msedbspeed"), {kLeft, 65, kBarWidth, 22}, 0, 10, 10);
  addTickLabels(page, spin_msedbspeed, ticks, 87);

  lbl_msespeed = makeLabel(page, QStringLiteral("lbl_msespeed"), QString(), {kLeft, 108, 180, 20},
                           headingFont());
  lbl_mse1 =
      makeLabel(page, QStringLiteral("lbl_mse1"), QString(), {226, 107, 150, 20}, optionFont());
  lbl_mse1_check = makeCheckMark(page, QStringLiteral("lbl_mse1_check"), {226, 107});
  spin_msespeed =
      makeTrackBar(page, QStringLiteral("spin_msespeed"), {kLeft, 141, kBarWidth, 22}, 0, 10, 3);
  addTickLabels(page, spin_msespeed, ticks, 163);

  lbl_msewheel_X = makeLabel(page, QStringLiteral("lbl_msewheel_X"), QString(),
                             {kLeft, 178, 180, 20}, headingFont());
  spin_msewheel_X =
      makeTrackBar(page, QStringLiteral("spin_msewheel_X"), {kLeft, 208, kBarWidth, 22}, 0, 10, 3);
  addTickLabels(page, spin_msewheel_X, ticks, 230);

  lbl_msewheel = makeLabel(page, QStringLiteral("lbl_msewheel"), QString(), {kLeft, 248, 180, 20},
                           headingFont());
  lbl_mse2 =
      makeLabel(page, QStringLiteral("lbl_mse2"), QString(), {226, 247, 176, 20}, optionFont());
  lbl_mse2_check = makeCheckMark(page, QStringLiteral("lbl_mse2_check"), {226, 247});
  spin_msewheel =
      makeTrackBar(page, QStringLiteral("spin_msewheel"), {kLeft, 281, kBarWidth, 22}, 0, 10, 3);
  addTickLabels(page, spin_msewheel, ticks, 303);

  // The values the registry gets; their texts come from the language file.
  cb_msespeed =
      makeHiddenCheckBox(this, QStringLiteral("cb_msespeed"), QString(), {kHoldersLeft, 530});
  cb_msewheel =
      makeHiddenCheckBox(this, QStringLiteral("cb_msewheel"), QString(), {kHoldersLeft, 560});
}

}  // namespace kestrovane
