#include "ui/LeftKeyWarning.h"

#include <QGuiApplication>
#include <QPalette>
#include <QPixmap>
#include <QScreen>

#include "ui/ImageControl.h"
#include "ui/LabelControl.h"
#include "ui/SkinImages.h"
#include "ui/Style.h"
#include "ui/WindowShape.h"

namespace kestrovane {

namespace {

// The dialog's key colour; the built-in background covers all but a 2 px rim.
const QColor kKeyColour{192, 220, 192};
const QColor kBuiltInBackground{48, 52, 60};
constexpr QRect kBackground{2, 2, 293, 154};

}  // namespace

TForm5::TForm5(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("Form5"));
  setModal(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kKeyColour);
  setPalette(palette);
  setAutoFillBackground(true);
  setFixedSize(kLeftKeyWarningWidth, kLeftKeyWarningHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(centredTopLeft(screen->geometry(), size()));

  img_leftkeybase = new ImageControl(this, ImageControl::Placement::AutoSize);
  img_leftkeybase->setObjectName(QStringLiteral("img_leftkeybase"));
  img_leftkeybase->setGeometry(kBackground);
  QPixmap builtIn(kBackground.size());
  builtIn.fill(kBuiltInBackground);
  img_leftkeybase->setPicture(builtIn);

  lbl_title = new LabelControl(QString::fromLatin1(kLeftKeyWarningText), this);
  lbl_title->setObjectName(QStringLiteral("lbl_title"));
  lbl_title->setFont(yaHeiFont(19, true));
  lbl_title->setAlignment(Qt::AlignCenter);
  lbl_title->setGeometry(6, 40, 276, 28);

  lbl_ok = new LabelControl(QString::fromLatin1(kLeftKeyWarningOk), this);
  lbl_ok->setObjectName(QStringLiteral("lbl_ok"));
  lbl_ok->setFont(yaHeiFont(16, true));
  lbl_ok->setAlignment(Qt::AlignCenter);
  lbl_ok->setGeometry(94, 96, 80, 25);
  connect(lbl_ok, &LabelControl::clicked, this, &TForm5::lbl_okClick);
}

void TForm5::lbl_okClick() {
  accept();
}

void TForm5::showWarning(QWidget* parent, const AppPaths& paths) {
  TForm5 dialog(parent);
  LoadDialogSkin(paths, dialog.img_leftkeybase);
  dialog.exec();
}

}  // namespace kestrovane
