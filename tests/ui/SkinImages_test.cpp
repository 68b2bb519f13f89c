#include "ui/SkinImages.h"

#include <QFileInfo>
#include <QTest>

#include "tests/ui/SkinFolder.h"
#include "ui/ImageControl.h"

namespace kestrovane::test {

namespace {

AppPaths pathsOf(const SkinFolder& folder) {
  AppPaths paths;
  fillWorkPaths(paths, QFile::encodeName(folder.workDir()).toStdString());
  return paths;
}

}  // namespace

class SkinImagesTest : public QObject {
  Q_OBJECT

 private slots:
  void showSkinImageLoadsOnlyAPictureThatIsThereAndDecodes() {
    SkinFolder skins;
    skins.add(QStringLiteral("title_base_2"));
    skins.addUndecodable(QStringLiteral("title_base_3"));
    const AppPaths paths = pathsOf(skins);
    ImageControl control(nullptr, ImageControl::Placement::Centre);

    QVERIFY(ShowSkinImage(paths, &control, "title_base_2"));
    const QColor shown = SkinFolder::colourOf(QStringLiteral("title_base_2"));
    QCOMPARE(pictureColour(control.picture()), shown);
    // Missing, or there but no picture: the control keeps what it showed.
    QVERIFY(!ShowSkinImage(paths, &control, "title_base_1"));
    QVERIFY(!ShowSkinImage(paths, &control, "title_base_3"));
    QCOMPARE(pictureColour(control.picture()), shown);
  }

  // Names are looked up exactly as the window spells them, extension "png".
  void namesAreLookedUpExactly() {
    SkinFolder skins;
    QImage image(4, 4, QImage::Format_ARGB32);
    image.fill(Qt::blue);
    skins.save(QStringLiteral("10keys.png"), image);
    skins.save(QStringLiteral("basemap.PNG"), image);
    skins.save(QStringLiteral("9Keys.bmp"), image);
    const AppPaths paths = pathsOf(skins);
    ImageControl control(nullptr, ImageControl::Placement::AutoSize);
    // A file system that folds case (Windows) finds "10keys.png" under the
    // name "10Keys.png" itself; the lookup adds no folding of its own, so only
    // the picture of another type is never taken.
    const bool foldsCase = QFileInfo::exists(skins.skinsDir() + QStringLiteral("/10KEYS.png"));
    for (const char* name : {"10Keys", "basemap"})
      QCOMPARE(ShowSkinImage(paths, &control, name), foldsCase);
    QVERIFY(!ShowSkinImage(paths, &control, "9Keys"));
    QCOMPARE(control.picture().isNull(), !foldsCase);
  }

  void startupWalkEndsAtTheFirstMissingPicture() {
    struct Case {
      const char* name;
      bool missingMiddle;
      bool undecodableMiddle;
      int loaded;
    };
    const Case cases[] = {
        {"all there", false, false, 3},
        {"middle missing", true, false, 1},
        {"middle undecodable", false, true, 1},
    };
    for (const Case& c : cases) {
      SkinFolder skins;
      skins.add(QStringLiteral("a"));
      if (c.undecodableMiddle) skins.addUndecodable(QStringLiteral("b"));
      if (!c.missingMiddle && !c.undecodableMiddle) skins.add(QStringLiteral("b"));
      skins.add(QStringLiteral("c"));
      ImageControl a1(nullptr, ImageControl::Placement::Centre);
      ImageControl a2(nullptr, ImageControl::Placement::Centre);
      ImageControl b(nullptr, ImageControl::Placement::Centre);
      ImageControl c1(nullptr, ImageControl::Placement::Centre);
      const std::vector<SkinEntry> entries{{"a", {&a1, &a2}}, {"b", {&b}}, {"c", {&c1}}};
      QCOMPARE(LoadSkins(pathsOf(skins), entries), c.loaded);
      QVERIFY2(!a1.picture().isNull() && !a2.picture().isNull(), c.name);
      QCOMPARE(b.picture().isNull(), c.loaded < 3);
      QCOMPARE(c1.picture().isNull(), c.loaded < 3);
    }
  }

  // Each picture of a dialog stands alone; a missing one leaves the built-in one.
  void dialogPicturesAreLoadedOneByOne() {
    SkinFolder skins;
    skins.add(QStringLiteral("btn_base_1"));
    const AppPaths paths = pathsOf(skins);
    ImageControl base(nullptr, ImageControl::Placement::AutoSize);
    ImageControl ok(nullptr, ImageControl::Placement::AutoSize);
    ImageControl cancel(nullptr, ImageControl::Placement::AutoSize);
    QPixmap builtIn(475, 229);
    builtIn.fill(Qt::darkGray);
    base.setPicture(builtIn);
    LoadDialogSkin(paths, &base, &ok, &cancel);
    QCOMPARE(pictureColour(base.picture()), QColor(Qt::darkGray));
    QCOMPARE(pictureColour(ok.picture()), SkinFolder::colourOf(QStringLiteral("btn_base_1")));
    QCOMPARE(pictureColour(cancel.picture()), SkinFolder::colourOf(QStringLiteral("btn_base_1")));

    ImageControl other(nullptr, ImageControl::Placement::AutoSize);
    LoadDialogSkin(paths, &other);
    QVERIFY(other.picture().isNull());
    skins.add(QStringLiteral("other"), {293, 154});
    LoadDialogSkin(paths, &other);
    QCOMPARE(other.size(), QSize(293, 154));
  }
};

}  // namespace kestrovane::test

QTEST_MAIN(kestrovane::test::SkinImagesTest)
#include "SkinImages_test.moc"
