// The frame of the small dialogs, seen through the two dialogs that use it
// here: the left-key warning TForm5 and the mode name dialog TForm3.
#include <QApplication>
#include <QBitmap>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "base/AppPaths.h"
#include "tests/ui/SkinFolder.h"
#include "tools/skingen/SkinSet.h"
#include "ui/ImageControl.h"
#include "ui/LabelControl.h"
#include "ui/LeftKeyWarning.h"
#include "ui/ModeConfigure.h"
#include "ui/SkinImages.h"

namespace kestrovane::test {

namespace {

const QColor kKey{192, 220, 192};

AppPaths pathsOf(const SkinFolder& folder) {
  AppPaths paths;
  fillWorkPaths(paths, QFile::encodeName(folder.workDir()).toStdString());
  return paths;
}

void sendMouse(QWidget* to, QEvent::Type type, QPoint local, QPoint global, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
  QMouseEvent event(type, local, global, button, buttons, Qt::NoModifier);
  QApplication::sendEvent(to, &event);
}

void writeFile(const QString& path, const QByteArray& bytes) {
  QVERIFY(QDir().mkpath(QFileInfo(path).path()));
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QCOMPARE(file.write(bytes), bytes.size());
}

}  // namespace

class DialogFrameTest : public QObject {
  Q_OBJECT

