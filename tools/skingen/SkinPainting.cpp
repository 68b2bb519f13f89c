#include "tools/skingen/SkinPainting.h"

#include <QLinearGradient>
#include <QPainter>

namespace kestrovane {

QImage newCanvas(QSize size) {
  QImage img(size, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  return img;
}

QImage finishPicture(const QImage& canvas, bool binaryAlpha) {
  QImage img = canvas.convertToFormat(QImage::Format_ARGB32);
  const QRgb keys[] = {kMainWindowKey.rgb() & 0xFFFFFFu, kDialogKey.rgb() & 0xFFFFFFu};
  for (int y = 0; y < img.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      QRgb px = line[x];
      int a = qAlpha(px);
      if (binaryAlpha) a = a >= 128 ? 255 : 0;
      if (a == 0) {
        line[x] = 0;
        continue;
      }
      for (QRgb key : keys) {
        // One step of green is invisible, and the pixel stays on screen.
        if ((px & 0xFFFFFFu) == key) px = qRgb(qRed(px), qGreen(px) + 1, qBlue(px));
      }
      line[x] = qRgba(qRed(px), qGreen(px), qBlue(px), a);
    }
  }
  return img;
}

QPainterPath PanelShape::inset(qreal n) const {
  const QRectF r = rect.adjusted(n, n, -n, -n);
  QPainterPath path;
  if (chamfer > 0) {
    // Moving each edge in by n shortens a 45-degree cut by n * (sqrt 2 - 1).
    const qreal c = qMax<qreal>(0, chamfer - n * 0.41421356);
    path.moveTo(r.left() + c, r.top());
    path.lineTo(r.right() - c, r.top());
    path.lineTo(r.right(), r.top() + c);
    path.lineTo(r.right(), r.bottom() - c);
    path.lineTo(r.right() - c, r.bottom());
    path.lineTo(r.left() + c, r.bottom());
    path.lineTo(r.left(), r.bottom() - c);
    path.lineTo(r.left(), r.top() + c);
    path.closeSubpath();
  } else if (radius > 0) {
    const qreal rr = qMax<qreal>(0, radius - n);
    path.addRoundedRect(r, rr, rr);
  } else {
    path.addRect(r);
  }
  return path;
}

void paintPanel(QPainter& p, const PanelShape& shape, const QColor& top, const QColor& bottom,
                const QColor& border) {
  p.save();
  p.setPen(Qt::NoPen);
  QPainterPath inner = shape.path();
  if (border.isValid()) {
    p.setBrush(border);
    p.drawPath(shape.path());
    inner = shape.inset(1);
  }
  const QRectF r = shape.rect;
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.setBrush(g);
  p.drawPath(inner);
  p.restore();
}

void paintTexture(QPainter& p, const QPainterPath& shape, const SkinStyle& s) {
  const QRectF r = shape.boundingRect();
  p.save();
  p.setClipPath(shape, Qt::IntersectClip);
  QColor c = s.textBright;
  c.setAlpha(7);
  p.setPen(QPen(c, 1.0));
  const qreal span = r.height();
  for (qreal x = r.left() - span; x < r.right(); x += 5.0) {
    p.drawLine(QPointF(x, r.bottom()), QPointF(x + span, r.top()));
  }
  p.restore();
}

void paintFadingLine(QPainter& p, qreal x0, qreal x1, qreal y, const QColor& c, qreal width) {
  QLinearGradient g(x0, 0, x1, 0);
  QColor clear = c;
  clear.setAlpha(0);
  g.setColorAt(0, clear);
  g.setColorAt(0.2, c);
  g.setColorAt(0.8, c);
  g.setColorAt(1, clear);
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawRect(QRectF(x0, y, x1 - x0, width));
  p.restore();
}

void paintCornerMarks(QPainter& p, const QRectF& r, const QColor& c, qreal len) {
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(c);
  const qreal w = 2.0;
  // top left, top right, bottom left, bottom right
  p.drawRect(QRectF(r.left(), r.top(), len, w));
  p.drawRect(QRectF(r.left(), r.top(), w, len));
  p.drawRect(QRectF(r.right() - len, r.top(), len, w));
  p.drawRect(QRectF(r.right() - w, r.top(), w, len));
  p.drawRect(QRectF(r.left(), r.bottom() - w, len, w));
  p.drawRect(QRectF(r.left(), r.bottom() - len, w, len));
  p.drawRect(QRectF(r.right() - len, r.bottom() - w, len, w));
  p.drawRect(QRectF(r.right() - w, r.bottom() - len, w, len));
  p.restore();
}

void paintSlot(QPainter& p, const QRectF& r, const SkinStyle& s) {
  p.save();
  paintPanel(p, PanelShape{r, 0, 2.0}, s.shadow, s.panelRaised, s.border);
  // A dark line under the top edge makes the slot look sunken.
  p.setPen(QPen(QColor(0, 0, 0, 90), 1.0));
  p.drawLine(QPointF(r.left() + 2, r.top() + 1.5), QPointF(r.right() - 2, r.top() + 1.5));
  p.restore();
}

}  // namespace kestrovane
