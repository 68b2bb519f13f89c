#include "tools/skingen/GifWriter.h"

#include <QBuffer>
#include <QImageReader>
#include <QMovie>
#include <QtTest>
#include <random>
#include <stdexcept>

using kestrovane::GifWriter;

namespace {

// Frames of `colours` distinct colours in a pattern that exercises the
// encoder: noise (short strings, the table fills and is cleared again),
// runs (long strings) or stripes.
enum class Pattern { Noise, Runs, Stripes };

QList<QImage> makeFrames(QSize size, int colours, int count, Pattern pattern, unsigned seed) {
  std::mt19937 rng(seed);
  QList<QImage> frames;
  for (int f = 0; f < count; ++f) {
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
      for (int x = 0; x < size.width(); ++x) {
        int i = 0;
        switch (pattern) {
          case Pattern::Noise:
            i = static_cast<int>(rng() % static_cast<unsigned>(colours));
            break;
          case Pattern::Runs:
            i = ((x + y * size.width()) / 97 + f) % colours;
            break;
          case Pattern::Stripes:
            i = (x + f) % colours;
            break;
        }
        // Distinct colours for every i, also beyond 255.
        img.setPixel(x, y, qRgb(i & 0xFF, 3 + (i >> 8) * 100, 255 - (i & 0xFF)));
      }
    }
    frames.append(img);
  }
  return frames;
}

QByteArray encode(const QList<QImage>& frames, int delayMs = 50, int loops = 0) {
  return GifWriter::encode(frames, delayMs, loops);
}

}  // namespace

class GifWriterTest : public QObject {
  Q_OBJECT

 private slots:
  void readsBackExactly_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("colours");
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("pattern");
    QTest::newRow("one pixel, one colour") << QSize(1, 1) << 1 << 1 << int(Pattern::Runs);
    QTest::newRow("two colours, stripes") << QSize(17, 5) << 2 << 3 << int(Pattern::Stripes);
    QTest::newRow("three colours, noise") << QSize(64, 64) << 3 << 2 << int(Pattern::Noise);
    QTest::newRow("five colours: 3-bit table") << QSize(31, 29) << 5 << 2 << int(Pattern::Noise);
    QTest::newRow("16 colours, long runs") << QSize(200, 150) << 16 << 2 << int(Pattern::Runs);
    QTest::newRow("one colour, huge run") << QSize(300, 300) << 1 << 2 << int(Pattern::Runs);
    QTest::newRow("256 colours, noise: table resets")
        << QSize(301, 203) << 256 << 2 << int(Pattern::Noise);
    QTest::newRow("4 colours, noise, odd size") << QSize(257, 129) << 4 << 3 << int(Pattern::Noise);
  }

  void readsBackExactly() {
    QFETCH(QSize, size);
    QFETCH(int, colours);
    QFETCH(int, frames);
    QFETCH(int, pattern);
    const QList<QImage> in = makeFrames(size, colours, frames, Pattern(pattern), 7u);
    QByteArray gif = encode(in);
    QVERIFY(gif.startsWith("GIF89a"));
    QCOMPARE(gif.back(), '\x3B');

    QBuffer buffer(&gif);
    QImageReader reader(&buffer, "gif");
    QCOMPARE(reader.size(), size);
    QCOMPARE(reader.imageCount(), frames);
    QCOMPARE(reader.loopCount(), -1);
    for (int f = 0; f < frames; ++f) {
      QImage out;
      QVERIFY2(reader.read(&out), qPrintable(reader.errorString()));
      QCOMPARE(reader.nextImageDelay(), 50);
      QCOMPARE(out.convertToFormat(QImage::Format_RGB32), in[f]);
    }
    QImage extra;
    QVERIFY(!reader.read(&extra));
  }

  void qMoviePlaysItForever() {
    QByteArray gif = encode(makeFrames({20, 20}, 6, 12, Pattern::Stripes, 1u));
    QBuffer buffer(&gif);
    QMovie movie(&buffer, "gif");
    QVERIFY(movie.isValid());
    QCOMPARE(movie.frameCount(), 12);
    QCOMPARE(movie.loopCount(), -1);
    // The delay as the GIF states it (the movie's nextFrameDelay() takes off
    // the time the frame took to decode, which grows on a busy machine).
    QImageReader reader(&buffer, "gif");
    QImage frame;
    QVERIFY(reader.read(&frame));
    QCOMPARE(reader.nextImageDelay(), 50);
  }

  void keepsDelayAndLoopCount() {
    QByteArray gif = encode(makeFrames({8, 8}, 2, 2, Pattern::Stripes, 1u), 120, 3);
    QBuffer buffer(&gif);
    QImageReader reader(&buffer, "gif");
    QCOMPARE(reader.loopCount(), 3);
    QImage out;
    QVERIFY(reader.read(&out));
    QCOMPARE(reader.nextImageDelay(), 120);
  }

  void ignoresAlpha() {
    QImage img(4, 4, QImage::Format_ARGB32);
    img.fill(qRgba(10, 20, 30, 0));
    QByteArray gif = encode({img});
    QBuffer buffer(&gif);
    QImageReader reader(&buffer, "gif");
    QImage out;
    QVERIFY(reader.read(&out));
    QCOMPARE(out.pixel(2, 2), qRgb(10, 20, 30));
  }

  void refusesWhatItCannotEncode() {
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, encode({}));
    QVERIFY_THROWS_EXCEPTION(
        std::invalid_argument,
        encode({QImage(4, 4, QImage::Format_RGB32).copy(), QImage(5, 4, QImage::Format_RGB32)}));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                             encode(makeFrames({257, 1}, 257, 1, Pattern::Stripes, 1u)));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                             encode(makeFrames({2, 2}, 2, 1, Pattern::Stripes, 1u), -10));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, GifWriter::compress({4}, 2));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, GifWriter::compress({0}, 1));
  }
};

QTEST_MAIN(GifWriterTest)
#include "GifWriter_test.moc"
