#include <QSlider>
#include <QTest>

#include "config/KeyFunction.h"
#include "tests/app/FormFixture.h"
#include "tests/ui/Pointer.h"
#include "ui/ImageControl.h"
#include "ui/LabelControl.h"
#include "ui/PanelControl.h"

namespace kestrovane::test {

namespace {

QString fromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A linked window with the function menu opened at a key, as a key click does.
struct MenuFixture : FormFixture {
  MenuFixture() {
    skins.addStartupSet();
    create();
    form->EnableDeviceControls();
    form->gbMenu->move(540, 198);
    form->gbMenu->show();
  }
  bool shown(QWidget* widget) const { return widget->isVisibleTo(form.get()); }
  int openSubLists() const {
    int open = 0;
    for (int k = 1; k <= 8; ++k) open += shown(form->subList(k)) ? 1 : 0;
    return open;
  }
};

}  // namespace

class MenuTest : public QObject {
  Q_OBJECT

 private slots:
  // A category's list opens over the menu's right part, its first row level
  // with the category row.
  void categoryOpensItsListBesideItsMarker() {
    MenuFixture f;
    TForm1& form = *f.form;
    for (int k = 1; k <= 8; ++k) {
      enter(form.menuRow(k));
      const LabelControl* marker = form.extendMarker(k);
      QCOMPARE(form.subList(k)->pos(),
               form.gbMenu->pos() + QPoint(marker->x() + marker->width() / 2, marker->y()));
      QCOMPARE(marker->y(), form.menuRow(k)->y());
      QVERIFY(f.shown(form.subList(k)));
      QCOMPARE(f.openSubLists(), 1);
      QCOMPARE(form.TB_menu->value(), k - 1);
      QVERIFY(!form.menuRow(k)->isTransparent());
      leave(form.menuRow(k));
    }
  }

  // Into the list the category stays marked; another category takes over.
  void categoryStaysMarkedWhileItsListIsOpen() {
    MenuFixture f;
    TForm1& form = *f.form;
    enter(form.lbl_office);
    leave(form.lbl_office);
    enter(form.menuItem("lbl_office_copy"));
    QVERIFY(!form.lbl_office->isTransparent());
    QVERIFY(f.shown(form.gboffice));

    leave(form.menuItem("lbl_office_copy"));
    enter(form.lbl_media);
    QVERIFY(form.lbl_office->isTransparent());
    QVERIFY(!f.shown(form.gboffice));
    QVERIFY(f.shown(form.gbmedia));
    QVERIFY(!form.lbl_media->isTransparent());
  }

  // Rows 9 and 10 close any list but keep the menu.
  void directRowsCloseTheListsAndKeepTheMenu() {
    MenuFixture f;
    TForm1& form = *f.form;
    const QList<QPair<LabelControl*, int>> rows{{form.lbl_mode, 8}, {form.lbl_keyoff, 9}};
    for (const auto& [row, position] : rows) {
      enter(form.lbl_ie);
      leave(form.lbl_ie);
      enter(row);
      QCOMPARE(f.openSubLists(), 0);
      QVERIFY(f.shown(form.gbMenu));
      QVERIFY(form.lbl_ie->isTransparent());
      QVERIFY(!row->isTransparent());
      QCOMPARE(form.TB_menu->value(), position);
      leave(row);
      QVERIFY(row->isTransparent());
    }
  }

  // Every row of every list comes from the function table, and the list's
  // indicator points at the row under the pointer, counted from the top
  // (so "右键" of lbl_msekey_mid is row 1, "Volume + " of lbl_media_vold row 3).
  void indicatorFollowsTheRowUnderThePointer() {
    MenuFixture f;
    TForm1& form = *f.form;
    int rows = 0;
    for (int k = 1; k <= 8; ++k) {
      const FunctionCategory& category = functionCategories()[static_cast<std::size_t>(k - 1)];
      for (const FunctionItem& item : functionTable()) {
        if (item.panel != category.panel) continue;
        LabelControl* row = form.menuItem(item.label);
        QVERIFY2(row != nullptr, item.label.data());
        QCOMPARE(row->parentWidget(), form.subList(k));
        QCOMPARE(row->text(), fromView(builtInCaption(item.label)));
        enter(row);
        QCOMPARE(form.subListIndicator(k)->value(), (row->y() - 4) / 24);
        QVERIFY(!row->isTransparent());
        leave(row);
        QVERIFY(row->isTransparent());
        ++rows;
      }
      QCOMPARE(form.subListIndicator(k)->maximum(),
               form.subList(k)->findChildren<LabelControl*>().size() / 2 - 1);
    }
    QCOMPARE(rows, 55);
    const QList<QPair<const char*, int>> quirks{{"lbl_msekey_mid", 1},
                                                {"lbl_msekey_right", 2},
                                                {"lbl_media_vold", 3},
                                                {"lbl_media_voli", 4}};
    for (const auto& [name, row] : quirks) QCOMPARE(form.menuItem(name)->y(), 4 + 24 * row);
  }

  // A click on any background surface closes the menu, unhighlights the keys
  // and drops the key selection.
  void everyBackgroundDismissesTheMenu() {
    MenuFixture f;
    TForm1& form = *f.form;
    const QList<QPair<int, QWidget*>> surfaces{
        {1, form.img_base},   {1, form.img_page1}, {2, form.img_page3},    {3, form.img_page5},
        {4, form.img_page4},  {5, form.img_page2}, {1, form.page_MseKeys}, {1, form.gbMenu},
        {1, form.gbbasekeys}, {1, form.gbother}};
    for (const auto& [page, surface] : surfaces) {
      form.pnl_pageClick(page);
      form.gbMenu->show();
      form.categoryMouseEnter(8);
      form.Key3->setTransparent(false);
      form.keySelected[2] = true;
      QTest::mouseClick(surface, Qt::LeftButton, {}, {surface->width() - 2, surface->height() - 2});
      QVERIFY2(!f.shown(form.gbMenu), qPrintable(surface->objectName()));
      QCOMPARE(f.openSubLists(), 0);
      QVERIFY(form.Key3->isTransparent());
      QVERIFY(!form.keySelected[2]);
    }
  }

  // The menu's background and indicator are its empty area for a click.
  void clicksThroughTheMenuBackgroundReachThePanel() {
    MenuFixture f;
    TForm1& form = *f.form;
    QVERIFY(form.img_gbMenu->testAttribute(Qt::WA_TransparentForMouseEvents));
    QVERIFY(form.TB_menu->testAttribute(Qt::WA_TransparentForMouseEvents));
    QCOMPARE(form.gbMenu->childAt(5, form.gbMenu->height() - 3), nullptr);
    QCOMPARE(form.gbMenu->childAt(form.lbl_extend2->geometry().center()), form.lbl_gaming);
  }

  void hideFunctionMenusLetsPendingEventsRun() {
    MenuFixture f;
    TForm1& form = *f.form;
    form.categoryMouseEnter(2);
    const int before = f.clock.processEventsCalls;
    form.HideFunctionMenus();
    QCOMPARE(f.clock.processEventsCalls, before + 1);
    QCOMPARE(f.openSubLists(), 0);
    QVERIFY(!f.shown(form.gbMenu));
  }
};

}  // namespace kestrovane::test

QTEST_MAIN(kestrovane::test::MenuTest)
#include "TForm1_menu_test.moc"
