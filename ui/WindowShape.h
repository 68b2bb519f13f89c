#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>

class QWidget;

namespace kestrovane {

// Where a window of this size stands centred on a screen with this geometry
// in desktop coordinates: left = screen left + screen width div 2 - window
// width div 2, and likewise for the top, with integer halving.
QPoint centredTopLeft(const QRect& screen, QSize window);

// The part of the window that stays visible under colour keying: everything
// the window draws, minus every pixel of the key colour. Where a picture is
// transparent the window's own colour (the key) shows, so those pixels go too.
QRegion colourKeyRegion(QWidget* window, const QColor& key);

}  // namespace kestrovane
