#include "tools/skingen/AppIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace kestrovane {

// Everything is drawn on a 256 grid and scaled, so every size shows the same
// picture; small sizes get thicker lines to stay visible.
QImage drawAppIcon(const SkinStyle& s, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 256.0, size / 256.0);
  const qreal line = size < 48 ? 10.0 : 6.0;

  // The tile.
  const QRectF tile(8, 8, 240, 240);
  QLinearGradient tileFill(tile.topLeft(), tile.bottomLeft());
  tileFill.setColorAt(0, s.panelRaised);
  tileFill.setColorAt(1, s.window);
  p.setPen(QPen(s.border, line * 0.5));
  p.setBrush(tileFill);
  p.drawRoundedRect(tile, 44, 44);

  // The mouse body: an upright rounded shape, wider at the palm.
  QPainterPath body;
  body.moveTo(128, 36);
  body.cubicTo(178, 36, 196, 80, 196, 132);
  body.cubicTo(196, 190, 170, 222, 128, 222);
  body.cubicTo(86, 222, 60, 190, 60, 132);
  body.cubicTo(60, 80, 78, 36, 128, 36);
  QLinearGradient bodyFill(QPointF(60, 36), QPointF(196, 222));
  bodyFill.setColorAt(0, s.mouseEdge);
  bodyFill.setColorAt(0.35, s.mouseBody);
  bodyFill.setColorAt(1, s.mouseBodyDark);
  p.setPen(QPen(s.mouseEdge, line * 0.6));
  p.setBrush(bodyFill);
  p.drawPath(body);

  // The split between the two buttons and the palm line under them.
  p.setPen(QPen(s.shadow, line * 0.7, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(128, 40), QPointF(128, 112));
  p.drawArc(QRectF(66, 60, 124, 104), 200 * 16, 140 * 16);

  // The wheel, lit.
  p.setPen(QPen(s.tealGlow, line * 0.5));
  p.setBrush(s.tealLight);
  p.drawRoundedRect(QRectF(118, 62, 20, 40), 10, 10);

  // A highlight stripe down the side, the skin's accent.
  p.setPen(QPen(s.teal, line, Qt::SolidLine, Qt::RoundCap));
  p.drawArc(QRectF(70, 70, 116, 140), 215 * 16, 70 * 16);
  p.end();
  return image;
}

}  // namespace kestrovane
