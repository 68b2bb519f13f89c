#include "ui/SuiFileTheme.h"

#include <QFile>
#include <QWidget>

namespace kestrovane {

void SuiFileTheme::bind(std::vector<QWidget*> widgets) {
  m_widgets = std::move(widgets);
}

bool SuiFileTheme::setThemeFile(const std::string& path) {
  QFile file(QFile::decodeName(QByteArray::fromStdString(path)));
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return false;
  m_styleSheet = QString::fromUtf8(bytes);
  for (QWidget* widget : m_widgets) widget->setStyleSheet(m_styleSheet);
  return true;
}

}  // namespace kestrovane
