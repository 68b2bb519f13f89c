#pragma once

#include <QImage>
#include <QList>

#include "tools/skingen/SkinStyle.h"

namespace kestrovane {

// The frames of the loading animation: a spinner of spokes whose white head
// walks clockwise, blue and then grey behind it, on the loading window's key
// colour. Every spoke covers the same pixels in every frame, so one window
// mask fits the whole animation; spoke edges are hard (no pixel blends with
// the key colour, which would leave a green fringe on screen).
QList<QImage> drawLoadingFrames(const SkinStyle& s);

}  // namespace kestrovane
