#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <array>

#include "tools/skingen/SkinPictures.h"

namespace kestrovane {

namespace {

constexpr qreal kWidth = 196;
constexpr qreal kHeight = 374;
constexpr qreal kMid = kWidth / 2;

QColor withAlpha(QColor c, int alpha) {
  c.setAlpha(alpha);
  return c;
}

// The right half of the outline, front to rear, mirrored for the left.
QPainterPath bodyOutline() {
  QPainterPath right;
  right.moveTo(kMid, 0);
  right.cubicTo(146, 0, 174, 22, 178, 70);
  right.cubicTo(182, 120, 172, 160, 180, 205);
  right.cubicTo(190, 255, 196, 300, 184, 336);
  right.cubicTo(170, 372, 126, 374, kMid, 374);
  QPainterPath body;
  body.moveTo(kMid, 0);
  for (int i = 1; i < right.elementCount(); i += 3) {
    body.cubicTo(right.elementAt(i), right.elementAt(i + 1), right.elementAt(i + 2));
  }
  // Mirror: walk the same curves back on the left side.
  for (int i = right.elementCount() - 1; i >= 3; i -= 3) {
    const auto m = [&](int k) {
      return QPointF(kWidth - right.elementAt(k).x, right.elementAt(k).y);
    };
    body.cubicTo(m(i - 1), m(i - 2), m(i - 3));
  }
  body.closeSubpath();
  return body;
}

// Where the two main buttons end towards the palm.
QPainterPath buttonSeam(bool left) {
  const qreal sx = left ? 1 : -1;
  const qreal x0 = left ? 0 : kWidth;
  QPainterPath seam;
  seam.moveTo(x0 - sx * 8, 168);
  seam.cubicTo(x0 + sx * 40, 150, x0 + sx * 70, 140, kMid - sx * 14, 136);
  seam.lineTo(kMid - sx * 14, 14);
  return seam;
}

struct Callout {
  int number;
  QPointF anchor;  // on the part
  QPointF badge;   // where the number stands
};

// The numbers are the rows of the button page: left, right and middle
// button, DPI, double click, browser key, page up, page down.
constexpr std::array<Callout, 8> kCallouts{{
    {1, {48, 64}, {-62, 28}},
    {2, {148, 64}, {258, 28}},
    {3, {98, 60}, {258, 80}},
    {4, {98, 116}, {258, 128}},
    {5, {19, 80}, {-62, 96}},
    {6, {98, 166}, {258, 176}},
    {7, {4, 196}, {-62, 184}},
    {8, {4, 238}, {-62, 246}},
}};

void paintCallouts(QPainter& p, const SkinStyle& s) {
  QFont f("DejaVu Sans");
  f.setPixelSize(11);
  f.setBold(true);
  p.setFont(f);
  for (const Callout& c : kCallouts) {
    const bool leftSide = c.badge.x() < kMid;
    const qreal elbowX = leftSide ? std::min(c.anchor.x() - 16, c.badge.x() + 40)
                                  : std::max(c.anchor.x() + 16, c.badge.x() - 40);
    QPainterPath lead;
    lead.moveTo(c.badge + QPointF(leftSide ? 11 : -11, 0));
    lead.lineTo(elbowX, c.badge.y());
    lead.lineTo(c.anchor);
    p.setPen(QPen(withAlpha(s.tealLight, 170), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(lead);
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(s.tealGlow, 90));
    p.drawEllipse(c.anchor, 4.0, 4.0);
    p.setBrush(s.tealGlow);
    p.drawEllipse(c.anchor, 2.0, 2.0);
    p.setPen(QPen(s.teal, 1.5));
    p.setBrush(s.window);
    p.drawEllipse(c.badge, 10.0, 10.0);
    p.setPen(s.textBright);
    p.drawText(QRectF(c.badge.x() - 10, c.badge.y() - 10, 20, 20), Qt::AlignCenter,
               QString::number(c.number));
  }
}

void paintSmallButton(QPainter& p, const QRectF& r, qreal radius, const SkinStyle& s,
                      const QColor& edge) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, s.mouseEdge.darker(110));
  g.setColorAt(1, s.mouseBodyDark);
  p.setPen(QPen(edge, 1.2));
  p.setBrush(g);
  p.drawRoundedRect(r, radius, radius);
}

}  // namespace

