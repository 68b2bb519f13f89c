// TForm1: the button labels of the button page, which open the function
// menu, and the menu items, which assign a function to the selected button.

#include "app/TForm1_detail.h"
#include "app/main.h"
#include "base/CodePage.h"
#include "config/KeyAssignment.h"
#include "config/KeyFunction.h"
#include "config/ModeImages.h"
#include "ui/LeftKeyWarning.h"

namespace kestrovane {

using namespace detail;

namespace {

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
  m_model.AssignKeyFunction(selectedKey(), {kind, arg1, arg2},
                            utf8ToCodePage(caption.toStdString()));
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
  m_startup.ShowMacroAssignDialog();
}

void TForm1::setLeftKeyWarningPresenter(std::function<void()> presenter) {
  m_leftKeyWarning = std::move(presenter);
}

bool TForm1::isKeySelected(int n) const {
  return n >= 1 && n <= kKeyCount && keySelected[static_cast<std::size_t>(n - 1)];
}

void TForm1::showLeftKeyWarning() {
  if (m_leftKeyWarning)
    m_leftKeyWarning();
  else
    TForm5::showWarning(this, m_paths);
}

}  // namespace kestrovane
