#include "ui/SkinImages.h"

#include <QFile>
#include <QImage>
#include <QPixmap>
#include <optional>

#include "ui/ImageControl.h"

namespace kestrovane {

namespace {

// A file that exists but does not decode counts as missing.
std::optional<QPixmap> readSkinPicture(const AppPaths& paths, std::string_view imageName) {
  const QString file = QFile::decodeName(QByteArray::fromStdString(skinFilePath(paths, imageName)));
  if (!QFile::exists(file)) return std::nullopt;
  QImage image;
  if (!image.load(file, "PNG")) return std::nullopt;
  return QPixmap::fromImage(image);
}

}  // namespace

bool ShowSkinImage(const AppPaths& paths, ImageControl* control, std::string_view imageName) {
  std::optional<QPixmap> picture = readSkinPicture(paths, imageName);
  if (!picture) return false;
  control->setPicture(*picture);
  return true;
}

int LoadSkins(const AppPaths& paths, std::span<const SkinEntry> entries) {
  int loaded = 0;
  for (const SkinEntry& entry : entries) {
    std::optional<QPixmap> picture = readSkinPicture(paths, entry.imageName);
    if (!picture) break;
    for (ImageControl* control : entry.controls) control->setPicture(*picture);
    ++loaded;
  }
  return loaded;
}

void LoadDialogSkin(const AppPaths& paths, ImageControl* background) {
  ShowSkinImage(paths, background, "other");
}

void LoadDialogSkin(const AppPaths& paths, ImageControl* img_modeconfbase, ImageControl* img_ok,
                    ImageControl* img_cancel) {
  ShowSkinImage(paths, img_modeconfbase, "mode_conf_base");
  if (std::optional<QPixmap> face = readSkinPicture(paths, "btn_base_1")) {
    img_ok->setPicture(*face);
    img_cancel->setPicture(*face);
  }
}

}  // namespace kestrovane