 private slots:
  // Both dialogs stand centred on the screen by the design's formula (half
  // the screen minus half the window, each halved on its own), counted from
  // the screen's own origin; borderless, above the others, modal.
  void dialogsAreCentredBorderlessAndTopmost() {
    struct Expected {
      QRect screen;
      QPoint form5, form3;
    };
    // Worked out by hand: 1920/2 - 295/2 = 960 - 147 = 813, 540 - 79 = 461;
    // 960 - 237 = 723, 540 - 115 = 425; on the second screen 1920 + 640 ...
    const Expected table[] = {
        {{0, 0, 1920, 1080}, {813, 461}, {723, 425}},
        {{1920, 120, 1280, 1024}, {2413, 553}, {2323, 517}},
    };
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const Expected* expected = nullptr;
    for (const Expected& e : table)
      if (e.screen == screen) expected = &e;
    if (expected == nullptr) QSKIP("runs on the 1920 x 1080 and on the offset screen");
    SkinFolder none;
    TForm5 warning(pathsOf(none));
    TForm3 naming(pathsOf(none));
    QCOMPARE(warning.geometry(), QRect(expected->form5, QSize(295, 158)));
    QCOMPARE(naming.geometry(), QRect(expected->form3, QSize(474, 230)));
    for (QDialog* dialog : {static_cast<QDialog*>(&warning), static_cast<QDialog*>(&naming)}) {
      QVERIFY(dialog->windowFlags().testFlag(Qt::FramelessWindowHint));
      QVERIFY(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
      QVERIFY(dialog->isModal());
      QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
      QCOMPARE(dialog->palette().color(QPalette::Window), kKey);
    }
  }

  // Without skin files the dialogs wear the built-in pictures, which are
  // what the skin generator draws at the design's sizes; each skin file that
  // exists replaces its picture alone.
  void builtInPicturesStayUntilTheSkinReplacesThem() {
    const QList<SkinPicture> drawn = drawDialogPictures(SkinStyle());
    const std::map<QString, QSize> sizes{
        {"other", {293, 154}}, {"mode_conf_base", {475, 229}}, {"btn_base_1", {91, 35}}};
    QCOMPARE(drawn.size(), qsizetype(sizes.size()));
    for (const SkinPicture& p : drawn) {
      const QImage builtIn = builtInDialogPicture(p.name).toImage();
      QCOMPARE(builtIn.size(), sizes.at(p.name));
      QVERIFY2(builtIn.convertToFormat(QImage::Format_ARGB32) == p.image,
               qPrintable(p.name + " is stale: run tools/skingen/redraw.sh"));
    }

    SkinFolder none;
    TForm3 plain(pathsOf(none));
    QCOMPARE(plain.img_modeconfbase->picture().toImage(),
             builtInDialogPicture("mode_conf_base").toImage());
    QCOMPARE(plain.img_ok->picture().toImage(), builtInDialogPicture("btn_base_1").toImage());
    QCOMPARE(plain.img_cancel->size(), QSize(91, 35));

    // "mode_conf_base" missing: the buttons still get theirs.
    SkinFolder skins;
    skins.add(QStringLiteral("btn_base_1"), {91, 35});
    skins.add(QStringLiteral("other"), {293, 154});
    TForm3 skinned(pathsOf(skins));
    QCOMPARE(skinned.img_modeconfbase->picture().toImage(),
             builtInDialogPicture("mode_conf_base").toImage());
    for (ImageControl* button : {skinned.img_ok, skinned.img_cancel})
      QCOMPARE(pictureColour(button->picture()), SkinFolder::colourOf("btn_base_1"));
    TForm5 warning(pathsOf(skins));
    QCOMPARE(pictureColour(warning.img_leftkeybase->picture()), SkinFolder::colourOf("other"));
  }

  // The outline is cut wherever the key colour shows: the rim the background
  // leaves, the picture's own key-coloured and transparent pixels; all else
  // the dialog draws stays. A new picture gives a new outline.
  void outlineIsCutWhereTheKeyColourShows() {
    SkinFolder skins;
    QImage picture(293, 154, QImage::Format_ARGB32);
    picture.fill(QColor(30, 40, 50));
    for (int y = 100; y < 110; ++y)
      for (int x = 10; x < 20; ++x) {
        picture.setPixelColor(x, y, Qt::transparent);
        picture.setPixelColor(x + 20, y, kKey);
      }
    skins.save(QStringLiteral("other.png"), picture);
    TForm5 dialog(pathsOf(skins));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QRegion shape = dialog.mask();
    QVERIFY(!shape.contains(QPoint(0, 0)));      // the 2 px rim
    QVERIFY(!shape.contains(QPoint(150, 1)));    // ...along the top
    QVERIFY(!shape.contains(QPoint(15, 105)));   // transparent in the picture
    QVERIFY(!shape.contains(QPoint(35, 105)));   // the key colour in the picture
    QVERIFY(shape.contains(QPoint(2, 2)));       // the picture's corner
    QVERIFY(!shape.contains(QPoint(150, 157)));  // ... and along the bottom
    QVERIFY(shape.contains(QPoint(294, 155)));   // the picture's opposite corner
    QVERIFY(shape.contains(QPoint(50, 105)));

    // Back to the built-in picture: its cut corners are cut from the dialog.
    dialog.img_leftkeybase->setPicture(builtInDialogPicture("other"));
    QTRY_VERIFY(dialog.mask().contains(QPoint(15, 105)));
    QVERIFY(!dialog.mask().contains(QPoint(3, 3)));
    QVERIFY(dialog.mask().contains(QPoint(150, 80)));
  }

  // A press of any button on the background moves the dialog with the
  // pointer; elsewhere (the labels) it does not.
  void backgroundDragsTheDialogWithAnyButton() {
#ifdef Q_OS_WIN
    // Windows moves the dialog in its own move loop, started by a system
    // command to a real window; the end-to-end run of the program drags one.
    QSKIP("the system's move loop needs a real window");
#endif
    SkinFolder none;
    TForm5 dialog(pathsOf(none));
    dialog.show();
    const QPoint start = dialog.pos();
    const QPoint local(200, 140);
    for (Qt::MouseButton button : {Qt::RightButton, Qt::LeftButton, Qt::MiddleButton}) {
      const QPoint before = dialog.pos();
      const QPoint from = dialog.img_leftkeybase->mapToGlobal(local);
      sendMouse(dialog.img_leftkeybase, QEvent::MouseButtonPress, local, from, button, button);
      sendMouse(dialog.img_leftkeybase, QEvent::MouseMove, local, from + QPoint(30, 40),
                Qt::NoButton, button);
      sendMouse(dialog.img_leftkeybase, QEvent::MouseMove, local, from + QPoint(-25, 12),
                Qt::NoButton, button);
      sendMouse(dialog.img_leftkeybase, QEvent::MouseButtonRelease, local, from + QPoint(-25, 12),
                button, Qt::NoButton);
      QCOMPARE(dialog.pos(), before + QPoint(-25, 12));
    }
    QCOMPARE(dialog.pos(), start + QPoint(-75, 36));
    QVERIFY(dialog.isVisible());

    const QPoint onTitle = dialog.lbl_title->mapToGlobal(QPoint(5, 5));
    sendMouse(dialog.lbl_title, QEvent::MouseButtonPress, {5, 5}, onTitle, Qt::RightButton,
              Qt::RightButton);
    sendMouse(dialog.lbl_title, QEvent::MouseMove, {5, 5}, onTitle + QPoint(40, 40), Qt::NoButton,
              Qt::RightButton);
    sendMouse(dialog.lbl_title, QEvent::MouseButtonRelease, {5, 5}, onTitle + QPoint(40, 40),
              Qt::RightButton, Qt::NoButton);
    QCOMPARE(dialog.pos(), start + QPoint(-75, 36));
  }

  // With the locale 1033 (LC_ALL=en_US.UTF-8 in this test's environment) and
  // English.ini present, the dialogs show its texts; without the file, the
  // built-in ones.
  void textsComeFromTheLanguageFile() {
    QCOMPARE(qgetenv("LC_ALL"), QByteArray("en_US.UTF-8"));
    SkinFolder none;
    TForm5 builtIn5(pathsOf(none));
    QCOMPARE(builtIn5.lbl_title->text(), QStringLiteral("Please Keep One 'Left Key'!"));
    QCOMPARE(builtIn5.lbl_ok->text(), QStringLiteral("OK"));
    TForm3 builtIn3(pathsOf(none));
    QCOMPARE(builtIn3.lbl_title->text(), QStringLiteral("Configure New Name"));
    QCOMPARE(builtIn3.lbl_cancel->text(), QStringLiteral("Cancel"));

    SkinFolder work;
    writeFile(work.workDir() + QStringLiteral("/Language/1033/English.ini"),
              "[Simplified Chinese]\r\nForm5_T=wrong section\r\n"
              "[English]\r\nForm2_T=Pick a macro\r\nForm2_O=Got it\r\nForm2_C=Leave\r\n"
              "Form5_T=Keep a left button!\r\nForm3_T=Name this mode\r\nForm3_O=Save\r\n"
              "Form3_C=Back\r\n");
    TForm5 warning(pathsOf(work));
    QCOMPARE(warning.language(), Language::ENU);
    QCOMPARE(warning.lbl_title->text(), QStringLiteral("Keep a left button!"));
    QCOMPARE(warning.lbl_ok->text(), QStringLiteral("Got it"));  // TForm2's key
    TForm3 naming(pathsOf(work));
    QCOMPARE(naming.lbl_title->text(), QStringLiteral("Name this mode"));
    QCOMPARE(naming.lbl_ok->text(), QStringLiteral("Save"));
    QCOMPARE(naming.lbl_cancel->text(), QStringLiteral("Back"));
  }

  // OK with a name accepts it; OK with an empty field, Cancel and Escape
  // only close; Enter is OK. The field takes at most 15 characters, and is
  // black with yellow text.
  void modeNameDialogOkCancelEnterEscape() {
    SkinFolder none;
    const AppPaths paths = pathsOf(none);
    struct Case {
      const char* typed;
      std::function<void(TForm3&)> close;
      bool accepted;
      QString name;
    };
    const Case cases[] = {
        {"Sniper",
         [](TForm3& d) {
           QTest::mouseClick(d.lbl_ok, Qt::LeftButton, {}, {5, 5});
         },
         true, "Sniper"},
        {"",
         [](TForm3& d) {
           QTest::mouseClick(d.lbl_ok, Qt::LeftButton, {}, {5, 5});
         },
         false, ""},
        {"Sniper",
         [](TForm3& d) {
           QTest::mouseClick(d.lbl_cancel, Qt::LeftButton, {}, {5, 5});
         },
         false, ""},
        {"Office 2", [](TForm3& d) { QTest::keyClick(d.edtmode, Qt::Key_Return); }, true,
         "Office 2"},
        {"Office 2", [](TForm3& d) { QTest::keyClick(d.edtmode, Qt::Key_Enter); }, true,
         "Office 2"},
        {"", [](TForm3& d) { QTest::keyClick(d.edtmode, Qt::Key_Return); }, false, ""},
        {"Office 2", [](TForm3& d) { QTest::keyClick(d.edtmode, Qt::Key_Escape); }, false, ""},
        {"abcdefghijklmnopqrst",
         [](TForm3& d) {
           QTest::mouseClick(d.lbl_ok, Qt::LeftButton, {}, {5, 5});
         },
         true, "abcdefghijklmno"},
    };
    for (const Case& c : cases) {
      TForm3 dialog(paths);
      dialog.show();
      QVERIFY(QTest::qWaitForWindowExposed(&dialog));
      QTest::keyClicks(dialog.edtmode, QString::fromLatin1(c.typed));
      c.close(dialog);
      QVERIFY2(!dialog.isVisible(), c.typed);
      QCOMPARE(dialog.result() == QDialog::Accepted, c.accepted);
      QCOMPARE(dialog.name(), c.name);
    }
    TForm3 dialog(paths);
    QCOMPARE(dialog.edtmode->palette().color(QPalette::Base), QColor(Qt::black));
    QCOMPARE(dialog.edtmode->palette().color(QPalette::Text), QColor(255, 255, 0));
  }

  // The real modal warning: it waits for its OK, wears the skin, and stands
  // centred on the screen even over a parent.
  void warningIsModalUntilItsOk() {
    SkinFolder skins;
    skins.add(QStringLiteral("other"), QSize(293, 154));
    QWidget parent;
    parent.setGeometry(10, 10, 300, 200);
    bool shownModally = false;
    QPoint at;
    QColor skin;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<TForm5*>(QApplication::activeModalWidget());
      QVERIFY(dialog != nullptr);
      shownModally = true;
      at = dialog->pos();
      skin = pictureColour(dialog->img_leftkeybase->picture());
      QTest::mouseClick(dialog->lbl_ok, Qt::LeftButton, {}, {3, 3});
    });
    TForm5::showWarning(&parent, pathsOf(skins));
    QVERIFY(shownModally);
    QCOMPARE(skin, SkinFolder::colourOf(QStringLiteral("other")));
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    const QRect s = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(at, QPoint(s.x() + s.width() / 2 - 147, s.y() + s.height() / 2 - 79));
  }
};

}  // namespace kestrovane::test

QTEST_MAIN(kestrovane::test::DialogFrameTest)
#include "DialogFrame_test.moc"
