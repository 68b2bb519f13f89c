#pragma once

#include <QImage>
#include <QPainterPath>
#include <QRectF>

#include "tools/skingen/SkinStyle.h"

class QPainter;

namespace kestrovane {

// A transparent canvas to paint a picture on.
QImage newCanvas(QSize size);

// Turns a painted canvas into the picture that is saved: straight ARGB32;
// with binaryAlpha every pixel becomes fully opaque or fully transparent
// (for pictures whose transparent parts cut a window's outline, where a
// half-transparent pixel would show the window's key colour through); and
// no visible pixel keeps a key colour of the windows.
QImage finishPicture(const QImage& canvas, bool binaryAlpha);

// A rectangle with its corners cut at 45 degrees or rounded; inset(n)
// gives the same shape n pixels smaller on every side.
struct PanelShape {
  QRectF rect;
  qreal chamfer = 0;
  qreal radius = 0;

  QPainterPath path() const { return inset(0); }
  QPainterPath inset(qreal n) const;
};

// A panel: a 1 px border of the shape's outline (when border is valid) and a
// vertical gradient from top to bottom inside it.
void paintPanel(QPainter& p, const PanelShape& shape, const QColor& top, const QColor& bottom,
                const QColor& border);

// The fine diagonal hatching of panels, clipped to shape.
void paintTexture(QPainter& p, const QPainterPath& shape, const SkinStyle& s);

// A horizontal line of the given colour that fades out towards both ends.
void paintFadingLine(QPainter& p, qreal x0, qreal x1, qreal y, const QColor& c, qreal width = 1.0);

// Small L-shaped marks inside the four corners of r.
void paintCornerMarks(QPainter& p, const QRectF& r, const QColor& c, qreal length);

// A sunken slot (where a label or a button shows its text).
void paintSlot(QPainter& p, const QRectF& r, const SkinStyle& s);

}  // namespace kestrovane
