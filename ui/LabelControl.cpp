#include "ui/LabelControl.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPalette>

#include "ui/ErrorReport.h"
#include "ui/Style.h"

namespace kestrovane {

LabelControl::LabelControl(const QString& caption, QWidget* parent)
    : QLabel(caption, parent),
      m_hover(
          this, [this] { runGuarded([this] { emit mouseEntered(); }); },
          [this] { runGuarded([this] { emit mouseLeft(); }); }) {
  // Captions are plain text: leading blanks stay, nothing is read as markup.
  setTextFormat(Qt::PlainText);
  setAutoFillBackground(false);
  applyPalette();
}

void LabelControl::setTransparent(bool transparent) {
  if (m_transparent == transparent) return;
  m_transparent = transparent;
  setAutoFillBackground(!transparent);
  update();
}

void LabelControl::setColor(const QColor& color) {
  m_color = color;
  applyPalette();
}

void LabelControl::setTextColor(const QColor& color) {
  m_textColor = color;
  applyPalette();
}

void LabelControl::setAutoSize(bool autoSize) {
  m_autoSize = autoSize;
  if (m_autoSize) adjustSize();
}

void LabelControl::setText(const QString& caption) {
  QLabel::setText(caption);
  if (m_autoSize) adjustSize();
}

void LabelControl::applyPalette() {
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, m_color);
  palette.setColor(QPalette::Active, QPalette::WindowText, m_textColor);
  palette.setColor(QPalette::Inactive, QPalette::WindowText, m_textColor);
  palette.setColor(QPalette::Disabled, QPalette::WindowText, kTextDisabled);
  setPalette(palette);
}

bool LabelControl::event(QEvent* event) {
  m_hover.feed(event);
  return QLabel::event(event);
}

// A label takes every press on it, as a button does, whether or not anything
// is bound to its click.
void LabelControl::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() == Qt::LeftButton) m_pressed = true;
  const Qt::MouseButton button = event->button();
  const QPoint global = event->globalPosition().toPoint();
  runGuarded([&] { emit mousePressed(button, global); });
}

void LabelControl::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton || !m_pressed) return;
  m_pressed = false;
  if (rect().contains(event->position().toPoint())) runGuarded([this] { emit clicked(); });
}

}  // namespace kestrovane
