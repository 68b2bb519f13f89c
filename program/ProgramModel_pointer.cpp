// ProgramModel: the system pointer options, written to the store at every
// change and handed to the running system by Apply.
#include <vector>

#include "program/ProgramModel.h"

namespace kestrovane {

namespace {

constexpr int kPrecisionThreshold1 = 6;
constexpr int kPrecisionThreshold2 = 10;

bool inPointerRange(int position) {
  return position >= 1 && position <= 10;
}

// Double-click position 1..10: 900 ms down to 270 ms in steps of 70.
int doubleClickTime(int position) {
  return 900 - 70 * (position - 1);
}

}  // namespace

void ProgramModel::btnChangeRegPro1Click() {
  const int speed = slider(Slider::spin_msespeed);
  const bool enhance = checkBox(CheckBox::cb_msespeed);
  const int doubleClick = slider(Slider::spin_msedbspeed);

  std::vector<PointerValue> values;
  if (inPointerRange(speed)) values.push_back({kMouseSensitivityValue, std::to_string(2 * speed)});
  values.push_back({kMouseSpeedValue, enhance ? "1" : "0"});
  values.push_back(
      {kMouseThreshold1Value, enhance ? std::to_string(kPrecisionThreshold1) : std::string("0")});
  values.push_back(
      {kMouseThreshold2Value, enhance ? std::to_string(kPrecisionThreshold2) : std::string("0")});
  if (inPointerRange(doubleClick))
    values.push_back({kDoubleClickSpeedValue, std::to_string(doubleClickTime(doubleClick))});
  // A key that cannot be opened writes nothing and keeps the last values.
  if (!m_pointerStore.writeValues(kMouseKey, values)) return;

  if (inPointerRange(speed)) pointerSettings.mouseSpeed = 2 * speed;
  pointerSettings.threshold1 = enhance ? kPrecisionThreshold1 : 0;
  pointerSettings.threshold2 = enhance ? kPrecisionThreshold2 : 0;
  pointerSettings.acceleration = enhance ? 1 : 0;
  if (inPointerRange(doubleClick)) pointerSettings.doubleClickTime = doubleClickTime(doubleClick);
}

void ProgramModel::btnChangeRegPro2Click() {
  std::vector<PointerValue> values;
  int lines = 0;
  if (checkBox(CheckBox::cb_msewheel))
    lines = -1;
  else if (inPointerRange(slider(Slider::spin_msewheel)))
    lines = slider(Slider::spin_msewheel);
  if (lines == 0) return;  // nothing to write
  values.push_back({kWheelScrollLinesValue, std::to_string(lines)});
  if (m_pointerStore.writeValues(kDesktopKey, values)) pointerSettings.wheelScrollLines = lines;
}

// cb_msewheelClick: one screen per notch makes the line count meaningless.
void ProgramModel::cb_msewheelClick() {
  const Change change(*this, kAspectSliders);
  m_wheelSliderEnabled = !checkBox(CheckBox::cb_msewheel);
  btnChangeRegPro2Click();
}

void ProgramModel::lbl_mse1Click() {
  const Change change(*this, kAspectChecks);
  mse1Flag = !mse1Flag;
  setCheckBox(CheckBox::cb_msespeed, mse1Flag);
}

void ProgramModel::lbl_mse2Click() {
  const Change change(*this, kAspectChecks);
  mse2Flag = !mse2Flag;
  setCheckBox(CheckBox::cb_msewheel, mse2Flag);
}

void ProgramModel::ApplyPointerSettings() {
  m_pointerSystem.apply(pointerSettings);
}

void ProgramModel::applyPointerOptions() {
  btnChangeRegPro1Click();
  btnChangeRegPro2Click();
  ApplyPointerSettings();
}

}  // namespace kestrovane
