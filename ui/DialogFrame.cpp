#include "ui/DialogFrame.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPalette>
#include <QScreen>
#include <QTimer>

#include "config/CaptionTable.h"
#include "ui/DialogDrag.h"
#include "ui/ImageControl.h"
#include "ui/LabelControl.h"
#include "ui/Style.h"
#include "ui/WindowShape.h"

// The built-in pictures are compiled into the library; a static library
// needs its resources registered by name (outside any namespace).
static void registerDialogPictures() {
  Q_INIT_RESOURCE(DialogPictures);
}

namespace kestrovane {

namespace {

QString fromLatin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QPixmap builtInDialogPicture(const QString& name) {
  registerDialogPictures();
  return QPixmap(QStringLiteral(":/builtin/") + name + QStringLiteral(".png"));
}

DialogFrame::DialogFrame(const DialogDesign& design, const AppPaths& paths, QWidget* parent)
    : QDialog(parent), m_design(design), m_paths(paths) {
  setObjectName(fromLatin1(design.form).mid(1));  // "Form5", as the window is called
  setModal(true);
  // 1. The key colour fills the window; every pixel that still shows it once
  //    the pictures are drawn is cut from the outline (UpdateWindowShape).
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, design.keyColour);
  setPalette(palette);
  setAutoFillBackground(true);
  // 2. Size, no border, 3. centred on the screen the formula names (its own
  //    origin included), 4. above every window that is not itself topmost.
  setFixedSize(design.size);
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(centredTopLeft(screen->geometry(), size()));
  m_drag = new DialogDrag(this);
}

DialogFrame::~DialogFrame() = default;

void DialogFrame::setBackground(ImageControl* background, const QString& builtInPicture) {
  background->setPicture(builtInDialogPicture(builtInPicture));
  connect(background, &ImageControl::mousePressed, this,
          [this, background](Qt::MouseButton, QPoint globalPos) {
            m_drag->mouseDown(background, globalPos);
          });
}

LabelControl* DialogFrame::addLabel(std::string_view name, QRect geometry, int pixelSize) {
  QString text;
  for (const Caption& caption : dialogTexts(m_design.form))
    if (caption.control == name)
      text =
          QString::fromUtf8(caption.builtIn.data(), static_cast<qsizetype>(caption.builtIn.size()));
  auto* label = new LabelControl(text, this);
  label->setObjectName(fromLatin1(name));
  label->setFont(yaHeiFont(pixelSize, true));
  label->setAlignment(Qt::AlignCenter);
  label->setGeometry(geometry);
  return label;
}

void DialogFrame::FormCreate(const std::function<void(const AppPaths&)>& loadDialogSkin) {
  if (m_design.keyPreview)
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
  for (ImageControl* image : findChildren<ImageControl*>())
    connect(image, &ImageControl::pictureChanged, this, &DialogFrame::scheduleWindowShape);
  loadDialogSkin(m_paths);
  ChooseLanguage(m_language);
  for (const auto& [control, text] : LoadDialogTexts(m_design.form, m_language, m_paths)) {
    if (auto* label = findChild<LabelControl*>(fromLatin1(control)))
      label->setText(QString::fromStdString(text));
  }
  UpdateWindowShape();
}

bool DialogFrame::FormKeyDown(QKeyEvent*) {
  return false;
}

bool DialogFrame::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && FormKeyDown(static_cast<QKeyEvent*>(event))) return true;
  return QDialog::eventFilter(watched, event);
}

void DialogFrame::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  UpdateWindowShape();
}

// Several pictures change together (the skin of TForm3 replaces three): the
// outline is recomputed once, after them.
void DialogFrame::scheduleWindowShape() {
  if (m_shapePending) return;
  m_shapePending = true;
  QTimer::singleShot(0, this, [this] {
    m_shapePending = false;
    UpdateWindowShape();
  });
}

void DialogFrame::UpdateWindowShape() {
  QRegion visible = colourKeyRegion(this, m_design.keyColour);
  // An empty mask would mean no mask at all: keep one pixel instead of
  // showing the whole key-coloured window.
  if (visible.isEmpty()) visible = QRegion(0, 0, 1, 1);
  setMask(visible);
}

}  // namespace kestrovane
