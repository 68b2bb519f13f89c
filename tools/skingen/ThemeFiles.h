#pragma once

#include <QString>

#include "tools/skingen/SkinStyle.h"

namespace kestrovane {

// The theme files are Qt style sheets; the program sets a file's text as the
// style sheet of every track bar of its family.

// "ZQK_A.sui": the horizontal track bars of the pages.
QString trackBarTheme(const SkinStyle& s);

// "ZQK_B.sui": the vertical indicator bars of the function menu, 18 px wide.
// Position 0 stands at the top, level with the first row; a bar placed at
// the first row's top with a height of 24 x rows - 1 puts its handle exactly
// on the row it indicates.
QString indicatorTheme(const SkinStyle& s);

}  // namespace kestrovane
