#include "ui/Style.h"

#include <QStringList>

namespace kestrovane {

namespace {

QFont makeFont(const QStringList& families, int pixelSize, bool bold) {
  QFont font;
  font.setFamilies(families);
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

}  // namespace

QFont yaHeiFont(int pixelSize, bool bold) {
  return makeFont({QStringLiteral("Microsoft YaHei"), QStringLiteral("微软雅黑"),
                   QStringLiteral("WenQuanYi Micro Hei")},
                  pixelSize, bold);
}

QFont arialFont(int pixelSize, bool bold) {
  return makeFont({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                   QStringLiteral("DejaVu Sans"), QStringLiteral("WenQuanYi Micro Hei")},
                  pixelSize, bold);
}

}  // namespace kestrovane