void paintMouseIllustration(QPainter& p, const QRectF& area, const SkinStyle& s) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(area.center().x() - kMid, area.top() + (area.height() - kHeight) / 2);
  const QPainterPath body = bodyOutline();

  // Shadow on the desk.
  for (int i = 0; i < 6; ++i) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 22));
    p.drawPath(body.translated(0, 4 + i * 1.5));
  }

  // Side buttons first: they stand out of the left flank.
  paintSmallButton(p, QRectF(-5, 180, 16, 34), 7, s, s.borderLight);
  paintSmallButton(p, QRectF(-5, 221, 16, 34), 7, s, s.borderLight);

  QLinearGradient shell(0, 0, kWidth, kHeight);
  shell.setColorAt(0, s.mouseBody.lighter(125));
  shell.setColorAt(0.55, s.mouseBody);
  shell.setColorAt(1, s.mouseBodyDark);
  p.setPen(QPen(s.mouseEdge, 1.6));
  p.setBrush(shell);
  p.drawPath(body);

  // Sheen on the palm.
  p.save();
  p.setClipPath(body);
  QRadialGradient sheen(QPointF(70, 230), 110);
  sheen.setColorAt(0, QColor(255, 255, 255, 28));
  sheen.setColorAt(1, QColor(255, 255, 255, 0));
  p.fillRect(QRectF(0, 0, kWidth, kHeight), sheen);
  // The two button seams and the wheel channel.
  p.setBrush(Qt::NoBrush);
  for (bool left : {true, false}) {
    p.setPen(QPen(s.shadow, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(buttonSeam(left));
    p.setPen(QPen(withAlpha(s.mouseEdge, 120), 1.0));
    p.drawPath(buttonSeam(left).translated(0, 1.5));
  }
  p.restore();

  const QRectF channel(kMid - 13, 28, 26, 110);
  p.setPen(QPen(s.shadow, 1.0));
  p.setBrush(s.mouseBodyDark);
  p.drawRoundedRect(channel, 10, 10);

  // Wheel with ridges and a teal glow.
  const QRectF wheel(kMid - 9, 38, 18, 50);
  p.setPen(Qt::NoPen);
  p.setBrush(withAlpha(s.tealGlow, 50));
  p.drawRoundedRect(wheel.adjusted(-4, -4, 4, 4), 11, 11);
  QLinearGradient wg(wheel.topLeft(), wheel.topRight());
  wg.setColorAt(0, s.mouseBodyDark);
  wg.setColorAt(0.5, s.mouseEdge.lighter(120));
  wg.setColorAt(1, s.mouseBodyDark);
  p.setPen(QPen(s.teal, 1.2));
  p.setBrush(wg);
  p.drawRoundedRect(wheel, 8, 8);
  p.setPen(QPen(withAlpha(s.shadow, 200), 1.0));
  for (qreal y = wheel.top() + 6; y < wheel.bottom() - 4; y += 4) {
    p.drawLine(QPointF(wheel.left() + 3, y), QPointF(wheel.right() - 3, y));
  }

  // DPI button with its three level lights, then the browser key.
  paintSmallButton(p, QRectF(kMid - 8, 104, 16, 24), 4, s, s.teal);
  for (int i = 0; i < 3; ++i) {
    p.setPen(Qt::NoPen);
    p.setBrush(i < 2 ? s.tealGlow : s.tealDark);
    p.drawEllipse(QPointF(kMid - 5 + i * 5, 134), 1.6, 1.6);
  }
  paintSmallButton(p, QRectF(kMid - 8, 156, 16, 20), 8, s, s.borderLight);
  p.setPen(QPen(s.textDim, 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(kMid, 166), 4.0, 4.0);
  p.drawLine(QPointF(kMid - 4, 166), QPointF(kMid + 4, 166));

  // Double-click key on the outer edge of the left button.
  p.save();
  p.translate(19, 80);
  p.rotate(-6);
  paintSmallButton(p, QRectF(-6, -20, 12, 40), 6, s, s.tealLight);
  p.restore();

  // Light strips along the flanks and the emblem on the palm.
  for (bool left : {true, false}) {
    QPainterPath strip;
    const qreal sx = left ? 1 : -1;
    const qreal x0 = left ? 0 : kWidth;
    strip.moveTo(x0 + sx * 14, left ? 268 : 214);
    strip.cubicTo(x0 + sx * 8, 290, x0 + sx * 10, 318, x0 + sx * 28, 342);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(withAlpha(s.tealGlow, 60), 7, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(strip);
    p.setPen(QPen(s.tealGlow, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(strip);
  }
  QPainterPath mark;
  mark.moveTo(kMid - 22, 282);
  mark.lineTo(kMid, 298);
  mark.lineTo(kMid + 22, 282);
  mark.lineTo(kMid + 17, 296);
  mark.lineTo(kMid, 308);
  mark.lineTo(kMid - 17, 296);
  mark.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(withAlpha(s.teal, 210));
  p.drawPath(mark);

  paintCallouts(p, s);
  p.restore();
}

}  // namespace kestrovane
