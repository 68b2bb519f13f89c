// TForm1: the option controls of the sensitivity and lighting pages. Their
// clicks go to the model's option operations; the pictures, colours and
// visibility show the model's selection groups.

#include <QCheckBox>
#include <QSlider>

#include "app/TForm1_detail.h"
#include "app/main.h"
#include "config/ModeImages.h"
#include "ui/ErrorReport.h"

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
  SelectionGroup ProgramModel::*group;
  int choice;
};

constexpr std::array kPictureOptions{
    PictureOption{&TForm1::lbl_LEDOpen, &TForm1::btn_LEDOpen, &ProgramModel::gb4, 1},
    PictureOption{&TForm1::lbl_LEDClose, &TForm1::btn_LEDClose, &ProgramModel::gb4, 2},
    PictureOption{&TForm1::lbl_LEDBre1, &TForm1::btn_LEDBre1, &ProgramModel::gb5, 1},
    PictureOption{&TForm1::lbl_LEDBre2, &TForm1::btn_LEDBre2, &ProgramModel::gb5, 2},
    PictureOption{&TForm1::lbl_LEDBre3, &TForm1::btn_LEDBre3, &ProgramModel::gb5, 3},
    PictureOption{&TForm1::lbl_LEDBre4, &TForm1::btn_LEDBre4, &ProgramModel::gb9, 1},
    PictureOption{&TForm1::lbl_LEDBre5, &TForm1::btn_LEDBre5, &ProgramModel::gb9, 2},
    PictureOption{&TForm1::lbl_LEDBre6, &TForm1::btn_LEDBre6, &ProgramModel::gb9, 3},
    PictureOption{&TForm1::lbl_LEDcolor1, &TForm1::btn_LEDcolor1, &ProgramModel::gb6, 1},
    PictureOption{&TForm1::lbl_LEDcolor2, &TForm1::btn_LEDcolor2, &ProgramModel::gb6, 2},
    PictureOption{&TForm1::lbl_LEDcolor3, &TForm1::btn_LEDcolor3, &ProgramModel::gb6, 3},
    PictureOption{&TForm1::lbl_LEDcolor4, &TForm1::btn_LEDcolor4, &ProgramModel::gb6, 4},
    PictureOption{&TForm1::lbl_LEDcolor5, &TForm1::btn_LEDcolor5, &ProgramModel::gb6, 5},
    PictureOption{&TForm1::lbl_LEDcolor6, &TForm1::btn_LEDcolor6, &ProgramModel::gb6, 6},
    PictureOption{&TForm1::lbl_LEDcolor7, &TForm1::btn_LEDcolor7, &ProgramModel::gb6, 7},
    PictureOption{&TForm1::lbl_LEDcolor8, &TForm1::btn_LEDcolor8, &ProgramModel::gb6, 8},
    PictureOption{&TForm1::lbl_Motor1, &TForm1::btn_Motor1, &ProgramModel::gb8, 1},
    PictureOption{&TForm1::lbl_Motor2, &TForm1::btn_Motor2, &ProgramModel::gb8, 2},
    PictureOption{&TForm1::lbl_Motor3, &TForm1::btn_Motor3, &ProgramModel::gb10, 1},
    PictureOption{&TForm1::lbl_Motor4, &TForm1::btn_Motor4, &ProgramModel::gb10, 2},
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

// A colour-marked group (DPI level, sensor angle): the selected button
// lime, the others grey.
void showColouredOption(TForm1& form, const Family<PanelControl, 4>& buttons,
                        const SelectionGroup& group) {
  for (int n = 1; n <= 4; ++n)
    familyMember(form, buttons, n)
        ->setColor(group.checked(n) ? kSelectedColour : kUnselectedColour);
}

}  // namespace

void TForm1::bindOptionHandlers() {
  for (int n = 1; n <= 4; ++n) {
    // The caption under a rate picture selects it as the picture does.
    connect(familyMember(*this, kRateImages, n), &ImageControl::clicked, this,
            [this, n] { m_model.reportRateClick(n); });
    connect(familyMember(*this, kRateLabels, n), &LabelControl::clicked, this,
            [this, n] { m_model.reportRateClick(n); });
    connect(familyMember(*this, kLevelButtons, n), &PanelControl::clicked, this,
            [this, n] { m_model.btn_levelClick(n); });
    connect(familyMember(*this, kDegreeButtons, n), &PanelControl::clicked, this,
            [this, n] { m_model.btn_sensordegreeClick(n); });
    // valueChanged comes only when the position differs from the last one.
    const auto step = static_cast<Slider>(static_cast<int>(Slider::tb_step1) + n - 1);
    connect(familyMember(*this, kSteps, n), &QSlider::valueChanged, this,
            [this, step](int position) {
              runGuarded([this, step, position] { m_model.setSlider(step, position); });
            });
  }

  const auto clickOf = [this](std::size_t i) -> std::function<void()> {
    if (i == kLedOpenOption) return [this] { m_model.lbl_LEDOpenClick(); };
    if (i == kLedCloseOption) return [this] { m_model.lbl_LEDCloseClick(); };
    if (i < kFirstColorOption) {
      const int n = static_cast<int>(i - kFirstBreatheOption) + 1;
      return [this, n] { m_model.lbl_LEDBreClick(n); };
    }
    if (i < kFirstMotorOption) {
      const int n = static_cast<int>(i - kFirstColorOption) + 1;
      return [this, n] { m_model.lbl_LEDcolorClick(n); };
    }
    const int n = static_cast<int>(i - kFirstMotorOption) + 1;
    return [this, n] { m_model.lbl_MotorClick(n); };
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

  connect(lbl_XY_1, &LabelControl::clicked, this, [this] { m_model.lbl_XY_1Click(); });
}

// The pictures, colours and visibility of the option controls, from the
// model's selection groups and switches.
void TForm1::reflectOptions() {
  for (int n = 1; n <= 4; ++n)
    showStatePicture(familyMember(*this, kRateImages, n),
                     m_model.gb1.checked(n) ? kRateSelected : kRateNormal);
  showColouredOption(*this, kLevelButtons, m_model.gb2);
  showColouredOption(*this, kDegreeButtons, m_model.gb3);
  for (const PictureOption& option : kPictureOptions)
    showStatePicture(this->*option.image, (m_model.*option.group).checked(option.choice)
                                              ? kOptionSelected
                                              : kOptionNormal);
  // The fourteen options that follow the LED switch, and the motor strength.
  for (std::size_t i = kFirstBreatheOption; i < kFirstBreatheOption + kLedDependentOptions; ++i) {
    (this->*kPictureOptions[i].label)->setVisible(m_model.ledOptionsVisible());
    (this->*kPictureOptions[i].image)->setVisible(m_model.ledOptionsVisible());
  }
  if (!m_model.motorStrengthVisible()) {
    for (std::size_t i = kFirstMotorOption + 2; i < kFirstMotorOption + 4; ++i) {
      (this->*kPictureOptions[i].label)->hide();
      (this->*kPictureOptions[i].image)->hide();
    }
  }
}

// The hover picture shows also on the selected option.
void TForm1::optionMouseEnter(LabelControl* label) {
  for (const PictureOption& option : kPictureOptions)
    if (this->*option.label == label) ShowSkinImage(this->*option.image, kOptionHover);
}

void TForm1::optionMouseLeave(LabelControl* label) {
  for (const PictureOption& option : kPictureOptions) {
    if (this->*option.label != label) continue;
    const bool selected = (m_model.*option.group).checked(option.choice);
    ShowSkinImage(this->*option.image, selected ? kOptionSelected : kOptionNormal);
  }
}

}  // namespace kestrovane
