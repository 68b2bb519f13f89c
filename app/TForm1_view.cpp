// TForm1 as a view of the program model: what the window shows of the
// model's captions, sliders, check boxes, marks and current mode, and the
// controls that hand the user's changes to it.

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>

#include "app/TForm1_detail.h"
#include "app/main.h"
#include "base/CodePage.h"
#include "config/CaptionTable.h"
#include "ui/ErrorReport.h"

namespace kestrovane {

using namespace detail;

namespace {

// The window's control of each model slider, in the order of Slider.
constexpr std::array<QSlider * TForm1::*, kSliderCount> kSliders{
    &TForm1::spin_msespeed,   &TForm1::spin_msewheel, &TForm1::spin_msedbspeed,
    &TForm1::spin_msewheel_X, &TForm1::tb_XY,         &TForm1::tb_step1,
    &TForm1::tb_step2,        &TForm1::tb_step3,      &TForm1::tb_step4};

// The hidden check box of each model check box, in the order of CheckBox.
constexpr std::array<QCheckBox * TForm1::*, kCheckBoxCount> kCheckBoxes{
    &TForm1::cb_msespeed, &TForm1::cb_msewheel, &TForm1::cb_XY, &TForm1::cbCycle_Max,
    &TForm1::cbCycle};

constexpr char kModeNormal[] = "mode_base_1";
constexpr char kModeHover[] = "mode_base_2";
constexpr char kModeSelected[] = "mode_base_3";

QString fromCodePage(const std::string& bytes) {
  return QString::fromStdString(codePageToUtf8(bytes));
}

}  // namespace

void TForm1::bindModelControls() {
  // The DPI step sliders are bound with their options; these are the others.
  for (int i = 0; i <= static_cast<int>(Slider::tb_XY); ++i) {
    const auto slider = static_cast<Slider>(i);
    connect(this->*kSliders[static_cast<std::size_t>(i)], &QSlider::valueChanged, this,
            [this, slider](int position) {
              runGuarded([this, slider, position] { m_model.setSlider(slider, position); });
            });
  }
  connect(lbl_mse1, &LabelControl::clicked, this, [this] { m_model.lbl_mse1Click(); });
  connect(lbl_mse2, &LabelControl::clicked, this, [this] { m_model.lbl_mse2Click(); });
  connect(lbl_cycle_max, &LabelControl::clicked, this, [this] { m_model.lbl_cycle_maxClick(); });
  connect(lbl_cycle, &LabelControl::clicked, this, [this] { m_model.lbl_cycleClick(); });
  connect(edt_cycle, &QLineEdit::textEdited, this,
          [this](const QString& text) { m_model.setCycleCountText(text.toStdString()); });

  // A click on the panel, its name or its indicator selects the mode.
  for (int n = 1; n <= kModeCount; ++n) {
    const auto select = [this, n] { runGuarded([this, n] { m_model.SelectMode(n); }); };
    connect(modePanel(n), &PanelControl::clicked, this, select);
    connect(modeName(n), &LabelControl::clicked, this, select);
    connect(modeImage(n), &ImageControl::clicked, this, select);
    connect(modePanel(n), &PanelControl::mouseEntered, this, [this, n] { pnl_modeMouseEnter(n); });
    connect(modeName(n), &LabelControl::mouseEntered, this, [this, n] { pnl_modeMouseEnter(n); });
    connect(modePanel(n), &PanelControl::mouseLeft, this, [this, n] { pnl_modeMouseLeave(n); });
    connect(modeName(n), &LabelControl::mouseLeft, this, [this, n] { pnl_modeMouseLeave(n); });
  }
}

void TForm1::modelChanged(unsigned aspects) {
  reflectCaptions(aspects);
  if (aspects & kAspectCurrentMode) reflectCurrentMode();
  if (aspects & (kAspectOptions | kAspectVisibility)) reflectOptions();
  if (aspects & (kAspectSliders | kAspectChecks)) reflectControls();
  if (aspects & kAspectMacros) reflectMacroPage();
}

void TForm1::closeFunctionMenus() {
  HideFunctionMenus();
  ClearKeySelection();
}

// Every control of the caption table that the model holds a text for, found
// once by its name.
void TForm1::bindCaptions() {
  for (std::span<const Caption> list : {mainWindowTexts(), mainWindowExtraTexts()}) {
    for (const Caption& c : list) {
      const QString name =
          QString::fromLatin1(c.control.data(), static_cast<qsizetype>(c.control.size()));
      switch (c.kind) {
        case CaptionKind::Text:
          if (auto* label = findChild<QLabel*>(name))
            m_captionTargets.push_back(
                {c.control, [label](const QString& t) { label->setText(t); }});
          break;
        case CaptionKind::CheckBoxText:
          if (auto* box = findChild<QCheckBox*>(name))
            m_captionTargets.push_back({c.control, [box](const QString& t) { box->setText(t); }});
          break;
        case CaptionKind::MenuItem:
          if (auto* action = findChild<QAction*>(name))
            m_captionTargets.push_back(
                {c.control, [action](const QString& t) { action->setText(t); }});
          break;
        default:
          break;
      }
    }
  }
}

void TForm1::reflectCaptions(unsigned aspects) {
  if (aspects & kAspectCaptions)
    for (const CaptionTarget& target : m_captionTargets)
      target.set(QString::fromStdString(m_model.caption(target.control)));
  if (aspects & kAspectKeyCaptions)
    for (int n = 1; n <= kKeyCount; ++n) key(n)->setText(fromCodePage(m_model.keyCaption(n)));
  if (aspects & kAspectModeNames)
    for (int n = 1; n <= kModeCount; ++n) modeName(n)->setText(fromCodePage(m_model.modeName(n)));
}

// The sliders, hidden check boxes, check marks and the loop count box. The
// sliders are set without their signals: the model has already acted.
void TForm1::reflectControls() {
  for (int i = 0; i < kSliderCount; ++i) {
    QSlider* slider = this->*kSliders[static_cast<std::size_t>(i)];
    const QSignalBlocker quiet(slider);
    slider->setValue(m_model.slider(static_cast<Slider>(i)));
  }
  spin_msewheel->setEnabled(m_model.wheelSliderEnabled());
  for (int i = 0; i < kCheckBoxCount; ++i) {
    QCheckBox* box = this->*kCheckBoxes[static_cast<std::size_t>(i)];
    const QSignalBlocker quiet(box);
    box->setChecked(m_model.checkBox(static_cast<CheckBox>(i)));
  }
  lbl_mse1_check->setVisible(m_model.mse1Flag);
  lbl_mse2_check->setVisible(m_model.mse2Flag);
  lbl_XY_1_check->setVisible(m_model.xyFlag);
  lbl_cycle_max_check->setVisible(m_model.cycleMaxFlag);
  lbl_cycle_check->setVisible(m_model.cycleFlag);
  const QString count = QString::fromStdString(m_model.cycleCountText());
  if (edt_cycle->text() != count) edt_cycle->setText(count);
  edt_cycle->setEnabled(m_model.cycleCountEnabled());
}

// Every indicator normal, the current mode's selected.
void TForm1::reflectCurrentMode() {
  for (int n = 1; n <= kModeCount; ++n)
    showStatePicture(modeImage(n), m_model.modeSelected(n) ? kModeSelected : kModeNormal);
}

void TForm1::pnl_modeMouseEnter(int n) {
  if (ImageControl* indicator = modeImage(n)) ShowSkinImage(indicator, kModeHover);
}

void TForm1::pnl_modeMouseLeave(int n) {
  if (ImageControl* indicator = modeImage(n))
    ShowSkinImage(indicator, m_model.modeSelected(n) ? kModeSelected : kModeNormal);
}

}  // namespace kestrovane
