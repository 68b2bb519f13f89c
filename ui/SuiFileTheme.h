#pragma once

#include <QString>
#include <string>
#include <vector>

class QWidget;

namespace kestrovane {

// A theme object: gives the track bars bound to it their look from a theme
// file. Our theme files ("ZQK_A.sui", "ZQK_B.sui") are Qt style sheets.
class SuiFileTheme {
 public:
  void bind(std::vector<QWidget*> widgets);

  // Reads the file and applies it to the bound widgets. A file that is
  // missing or cannot be read leaves them with Qt's own look; false then.
  bool setThemeFile(const std::string& path);

  const QString& styleSheet() const { return m_styleSheet; }

 private:
  std::vector<QWidget*> m_widgets;
  QString m_styleSheet;
};

}  // namespace kestrovane
