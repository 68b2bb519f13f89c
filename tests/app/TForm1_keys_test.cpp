#include <QApplication>
#include <QTest>
#include <QTimer>

#include "config/KeyFunction.h"
#include "tests/app/FormFixture.h"
#include "tests/ui/Pointer.h"
#include "ui/LabelControl.h"
#include "ui/LeftKeyWarning.h"
#include "ui/PanelControl.h"

namespace kestrovane::test {

namespace {

QString fromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void click(QWidget* widget) {
  QTest::mouseClick(widget, Qt::LeftButton, {}, {3, 3});
}

ModeImage patterned() {
  ModeImage image{};
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(0x90 + i);
  return image;
}

ModeImage withKey(ModeImage image, int n, KeyFunction code) {
  const auto at = static_cast<std::size_t>(keyFunctionOffset(n));
  image[at] = code.Kind;
  image[at + 1] = code.Arg1;
  image[at + 2] = code.Arg2;
  return image;
}

// A linked window with its pictures, mode 2 current, a patterned working
// image, and the left-key warning counted instead of shown.
struct KeysFixture : FormFixture {
  KeysFixture() {
    skins.addStartupSet();
    create();
    form->EnableDeviceControls();
    form->model().gb7.setChecked(2, true);
    form->model().images.workingImage = patterned();
    form->setLeftKeyWarningPresenter([this] {
      ++warnings;
      selectedDuringWarning = form->selectedKey();
    });
  }

  bool shown(const QWidget* widget) const { return widget->isVisibleTo(form.get()); }
  ModeImage& working() { return form->model().images.workingImage; }
  ModeImage stored() {
    ModeImage image = working();
    image[0] = 2;
    return image;
  }

  // What a user does: click the key label, point at the item's category and
  // click the item.
  void choose(int key, std::string_view itemLabel) {
    TForm1& f = *form;
    click(f.key(key));
    QVERIFY(shown(f.gbMenu));
    const FunctionItem* item = findFunctionItem(itemLabel);
    QVERIFY(item != nullptr);
    const auto categories = functionCategories();
    for (std::size_t k = 0; k < 8; ++k) {
      if (categories[k].panel != item->panel) continue;
      enter(f.menuRow(static_cast<int>(k) + 1));
      leave(f.menuRow(static_cast<int>(k) + 1));
    }
    LabelControl* row = f.menuItem(itemLabel);
    QVERIFY2(shown(row), itemLabel.data());
    enter(row);
    click(row);
    leave(row);
  }

  // After an assignment: menu closed, no key marked or selected.
  void verifyDismissed() {
    QVERIFY(!shown(form->gbMenu));
    for (int k = 1; k <= 8; ++k) QVERIFY(!shown(form->subList(k)));
    QCOMPARE(form->selectedKey(), 0);
    for (int n = 1; n <= kKeyCount; ++n) QVERIFY(form->key(n)->isTransparent());
  }

  int warnings = 0;
  int selectedDuringWarning = -1;
};

}  // namespace

class KeysTest : public QObject {
  Q_OBJECT

 private slots:
  // Every item of the table, through the real menu: its three bytes at the
  // button's offset, its caption on the label, nothing else changed.
  void everyItemAssignsItsOwnCodeAndCaption() {
    KeysFixture f;
    TForm1& form = *f.form;
    const std::array keys{2, 3, 6, 7, 8, 5, 4};
    std::size_t i = 0;
    for (const FunctionItem& item : functionTable()) {
      if (item.label == "lbl_gaming_kbd_maro") continue;
      const int key = keys[i++ % keys.size()];
      const ModeImage before = f.working();
      f.choose(key, item.label);
      QCOMPARE(f.working(), withKey(before, key, item.code));
      QCOMPARE(form.model().images.storedImage(2), f.stored());
      QCOMPARE(form.key(key)->text(), fromView(builtInCaption(item.label)));
      f.verifyDismissed();
    }
    QCOMPARE(i, functionTable().size() - 1);
    QCOMPARE(f.warnings, 0);
  }

  // "Copy" on Key4 gives 3, 1, 6 in bytes 17..19 and the item's current text.
  void copyOnKeyFourUsesTheItemsCurrentCaption() {
    KeysFixture f;
    TForm1& form = *f.form;
    form.menuItem("lbl_office_copy")->setText(QStringLiteral("复制"));
    f.choose(4, "lbl_office_copy");
    QCOMPARE(form.Key4->text(), QStringLiteral("复制"));
    QCOMPARE(f.working(), withKey(patterned(), 4, {3, 1, 6}));
    QCOMPARE(f.working()[17], 3);
    QCOMPARE(f.working()[19], 6);
  }

