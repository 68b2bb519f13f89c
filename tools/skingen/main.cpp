// skingen RESOURCES_DIR [DIALOG_PICTURES_DIR]: draws the default skin set
// into RESOURCES_DIR/skins, the loading animation into
// RESOURCES_DIR/WaitGif.gif, the two theme files into RESOURCES_DIR and the
// program's icon into RESOURCES_DIR/linux/icons/hicolor/NxN/apps; with
// DIALOG_PICTURES_DIR also the dialogs' built-in pictures there. Run by
// redraw.sh.
#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>
#include <cstdio>
#include <stdexcept>

#include "tools/skingen/AppIcon.h"
#include "tools/skingen/GifWriter.h"
#include "tools/skingen/LoadingAnimation.h"
#include "tools/skingen/SkinSet.h"
#include "tools/skingen/ThemeFiles.h"

namespace {

using namespace kestrovane;

void save(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    throw std::runtime_error("cannot write " + path.toStdString() + ": " +
                             file.errorString().toStdString());
  }
}

QByteArray png(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
    throw std::runtime_error("cannot encode a PNG picture");
  }
  return bytes;
}

void generate(const QString& resources) {
  const SkinStyle style;
  const QDir dir(resources);
  if (!dir.mkpath("skins")) throw std::runtime_error("cannot create the skins folder");
  for (const SkinPicture& picture : drawSkinSet(style)) {
    save(dir.filePath("skins/" + picture.name + ".png"), png(picture.image));
  }
  save(dir.filePath("WaitGif.gif"),
       GifWriter::encode(drawLoadingFrames(style), style.spinnerFrameMs));
  save(dir.filePath("ZQK_A.sui"), trackBarTheme(style).toUtf8());
  save(dir.filePath("ZQK_B.sui"), indicatorTheme(style).toUtf8());
  for (const int size : kAppIconSizes) {
    const QString folder = QString("linux/icons/hicolor/%1x%1/apps").arg(size);
    if (!dir.mkpath(folder)) throw std::runtime_error("cannot create the icon folders");
    save(dir.filePath(folder + "/kestrovane.png"), png(drawAppIcon(style, size)));
  }
}

void generateDialogPictures(const QString& folder) {
  const QDir dir(folder);
  if (!dir.mkpath(".")) throw std::runtime_error("cannot create " + folder.toStdString());
  QList<SkinPicture> pictures = drawDialogPictures(SkinStyle());
  pictures.append(drawRowIcons(SkinStyle()));
  for (const SkinPicture& picture : pictures) {
    save(dir.filePath(picture.name + ".png"), png(picture.image));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  // An option is no folder: "--help" would otherwise receive a skin set.
  if (argc < 2 || argc > 3 || argv[1][0] == '-' || (argc == 3 && argv[2][0] == '-')) {
    std::fprintf(stderr, "usage: skingen RESOURCES_DIR [DIALOG_PICTURES_DIR]\n");
    return 2;
  }
  try {
    generate(QString::fromLocal8Bit(argv[1]));
    if (argc == 3) generateDialogPictures(QString::fromLocal8Bit(argv[2]));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skingen: %s\n", e.what());
    return 1;
  }
  return 0;
}
