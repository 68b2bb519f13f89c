#pragma once

#include <QImage>
#include <QList>
#include <QString>

#include "tools/skingen/SkinStyle.h"

namespace kestrovane {

struct SkinPicture {
  QString name;  // the file name without ".png", case as the program looks it up
  QImage image;
};

// Draws every picture of the default skin set, finished for saving.
QList<SkinPicture> drawSkinSet(const SkinStyle& s);

// The dialogs' built-in pictures, compiled into the program (ui/builtin/):
// "other", "mode_conf_base" and "btn_base_1" at their design sizes, drawn as
// the default skin draws them, so that a program without its skin folder
// still shows finished dialogs.
QList<SkinPicture> drawDialogPictures(const SkinStyle& s);

// The macro editor's three 24 x 24 row icons, compiled into the program:
// "row_delay" (a clock), "row_press" (a key going down) and "row_release"
// (a key coming up).
QList<SkinPicture> drawRowIcons(const SkinStyle& s);

}  // namespace kestrovane
