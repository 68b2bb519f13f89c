#pragma once

#include <QColor>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QTemporaryDir>
#include <map>

namespace kestrovane::test {

// A working directory with a "skins" folder of generated PNG pictures, each
// filled with a colour of its own so that a test can tell which picture a
// control shows.
class SkinFolder {
 public:
  SkinFolder() { QDir(m_dir.path()).mkdir(QStringLiteral("skins")); }

  QString workDir() const { return m_dir.path(); }
  QString skinsDir() const { return m_dir.path() + QStringLiteral("/skins"); }

  // The picture's design size where the window cares, else a small one.
  static QSize designSize(const QString& name) {
    static const std::map<QString, QSize> sizes{
        {"basemap", {905, 619}},     {"btn_base", {418, 362}},    {"led_base", {418, 362}},
        {"macro_base", {417, 361}},  {"dpi_base", {417, 361}},    {"sys_base", {417, 361}},
        {"10Keys", {217, 250}},      {"9Keys", {187, 226}},       {"8Keys", {187, 202}},
        {"7Keys", {187, 178}},       {"5Keys", {187, 129}},       {"4Keys", {187, 106}},
        {"macro_btn1_1", {63, 25}},  {"macro_btn2_1", {91, 24}},  {"macro_btn3_1", {91, 23}},
        {"macro_btn4_1", {100, 24}}, {"macro_btn5_1", {100, 24}}, {"report_1", {60, 24}},
        {"led_base_1", {21, 21}},    {"mode_base_1", {60, 7}}};
    const auto it = sizes.find(name);
    if (it != sizes.end()) return it->second;
    if (name.startsWith(QStringLiteral("title_base"))) return {63, 7};
    return {8, 8};
  }

  // A colour per name, never the window's key colour.
  static QColor colourOf(const QString& name) {
    const auto hash = static_cast<unsigned>(qHash(name));
    return QColor(static_cast<int>(hash & 0x7f) + 10, static_cast<int>((hash >> 8) & 0xff),
                  static_cast<int>((hash >> 16) & 0xff) | 1);
  }

  void add(const QString& name) { add(name, designSize(name)); }
  void add(const QString& name, QSize size) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colourOf(name));
    save(name + QStringLiteral(".png"), image);
  }
  void save(const QString& fileName, const QImage& image) {
    image.save(skinsDir() + QLatin1Char('/') + fileName, "PNG");
  }
  // A file of the right name that is no picture.
  void addUndecodable(const QString& name) {
    QFile file(skinsDir() + QLatin1Char('/') + name + QStringLiteral(".png"));
    if (file.open(QIODevice::WriteOnly)) file.write("not a PNG picture");
  }

  // The 21 pictures of the start-up walk, less the ones named.
  void addStartupSet(const QStringList& except = {}) {
    for (const char* name :
         {"basemap",      "title_base_1", "btn_base",     "macro_base",   "dpi_base",
          "led_base",     "sys_base",     "mode_base_1",  "macro_btn1_1", "macro_btn2_1",
          "macro_btn3_1", "macro_btn4_1", "macro_btn5_1", "report_1",     "led_base_1",
          "10Keys",       "9Keys",        "8Keys",        "7Keys",        "5Keys",
          "4Keys"})
      if (!except.contains(QLatin1String(name))) add(QLatin1String(name));
  }

 private:
  QTemporaryDir m_dir;
};

// The colour a control's picture shows at its centre; invalid without one.
inline QColor pictureColour(const QPixmap& picture) {
  if (picture.isNull()) return {};
  return picture.toImage().pixelColor(picture.width() / 2, picture.height() / 2);
}

}  // namespace kestrovane::test
