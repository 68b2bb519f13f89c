#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "tools/skingen/SkinLayout.h"
#include "tools/skingen/SkinPainting.h"
#include "tools/skingen/SkinPictures.h"

namespace kestrovane {

namespace {

QColor withAlpha(QColor c, int alpha) {
  c.setAlpha(alpha);
  return c;
}

// A kestrel's swept wings over a diamond, about 36 x 26.
void paintEmblem(QPainter& p, QPointF origin, const SkinStyle& s) {
  p.save();
  p.translate(origin);
  QPainterPath wings;
  wings.moveTo(0, 2);
  wings.lineTo(18, 14);
  wings.lineTo(36, 2);
  wings.lineTo(30, 14);
  wings.lineTo(18, 22);
  wings.lineTo(6, 14);
  wings.closeSubpath();
  QLinearGradient g(0, 0, 0, 22);
  g.setColorAt(0, s.tealGlow);
  g.setColorAt(1, s.teal);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawPath(wings);
  QPainterPath eye;
  eye.moveTo(18, 0);
  eye.lineTo(22, 5);
  eye.lineTo(18, 10);
  eye.lineTo(14, 5);
  eye.closeSubpath();
  p.setBrush(s.textBright);
  p.drawPath(eye);
  p.restore();
}

void paintTitleBar(QPainter& p, const QPainterPath& body, const SkinStyle& s) {
  p.save();
  p.setClipPath(body);
  QLinearGradient g(0, s.bodyTop, 0, 88);
  g.setColorAt(0, s.panelRaised);
  g.setColorAt(1, s.window);
  p.fillRect(QRectF(0, s.bodyTop, layout::kBasemap.width(), 88 - s.bodyTop), g);
  p.restore();
  paintFadingLine(p, s.bodyLeft + 10, s.bodyRight - 10, 88, withAlpha(s.teal, 220));
  paintFadingLine(p, s.bodyLeft + 120, s.bodyRight - 120, 89, withAlpha(s.tealGlow, 60));

  paintEmblem(p, QPointF(34, 46), s);
  QFont f("DejaVu Sans");
  f.setPixelSize(16);
  f.setBold(true);
  f.setLetterSpacing(QFont::AbsoluteSpacing, 4);
  p.setFont(f);
  p.setPen(s.textBright);
  p.drawText(QPointF(82, 65), "KESTROVANE");
  QFont small("DejaVu Sans");
  small.setPixelSize(10);
  small.setLetterSpacing(QFont::AbsoluteSpacing, 3);
  p.setFont(small);
  p.setPen(s.textDim);
  p.drawText(QPointF(84, 79), "CONFIGURATION");

  // Slots under the "-" and "X" panels.
  for (QRect r : {layout::kMinimize, layout::kClose}) {
    paintSlot(p, QRectF(r).adjusted(-2, -2, 2, 2), s);
  }
}

void paintTabStrip(QPainter& p, const SkinStyle& s) {
  using namespace layout;
  const QRectF strip(kPageArea.left() - 3, kTabTop, kPageArea.width() + 6, kTabHeight);
  paintPanel(p, PanelShape{strip, 0, 0}, s.panelRaised, s.window, s.rule);
  // Separators in the gaps between the tabs.
  for (std::size_t i = 1; i < kTabLeft.size(); ++i) {
    const qreal x = (kTabLeft[i - 1] + kTabWidth[i - 1] + kTabLeft[i]) / 2.0 - 0.5;
    QLinearGradient g(0, kTabTop + 6, 0, kTabTop + kTabHeight - 6);
    g.setColorAt(0, withAlpha(s.border, 0));
    g.setColorAt(0.5, s.borderLight);
    g.setColorAt(1, withAlpha(s.border, 0));
    p.fillRect(QRectF(x, kTabTop + 6, 1, kTabHeight - 12), g);
  }
}

void paintPageFrame(QPainter& p, const SkinStyle& s) {
  using namespace layout;
  const QRectF frame = QRectF(kPageArea).adjusted(-3, -3, 3, 3);
  paintPanel(p, PanelShape{frame, 0, 0}, s.shadow, s.shadow, s.rule);
  p.fillRect(QRectF(kPageArea), s.panel);
}

void paintCommandBar(QPainter& p, const SkinStyle& s) {
  using namespace layout;
  const QRectF bar(kPageArea.left() - 3, kCommandTop - 6, kPageArea.width() + 6,
                   kCommandHeight + 12);
  paintPanel(p, PanelShape{bar, 6, 0}, s.panelRaised, s.window, s.rule);
  for (std::size_t i = 0; i < kCommandLeft.size(); ++i) {
    const QRectF r = QRectF(commandRect(i)).adjusted(-1, 1, 1, -1);
    paintPanel(p, PanelShape{r, 0, 4}, s.field, s.panel, s.border);
    paintFadingLine(p, r.left() + 4, r.right() - 4, r.top() + 1, withAlpha(s.textBright, 35));
  }
  // A row of small marks fills the bar right of the commands.
  const QRect last = commandRect(kCommandLeft.size() - 1);
  for (int i = 0; i < 6; ++i) {
    p.fillRect(QRectF(last.right() + 22 + i * 10, kCommandTop + 16, 6, 6),
               withAlpha(s.teal, 60 + i * 30));
  }
}

void paintIllustrationGround(QPainter& p, const SkinStyle& s) {
  const QRectF area(s.bodyLeft + 10, layout::kTabTop, layout::kIllustrationRight - 8 - 20,
                    s.bodyBottom - 14 - layout::kTabTop);
  const PanelShape shape{area, 14, 0};
  paintPanel(p, shape, s.window, s.shadow, s.rule);
  p.save();
  p.setClipPath(shape.inset(1));
  QRadialGradient spot(QPointF(area.center().x(), area.center().y() + 20), area.height() * 0.55);
  spot.setColorAt(0, withAlpha(s.tealDark, 110));
  spot.setColorAt(0.6, withAlpha(s.tealDark, 30));
  spot.setColorAt(1, withAlpha(s.tealDark, 0));
  p.fillRect(area, spot);
  p.restore();
  paintTexture(p, shape.inset(1), s);
  paintCornerMarks(p, area.adjusted(5, 5, -5, -5), withAlpha(s.teal, 120), 10);
  paintMouseIllustration(p, area.adjusted(0, 34, 0, -8), s);
}

}  // namespace

QImage drawBasemap(const SkinStyle& s) {
  QImage img = newCanvas(layout::kBasemap);
  QPainter p(&img);
  const PanelShape body{
      QRectF(s.bodyLeft, s.bodyTop, s.bodyRight - s.bodyLeft, s.bodyBottom - s.bodyTop),
      qreal(s.bodyChamfer), 0};
  // The outline is filled without antialiasing: it is the window's edge.
  paintPanel(p, body, s.window, s.shadow, s.tealDark);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.save();
  p.setClipPath(body.inset(1));
  p.setPen(QPen(withAlpha(s.teal, 120), 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawPath(body.inset(3.5));
  p.restore();
  paintTexture(p, body.inset(1), s);
  paintTitleBar(p, body.inset(1), s);
  paintIllustrationGround(p, s);
  paintTabStrip(p, s);
  paintPageFrame(p, s);
  paintCommandBar(p, s);
  return img;
}

}  // namespace kestrovane
