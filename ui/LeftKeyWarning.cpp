#include "ui/LeftKeyWarning.h"

#include "ui/ImageControl.h"
#include "ui/LabelControl.h"
#include "ui/SkinImages.h"

namespace kestrovane {

TForm5::TForm5(const AppPaths& paths, QWidget* parent) : DialogFrame(kForm5Design, paths, parent) {
  // The picture sizes the control; the design's 293 x 154 leaves a 2 px rim
  // of key colour on the left and top, which the outline cuts.
  img_leftkeybase = new ImageControl(this, ImageControl::Placement::AutoSize);
  img_leftkeybase->setObjectName(QStringLiteral("img_leftkeybase"));
  img_leftkeybase->setGeometry(2, 2, 293, 154);
  setBackground(img_leftkeybase, QStringLiteral("other"));
  lbl_title = addLabel("lbl_title", {6, 40, 276, 28}, 19);
  lbl_ok = addLabel("lbl_ok", {94, 96, 80, 25}, 16);
  connect(lbl_ok, &LabelControl::clicked, this, &TForm5::lbl_okClick);
  FormCreate([this](const AppPaths& skin) { LoadDialogSkin(skin, img_leftkeybase); });
}

void TForm5::lbl_okClick() {
  accept();
}

void TForm5::showWarning(QWidget* parent, const AppPaths& paths) {
  TForm5 dialog(paths, parent);
  dialog.exec();
}

}  // namespace kestrovane
