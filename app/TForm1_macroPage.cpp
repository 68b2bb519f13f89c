// TForm1: the controls of the macro page (page_Macro). The macro editor
// gives them their behaviour.

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpressionValidator>

#include "app/TForm1_detail.h"
#include "app/main.h"
#include "ui/Style.h"

namespace kestrovane {

using namespace detail;

namespace {

const QColor kMacroText{255, 255, 0};
const QColor kMacroBackground{0, 0, 0};

// A list box of yellow text on black with rows of a fixed height.
QListWidget* makeMacroListBox(QWidget* parent, const QString& name, QRect geometry, int rowHeight,
                              bool bold) {
  auto* list = new QListWidget(parent);
  list->setObjectName(name);
  list->setGeometry(geometry);
  list->setUniformItemSizes(true);
  list->setFont(arialFont(12, bold));
  list->setStyleSheet(QStringLiteral("QListWidget { background: black; color: yellow; border: 0; }"
                                     "QListWidget::item { height: %1px; }")
                          .arg(rowHeight));
  return list;
}

QLineEdit* makeNumberBox(QWidget* parent, const QString& name, const QString& text, QRect geometry,
                         int maxLength) {
  auto* edit = new QLineEdit(text, parent);
  edit->setObjectName(name);
  edit->setGeometry(geometry);
  edit->setMaxLength(maxLength);
  // Digits only (and backspace): the boxes hold a count and a delay.
  edit->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
  edit->setFont(arialFont(12));
  QPalette palette = edit->palette();
  palette.setColor(QPalette::Base, kMacroBackground);
  palette.setColor(QPalette::Text, kMacroText);
  edit->setPalette(palette);
  return edit;
}

// A push button of the page: its picture (sized by the picture) with the
// caption label over it.
struct MacroButton {
  LabelControl* TForm1::*label;
  ImageControl* TForm1::*image;
  const char* labelName;
  const char* imageName;
  QRect geometry;
};

}  // namespace

void TForm1::createMacroPage() {
  QWidget* page = page_Macro;
  const QFont heading = yaHeiFont(13, true);

  lbl_list = makeLabel(page, QStringLiteral("lbl_list"), QString(), {20, 10, 64, 20}, heading);
  lbl_name = makeLabel(page, QStringLiteral("lbl_name"), QString(), {88, 10, 108, 20}, heading);
  lbl_configure =
      makeLabel(page, QStringLiteral("lbl_configure"), QString(), {210, 10, 188, 20}, heading);
  macro_list = makeMacroListBox(page, QStringLiteral("macro_list"), {20, 34, 176, 186}, 19, true);
  macro_content =
      makeMacroListBox(page, QStringLiteral("macro_content"), {210, 34, 188, 186}, 16, false);

  const std::array buttons{
      MacroButton{&TForm1::lbl_load, &TForm1::img_load, "lbl_load", "img_load", {20, 228, 63, 25}},
      MacroButton{&TForm1::lbl_new, &TForm1::img_new, "lbl_new", "img_new", {100, 228, 63, 25}},
      MacroButton{&TForm1::lbl_save, &TForm1::img_save, "lbl_save", "img_save", {180, 228, 63, 25}},
      MacroButton{
          &TForm1::lbl_delete, &TForm1::img_delete, "lbl_delete", "img_delete", {260, 228, 63, 25}},
      MacroButton{
          &TForm1::lbl_cancle, &TForm1::img_cancel, "lbl_cancle", "img_cancel", {340, 228, 63, 25}},
      MacroButton{&TForm1::lbl_REC, &TForm1::img_REC, "lbl_REC", "img_REC", {20, 280, 91, 24}},
      MacroButton{&TForm1::lbl_MseLeft,
                  &TForm1::img_MseLeft,
                  "lbl_MseLeft",
                  "img_MseLeft",
                  {118, 280, 91, 23}},
      MacroButton{&TForm1::lbl_MseRight,
                  &TForm1::img_MseRight,
                  "lbl_MseRight",
                  "img_MseRight",
                  {216, 280, 91, 23}},
      MacroButton{
          &TForm1::lbl_MseMid, &TForm1::img_MseMid, "lbl_MseMid", "img_MseMid", {314, 280, 91, 23}},
      MacroButton{
          &TForm1::lbl_delkey, &TForm1::img_delkey, "lbl_delkey", "img_delkey", {20, 308, 91, 23}},
      MacroButton{&TForm1::lbl_Time, &TForm1::img_Time, "lbl_Time", "img_Time", {118, 308, 91, 24}},
      // The two delay step buttons are never shown.
      MacroButton{&TForm1::lbl_delay,
                  &TForm1::img_delay_i,
                  "lbl_delay",
                  "img_delay_i",
                  {300, 336, 100, 24}},
      MacroButton{&TForm1::lbl_delay_d,
                  &TForm1::img_delay_d,
                  "lbl_delay_d",
                  "img_delay_d",
                  {300, 336, 100, 24}},
  };
  for (const MacroButton& button : buttons) {
    auto* image = makeImage(page, QString::fromLatin1(button.imageName), button.geometry,
                            ImageControl::Placement::AutoSize);
    auto* label = makeLabel(page, QString::fromLatin1(button.labelName), QString(), button.geometry,
                            yaHeiFont(12), Qt::AlignCenter);
    this->*button.image = image;
    this->*button.label = label;
  }
  for (QWidget* hidden : {static_cast<QWidget*>(img_delay_i), static_cast<QWidget*>(img_delay_d),
                          static_cast<QWidget*>(lbl_delay), static_cast<QWidget*>(lbl_delay_d)})
    hidden->hide();

  lbl_macro = makeLabel(page, QStringLiteral("lbl_macro"), QString(), {20, 258, 120, 20}, heading);

  Edt_ModifyTime = makeNumberBox(page, QStringLiteral("Edt_ModifyTime"), QStringLiteral("0"),
                                 {216, 309, 56, 22}, 5);
  lbl_ms = makeLabel(page, QStringLiteral("lbl_ms"), QString(), {276, 309, 24, 22}, arialFont(12));

  lbl_cycle_max_check = makeLabel(page, QStringLiteral("lbl_cycle_max_check"), QStringLiteral("√"),
                                  {20, 338, 18, 20}, yaHeiFont(14, true), Qt::AlignCenter);
  lbl_cycle_max =
      makeLabel(page, QStringLiteral("lbl_cycle_max"), QString(), {40, 338, 80, 20}, yaHeiFont(12));
  lbl_cycle_check = makeLabel(page, QStringLiteral("lbl_cycle_check"), QStringLiteral("√"),
                              {130, 338, 18, 20}, yaHeiFont(14, true), Qt::AlignCenter);
  lbl_cycle =
      makeLabel(page, QStringLiteral("lbl_cycle"), QString(), {150, 338, 120, 20}, yaHeiFont(12));
  for (LabelControl* mark : {lbl_cycle_max_check, lbl_cycle_check}) {
    mark->setAttribute(Qt::WA_TransparentForMouseEvents);
    mark->hide();
  }
  edt_cycle =
      makeNumberBox(page, QStringLiteral("edt_cycle"), QStringLiteral("1"), {272, 337, 24, 22}, 1);

  // The loop options' values for compilation and the settings: hidden, right
  // of the window.
  cbCycle_Max = makeHiddenCheckBox(this, QStringLiteral("cbCycle_Max"), QStringLiteral("Cycle_Max"),
                                   {920, 590});
  cbCycle =
      makeHiddenCheckBox(this, QStringLiteral("cbCycle"), QStringLiteral("Cycle"), {920, 620});
}

}  // namespace kestrovane
