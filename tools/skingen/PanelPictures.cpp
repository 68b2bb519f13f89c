#include <QPainter>

#include "tools/skingen/SkinLayout.h"
#include "tools/skingen/SkinPainting.h"
#include "tools/skingen/SkinPictures.h"

namespace kestrovane {

namespace {

QColor withAlpha(QColor c, int alpha) {
  c.setAlpha(alpha);
  return c;
}

// The common ground of the five pages: no control positions assumed.
void paintPageGround(QPainter& p, QSize size, const SkinStyle& s) {
  const QRectF r(QPointF(0, 0), size);
  const PanelShape shape{r, 0, 0};
  paintPanel(p, shape, s.panelRaised, s.panel, s.rule);
  paintTexture(p, shape.inset(1), s);
  paintFadingLine(p, 0, r.width(), 1, withAlpha(s.teal, 200));
  paintCornerMarks(p, r.adjusted(4, 5, -4, -4), withAlpha(s.teal, 110), 9);
}

}  // namespace

QImage drawPageBase(const SkinStyle& s, QSize size) {
  QImage img = newCanvas(size);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  paintPageGround(p, size, s);
  return img;
}

QImage drawButtonPage(const SkinStyle& s, QSize size) {
  using namespace layout;
  QImage img = newCanvas(size);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  paintPageGround(p, size, s);

  // The eight rows: a number badge under the row number, a slot one pixel
  // larger than the key label (so its teal highlight fills the slot), and a
  // dotted lead between them.
  const int rowsTop = kRowTop.front() - 10;
  const int rowsBottom = kRowTop.back() + kKeyLabelHeight + 10;
  const PanelShape group{
      QRectF(40, rowsTop, kKeyLabelLeft + kKeyLabelWidth + 10 - 40, rowsBottom - rowsTop), 6, 0};
  paintPanel(p, group, withAlpha(s.window, 150), withAlpha(s.window, 110),
             withAlpha(s.border, 160));
  for (std::size_t row = 0; row < kRowTop.size(); ++row) {
    const QRectF key = QRectF(keyLabelRect(row)).adjusted(-1, -1, 1, 1);
    const QRectF badge(kRowNumberLeft - 7, key.top(), 22, key.height());
    paintPanel(p, PanelShape{badge, 0, 3}, s.field, s.panel, withAlpha(s.teal, 170));
    paintSlot(p, key, s);
    p.setPen(QPen(withAlpha(s.borderLight, 150), 1.0, Qt::DotLine));
    const qreal y = key.center().y() + 0.5;
    p.drawLine(QPointF(badge.right() + 3, y), QPointF(key.left() - 3, y));
  }

  paintFadingLine(p, 40, kModePanelLeft.back() + kModePanel.width() + 20, kModePanelTop - 18,
                  withAlpha(s.borderLight, 130));

  // The five mode panels side by side: one strip, cells split by rules.
  const QRectF strip(kModePanelLeft.front() - 1, kModePanelTop - 1,
                     kModePanelLeft.back() + kModePanel.width() - kModePanelLeft.front() + 2,
                     kModePanel.height() + 2);
  paintPanel(p, PanelShape{strip, 4, 0}, s.field, s.shadow, s.border);
  p.setPen(QPen(s.rule, 1.0));
  for (std::size_t i = 1; i < kModePanelLeft.size(); ++i) {
    const qreal x = kModePanelLeft[i] - 0.5;
    p.drawLine(QPointF(x, strip.top() + 5), QPointF(x, strip.bottom() - 5));
  }
  return img;
}

QImage drawMenu(const SkinStyle& s, QSize size, int rows) {
  using namespace layout;
  QImage img = newCanvas(size);
  QPainter p(&img);
  const QRectF r(QPointF(0, 0), size);
  paintPanel(p, PanelShape{r, 0, 0}, s.window, s.shadow, s.teal);

  // The row-number gutter and the channel of the indicator bar.
  const qreal w = size.width();
  p.fillRect(QRectF(1, 1, 19, r.height() - 2), withAlpha(s.panelRaised, 200));
  p.fillRect(QRectF(w - kMenuIndicatorWidth - 1, 1, kMenuIndicatorWidth, r.height() - 2), s.shadow);
  p.fillRect(QRectF(w - kMenuIndicatorWidth - 2, 1, 1, r.height() - 2), s.rule);

  // Separators in the pixel line between two rows.
  for (int row = 1; row < rows; ++row) {
    const int y = kMenuFirstRow + row * kMenuRowPitch - 1;
    p.fillRect(QRectF(4, y, w - kMenuIndicatorWidth - 8, 1), s.rule);
  }
  return img;
}

QImage drawDialogBase(const SkinStyle& s, QSize size) {
  QImage img = newCanvas(size);
  QPainter p(&img);
  const QRectF r(QPointF(0, 0), size);
  const PanelShape shape{r, qreal(s.dialogChamfer), 0};
  // The outline is filled without antialiasing: it becomes the window's edge.
  paintPanel(p, shape, s.panelRaised, s.window, s.teal);
  p.setRenderHint(QPainter::Antialiasing);
  paintTexture(p, shape.inset(1), s);
  p.save();
  p.setClipPath(shape.inset(1));
  p.fillRect(QRectF(0, 1, r.width(), 30), withAlpha(s.textBright, 8));
  p.restore();
  paintFadingLine(p, 10, r.width() - 10, 31, withAlpha(s.teal, 210));
  paintFadingLine(p, 30, r.width() - 30, r.height() - 5, withAlpha(s.teal, 120));
  return img;
}

}  // namespace kestrovane