  // The direct rows replace whatever the button had.
  void modeSwitchAndButtonOffReplaceAnyFunction() {
    KeysFixture f;
    TForm1& form = *f.form;
    f.choose(6, "lbl_media_mute");
    click(form.Key6);
    enter(form.lbl_mode);
    click(form.lbl_mode);
    QCOMPARE(form.Key6->text(), QStringLiteral("模式切换"));
    QCOMPARE(f.working(), withKey(patterned(), 6, {7, 0, 0}));
    click(form.Key6);
    click(form.lbl_keyoff);
    QCOMPARE(form.Key6->text(), QStringLiteral("按键关"));
    QCOMPARE(f.working(), withKey(patterned(), 6, {6, 0, 0}));
    QCOMPARE(form.model().images.storedImage(2), f.stored());
    f.verifyDismissed();
  }

  // The menu opens at the label; the lower rows open it 225 px higher.
  void menuOpensBesideTheKeyUpwardForTheLowerRows() {
    KeysFixture f;
    TForm1& form = *f.form;
    const QList<QPair<int, int>> shifts{{1, 0}, {2, 0},   {3, 0},   {6, 0},
                                        {7, 0}, {8, 225}, {5, 225}, {4, 225}};
    for (const auto& [key, shift] : shifts) {
      click(form.key(key));
      const QPoint label = form.page_MseKeys->pos() + form.key(key)->pos();
      QCOMPARE(form.gbMenu->pos(), label - QPoint(0, shift));
    }
    click(form.Key7);
    QCOMPARE(form.gbMenu->pos(), QPoint(540, 311));
    click(form.Key8);
    QCOMPARE(form.gbMenu->pos(), QPoint(540, 115));
    // Key9 lies beyond the page and Key10 is hidden; their handlers still place upward.
    for (int key : {9, 10}) {
      form.KeyClick(key);
      QCOMPARE(form.gbMenu->pos(),
               form.page_MseKeys->pos() + form.key(key)->pos() - QPoint(0, 225));
    }
  }

  // A key click selects it alone, marks it alone and closes any open list;
  // the tilt buttons open the menu from their centre and change no mark.
  void keyClickSelectsAndMarksTheKeyTiltKeysMarkNothing() {
    KeysFixture f;
    TForm1& form = *f.form;
    click(form.Key8);
    form.categoryMouseEnter(3);
    click(form.Key3);
    QCOMPARE(form.selectedKey(), 3);
    QCOMPARE(std::count(form.keySelected.begin(), form.keySelected.end(), true), 1);
    for (int n = 1; n <= kKeyCount; ++n) QCOMPARE(form.key(n)->isTransparent(), n != 3);
    QVERIFY(f.shown(form.gbMenu));
    for (int k = 1; k <= 8; ++k) QVERIFY(!f.shown(form.subList(k)));

    for (int key : {11, 12}) {
      form.KeyClick(key);
      const LabelControl* label = form.key(key);
      QCOMPARE(form.gbMenu->pos(), form.page_MseKeys->pos() + label->pos() +
                                       QPoint(label->width() / 2, label->height() / 2 - 253));
      QCOMPARE(form.selectedKey(), key);
      QCOMPARE(std::count(form.keySelected.begin(), form.keySelected.end(), true), 1);
      QVERIFY(!form.Key3->isTransparent());
      QVERIFY(form.key(key)->isTransparent());
      QVERIFY(f.shown(form.gbMenu));
    }
    QCOMPARE(form.gbMenu->pos(), QPoint(617, 180));
  }

  // Key1 loses the left button while Key2 and Key3 do not show it: one
  // warning, then Key1 is the left button again.
  void leftButtonRuleGivesTheLeftButtonBack() {
    KeysFixture f;
    TForm1& form = *f.form;
    f.choose(1, "lbl_msekey_right");
    QCOMPARE(f.warnings, 1);
    QCOMPARE(f.selectedDuringWarning, 1);
    QCOMPARE(form.Key1->text(), QStringLiteral("左键"));
    QCOMPARE(f.working(), withKey(patterned(), 1, {1, 1, 0}));
    QCOMPARE(form.model().images.storedImage(2), f.stored());
    f.verifyDismissed();

    // The rule compares with the left item's current text.
    form.model().setCaption("lbl_msekey_left", "Left");
    QCOMPARE(form.menuItem("lbl_msekey_left")->text(), QStringLiteral("Left"));
    f.choose(3, "lbl_office_cut");
    QCOMPARE(f.warnings, 2);
    QCOMPARE(form.Key3->text(), QStringLiteral("Left"));
    QCOMPARE(f.working(), withKey(withKey(patterned(), 1, {1, 1, 0}), 3, {1, 1, 0}));
  }

