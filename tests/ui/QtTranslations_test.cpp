#include "ui/QtTranslations.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace kestrovane::test {

class QtTranslationsTest : public QObject {
  Q_OBJECT

 private slots:
  // A program folder that ships Qt's catalogs (Debian's qt6-translations-l10n):
  // a message box's Cancel and the first item of an edit field's context
  // menu speak the window's language; English takes none, and a language
  // switched back to English drops the Chinese.
  void qtsOwnTextsSpeakTheWindowsLanguage() {
    QTemporaryDir program;
    QVERIFY(QDir(program.path()).mkpath(QStringLiteral("translations")));
    for (const char* name : {"qtbase_zh_CN.qm", "qtbase_zh_TW.qm"})
      QVERIFY(QFile::copy(QStringLiteral(KESTROVANE_QT_TRANSLATIONS "/") + QLatin1String(name),
                          program.filePath(QStringLiteral("translations/")) + QLatin1String(name)));
    struct Case {
      Language language;
      QString cancel, undo;
    };
    const Case cases[] = {
        {Language::CHS, QStringLiteral("取消"), QStringLiteral("撤消(&U)")},
        {Language::CHT, QStringLiteral("取消"), QStringLiteral("復原(&U)")},
        {Language::ENU, QStringLiteral("Cancel"), QStringLiteral("&Undo")},
    };
    for (const Case& c : cases) {
      QVERIFY(installQtTranslations(c.language, program.path()));
      QMessageBox box(QMessageBox::Question, QString(), QString(),
                      QMessageBox::Ok | QMessageBox::Cancel);
      QCOMPARE(box.button(QMessageBox::Cancel)->text(), c.cancel);
      QLineEdit edit;
      const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
      QVERIFY(!menu->actions().isEmpty());
      QCOMPARE(menu->actions().first()->text().split(QLatin1Char('\t')).first(), c.undo);
    }
  }
};

}  // namespace kestrovane::test

QTEST_MAIN(kestrovane::test::QtTranslationsTest)
#include "QtTranslations_test.moc"
