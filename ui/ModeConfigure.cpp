#include "ui/ModeConfigure.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>

#include "ui/ImageControl.h"
#include "ui/LabelControl.h"
#include "ui/SkinImages.h"
#include "ui/Style.h"

namespace kestrovane {

namespace {

constexpr QRect kOkButton{120, 150, 91, 35};
constexpr QRect kCancelButton{264, 150, 91, 35};

}  // namespace

TForm3::TForm3(const AppPaths& paths, QWidget* parent) : DialogFrame(kForm3Design, paths, parent) {
  img_modeconfbase = new ImageControl(this, ImageControl::Placement::AutoSize);
  img_modeconfbase->setObjectName(QStringLiteral("img_modeconfbase"));
  img_modeconfbase->setGeometry(0, 0, 475, 229);
  setBackground(img_modeconfbase, QStringLiteral("mode_conf_base"));

  lbl_title = addLabel("lbl_title", {20, 40, 434, 30}, 20);

  edtmode = new QLineEdit(this);
  edtmode->setObjectName(QStringLiteral("edtmode"));
  edtmode->setGeometry(97, 90, 280, 28);
  edtmode->setMaxLength(kMaxNameLength);
  edtmode->setFont(arialFont(16));
  edtmode->setAlignment(Qt::AlignCenter);
  edtmode->setFrame(false);
  QPalette palette = edtmode->palette();
  palette.setColor(QPalette::Base, Qt::black);
  palette.setColor(QPalette::Text, QColor(255, 255, 0));
  edtmode->setPalette(palette);

  // Each label lies over its button picture and takes the clicks.
  const auto button = [this](const char* image, const char* label, QRect at) {
    auto* face = new ImageControl(this, ImageControl::Placement::AutoSize);
    face->setObjectName(QString::fromLatin1(image));
    face->setGeometry(at);
    face->setPicture(builtInDialogPicture(QStringLiteral("btn_base_1")));
    return std::pair{face, addLabel(label, at, 15)};
  };
  std::tie(img_ok, lbl_ok) = button("img_ok", "lbl_ok", kOkButton);
  std::tie(img_cancel, lbl_cancel) = button("img_cancel", "lbl_cancel", kCancelButton);
  connect(lbl_ok, &LabelControl::clicked, this, &TForm3::lbl_okClick);
  connect(lbl_cancel, &LabelControl::clicked, this, &TForm3::lbl_cancelClick);

  FormCreate(
      [this](const AppPaths& skin) { LoadDialogSkin(skin, img_modeconfbase, img_ok, img_cancel); });
  edtmode->setFocus();
}

void TForm3::lbl_okClick() {
  if (edtmode->text().isEmpty()) {
    reject();
    return;
  }
  m_name = edtmode->text();
  accept();
}

void TForm3::lbl_cancelClick() {
  reject();
}

bool TForm3::FormKeyDown(QKeyEvent* event) {
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

QString TForm3::askName(QWidget* parent, const AppPaths& paths) {
  TForm3 dialog(paths, parent);
  return dialog.exec() == QDialog::Accepted ? dialog.name() : QString();
}

}  // namespace kestrovane
