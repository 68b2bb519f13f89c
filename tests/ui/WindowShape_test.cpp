#include "ui/WindowShape.h"

#include <QTest>

#include "ui/ImageControl.h"
#include "ui/Style.h"

namespace kestrovane::test {

class WindowShapeTest : public QObject {
  Q_OBJECT

 private slots:
  // The window stands on the screen it is centred on, wherever that screen
  // lies in desktop coordinates.
  void centringHalvesScreenAndWindowSeparately() {
    struct Case {
      QRect screen;
      QPoint topLeft;
    };
    const Case cases[] = {
        {{0, 0, 1920, 1080}, {510, 200}},
        {{0, 0, 1366, 768}, {233, 44}},
        {{0, 0, 1365, 767}, {232, 43}},        // each half truncated on its own
        {{0, 0, 800, 600}, {-50, -40}},        // a screen smaller than the window
        {{1920, 0, 1280, 1024}, {2110, 172}},  // right of the first screen
        {{1920, 120, 1365, 767}, {2152, 163}},
        {{-1280, -300, 1280, 1024}, {-1090, -128}},  // left of and above it
        {{-1365, 0, 1365, 767}, {-1133, 43}},        // truncation ignores the origin
    };
    for (const Case& c : cases) QCOMPARE(centredTopLeft(c.screen, QSize(901, 681)), c.topLeft);
  }

  // Maroon pixels and transparent pixels of the picture (where the maroon
  // window shows) are cut; everything else the window draws stays.
  void keyColourAndTransparentPixelsAreCut() {
    QWidget window;
    window.resize(40, 30);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, kMaroon);
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    QImage picture(40, 20, QImage::Format_ARGB32);
    picture.fill(Qt::darkBlue);
    for (int x = 0; x < 10; ++x) {
      picture.setPixelColor(x, 0, Qt::transparent);
      picture.setPixelColor(x, 1, kMaroon);
    }
    ImageControl background(&window, ImageControl::Placement::TopLeft);
    background.setGeometry(0, 0, 40, 20);
    background.setPicture(QPixmap::fromImage(picture));

    const QRegion visible = colourKeyRegion(&window, kMaroon);
    QVERIFY(!visible.contains(QPoint(3, 0)));   // transparent
    QVERIFY(!visible.contains(QPoint(3, 1)));   // maroon in the picture
    QVERIFY(!visible.contains(QPoint(5, 25)));  // below the picture: the window's own colour
    QVERIFY(visible.contains(QPoint(20, 0)));
    QVERIFY(visible.contains(QPoint(3, 5)));

    // Once masked, the window still yields the same outline.
    window.setMask(visible);
    QCOMPARE(colourKeyRegion(&window, kMaroon), visible);
  }
};

}  // namespace kestrovane::test

QTEST_MAIN(kestrovane::test::WindowShapeTest)
#include "WindowShape_test.moc"
