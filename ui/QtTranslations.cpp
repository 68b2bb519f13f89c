#include "ui/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace kestrovane {

namespace {

std::unique_ptr<QTranslator>& installed() {
  static std::unique_ptr<QTranslator> translator;
  return translator;
}

}  // namespace

bool installQtTranslations(Language language, const QString& programDir) {
  if (installed()) {
    QCoreApplication::removeTranslator(installed().get());
    installed().reset();
  }
  QString name;
  if (language == Language::CHS) name = QStringLiteral("qtbase_zh_CN");
  if (language == Language::CHT) name = QStringLiteral("qtbase_zh_TW");
  if (name.isEmpty()) return language == Language::ENU;

  auto translator = std::make_unique<QTranslator>();
  for (const QString& folder : {programDir + QStringLiteral("/translations"),
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
    if (translator->load(name, folder) && QCoreApplication::installTranslator(translator.get())) {
      installed() = std::move(translator);
      return true;
    }
  }
  return false;
}

}  // namespace kestrovane
