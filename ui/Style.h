#pragma once

#include <QColor>
#include <QFont>

namespace kestrovane {

// The window's colour key: every pixel of this colour is see-through.
inline const QColor kMaroon{128, 0, 0};
// The background that shows when a label's transparency is turned off.
inline const QColor kTeal{0, 128, 128};
inline const QColor kTextWhite{255, 255, 255};
// Text of a disabled control.
inline const QColor kTextDisabled{120, 120, 120};

// "微软雅黑" (Microsoft YaHei), the font of commands, tabs and most labels;
// where it is missing (Linux) WenQuanYi Micro Hei draws the same characters.
QFont yaHeiFont(int pixelSize, bool bold = false);

// Arial, the font of the key labels and the menu rows, or a sans serif like it.
QFont arialFont(int pixelSize, bool bold = false);

}  // namespace kestrovane
