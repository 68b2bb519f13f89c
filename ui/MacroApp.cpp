#include "ui/MacroApp.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>

#include "base/CodePage.h"
#include "macro/MacroFile.h"
#include "ui/ImageControl.h"
#include "ui/LabelControl.h"
#include "ui/SkinImages.h"
#include "ui/Style.h"

namespace kestrovane {

TForm2::TForm2(const AppPaths& paths, QWidget* parent) : DialogFrame(kForm2Design, paths, parent) {
  img_macrobase = new ImageControl(this, ImageControl::Placement::AutoSize);
  img_macrobase->setObjectName(QStringLiteral("img_macrobase"));
  img_macrobase->setGeometry(2, 2, 293, 154);
  setBackground(img_macrobase, QStringLiteral("other"));

  lbl_title = addLabel("lbl_title", {6, 30, 276, 28}, 19);

  cb_macro_list = new QComboBox(this);
  cb_macro_list->setObjectName(QStringLiteral("cb_macro_list"));
  cb_macro_list->setGeometry(48, 68, 196, 26);
  cb_macro_list->setFont(arialFont(15));
  // A folder that cannot be made simply lists nothing.
  ensureMacroFolder(paths.macroDir);
  std::vector<std::string> names = ListMacroNames(paths.macroDir);
  sortMacroNames(names);
  for (const std::string& name : names)
    cb_macro_list->addItem(QString::fromStdString(codePageToUtf8(name)));
  // Nothing is chosen until the user chooses.
  cb_macro_list->setCurrentIndex(-1);

  lbl_ok = addLabel("lbl_ok", {40, 110, 80, 25}, 16);
  lbl_cancel = addLabel("lbl_cancel", {172, 110, 80, 25}, 16);
  connect(lbl_ok, &LabelControl::clicked, this, &TForm2::lbl_okClick);
  connect(lbl_cancel, &LabelControl::clicked, this, &TForm2::lbl_cancelClick);

  FormCreate([this](const AppPaths& skin) { LoadDialogSkin(skin, img_macrobase); });
}

void TForm2::lbl_okClick() {
  const int index = cb_macro_list->currentIndex();
  if (index < 0) return;
  m_index = index;
  m_name = cb_macro_list->itemText(index);
  accept();
}

void TForm2::lbl_cancelClick() {
  reject();
}

bool TForm2::FormKeyDown(QKeyEvent* event) {
  // An open drop-down list takes its own keys.
  if (cb_macro_list->view()->isVisible()) return false;
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      lbl_okClick();
      return true;
    case Qt::Key_Escape:
      lbl_cancelClick();
      return true;
    default:
      return false;
  }
}

}  // namespace kestrovane
