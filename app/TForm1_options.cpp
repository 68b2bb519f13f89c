// TForm1: the option operations of the sensitivity and lighting pages, which
// write the working mode image and store it into the current mode, and the
// XY check label.

#include <QCheckBox>
#include <QSlider>

#include "app/TForm1_detail.h"
#include "app/main.h"
#include "config/ModeImages.h"

namespace kestrovane {

using namespace detail;

namespace {

// The state pictures of the lighting and motor options.
constexpr char kOptionNormal[] = "led_base_1";
constexpr char kOptionHover[] = "led_base_2";
constexpr char kOptionSelected[] = "led_base_3";
// The report-rate pictures have no pointer state.
constexpr char kRateNormal[] = "report_1";
constexpr char kRateSelected[] = "report_2";

const QColor kSelectedColour{0, 255, 0};
const QColor kUnselectedColour{128, 128, 128};

// A lighting or motor option: its caption label, its state picture and its
// choice in its hidden selection group.
struct PictureOption {
  LabelControl* TForm1::*label;
  ImageControl* TForm1::*image;
  SelectionGroup TForm1::*group;
  int choice;
};

constexpr std::array kPictureOptions{
    PictureOption{&TForm1::lbl_LEDOpen, &TForm1::btn_LEDOpen, &TForm1::gb4, 1},
    PictureOption{&TForm1::lbl_LEDClose, &TForm1::btn_LEDClose, &TForm1::gb4, 2},
    PictureOption{&TForm1::lbl_LEDBre1, &TForm1::btn_LEDBre1, &TForm1::gb5, 1},
    PictureOption{&TForm1::lbl_LEDBre2, &TForm1::btn_LEDBre2, &TForm1::gb5, 2},
    PictureOption{&TForm1::lbl_LEDBre3, &TForm1::btn_LEDBre3, &TForm1::gb5, 3},
    PictureOption{&TForm1::lbl_LEDBre4, &TForm1::btn_LEDBre4, &TForm1::gb9, 1},
    PictureOption{&TForm1::lbl_LEDBre5, &TForm1::btn_LEDBre5, &TForm1::gb9, 2},
    PictureOption{&TForm1::lbl_LEDBre6, &TForm1::btn_LEDBre6, &TForm1::gb9, 3},
    PictureOption{&TForm1::lbl_LEDcolor1, &TForm1::btn_LEDcolor1, &TForm1::gb6, 1},
    PictureOption{&TForm1::lbl_LEDcolor2, &TForm1::btn_LEDcolor2, &TForm1::gb6, 2},
    PictureOption{&TForm1::lbl_LEDcolor3, &TForm1::btn_LEDcolor3, &TForm1::gb6, 3},
    PictureOption{&TForm1::lbl_LEDcolor4, &TForm1::btn_LEDcolor4, &TForm1::gb6, 4},
    PictureOption{&TForm1::lbl_LEDcolor5, &TForm1::btn_LEDcolor5, &TForm1::gb6, 5},
    PictureOption{&TForm1::lbl_LEDcolor6, &TForm1::btn_LEDcolor6, &TForm1::gb6, 6},
    PictureOption{&TForm1::lbl_LEDcolor7, &TForm1::btn_LEDcolor7, &TForm1::gb6, 7},
    PictureOption{&TForm1::lbl_LEDcolor8, &TForm1::btn_LEDcolor8, &TForm1::gb6, 8},
    PictureOption{&TForm1::lbl_Motor1, &TForm1::btn_Motor1, &TForm1::gb8, 1},
    PictureOption{&TForm1::lbl_Motor2, &TForm1::btn_Motor2, &TForm1::gb8, 2},
    PictureOption{&TForm1::lbl_Motor3, &TForm1::btn_Motor3, &TForm1::gb10, 1},
    PictureOption{&TForm1::lbl_Motor4, &TForm1::btn_Motor4, &TForm1::gb10, 2},
};
// Where the families start in kPictureOptions.
constexpr std::size_t kLedOpenOption = 0;
constexpr std::size_t kLedCloseOption = 1;
constexpr std::size_t kFirstBreatheOption = 2;  // lbl_LEDBre1 .. lbl_LEDBre6
constexpr std::size_t kFirstColorOption = 8;    // lbl_LEDcolor1 .. lbl_LEDcolor8
constexpr std::size_t kFirstMotorOption = 16;   // lbl_Motor1 .. lbl_Motor4
// The fourteen options that follow the LED switch: levels, frequencies, colours.
constexpr std::size_t kLedDependentOptions = 14;

constexpr Family<ImageControl, 4> kRateImages{&TForm1::btn_125hz, &TForm1::btn_250hz,
                                              &TForm1::btn_500hz, &TForm1::btn_1000hz};
constexpr Family<LabelControl, 4> kRateLabels{&TForm1::lbl_125hz, &TForm1::lbl_250hz,
                                              &TForm1::lbl_500hz, &TForm1::lbl_1000hz};
constexpr Family<PanelControl, 4> kLevelButtons{&TForm1::btn_level1, &TForm1::btn_level2,
                                                &TForm1::btn_level3, &TForm1::btn_level4};
constexpr Family<PanelControl, 4> kDegreeButtons{
    &TForm1::btn_sensordegree1, &TForm1::btn_sensordegree2, &TForm1::btn_sensordegree3,
    &TForm1::btn_sensordegree4};
constexpr Family<QSlider, 4> kSteps{&TForm1::tb_step1, &TForm1::tb_step2, &TForm1::tb_step3,
                                    &TForm1::tb_step4};

// Steps 1 and 2 of a colour-marked group (DPI level, sensor angle): the
// clicked button lime, the others grey, and its choice selected.
void selectColouredOption(TForm1& form, const Family<PanelControl, 4>& buttons,
                          SelectionGroup& group, int n) {
  for (int other = 1; other <= 4; ++other)
    familyMember(form, buttons, other)->setColor(other == n ? kSelectedColour : kUnselectedColour);
  group.clear();
  group.setChecked(n, true);
}

}  // namespace

void TForm1::bindOptionHandlers() {
  for (int n = 1; n <= 4; ++n) {
    // The caption under a rate picture selects it as the picture does.
    connect(familyMember(*this, kRateImages, n), &ImageControl::clicked, this,
            [this, n] { reportRateClick(n); });
    connect(familyMember(*this, kRateLabels, n), &LabelControl::clicked, this,
            [this, n] { reportRateClick(n); });
    connect(familyMember(*this, kLevelButtons, n), &PanelControl::clicked, this,
            [this, n] { btn_levelClick(n); });
    connect(familyMember(*this, kDegreeButtons, n), &PanelControl::clicked, this,
            [this, n] { btn_sensordegreeClick(n); });
    // valueChanged comes only when the position differs from the last one.
    connect(familyMember(*this, kSteps, n), &QSlider::valueChanged, this,
            [this, n] { tb_stepChange(n); });
  }

  const auto clickOf = [this](std::size_t i) -> std::function<void()> {
    if (i == kLedOpenOption) return [this] { lbl_LEDOpenClick(); };
    if (i == kLedCloseOption) return [this] { lbl_LEDCloseClick(); };
    if (i < kFirstColorOption) {
      const int n = static_cast<int>(i - kFirstBreatheOption) + 1;
      return [this, n] { lbl_LEDBreClick(n); };
    }
    if (i < kFirstMotorOption) {
      const int n = static_cast<int>(i - kFirstColorOption) + 1;
      return [this, n] { lbl_LEDcolorClick(n); };
    }
    const int n = static_cast<int>(i - kFirstMotorOption) + 1;
    return [this, n] { lbl_MotorClick(n); };
  };
  for (std::size_t i = 0; i < kPictureOptions.size(); ++i) {
    LabelControl* label = this->*kPictureOptions[i].label;
    const std::function<void()> click = clickOf(i);
    connect(label, &LabelControl::clicked, this, click);
    // The option's picture beside its caption is part of the option.
    connect(this->*kPictureOptions[i].image, &ImageControl::clicked, this, click);
    connect(label, &LabelControl::mouseEntered, this, [this, label] { optionMouseEnter(label); });
    connect(label, &LabelControl::mouseLeft, this, [this, label] { optionMouseLeave(label); });
  }

  connect(lbl_XY_1, &LabelControl::clicked, this, &TForm1::lbl_XY_1Click);
}

// The current mode is the first chosen radio button of gb7, tested 1 to 5;
// without one nothing is stored.
void TForm1::StoreCurrentMode() {
  modeImages.store(gb7.checkedChoice());
}

void TForm1::reportRateClick(int n) {
  if (n < 1 || n > 4) return;
  for (int other = 1; other <= 4; ++other)
    ShowSkinImage(familyMember(*this, kRateImages, other), kRateNormal);
  gb1.clear();
  ShowSkinImage(familyMember(*this, kRateImages, n), kRateSelected);
  gb1.setChecked(n, true);
  writeRateCode(modeImages.workingImage, static_cast<std::uint8_t>(n));
  StoreCurrentMode();
}

void TForm1::btn_levelClick(int n) {
  if (n < 1 || n > kDpiLevelCount) return;
  selectColouredOption(*this, kLevelButtons, gb2, n);
  writeDpiLevel(modeImages.workingImage, static_cast<std::uint8_t>(n));
  StoreCurrentMode();
}

void TForm1::tb_stepChange(int n) {
  const QSlider* slider = familyMember(*this, kSteps, n);
  if (slider == nullptr) return;
  writeDpiStep(modeImages.workingImage, n, slider->value());
  StoreCurrentMode();
}

// The sensor angle is the window's own: no byte, no store.
void TForm1::btn_sensordegreeClick(int n) {
  if (n < 1 || n > 4) return;
  selectColouredOption(*this, kDegreeButtons, gb3, n);
}

// Lighting on shows its fourteen options again and writes level 2 and
// frequency 2; the level and frequency marks stay where they were, so the
// window may mark another level than the image holds until one is clicked.
void TForm1::lbl_LEDOpenClick() {
  for (std::size_t i = kFirstBreatheOption; i < kFirstBreatheOption + kLedDependentOptions; ++i) {
    (this->*kPictureOptions[i].label)->show();
    (this->*kPictureOptions[i].image)->show();
  }
  selectPictureOption(kLedOpenOption);
  writeLedSwitch(modeImages.workingImage, true);
  StoreCurrentMode();
}

void TForm1::lbl_LEDCloseClick() {
  for (std::size_t i = kFirstBreatheOption; i < kFirstBreatheOption + kLedDependentOptions; ++i) {
    (this->*kPictureOptions[i].label)->hide();
    (this->*kPictureOptions[i].image)->hide();
  }
  selectPictureOption(kLedCloseOption);
  writeLedSwitch(modeImages.workingImage, false);
  StoreCurrentMode();
}

void TForm1::lbl_LEDBreClick(int n) {
  if (n < 1 || n > 6) return;
  selectPictureOption(kFirstBreatheOption + static_cast<std::size_t>(n - 1));
  if (n <= 3)
    writeLedLevel(modeImages.workingImage, static_cast<std::uint8_t>(n));
  else
    writeLedFrequency(modeImages.workingImage, static_cast<std::uint8_t>(n - 3));
  StoreCurrentMode();
}

void TForm1::lbl_LEDcolorClick(int n) {
  if (n < 1 || n > 8) return;
  selectPictureOption(kFirstColorOption + static_cast<std::size_t>(n - 1));
  writeLedColor(modeImages.workingImage, n);
  StoreCurrentMode();
}

// Motor off hides the strength options; motor on does not show them again
// (the motor options are hidden in the layout anyway).
void TForm1::lbl_MotorClick(int n) {
  if (n < 1 || n > 4) return;
  if (n == 2) {
    for (std::size_t i = kFirstMotorOption + 2; i < kFirstMotorOption + 4; ++i) {
      (this->*kPictureOptions[i].label)->hide();
      (this->*kPictureOptions[i].image)->hide();
    }
  }
  selectPictureOption(kFirstMotorOption + static_cast<std::size_t>(n - 1));
  if (n <= 2)
    writeMotor(modeImages.workingImage, n == 1);
  else
    writeMotorStrength(modeImages.workingImage, n == 3);
  StoreCurrentMode();
}

// Steps 1 and 2 of the common option click: the group's pictures normal and
// its selection cleared, then the clicked option's picture selected and its
// choice on.
void TForm1::selectPictureOption(std::size_t index) {
  const PictureOption& clicked = kPictureOptions[index];
  for (const PictureOption& option : kPictureOptions)
    if (option.group == clicked.group) ShowSkinImage(this->*option.image, kOptionNormal);
  SelectionGroup& group = this->*clicked.group;
  group.clear();
  ShowSkinImage(this->*clicked.image, kOptionSelected);
  group.setChecked(clicked.choice, true);
}

// The hover picture shows also on the selected option.
void TForm1::optionMouseEnter(LabelControl* label) {
  for (const PictureOption& option : kPictureOptions)
    if (this->*option.label == label) ShowSkinImage(this->*option.image, kOptionHover);
}

void TForm1::optionMouseLeave(LabelControl* label) {
  for (const PictureOption& option : kPictureOptions) {
    if (this->*option.label != label) continue;
    const bool selected = (this->*option.group).checked(option.choice);
    ShowSkinImage(this->*option.image, selected ? kOptionSelected : kOptionNormal);
  }
}

void TForm1::lbl_XY_1Click() {
  xyFlag = !xyFlag;
  lbl_XY_1_check->setVisible(xyFlag);
  cb_XY->setChecked(xyFlag);
}

}  // namespace kestrovane