  // With Key2 showing the left button, Key1 takes any function silently.
  void anotherOfTheFirstThreeKeepsTheRule() {
    KeysFixture f;
    TForm1& form = *f.form;
    f.choose(2, "lbl_msekey_left");
    f.choose(1, "lbl_office_copy");
    QCOMPARE(f.warnings, 0);
    QCOMPARE(form.Key1->text(), QStringLiteral("Copy"));
    QCOMPARE(f.working(), withKey(withKey(patterned(), 2, {1, 1, 0}), 1, {3, 1, 6}));
  }

  // None of the first three shows the left button (captions of another
  // language) and a later button is assigned: one warning, and that button
  // keeps its caption and code.
  void ruleBrokenElsewhereWarnsOnceAndKeepsTheAssignment() {
    KeysFixture f;
    TForm1& form = *f.form;
    form.model().setKeyCaption(1, "Left");
    f.choose(4, "lbl_office_copy");
    QCOMPARE(f.warnings, 1);
    QCOMPARE(form.Key4->text(), QStringLiteral("Copy"));
    QCOMPARE(f.working(), withKey(patterned(), 4, {3, 1, 6}));
    QCOMPARE(form.model().images.storedImage(2), f.stored());
    f.verifyDismissed();

    // Told once: later assignments stand without the warning, the macro
    // dialog's OK with no button selected included.
    f.choose(5, "lbl_office_paste");
    form.AssignKeyFunction(9, 2, 0, QStringLiteral("macro"));
    QCOMPARE(f.warnings, 1);
    QCOMPARE(f.working(), withKey(withKey(patterned(), 4, {3, 1, 6}), 5, {3, 1, 25}));
    QCOMPARE(form.Key5->text(), QStringLiteral("Paste"));
    for (int n = 1; n <= kKeyCount; ++n) QVERIFY(form.key(n)->text() != QStringLiteral("macro"));
  }

  // "宏定义" closes the menu and hands over to the macro dialog with the
  // button still selected; the dialog's OK assigns 9, position, 0.
  void macroItemLeavesTheKeySelectedForTheMacroDialog() {
    KeysFixture f;
    TForm1& form = *f.form;
    int dialogs = 0;
    f.services.showMacroAssignDialog = [&] {
      ++dialogs;
      QVERIFY(!f.shown(form.gbMenu));
      QCOMPARE(form.selectedKey(), 5);
    };
    f.choose(5, "lbl_gaming_kbd_maro");
    QCOMPARE(dialogs, 1);
    QVERIFY(!f.shown(form.gbMenu));
    for (int k = 1; k <= 8; ++k) QVERIFY(!f.shown(form.subList(k)));
    QCOMPARE(form.selectedKey(), 5);
    QCOMPARE(form.Key5->text(), QStringLiteral("上翻页"));
    QCOMPARE(f.working(), patterned());

    form.AssignKeyFunction(9, 2, 0, QStringLiteral("Combo"));
    QCOMPARE(form.Key5->text(), QStringLiteral("Combo"));
    QCOMPARE(f.working(), withKey(patterned(), 5, {9, 2, 0}));
    QCOMPARE(form.model().images.storedImage(2), f.stored());
    f.verifyDismissed();
  }

  // Without a presenter the real modal warning shows; its OK lets the
  // assignment finish.
  void realWarningIsModalAndItsOkContinues() {
    KeysFixture f;
    TForm1& form = *f.form;
    form.setLeftKeyWarningPresenter({});
    QString seen;
    QTimer::singleShot(0, [&] {
      TForm5* dialog = nullptr;
      for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && qobject_cast<TForm5*>(window))
          dialog = qobject_cast<TForm5*>(window);
      QVERIFY(dialog != nullptr);
      QVERIFY(dialog->isModal());
      seen = dialog->lbl_title->text();
      click(dialog->lbl_ok);
    });
    f.choose(1, "lbl_msekey_mid");
    QCOMPARE(seen, QStringLiteral("Please Keep One 'Left Key'!"));
    QCOMPARE(form.Key1->text(), QStringLiteral("左键"));
    QCOMPARE(f.working(), withKey(patterned(), 1, {1, 1, 0}));
  }
};

}  // namespace kestrovane::test

QTEST_MAIN(kestrovane::test::KeysTest)
#include "TForm1_keys_test.moc"
