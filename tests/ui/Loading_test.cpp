#include "ui/Loading.h"

#include <QApplication>
#include <QImageReader>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

using kestrovane::TForm4;

class LoadingTest : public QObject {
  Q_OBJECT

 private slots:
  void isABorderlessNonModalWindowOfItsSize() {
    TForm4 w;
    QCOMPARE(w.size(), QSize(138, 164));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    const Qt::WindowFlags f = w.windowFlags();
    QVERIFY(f.testFlag(Qt::FramelessWindowHint));
    QVERIFY(f.testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(f.testFlag(Qt::WindowDoesNotAcceptFocus));
    QVERIFY(f.testFlag(Qt::WindowTransparentForInput));
    QCOMPARE(w.windowType(), Qt::Tool);
    // No title bar buttons of any kind.
    QVERIFY(!f.testFlag(Qt::WindowTitleHint));
    QVERIFY(!f.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(!f.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(w.testAttribute(Qt::WA_ShowWithoutActivating));
    QVERIFY(!w.testAttribute(Qt::WA_QuitOnClose));
    QVERIFY(!w.testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(!w.isModal());
    QVERIFY(w.findChildren<QLabel*>().size() == 1);
    QVERIFY(w.findChildren<QLabel*>().front()->text().isEmpty());
  }

  void isCentredWithTruncatedHalves() {
    TForm4 w;
    const QRect s = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(w.pos(), QPoint(s.x() + s.width() / 2 - 69, s.y() + s.height() / 2 - 82));
  }

  void showingItLeavesTheMainWindowUsable() {
    QWidget main;
    auto* button = new QPushButton("x", &main);
    int clicks = 0;
    connect(button, &QPushButton::clicked, [&] { ++clicks; });
    main.show();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    TForm4 w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // (The offscreen platform activates every window it shows, so whether
    // the main window stays active is up to the flags checked above.)
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    // The click goes through the window system, which drops input to
    // windows blocked by a modal one.
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicks, 1);
    // Hidden and shown again, it is the same window.
    w.hide();
    QVERIFY(!w.isVisible());
    w.show();
    QVERIFY(w.isVisible());
    // A close only hides it.
    QVERIFY(w.close());
    QVERIFY(!w.isVisible());
  }

  void runsTheLoopingAnimationOfTwelveFramesAt50Ms() {
    TForm4 w;
    QMovie* movie = w.WaitGif();
    QVERIFY(movie != nullptr);
    QVERIFY(movie->isValid());
    QCOMPARE(movie->state(), QMovie::Running);
    QCOMPARE(movie->frameCount(), 12);
    QCOMPARE(movie->loopCount(), -1);
    // The pace is the GIF's own: every frame asks for 50 ms. (The movie's
    // nextFrameDelay() is what is left of the running frame's time, less
    // on a busy machine.)
    QImageReader reader(movie->fileName());
    int frames = 0;
    for (QImage frame; reader.read(&frame); ++frames) QCOMPARE(reader.nextImageDelay(), 50);
    QCOMPARE(frames, 12);
    QCOMPARE(movie->currentImage().size(), QSize(126, 126));
    auto* label = w.findChild<QLabel*>();
    QCOMPARE(label->movie(), movie);
    QCOMPARE(label->size(), QSize(126, 126));
    // Stepping the animation changes the picture shown.
    const QImage first = movie->currentImage();
    QVERIFY(movie->jumpToNextFrame());
    QVERIFY(movie->currentImage() != first);
    // Hiding the window does not stop it.
    w.show();
    w.hide();
    QVERIFY(movie->state() != QMovie::NotRunning);
  }

  void maskCutsExactlyTheKeyColour() {
    TForm4 w;
    const QRegion mask = w.mask();
    QVERIFY(!mask.isEmpty());
    auto* label = w.findChild<QLabel*>();
    // The window's own margins around the animation are key colour: cut.
    for (QPoint p : {QPoint(0, 0), QPoint(137, 0), QPoint(0, 163), QPoint(137, 163), QPoint(69, 5),
                     QPoint(69, 158)}) {
      QVERIFY2(!mask.contains(p), qPrintable(QString("%1,%2").arg(p.x()).arg(p.y())));
    }
    // Inside the animation, a pixel stays exactly when some frame draws a
    // colour other than the key there.
    QMovie* movie = w.WaitGif();
    movie->stop();
    std::vector<QImage> frames;
    for (int i = 0; i < movie->frameCount(); ++i) {
      QVERIFY(movie->jumpToFrame(i));
      frames.push_back(movie->currentImage().convertToFormat(QImage::Format_RGB32));
    }
    const QRgb key = TForm4::kKeyColour.rgb();
    int kept = 0;
    for (int y = 0; y < 126; ++y) {
      for (int x = 0; x < 126; ++x) {
        bool drawn = false;
        for (const QImage& f : frames) drawn = drawn || f.pixel(x, y) != key;
        const QPoint at = label->pos() + QPoint(x, y);
        QVERIFY2(mask.contains(at) == drawn, qPrintable(QString("%1,%2").arg(x).arg(y)));
        kept += drawn;
      }
    }
    QVERIFY(kept > 500);
    QVERIFY(kept < 126 * 126 / 2);
  }

  void grabShowsTheKeyColourWhereTheMaskCuts() {
    TForm4 w;
    w.WaitGif()->stop();
    const QImage shot = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shot.size(), QSize(138, 164));
    const QRegion mask = w.mask();
    int cutChecked = 0;
    for (int y = 0; y < shot.height(); y += 3) {
      for (int x = 0; x < shot.width(); x += 3) {
        if (mask.contains(QPoint(x, y))) continue;
        QCOMPARE(QColor(shot.pixel(x, y)), TForm4::kKeyColour);
        ++cutChecked;
      }
    }
    QVERIFY(cutChecked > 1000);
  }
};

QTEST_MAIN(LoadingTest)
#include "Loading_test.moc"
