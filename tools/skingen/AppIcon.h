#pragma once

#include <QImage>
#include <QList>

#include "tools/skingen/SkinStyle.h"

namespace kestrovane {

// The sizes of the program's icon in the hicolor theme, in pixels.
inline const QList<int> kAppIconSizes{16, 24, 32, 48, 64, 128, 256};

// Draws the program's icon, size x size pixels with alpha: a mouse in the
// skin's colours on a dark rounded tile, its wheel lit in the highlight.
QImage drawAppIcon(const SkinStyle& style, int size);

}  // namespace kestrovane
