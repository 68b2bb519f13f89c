// The new-macro dialog TForm6 and the macro assignment dialog TForm2.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>
#include <filesystem>

#include "base/AppPaths.h"
#include "base/CodePage.h"
#include "config/CaptionTable.h"
#include "macro/MacroFile.h"
#include "tests/ui/LocaleForTest.h"
#include "tests/ui/SkinFolder.h"
#include "ui/ErrorReport.h"
#include "ui/LabelControl.h"
#include "ui/MacroApp.h"
#include "ui/MacroName.h"

namespace kestrovane::test {

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
  QVERIFY(QDir().mkpath(QFileInfo(path).path()));
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QCOMPARE(file.write(bytes), bytes.size());
}

void click(QWidget* widget) {
  QTest::mouseClick(widget, Qt::LeftButton, {}, {3, 3});
}

// The locale chooses the dialogs' language; messages are recorded, not shown.
struct Session {
  LocaleForTest locale;
  std::vector<std::string> shown;
  Session() {
    setErrorPresenter([this](const std::string& text) { shown.push_back(text); });
  }
  ~Session() { setErrorPresenter({}); }
};

// A working directory with the three language files (each with its own
// name messages) and a program folder with an empty macro folder.
struct Folders {
  SkinFolder work;
  QTemporaryDir program;
  AppPaths paths;

  Folders() {
    const QString language = work.workDir() + QStringLiteral("/Language/");
    writeFile(language + QStringLiteral("1033/English.ini"),
              "[English]\r\nForm6_T=Name the macro\r\nMsgNameEmpty=en-empty\r\n"
              "MsgNameExists=en-exists\r\nMsgNameRefused=en-refused\r\n");
    writeFile(language + QStringLiteral("2052/Simplified Chinese.ini"),
              QByteArray::fromStdString("[Simplified Chinese]\r\n" +
                                        utf8ToCodePage("Form6_T=宏名称\r\nMsgNameEmpty=请输入\r\n"
                                                       "MsgNameExists=同名\r\n"
                                                       "MsgNameRefused=名称不可用\r\n")));
    // Big5 holds ASCII as it is.
    writeFile(language + QStringLiteral("1028/Traditional Chinese.ini"),
              "[Traditional Chinese]\r\nMsgNameEmpty=tw-empty\r\nMsgNameExists=tw-exists\r\n"
              "MsgNameRefused=tw-refused\r\n");
    fillWorkPaths(paths, QFile::encodeName(work.workDir()).toStdString());
    fillProgramPaths(paths, QFile::encodeName(program.path()).toStdString());
  }
  // Qt cannot name a file whose name is not UTF-8 (the code page names).
  ~Folders() { std::filesystem::remove_all(paths.macroDir); }
};

}  // namespace

class MacroDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  // OK refuses an empty name, a name of the list (in any letter case) and a
  // name no file may carry, each with the message of the user's language,
  // and stays open; Simplified Chinese and English have the design's own
  // empty-name texts, the rest comes from the language file; every locale
  // has a language (C and German English, Hong Kong Traditional Chinese).
  // Nothing is created.
  void newMacroRefusalsSpeakTheUsersLanguage() {
    Session session;
    Folders folders;
    const std::vector<std::string> names{"Combo", "Fire", utf8ToCodePage("射击")};
    struct Case {
      const char* locale;
      unsigned lcid;
      QString typed;
      std::string message;
    };
    const Case cases[] = {
        {"en_US.UTF-8", 0x0409, "", "Macro Name Empty"},
        {"en_US.UTF-8", 0x0409, "fIRE", "en-exists"},
        {"en_US.UTF-8", 0x0409, "../x", "en-refused"},
        {"zh_CN.UTF-8", 0x0804, "", "文件名不能为空"},
        {"zh_CN.UTF-8", 0x0804, "COMBO", "该文件名已存在"},
        {"zh_CN.UTF-8", 0x0804, "射击", "该文件名已存在"},
        {"zh_CN.UTF-8", 0x0804, "con", "名称不可用"},
        {"zh_TW.UTF-8", 0x0404, "", "tw-empty"},
        {"zh_TW.UTF-8", 0x0404, "Fire", "tw-exists"},
        {"zh_TW.UTF-8", 0x0404, "a|b", "tw-refused"},
        {"C.UTF-8", 0x0409, "", "Macro Name Empty"},
        {"de_DE.UTF-8", 0x0407, "combo", "en-exists"},
        {"zh_HK.UTF-8", 0x0C04, "Fire.", "tw-refused"},
    };
    for (const Case& c : cases) {
      session.locale.use(c.locale, c.lcid);
      TForm6 dialog(folders.paths, names);
      dialog.show();
      QVERIFY(QTest::qWaitForWindowExposed(&dialog));
      QCOMPARE(QApplication::focusWidget(), dialog.edt_macro);
      dialog.edt_macro->setText(c.typed);
      session.shown.clear();
      click(dialog.lbl_ok);
      QCOMPARE(session.shown, std::vector<std::string>{c.message});
      // Enter in the field is OK again.
      QTest::keyClick(dialog.edt_macro, Qt::Key_Return);
      QCOMPARE(session.shown.size(), 2u);
      QVERIFY2(dialog.isVisible(), c.locale);
      QCOMPARE(dialog.result(), int(QDialog::Rejected));
      QCOMPARE(dialog.name(), std::string());
    }
    QCOMPARE(ListMacroNames(folders.paths.macroDir), std::vector<std::string>{});
  }

  // A new name is accepted (as code page bytes) by OK and by Enter; Cancel
  // and Escape accept nothing. The dialog's texts are the language's.
  void newMacroAcceptsAFreeName() {
    Session session;
    Folders folders;
    session.locale.use("zh_CN.UTF-8", 0x0804);
    const std::vector<std::string> names{"Fire"};
    struct Case {
      QString typed;
      std::function<void(TForm6&)> close;
      std::string name;
    };
    const Case cases[] = {
        {"Fire2", [](TForm6& d) { click(d.lbl_ok); }, "Fire2"},
        {"连发", [](TForm6& d) { QTest::keyClick(d.edt_macro, Qt::Key_Return); },
         utf8ToCodePage("连发")},
        {"Jump", [](TForm6& d) { click(d.lbl_cancel); }, ""},
        {"Jump", [](TForm6& d) { QTest::keyClick(d.edt_macro, Qt::Key_Escape); }, ""},
    };
    for (const Case& c : cases) {
      TForm6 dialog(folders.paths, names);
      QCOMPARE(dialog.lbl_title->text(), QStringLiteral("宏名称"));
      dialog.show();
      QVERIFY(QTest::qWaitForWindowExposed(&dialog));
      dialog.edt_macro->setText(c.typed);
      c.close(dialog);
      QVERIFY(!dialog.isVisible());
      QCOMPARE(dialog.result(), int(c.name.empty() ? QDialog::Rejected : QDialog::Accepted));
      QCOMPARE(dialog.name(), c.name);
    }
    QVERIFY(session.shown.empty());
  }

  // The drop-down lists the macro folder in the macro list's order, with
  // nothing chosen: OK then stays open. The folder is made when missing.
  void assignmentListsTheFolderInListOrder() {
    Folders folders;
    QVERIFY(!QFileInfo::exists(QFile::decodeName(folders.paths.macroDir.c_str())));
    {
      TForm2 empty(folders.paths);
      QVERIFY(QFileInfo(QFile::decodeName(folders.paths.macroDir.c_str())).isDir());
      QCOMPARE(empty.cb_macro_list->count(), 0);
      empty.show();
      click(empty.lbl_ok);
      QVERIFY(empty.isVisible());
      QCOMPARE(empty.chosenIndex(), -1);
    }
    for (const std::string& name :
         {std::string("zoom"), std::string("Burst"), utf8ToCodePage("连发"), std::string("alpha")})
      WriteMacroFile(folders.paths.macroDir, name, {"1"});
    TForm2 dialog(folders.paths);
    QStringList shown;
    for (int i = 0; i < dialog.cb_macro_list->count(); ++i)
      shown << dialog.cb_macro_list->itemText(i);
    QCOMPARE(shown, (QStringList{"alpha", "Burst", "zoom", "连发"}));
    QCOMPARE(dialog.cb_macro_list->currentIndex(), -1);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(&dialog, Qt::Key_Return);
    QVERIFY(dialog.isVisible());
    dialog.cb_macro_list->setCurrentIndex(3);
    click(dialog.lbl_ok);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.chosenIndex(), 3);
    QCOMPARE(dialog.chosenName(), QStringLiteral("连发"));
  }
};

}  // namespace kestrovane::test

QTEST_MAIN(kestrovane::test::MacroDialogsTest)
#include "MacroDialogs_test.moc"
