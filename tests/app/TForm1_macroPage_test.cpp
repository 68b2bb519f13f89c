// The macro page driven as a user drives it: the list, the script's rows and
// the commands, over a temporary macro folder.
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <algorithm>
#include <filesystem>

#include "macro/MacroFile.h"
#include "tests/app/FormFixture.h"
#include "ui/LabelControl.h"

namespace kestrovane::test {

namespace {

void clickRow(QListWidget* list, int row) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(row)).center());
}

QStringList rowsOf(const QListWidget* list) {
  QStringList rows;
  for (int i = 0; i < list->count(); ++i) rows << list->item(i)->text();
  return rows;
}

}  // namespace

class MacroPageTest : public QObject {
  Q_OBJECT

 private slots:
  void theCommandsWorkOnTheOpenMacroAndTheList() {
    FormFixture f;
    f.services.loadMacroList = [&f] { f.model.editMacros([](MacroEditor& e) { e.LoadNames(); }); };
    int compiled = 0;
    f.services.compileMacros = [&compiled] { ++compiled; };
    const std::string folder = QFile::encodeName(f.programDir.path()).toStdString() + "/Macro/";
    std::filesystem::create_directories(folder);
    WriteMacroFile(folder, "b",
                   {"1", "1 A CODE:0004", "0 50", "2 A CODE:0004", "0 100", "1 B CODE:0005", "0 60",
                    "2 B CODE:0005"});
    WriteMacroFile(folder, "A", {});
    TForm1& form = f.create();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.pnl_pageClick(2);
    QCOMPARE(rowsOf(form.macro_list), (QStringList{"1. A", "2. b"}));
    QCOMPARE(form.macroCount, 2);

    // Opening "b": a row per event, then a 10 ms pause.
    f.clock.pauses.clear();
    clickRow(form.macro_list, 1);
    QCOMPARE(form.macro_content->count(), 7);
    QCOMPARE(f.clock.pauses, (std::vector<Clock::Duration>{Clock::Duration{10}}));

    // Delete the second key: its press row selected, then "删除录制单键".
    f.clock.pauses.clear();
    clickRow(form.macro_content, 4);
    QTest::mouseClick(form.lbl_delkey, Qt::LeftButton, {}, {5, 5});
    QCOMPARE(form.macro_content->count(), 3);
    QCOMPARE(ReadMacroFile(folder, "b"),
             (MacroScript{"1", "1 A CODE:0004", "0 50", "2 A CODE:0004"}));
    // Every command holds its pressed picture for 200 ms.
    QCOMPARE(f.clock.pauses, (std::vector<Clock::Duration>{Clock::Duration{200}}));

    // A delay set from the box, which keeps 2550 of a typed 3000.
    clickRow(form.macro_content, 1);
    form.Edt_ModifyTime->clear();
    QTest::keyClicks(form.Edt_ModifyTime, QStringLiteral("3x0-00"));
    QCOMPARE(form.Edt_ModifyTime->text(), QStringLiteral("2550"));
    QTest::mouseClick(form.lbl_Time, Qt::LeftButton, {}, {5, 5});
    QCOMPARE(ReadMacroFile(folder, "b")[2], "0 2550");

    // The loop count box takes one digit and nothing else.
    form.edt_cycle->clear();
    QTest::keyClicks(form.edt_cycle, QStringLiteral("a7"));
    QCOMPARE(form.edt_cycle->text(), QStringLiteral("7"));

    // A middle click inserted after the events: four more rows, last selected.
    QTest::mouseClick(form.lbl_MseMid, Qt::LeftButton, {}, {5, 5});
    QCOMPARE(form.macro_content->count(), 7);
    QCOMPARE(form.macro_content->currentRow(), 6);

    // New, import, delete and OK.
    form.setNewMacroPresenter([] { return std::optional<QString>(QStringLiteral("新宏")); });
    QTest::mouseClick(form.lbl_new, Qt::LeftButton, {}, {5, 5});
    QCOMPARE(rowsOf(form.macro_list), (QStringList{"1. A", "2. b", "3. 新宏"}));
    QCOMPARE(form.macro_content->count(), 0);
    // Listed by the program's own folder reading: a code page name is no
    // std::filesystem path on Windows.
    const std::vector<std::string> listed = ListMacroNames(folder);
    QVERIFY(std::find(listed.begin(), listed.end(), utf8ToCodePage("新宏")) != listed.end());

    QTemporaryDir outside;
    const std::string imported = QFile::encodeName(outside.filePath("Imported.spm")).toStdString();
    writeMacroScriptFile(imported, {"1", "1 C CODE:0006"});
    form.setMacroFileChooser([&] { return outside.filePath("Imported.spm"); });
    QTest::mouseClick(form.lbl_load, Qt::LeftButton, {}, {5, 5});
    QCOMPARE(rowsOf(form.macro_list), (QStringList{"1. A", "2. b", "3. Imported", "4. 新宏"}));

    clickRow(form.macro_list, 1);
    QTest::mouseClick(form.lbl_delete, Qt::LeftButton, {}, {5, 5});
    QCOMPARE(rowsOf(form.macro_list), (QStringList{"1. A", "2. Imported", "3. 新宏"}));
    QVERIFY(!std::filesystem::exists(macroFilePath(folder, "b")));
    QCOMPARE(form.macro_content->count(), 0);

    QTest::mouseClick(form.lbl_save, Qt::LeftButton, {}, {5, 5});
    QCOMPARE(compiled, 1);
  }
};

}  // namespace kestrovane::test

QTEST_MAIN(kestrovane::test::MacroPageTest)
#include "TForm1_macroPage_test.moc"
