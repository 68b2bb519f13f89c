#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include "base/Error.h"
#include "tests/app/FormFixture.h"
#include "tests/ui/Pointer.h"
#include "ui/ErrorReport.h"
#include "ui/ImageControl.h"
#include "ui/LabelControl.h"
#include "ui/PanelControl.h"
#include "ui/Style.h"

namespace kestrovane::test {

namespace {

// A background whose top-left corner is transparent and whose top-right
// corner is drawn in the key colour.
void addShapedBasemap(SkinFolder& skins) {
  QImage basemap(905, 619, QImage::Format_ARGB32);
  basemap.fill(QColor(20, 30, 40));
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) {
      basemap.setPixelColor(x, y, Qt::transparent);
      basemap.setPixelColor(870 + x, y, kMaroon);
    }
  skins.save(QStringLiteral("basemap.png"), basemap);
}

}  // namespace

class FrameTest : public QObject {
  Q_OBJECT

 private slots:
  void borderlessFixedSizeCentredWithItsCaption() {
    FormFixture f;
    TForm1& form = f.create();
    QCOMPARE(form.windowTitle(), QStringLiteral("KestrovaneDriver(L1) v1.0"));
    QVERIFY(form.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(form.minimumSize(), QSize(901, 681));
    QCOMPARE(form.maximumSize(), QSize(901, 681));
    const QRect s = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(form.pos(), QPoint(s.x() + s.width() / 2 - 450, s.y() + s.height() / 2 - 340));
  }

  // The window is see-through where its picture is transparent or maroon,
  // and below the picture (the window's own maroon); the outline does not
  // drift when it is recomputed after a page change.
  void outlineFollowsTheBackgroundPicture() {
    FormFixture f;
    addShapedBasemap(f.skins);
    TForm1& form = f.create();
    const auto check = [&form] {
      const QRegion shape = form.mask();
      QVERIFY(!shape.contains(QPoint(5, 5)));
      QVERIFY(!shape.contains(QPoint(880, 5)));
      QVERIFY(!shape.contains(QPoint(450, 650)));
      QVERIFY(shape.contains(QPoint(40, 5)));
      QVERIFY(shape.contains(QPoint(450, 600)));
    };
    check();
    form.EnableDeviceControls();
    QTest::mouseClick(form.pnl_page3, Qt::LeftButton, {}, {5, 5});
    QCoreApplication::processEvents();
    check();
    QTest::mouseClick(form.pnl_page1, Qt::LeftButton, {}, {5, 5});
    QCoreApplication::processEvents();
    check();
  }

  // What is shown over a see-through part of the background is seen: the
  // outline follows the menu and the pictures as they change.
  void outlineFollowsWhatIsShownOverSeeThroughParts() {
    FormFixture f;
    TForm1& form = f.create();
    form.show();  // a hidden window's panels get no show and hide events
    const QPoint inMenu(700, 640);
    form.gbMenu->move(inMenu - QPoint(10, 10));
    QVERIFY(!form.mask().contains(inMenu));
    form.gbMenu->show();
    QPixmap picture(217, 250);
    picture.fill(Qt::darkCyan);
    form.img_gbMenu->setPicture(picture);
    QCoreApplication::processEvents();
    QVERIFY(form.mask().contains(inMenu));
    form.HideFunctionMenus();
    QCoreApplication::processEvents();
    QVERIFY(!form.mask().contains(inMenu));
  }

  // With no skin at all only what the controls draw remains.
  void withoutSkinsOnlyTheControlsRemain() {
    FormFixture f;
    TForm1& form = f.create();
    const QRegion shape = form.mask();
    QVERIFY(!shape.isEmpty());
    QVERIFY(!shape.contains(QPoint(5, 5)));
    QVERIFY(!shape.contains(QPoint(450, 650)));
    QVERIFY(shape.intersects(form.TntLabel13->geometry()));
    QRegion controls;
    for (QWidget* child : form.findChildren<QWidget*>())
      if (child->isVisibleTo(&form))
        controls += QRect(child->mapTo(&form, QPoint()), child->size());
    QVERIFY((shape - controls).isEmpty());
  }

  void closingWritesTheGeneralSettingsOnce() {
    FormFixture f;
    int writes = 0;
    f.services.writeGeneralSettings = [&writes] { ++writes; };
    TForm1& form = f.create();
    form.show();
    QTest::mouseClick(form.btnClose, Qt::LeftButton, {}, {9, 9});
    QCOMPARE(writes, 1);
    QVERIFY(!form.isVisible());
  }

  // A refused write is reported; the window closes all the same.
  void anErrorWhileClosingIsShownAndTheWindowStillCloses() {
    FormFixture f;
    std::vector<std::string> shown;
    setErrorPresenter([&shown](const std::string& text) { shown.push_back(text); });
    f.services.writeGeneralSettings = [] { throw Error("GM.ini is read-only"); };
    TForm1& form = f.create();
    form.show();
    QVERIFY(form.close());
    setErrorPresenter({});
    QCOMPARE(shown, std::vector<std::string>{"GM.ini is read-only"});
    QVERIFY(!form.isVisible());
  }

  // "退 出" is a device-dependent control; the "X" always works.
  void exitCommandWorksOnlyWithTheMouse() {
    FormFixture f;
    int writes = 0;
    f.services.writeGeneralSettings = [&writes] { ++writes; };
    TForm1& form = f.create();
    form.show();
    QTest::mouseClick(form.Btn_Exit, Qt::LeftButton, {}, {5, 5});
    QVERIFY(form.isVisible());
    form.EnableDeviceControls();
    QTest::mouseClick(form.Btn_Exit, Qt::LeftButton, {}, {5, 5});
    QVERIFY(!form.isVisible());
    QCOMPARE(writes, 1);
  }

  void minimiseAndRestore() {
    FormFixture f;
    TForm1& form = f.create();
    form.show();
    QTest::mouseClick(form.btnMinimize, Qt::LeftButton, {}, {9, 9});
    QVERIFY(form.isMinimized());
    form.RestoreAndRaise();
    QVERIFY(!form.isMinimized());
    QVERIFY(form.isVisible());
  }

  // Any button held on the background drags the window; a press released
  // where it was is a click, which dismisses the function menu.
  void backgroundDragsWithAnyButtonAndClicksWhenItDoesNotMove() {
    FormFixture f;
    TForm1& form = f.create();
    form.show();
    const QPoint start = form.pos();
    const QPoint local(300, 300);
    const QPoint global = form.img_base->mapToGlobal(local);
    form.gbMenu->show();

    sendMouse(form.img_base, QEvent::MouseButtonPress, local, global, Qt::RightButton,
              Qt::RightButton);
    sendMouse(form.img_base, QEvent::MouseMove, local, global + QPoint(30, 40), Qt::NoButton,
              Qt::RightButton);
    sendMouse(form.img_base, QEvent::MouseMove, local, global + QPoint(-10, 5), Qt::NoButton,
              Qt::RightButton);
    sendMouse(form.img_base, QEvent::MouseButtonRelease, local, global + QPoint(-10, 5),
              Qt::RightButton, Qt::NoButton);
    QCOMPARE(form.pos(), start + QPoint(-10, 5));

    // A left drag is not a click either.
    sendMouse(form.img_base, QEvent::MouseButtonPress, local, global, Qt::LeftButton,
              Qt::LeftButton);
    sendMouse(form.img_base, QEvent::MouseMove, local, global + QPoint(20, 0), Qt::NoButton,
              Qt::LeftButton);
    sendMouse(form.img_base, QEvent::MouseButtonRelease, local, global + QPoint(20, 0),
              Qt::LeftButton, Qt::NoButton);
    QCOMPARE(form.pos(), start + QPoint(10, 5));
    QVERIFY(form.gbMenu->isVisibleTo(&form));

    QTest::mouseClick(form.img_base, Qt::LeftButton, {}, local);
    QCOMPARE(form.pos(), start + QPoint(10, 5));
    QVERIFY(!form.gbMenu->isVisibleTo(&form));
  }
};

}  // namespace kestrovane::test

QTEST_MAIN(kestrovane::test::FrameTest)
#include "TForm1_frame_test.moc"
