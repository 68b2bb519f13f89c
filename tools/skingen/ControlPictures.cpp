#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "tools/skingen/SkinPainting.h"
#include "tools/skingen/SkinPictures.h"

namespace kestrovane {

namespace {

QColor withAlpha(QColor c, int alpha) {
  c.setAlpha(alpha);
  return c;
}

void paintChevron(QPainter& p, QPointF centre, bool up, const QColor& c) {
  const qreal d = up ? -1 : 1;
  QPainterPath path;
  path.moveTo(centre.x() - 4, centre.y() - 2 * d);
  path.lineTo(centre.x(), centre.y() + 2 * d);
  path.lineTo(centre.x() + 4, centre.y() - 2 * d);
  p.save();
  p.setPen(QPen(c, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  p.restore();
}

}  // namespace

QImage drawUnderline(const SkinStyle& s, int width, int state) {
  QImage img = newCanvas({width, 7});
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal w = width;
  switch (state) {
    case 1:
      paintFadingLine(p, 0, w, 3, withAlpha(s.borderLight, 170));
      break;
    case 2:
      paintFadingLine(p, 0, w, 1.5, withAlpha(s.tealLight, 60), 4);
      paintFadingLine(p, 0, w, 2.5, s.tealLight, 2);
      break;
    default:
      paintFadingLine(p, 0, w, 0.5, withAlpha(s.tealGlow, 55), 6);
      paintFadingLine(p, 0, w, 2, s.teal, 3);
      paintFadingLine(p, w * 0.1, w * 0.9, 3, s.tealGlow, 1);
      break;
  }
  return img;
}

QImage drawOption(const SkinStyle& s, int state) {
  QImage img = newCanvas({21, 21});
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF c(10.5, 10.5);
  const QColor ring = state == 1 ? s.borderLight : s.tealLight;
  const QColor fill = state == 1 ? s.shadow : QColor(12, 34, 37);
  p.setPen(QPen(ring, 1.5));
  p.setBrush(fill);
  p.drawEllipse(c, 8.5, 8.5);
  if (state == 2) {
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(s.tealLight, 90));
    p.drawEllipse(c, 3.0, 3.0);
  } else if (state == 3) {
    QRadialGradient g(c, 5.5, c - QPointF(1.2, 1.2));
    g.setColorAt(0, s.tealGlow);
    g.setColorAt(1, s.teal);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, 5.0, 5.0);
  }
  return img;
}

QImage drawReportOption(const SkinStyle& s, bool selected) {
  const QSize size(60, 24);
  QImage img = newCanvas(size);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const PanelShape shape{QRectF(QPointF(0, 0), size), 0, 4};
  if (selected) {
    paintPanel(p, shape, s.teal, s.teal.darker(130), s.tealLight);
    paintFadingLine(p, 4, 56, 1, withAlpha(s.tealGlow, 140));
  } else {
    paintPanel(p, shape, s.field, s.panel, s.border);
    paintFadingLine(p, 4, 56, 1, withAlpha(s.borderLight, 90));
  }
  return img;
}

QImage drawPushButton(const SkinStyle& s, QSize size, int state, ButtonMark mark) {
  QImage img = newCanvas(size);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r(QPointF(0, 0), size);
  const PanelShape shape{r, 0, qreal(s.buttonRadius)};
  const qreal w = size.width();
  switch (state) {
    case 1:
      paintPanel(p, shape, s.field, s.panel, s.borderLight.darker(115));
      paintFadingLine(p, 3, w - 3, 1, withAlpha(s.textBright, 40));
      break;
    case 2:
      paintPanel(p, shape, QColor(34, 58, 64), QColor(24, 38, 44), s.tealLight);
      paintFadingLine(p, 3, w - 3, 1, withAlpha(s.tealGlow, 90));
      break;
    default:
      // Pressed: dark on top, as if pushed in.
      paintPanel(p, shape, s.teal.darker(150), s.teal, s.tealGlow);
      break;
  }
  const qreal cy = size.height() / 2.0;
  switch (mark) {
    case ButtonMark::Record: {
      const QPointF c(12, cy);
      if (state == 3) {
        p.setPen(Qt::NoPen);
        p.setBrush(withAlpha(s.recordRed, 80));
        p.drawEllipse(c, 6.5, 6.5);
      }
      p.setPen(QPen(s.recordRed.darker(160), 1.0));
      p.setBrush(state == 1 ? s.recordRed.darker(115) : s.recordRed.lighter(115));
      p.drawEllipse(c, 4.0, 4.0);
      break;
    }
    case ButtonMark::Up:
    case ButtonMark::Down:
      paintChevron(p, QPointF(w - 11, cy), mark == ButtonMark::Up,
                   state == 1 ? s.textDim : s.textBright);
      break;
    case ButtonMark::None:
      break;
  }
  return img;
}

QImage drawDialogButton(const SkinStyle& s, QSize size) {
  QImage img = newCanvas(size);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  const PanelShape shape{QRectF(QPointF(0, 0), size), 0, 4};
  paintPanel(p, shape, s.teal, s.teal.darker(150), s.tealLight);
  paintFadingLine(p, 4, size.width() - 4, 1, withAlpha(s.tealGlow, 150));
  return img;
}

}  // namespace kestrovane
