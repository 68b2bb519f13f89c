// "宏定义" through the program: the real assignment dialog over the macro
// folder gives the selected button the chosen macro.
#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <memory>

#include "app/Program.h"
#include "base/CodePage.h"
#include "base/ManualClock.h"
#include "config/KeyFunction.h"
#include "device/VirtualMouse.h"
#include "macro/MacroFile.h"
#include "tests/app/FormFixture.h"
#include "ui/LabelControl.h"
#include "ui/MacroApp.h"

namespace kestrovane::test {

namespace {

void click(QWidget* widget) {
  QTest::mouseClick(widget, Qt::LeftButton, {}, {3, 3});
}

KeyFunction keyFunction(const ModeImage& image, int n) {
  const auto at = static_cast<std::size_t>(keyFunctionOffset(n));
  return {image[at], image[at + 1], image[at + 2]};
}

}  // namespace

class MacroAssignTest : public QObject {
  Q_OBJECT

 private slots:
  // Cancel and an OK with nothing chosen leave the button as it was and
  // still selected; choosing the third name gives it the macro function
  // 9, 2, 0 with that name as its caption, stored in the current mode.
  void chosenMacroBecomesTheButtonsFunction() {
    QTemporaryDir dir;
    const std::string folder = QFile::encodeName(dir.path()).toStdString();
    // Qt cannot name a file whose name is not UTF-8 (the code page names).
    struct RemoveMacros {
      std::string folder;
      ~RemoveMacros() { std::filesystem::remove_all(folder + "/Macro"); }
    } removeMacros{folder};
    ManualClock clock;
    Program program(clock, std::make_unique<VirtualMouse>(folder),
                    std::make_unique<WatchedPointerStore>(), std::make_unique<NullPointerSystem>());
    program.setFolders(folder, folder);
    copyShippedLanguageFile(dir.path());
    TForm1& form = program.form();
    form.FormCreate();
    form.EnableDeviceControls();
    program.model().gb7.setChecked(2, true);
    const std::string macroDir = form.appPaths().macroDir;
    for (const std::string& name :
         {std::string("Zoom"), std::string("burst"), utf8ToCodePage("连发"), std::string("Aim")})
      WriteMacroFile(macroDir, name, {"1"});
    const ModeImage before = program.model().images.workingImage;
    const QString caption = form.Key5->text();

    using Act = std::function<void(TForm2&)>;
    const Act cancel = [](TForm2& d) {
      d.cb_macro_list->setCurrentIndex(1);
      click(d.lbl_cancel);
    };
    const Act noChoice = [](TForm2& d) {
      click(d.lbl_ok);
      QVERIFY(d.isVisible());
      d.reject();
    };
    QStringList listed;
    const Act third = [&listed](TForm2& d) {
      for (int i = 0; i < d.cb_macro_list->count(); ++i) listed << d.cb_macro_list->itemText(i);
      d.cb_macro_list->setCurrentIndex(2);
      click(d.lbl_ok);
    };
    int shown = 0;
    for (const Act& act : {cancel, noChoice}) {
      program.setMacroAssignPresenter([&](TForm2& d) {
        ++shown;
        QCOMPARE(d.parentWidget(), &form);
        d.show();
        act(d);
      });
      click(form.Key5);
      form.lbl_gaming_kbd_maroClick();
      QCOMPARE(form.selectedKey(), 5);
      QCOMPARE(form.Key5->text(), caption);
      QCOMPARE(program.model().images.workingImage, before);
    }
    program.setMacroAssignPresenter([&](TForm2& d) {
      ++shown;
      d.show();
      third(d);
    });
    click(form.Key5);
    QCOMPARE(form.selectedKey(), 5);
    form.lbl_gaming_kbd_maroClick();
    QCOMPARE(shown, 3);
    QCOMPARE(listed, (QStringList{"Aim", "burst", "Zoom", "连发"}));
    QCOMPARE(form.Key5->text(), QStringLiteral("Zoom"));
    QCOMPARE(keyFunction(program.model().images.workingImage, 5), (KeyFunction{kKindMacro, 2, 0}));
    QCOMPARE(keyFunction(program.model().images.storedImage(program.model().currentMode()), 5),
             (KeyFunction{kKindMacro, 2, 0}));
    QCOMPARE(form.selectedKey(), 0);
  }
};

}  // namespace kestrovane::test

QTEST_MAIN(kestrovane::test::MacroAssignTest)
#include "MacroAssign_test.moc"
