// TForm1: the button labels of the button page, which open the function
// menu, and the menu items, which assign a function to the selected button.

#include "app/TForm1_detail.h"
#include "app/main.h"
#include "config/KeyAssignment.h"
#include "config/KeyFunction.h"
#include "config/ModeImages.h"
#include "ui/LeftKeyWarning.h"

namespace kestrovane {

using namespace detail;

namespace {

constexpr std::string_view kLeftButtonItem = "lbl_msekey_left";
constexpr std::string_view kMacroItem = "lbl_gaming_kbd_maro";

MenuRect rectOf(const QWidget* widget) {
  return {widget->x(), widget->y(), widget->width(), widget->height()};
}

}  // namespace

void TForm1::bindKeyHandlers() {
  for (int n = 1; n <= kKeyCount; ++n)
    connect(key(n), &LabelControl::clicked, this, [this, n] { KeyClick(n); });
  for (const FunctionItem& item : functionTable()) {
    LabelControl* label = menuItem(item.label);
    if (item.label == kMacroItem)
      connect(label, &LabelControl::clicked, this, &TForm1::lbl_gaming_kbd_maroClick);
    else
      connect(label, &LabelControl::clicked, this, [this, &item] { functionItemClick(item); });
  }
}

// Opens the function menu at button n and selects the button; the tilt
// buttons Key11 and Key12 get no highlight.
void TForm1::KeyClick(int n) {
  LabelControl* button = key(n);
  if (button == nullptr) return;
  const MenuPosition at = functionMenuPosition(n, rectOf(page_MseKeys), rectOf(button));
  gbMenu->move(at.left, at.top);
  ClearKeySelection();
  keySelected[static_cast<std::size_t>(n - 1)] = true;
  HideFunctionMenus();
  gbMenu->show();
  if (n <= 10) {
    ResetKeyHighlights();
    button->setTransparent(false);
  }
}

int TForm1::selectedKey() const {
  for (int n = 1; n <= kKeyCount; ++n)
    if (keySelected[static_cast<std::size_t>(n - 1)]) return n;
  return 0;
}

void TForm1::AssignKeyFunction(std::uint8_t kind, std::uint8_t arg1, std::uint8_t arg2,
                               const QString& caption) {
  const FunctionItem& leftItem = *findFunctionItem(kLeftButtonItem);
  const QString leftButtonText = menuItem(kLeftButtonItem)->text();
  const int n = selectedKey();
  LabelControl* button = key(n);
  const QString previousCaption = button != nullptr ? button->text() : QString();
  const KeyFunction previousCode = readKeyFunction(modeImages.workingImage, n);
  if (button != nullptr) {
    button->setText(caption);
    writeKeyFunction(modeImages.workingImage, n, {kind, arg1, arg2});
  }

  const std::array firstThree{Key1->text().toStdString(), Key2->text().toStdString(),
                              Key3->text().toStdString()};
  switch (leftButtonRule(firstThree, leftButtonText.toStdString(), n)) {
    case LeftButtonRule::Holds:
      break;
    case LeftButtonRule::WarnThenGiveLeftButton:
      showLeftKeyWarning();
      button->setText(leftButtonText);
      writeKeyFunction(modeImages.workingImage, n, leftItem.code);
      break;
    case LeftButtonRule::WarnThenUndo:
      // Giving this button the left button would not bring it back to one of
      // the first three, so the assignment is taken back instead, once.
      showLeftKeyWarning();
      if (button != nullptr) {
        button->setText(previousCaption);
        writeKeyFunction(modeImages.workingImage, n, previousCode);
      }
      break;
  }
  StoreCurrentMode();
  page_MseKeysClick();
}

void TForm1::functionItemClick(const FunctionItem& item) {
  const LabelControl* label = menuItem(item.label);
  if (label == nullptr) return;
  AssignKeyFunction(item.code.Kind, item.code.Arg1, item.code.Arg2, label->text());
}

void TForm1::lbl_modeClick() {
  functionItemClick(*findFunctionItem("lbl_mode"));
}

void TForm1::lbl_keyoffClick() {
  functionItemClick(*findFunctionItem("lbl_keyoff"));
}

// "宏定义": the menu closes, the button stays selected, and the macro
// assignment dialog decides (its OK assigns, its Cancel leaves the button
// selected).
void TForm1::lbl_gaming_kbd_maroClick() {
  HideFunctionMenus();
  callSeam(m_seams.showMacroAssignDialog);
}

void TForm1::setLeftKeyWarningPresenter(std::function<void()> presenter) {
  m_leftKeyWarning = std::move(presenter);
}

void TForm1::showLeftKeyWarning() {
  if (m_leftKeyWarning)
    m_leftKeyWarning();
  else
    TForm5::showWarning(this, m_paths);
}

}  // namespace kestrovane
