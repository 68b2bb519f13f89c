#include "ui/ImageControl.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/ErrorReport.h"

namespace kestrovane {

ImageControl::ImageControl(QWidget* parent, Placement placement)
    : QWidget(parent), m_placement(placement) {}

void ImageControl::setPicture(const QPixmap& picture) {
  m_picture = picture;
  if (m_placement == Placement::AutoSize && !m_picture.isNull())
    resize(m_picture.deviceIndependentSize().toSize());
  update();
  emit pictureChanged();
}

void ImageControl::paintEvent(QPaintEvent*) {
  if (m_picture.isNull()) return;
  QPainter painter(this);
  QPoint at(0, 0);
  if (m_placement == Placement::Centre) {
    const QSize size = m_picture.deviceIndependentSize().toSize();
    at = QPoint((width() - size.width()) / 2, (height() - size.height()) / 2);
  }
  painter.drawPixmap(at, m_picture);
}

void ImageControl::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() == Qt::LeftButton) m_pressed = true;
  const Qt::MouseButton button = event->button();
  const QPoint global = event->globalPosition().toPoint();
  runGuarded([&] { emit mousePressed(button, global); });
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  if (event->button() != Qt::LeftButton || !m_pressed) return;
  m_pressed = false;
  if (rect().contains(event->position().toPoint())) runGuarded([this] { emit clicked(); });
}

}  // namespace kestrovane
