#include <QSignalSpy>
#include <QTest>

#include "tests/ui/Pointer.h"
#include "ui/ImageControl.h"
#include "ui/LabelControl.h"
#include "ui/PanelControl.h"
#include "ui/Style.h"

namespace kestrovane::test {

namespace {

// A parent filled with a colour, so that a transparent control shows it.
class Backdrop : public QWidget {
 public:
  explicit Backdrop(QColor colour) {
    resize(120, 60);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colour);
    setPalette(palette);
    setAutoFillBackground(true);
  }
};

QColor seenAt(QWidget* window, QPoint at) {
  return window->grab().toImage().pixelColor(at);
}

QPixmap solid(QSize size, QColor colour) {
  QPixmap pixmap(size);
  pixmap.fill(colour);
  return pixmap;
}

}  // namespace

class ControlsTest : public QObject {
  Q_OBJECT

 private slots:
  // The highlight is the label's own colour showing through; unhighlighted,
  // the picture beneath shows.
  void labelHighlightShowsTealOnlyWhileOpaque() {
    Backdrop backdrop(Qt::red);
    LabelControl label(QString(), &backdrop);
    label.setGeometry(10, 10, 50, 20);
    label.setColor(kTeal);
    QCOMPARE(seenAt(&backdrop, {12, 12}), QColor(Qt::red));
    label.setTransparent(false);
    QCOMPARE(seenAt(&backdrop, {12, 12}), kTeal);
    label.setTransparent(true);
    QCOMPARE(seenAt(&backdrop, {12, 12}), QColor(Qt::red));
  }

  void clickIsALeftPressAndReleaseOnTheControl() {
    Backdrop backdrop(Qt::black);
    LabelControl label(QStringLiteral("Key"), &backdrop);
    label.setGeometry(0, 0, 60, 20);
    QSignalSpy clicks(&label, &LabelControl::clicked);
    QSignalSpy presses(&label, &LabelControl::mousePressed);

    QTest::mouseClick(&label, Qt::LeftButton, {}, {5, 5});
    QCOMPARE(clicks.count(), 1);
    QTest::mouseClick(&label, Qt::RightButton, {}, {5, 5});
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(presses.count(), 2);
    QCOMPARE(presses.last().at(0).value<Qt::MouseButton>(), Qt::RightButton);
    // Pressed on the label, released beside it: no click.
    QTest::mousePress(&label, Qt::LeftButton, {}, {5, 5});
    QTest::mouseRelease(&label, Qt::LeftButton, {}, {90, 5});
    QCOMPARE(clicks.count(), 1);
    // A disabled label does not click.
    label.setEnabled(false);
    QTest::mouseClick(&label, Qt::LeftButton, {}, {5, 5});
    QCOMPARE(clicks.count(), 1);
  }

  // Option labels begin with blanks that leave room for a check mark.
  void captionsArePlainTextWithTheirLeadingBlanks() {
    LabelControl label(QStringLiteral("      XY同步"));
    QCOMPARE(label.textFormat(), Qt::PlainText);
    label.setText(QStringLiteral("<b>x</b>"));
    QCOMPARE(label.text(), QStringLiteral("<b>x</b>"));
    LabelControl bare(QStringLiteral("XY同步"));
    QVERIFY(label.sizeHint().width() > bare.sizeHint().width());
  }

  void autoSizeLabelFollowsItsCaption() {
    LabelControl label{QString()};
    label.setAutoSize(true);
    label.setText(QStringLiteral("Version"));
    const int shortWidth = label.width();
    label.setText(QStringLiteral("Version of the firmware"));
    QVERIFY(label.width() > shortWidth);
    QCOMPARE(label.size(), label.sizeHint());
  }

  void imagePlacementFollowsTheDesign() {
    Backdrop backdrop(Qt::red);
    backdrop.resize(200, 100);
    ImageControl centred(&backdrop, ImageControl::Placement::Centre);
    centred.setGeometry(0, 0, 60, 20);
    ImageControl sized(&backdrop, ImageControl::Placement::AutoSize);
    sized.setGeometry(100, 0, 63, 25);
    ImageControl topLeft(&backdrop, ImageControl::Placement::TopLeft);
    topLeft.setGeometry(0, 50, 60, 40);

    centred.setPicture(solid({20, 10}, Qt::blue));
    sized.setPicture(solid({91, 24}, Qt::green));
    topLeft.setPicture(solid({20, 10}, Qt::yellow));

    QCOMPARE(centred.size(), QSize(60, 20));
    QCOMPARE(sized.size(), QSize(91, 24));
    const QImage seen = backdrop.grab().toImage();
    QCOMPARE(seen.pixelColor(30, 10), QColor(Qt::blue));  // centre
    QCOMPARE(seen.pixelColor(2, 2), QColor(Qt::red));     // beside the centred picture
    QCOMPARE(seen.pixelColor(1, 51), QColor(Qt::yellow));
    QCOMPARE(seen.pixelColor(30, 75), QColor(Qt::red));

    // Without a picture nothing is drawn and the design size stays.
    ImageControl empty(&backdrop, ImageControl::Placement::AutoSize);
    empty.setGeometry(0, 0, 21, 21);
    empty.setPicture(QPixmap());
    QCOMPARE(empty.size(), QSize(21, 21));
  }

  void cancelledPressDoesNotClick() {
    Backdrop backdrop(Qt::black);
    ImageControl image(&backdrop, ImageControl::Placement::TopLeft);
    image.setGeometry(0, 0, 50, 50);
    QSignalSpy clicks(&image, &ImageControl::clicked);
    QTest::mousePress(&image, Qt::LeftButton, {}, {5, 5});
    image.cancelClick();
    QTest::mouseRelease(&image, Qt::LeftButton, {}, {5, 5});
    QCOMPARE(clicks.count(), 0);
    QTest::mouseClick(&image, Qt::LeftButton, {}, {5, 5});
    QCOMPARE(clicks.count(), 1);
  }

  void panelShowsItsCaptionAndClicks() {
    Backdrop backdrop(Qt::black);
    PanelControl panel(&backdrop, QStringLiteral("X"));
    panel.setGeometry(0, 0, 18, 18);
    QSignalSpy clicks(&panel, &PanelControl::clicked);
    QTest::mouseClick(&panel, Qt::LeftButton, {}, {9, 9});
    QCOMPARE(clicks.count(), 1);
    // Transparent by default: its caption is drawn over what is beneath.
    const QImage seen = backdrop.grab().toImage();
    bool white = false;
    for (int y = 0; y < 18; ++y)
      for (int x = 0; x < 18; ++x) white = white || seen.pixelColor(x, y).lightness() > 200;
    QVERIFY(white);
    QCOMPARE(seen.pixelColor(1, 1), QColor(Qt::black));
  }
};

}  // namespace kestrovane::test

QTEST_MAIN(kestrovane::test::ControlsTest)
#include "Controls_test.moc"
