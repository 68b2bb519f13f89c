#include "ui/WindowShape.h"

#include <QBitmap>
#include <QImage>
#include <QPainter>
#include <QWidget>

namespace kestrovane {

QPoint centredTopLeft(const QRect& screen, QSize window) {
  return {screen.x() + screen.width() / 2 - window.width() / 2,
          screen.y() + screen.height() / 2 - window.height() / 2};
}

QRegion colourKeyRegion(QWidget* window, const QColor& key) {
  // Drawn at one image pixel per window pixel whatever the screen's scaling,
  // so that the region is in the window's own coordinates.
  QImage image(window->size(), QImage::Format_RGB32);
  image.setDevicePixelRatio(1.0);
  image.fill(key);
  // Without IgnoreMask a masked window would render only (and offset by) its
  // present mask.
  window->render(&image, QPoint(), QRegion(window->rect()),
                 QWidget::DrawWindowBackground | QWidget::DrawChildren | QWidget::IgnoreMask);
  const QImage cut = image.createMaskFromColor(key.rgb(), Qt::MaskInColor);
  return QRegion(QBitmap::fromImage(cut));
}

}  // namespace kestrovane
