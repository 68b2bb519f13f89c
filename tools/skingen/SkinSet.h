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

}  // namespace kestrovane
