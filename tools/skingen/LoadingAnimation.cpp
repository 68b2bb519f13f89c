#include "tools/skingen/LoadingAnimation.h"

#include <QPainter>
#include <QtMath>
#include <vector>

namespace kestrovane {

namespace {

// The colour of a spoke `age` steps behind the head.
QColor spokeColour(const SkinStyle& s, int age, int spokes) {
  switch (age) {
    case 0:
      return s.spokeHead;
    case 1:
      return s.spokeBlue1;
    case 2:
      return s.spokeBlue2;
    case 3:
      return s.spokeBlue3;
    default: {
      const int greys = spokes - 4;
      const int step = age - 4;
      const int v = greys <= 1 ? s.spokeGreyBright
                               : s.spokeGreyBright -
                                     (s.spokeGreyBright - s.spokeGreyDim) * step / (greys - 1);
      return QColor(v, v, v);
    }
  }
}

}  // namespace

QList<QImage> drawLoadingFrames(const SkinStyle& s) {
  const int n = s.spinnerFrames;
  const QSize size(s.spinnerSize, s.spinnerSize);
  const QPointF centre(size.width() / 2.0, size.height() / 2.0);

  // Which spoke covers each pixel (-1: none), from an antialiased drawing
  // cut at half coverage.
  std::vector<int> owner(static_cast<std::size_t>(size.width() * size.height()), -1);
  for (int spoke = 0; spoke < n; ++spoke) {
    QImage cover(size, QImage::Format_ARGB32_Premultiplied);
    cover.fill(Qt::transparent);
    QPainter p(&cover);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal angle = 2 * M_PI * spoke / n;
    const QPointF dir(qSin(angle), -qCos(angle));
    const qreal half = s.spokeWidth / 2;
    p.setPen(QPen(Qt::black, s.spokeWidth, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre + dir * (s.spokeInner + half), centre + dir * (s.spokeOuter - half));
    p.end();
    for (int y = 0; y < size.height(); ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(cover.constScanLine(y));
      for (int x = 0; x < size.width(); ++x) {
        auto& o = owner[static_cast<std::size_t>(y * size.width() + x)];
        if (qAlpha(line[x]) >= 128 && o < 0) o = spoke;
      }
    }
  }

  QList<QImage> frames;
  for (int frame = 0; frame < n; ++frame) {
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
      for (int x = 0; x < size.width(); ++x) {
        const int spoke = owner[static_cast<std::size_t>(y * size.width() + x)];
        // The head moves one spoke clockwise per frame.
        line[x] =
            spoke < 0 ? kDialogKey.rgb() : spokeColour(s, ((frame - spoke) % n + n) % n, n).rgb();
      }
    }
    frames.append(img);
  }
  return frames;
}

}  // namespace kestrovane
