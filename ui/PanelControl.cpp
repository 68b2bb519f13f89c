#include "ui/PanelControl.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

#include "ui/ErrorReport.h"
#include "ui/Style.h"

namespace kestrovane {

PanelControl::PanelControl(QWidget* parent, const QString& caption)
    : QWidget(parent),
      m_hover(
          this, [this] { runGuarded([this] { emit mouseEntered(); }); },
          [this] { runGuarded([this] { emit mouseLeft(); }); }),
      m_caption(caption) {}

void PanelControl::setCaption(const QString& caption) {
  m_caption = caption;
  update();
}

void PanelControl::setTransparent(bool transparent) {
  m_transparent = transparent;
  update();
}

void PanelControl::setColor(const QColor& color) {
  m_color = color;
  update();
}

bool PanelControl::event(QEvent* event) {
  m_hover.feed(event);
  return QWidget::event(event);
}

void PanelControl::paintEvent(QPaintEvent*) {
  if (m_transparent && m_caption.isEmpty()) return;
  QPainter painter(this);
  if (!m_transparent) painter.fillRect(rect(), m_color);
  if (!m_caption.isEmpty()) {
    painter.setFont(font());
    painter.setPen(isEnabled() ? kTextWhite : kTextDisabled);
    painter.drawText(rect(), Qt::AlignCenter, m_caption);
  }
}

void PanelControl::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() == Qt::LeftButton) m_pressed = true;
  const Qt::MouseButton button = event->button();
  const QPoint global = event->globalPosition().toPoint();
  runGuarded([&] { emit mousePressed(button, global); });
}

void PanelControl::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton || !m_pressed) return;
  m_pressed = false;
  if (rect().contains(event->position().toPoint())) runGuarded([this] { emit clicked(); });
}

}  // namespace kestrovane
