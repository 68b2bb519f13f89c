#include "tools/skingen/LoadingAnimation.h"

#include <QImageReader>
#include <QtMath>
#include <QtTest>

using kestrovane::SkinStyle;

namespace {

const QRgb kKey = qRgb(192, 220, 192);
const QString kShipped = QStringLiteral(KESTROVANE_SOURCE_DIR "/resources/WaitGif.gif");

QList<QImage> shippedFrames(QList<int>* delays = nullptr, int* loops = nullptr) {
  QImageReader reader(kShipped);
  if (loops) *loops = reader.loopCount();
  QList<QImage> frames;
  QImage frame;
  while (reader.read(&frame)) {
    frames.append(frame.convertToFormat(QImage::Format_RGB32));
    if (delays) delays->append(reader.nextImageDelay());
  }
  return frames;
}

// The angle of the white head around the centre, clockwise from the top.
double headAngle(const QImage& f) {
  double sx = 0;
  double sy = 0;
  int n = 0;
  for (int y = 0; y < f.height(); ++y) {
    for (int x = 0; x < f.width(); ++x) {
      if (f.pixel(x, y) == qRgb(255, 255, 255)) {
        sx += x - f.width() / 2.0;
        sy += y - f.height() / 2.0;
        ++n;
      }
    }
  }
  if (n == 0) return -1;
  double deg = qRadiansToDegrees(std::atan2(sx, -sy));
  return deg < 0 ? deg + 360 : deg;
}

}  // namespace

class LoadingAnimationTest : public QObject {
  Q_OBJECT

 private slots:
  void isALoopOfTwelve126PixelFramesAt50Ms() {
    QList<int> delays;
    int loops = 0;
    const QList<QImage> frames = shippedFrames(&delays, &loops);
    QCOMPARE(frames.size(), 12);
    QCOMPARE(loops, -1);
    for (int i = 0; i < frames.size(); ++i) {
      QCOMPARE(frames[i].size(), QSize(126, 126));
      QCOMPARE(delays[i], 50);
    }
  }

  void drawsOnlyWhiteGreysAndBlueOnTheKeyColour() {
    for (const QImage& f : shippedFrames()) {
      QCOMPARE(f.pixel(0, 0), kKey);
      QCOMPARE(f.pixel(125, 125), kKey);
      QCOMPARE(f.pixel(63, 63), kKey);  // the hub stays open
      for (int y = 0; y < f.height(); ++y) {
        for (int x = 0; x < f.width(); ++x) {
          const QColor c(f.pixel(x, y));
          if (c.rgb() == kKey) continue;
          const bool grey = c.red() == c.green() && c.green() == c.blue();
          const bool blue = c.blue() > c.red() && c.blue() >= c.green();
          QVERIFY2(grey || blue, qPrintable(c.name()));
        }
      }
    }
  }

  // The window cuts one mask for all frames: each frame must cover the same
  // pixels, or parts of the spinner would vanish or key colour would show.
  void everyFrameCoversTheSamePixels() {
    const QList<QImage> frames = shippedFrames();
    QVERIFY(!frames.isEmpty());
    const QImage& first = frames.front();
    int covered = 0;
    for (int y = 0; y < first.height(); ++y) {
      for (int x = 0; x < first.width(); ++x) {
        const bool c0 = first.pixel(x, y) != kKey;
        covered += c0;
        for (const QImage& f : frames) QCOMPARE(f.pixel(x, y) != kKey, c0);
      }
    }
    QVERIFY(covered > 1000);
  }

  void theHeadWalksClockwiseOneSpokePerFrame() {
    const QList<QImage> frames = shippedFrames();
    QCOMPARE(frames.size(), 12);
    const double start = headAngle(frames[0]);
    QVERIFY(start >= 0);
    for (int i = 0; i < frames.size(); ++i) {
      const double expected = std::fmod(start + 30.0 * i, 360.0);
      double diff = std::fabs(headAngle(frames[i]) - expected);
      diff = std::min(diff, 360 - diff);
      QVERIFY2(diff < 2.0, qPrintable(QString("frame %1: %2").arg(i).arg(diff)));
    }
  }

  void shippedFileIsWhatTheGeneratorDraws() {
    const QList<QImage> drawn = kestrovane::drawLoadingFrames(SkinStyle());
    const QList<QImage> shipped = shippedFrames();
    QCOMPARE(shipped.size(), drawn.size());
    for (int i = 0; i < drawn.size(); ++i) {
      QVERIFY2(shipped[i] == drawn[i].convertToFormat(QImage::Format_RGB32),
               "resources/WaitGif.gif is stale: run tools/skingen/redraw.sh");
    }
  }
};

QTEST_MAIN(LoadingAnimationTest)
#include "LoadingAnimation_test.moc"
