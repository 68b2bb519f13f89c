#include "ui/LeftKeyWarning.h"

#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "config/AppPaths.h"
#include "tests/ui/SkinFolder.h"
#include "ui/ImageControl.h"
#include "ui/LabelControl.h"

namespace kestrovane::test {

namespace {

TForm5* visibleWarning() {
  for (QWidget* window : QApplication::topLevelWidgets())
    if (auto* dialog = qobject_cast<TForm5*>(window); dialog != nullptr && dialog->isVisible())
      return dialog;
  return nullptr;
}

}  // namespace

class LeftKeyWarningTest : public QObject {
  Q_OBJECT

 private slots:
  void isABorderlessCentredTopmostDialogWithItsTextAndOk() {
    TForm5 dialog;
    QCOMPARE(dialog.lbl_title->text(), QStringLiteral("Please Keep One 'Left Key'!"));
    QCOMPARE(dialog.lbl_ok->text(), QStringLiteral("OK"));
    QCOMPARE(dialog.size(), QSize(295, 158));
    QVERIFY(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(dialog.isModal());
    const QRect s = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(dialog.pos(), QPoint(s.x() + s.width() / 2 - 147, s.y() + s.height() / 2 - 79));
    QCOMPARE(dialog.img_leftkeybase->geometry(), QRect(2, 2, 293, 154));
    QCOMPARE(dialog.lbl_ok->geometry(), QRect(94, 96, 80, 25));
    QVERIFY(!dialog.img_leftkeybase->picture().isNull());
  }

  // The warning stays until its OK; the OK only closes it. With a parent it
  // still stands centred on the screen, not over the parent. It wears the
  // skin's "other" picture.
  void showWarningReturnsWhenOkIsClicked() {
    SkinFolder skins;
    skins.add(QStringLiteral("other"), QSize(293, 154));
    AppPaths paths;
    fillWorkPaths(paths, QFile::encodeName(skins.workDir()).toStdString());
    QWidget parent;
    parent.setGeometry(10, 10, 300, 200);
    bool shownModally = false;
    QPoint at;
    QColor skin;
    QTimer::singleShot(0, [&] {
      TForm5* dialog = visibleWarning();
      QVERIFY(dialog != nullptr);
      shownModally = QApplication::activeModalWidget() == dialog;
      at = dialog->pos();
      skin = pictureColour(dialog->img_leftkeybase->picture());
      QTest::mouseClick(dialog->lbl_ok, Qt::LeftButton, {}, {3, 3});
    });
    TForm5::showWarning(&parent, paths);
    QVERIFY(shownModally);
    QCOMPARE(skin, SkinFolder::colourOf(QStringLiteral("other")));
    QCOMPARE(visibleWarning(), nullptr);
    const QRect s = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(at, QPoint(s.x() + s.width() / 2 - 147, s.y() + s.height() / 2 - 79));
  }
};

}  // namespace kestrovane::test

QTEST_MAIN(kestrovane::test::LeftKeyWarningTest)
#include "LeftKeyWarning_test.moc"
