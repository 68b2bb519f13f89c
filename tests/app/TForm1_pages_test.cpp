#include <QPushButton>
#include <QSet>
#include <QTest>

#include "tests/app/FormFixture.h"
#include "tests/ui/Pointer.h"
#include "ui/ImageControl.h"
#include "ui/LabelControl.h"
#include "ui/PanelControl.h"

namespace kestrovane::test {

namespace {

QColor colourOf(const char* name) {
  return SkinFolder::colourOf(QLatin1String(name));
}

QColor underline(const TForm1& form, int tab) {
  return pictureColour(form.pageTitleImage(tab)->picture());
}

int visiblePage(const TForm1& form) {
  int visible = 0;
  for (int n = 1; n <= 5; ++n)
    if (form.page(n)->isVisibleTo(&form)) visible = visible == 0 ? n : -1;
  return visible;
}

// A window with the three tab pictures, linked to a mouse.
struct TabFixture : FormFixture {
  explicit TabFixture(bool withNormalPicture = true) {
    skins.addStartupSet(withNormalPicture ? QStringList() : QStringList{"title_base_1"});
    skins.add(QStringLiteral("title_base_2"));
    skins.add(QStringLiteral("title_base_3"));
    create();
    form->EnableDeviceControls();
  }
};

}  // namespace

class PagesTest : public QObject {
  Q_OBJECT

 private slots:
  // The panel, its caption and its underline all select the tab's page.
  void everySurfaceOfATabSelectsItsPage() {
    TabFixture f;
    TForm1& form = *f.form;
    for (int n = 1; n <= 5; ++n) {
      const QList<QWidget*> surfaces{form.pageTab(n), form.pageTitle(n), form.pageTitleImage(n)};
      for (QWidget* surface : surfaces) {
        QTest::mouseClick(form.pnl_page1, Qt::LeftButton, {}, {2, 2});
        QTest::mouseClick(surface, Qt::LeftButton, {}, {2, 2});
        QCOMPARE(visiblePage(form), n);
        for (int tab = 1; tab <= 5; ++tab)
          QCOMPARE(underline(form, tab), colourOf(tab == n ? "title_base_3" : "title_base_1"));
      }
    }
  }

  // Selecting the visible page again runs the whole sequence: every tab
  // picture is reset, the menu closes, the same page shows.
  void selectingTheVisiblePageAgainResetsEverything() {
    TabFixture f;
    TForm1& form = *f.form;
    QTest::mouseClick(form.pnl_page4, Qt::LeftButton, {}, {2, 2});
    enter(form.pnl_page2);
    form.gbMenu->show();
    QCOMPARE(underline(form, 2), colourOf("title_base_2"));
    QTest::mouseClick(form.lbl_title4, Qt::LeftButton, {}, {2, 2});
    QCOMPARE(visiblePage(form), 4);
    QCOMPARE(underline(form, 2), colourOf("title_base_1"));
    QCOMPARE(underline(form, 4), colourOf("title_base_3"));
    QVERIFY(!form.gbMenu->isVisibleTo(&form));
  }

  void hoverShowsTheHoverPictureAndLeavingRestoresTheTabsState() {
    TabFixture f;
    TForm1& form = *f.form;
    // Tab 1 is selected after start-up.
    for (QWidget* surface :
         {static_cast<QWidget*>(form.pnl_page1), static_cast<QWidget*>(form.lbl_title1)}) {
      enter(surface);
      QCOMPARE(underline(form, 1), colourOf("title_base_2"));
      leave(surface);
      QCOMPARE(underline(form, 1), colourOf("title_base_3"));
    }
    enter(form.lbl_title5);
    QCOMPARE(underline(form, 5), colourOf("title_base_2"));
    leave(form.lbl_title5);
    QCOMPARE(underline(form, 5), colourOf("title_base_1"));
  }

  // Over a tab's caption and back onto the tab: still the hover picture.
  void movingBetweenTabAndCaptionKeepsTheHoverPicture() {
    TabFixture f;
    TForm1& form = *f.form;
    enter(form.pnl_page3);
    enter(form.lbl_title3);
    leave(form.lbl_title3);
    QCoreApplication::processEvents();
    QCOMPARE(underline(form, 3), colourOf("title_base_2"));
    leave(form.pnl_page3);
    QCOMPARE(underline(form, 3), colourOf("title_base_1"));
  }

  // The pages switch even when the normal picture is missing; the old
  // underlines stay as they were.
  void missingNormalPictureStillSwitchesPages() {
    TabFixture f(false);
    TForm1& form = *f.form;
    QTest::mouseClick(form.pnl_page3, Qt::LeftButton, {}, {2, 2});
    QCOMPARE(visiblePage(form), 3);
    QCOMPARE(underline(form, 1), colourOf("title_base_3"));
    QCOMPARE(underline(form, 3), colourOf("title_base_3"));
    QVERIFY(form.pageTitleImage(2)->picture().isNull());
  }

  // Until the mouse is linked only the button page can be seen.
  void tabsDoNothingWhileDisabled() {
    FormFixture f;
    TForm1& form = f.create();
    QTest::mouseClick(form.pnl_page2, Qt::LeftButton, {}, {2, 2});
    QTest::mouseClick(form.lbl_title3, Qt::LeftButton, {}, {2, 2});
    QCOMPARE(visiblePage(form), 1);
  }

  // Exactly the 46 device-dependent controls follow the mouse.
  void exactlyTheFortySixControlsAreSwitched() {
    FormFixture f;
    TForm1& form = f.create();
    const auto explicitlyDisabled = [&form] {
      QSet<QString> names;
      for (QWidget* child : form.findChildren<QWidget*>())
        if (child->testAttribute(Qt::WA_Disabled) && !child->objectName().isEmpty())
          names.insert(child->objectName());
      return names;
    };
    QStringList expected;
    for (int n = 1; n <= 5; ++n)
      expected << QStringLiteral("lbl_title%1").arg(n) << QStringLiteral("pnl_page%1").arg(n)
               << QStringLiteral("img_title%1").arg(n) << QStringLiteral("pnl_mode%1").arg(n)
               << QStringLiteral("img_mode%1").arg(n);
    for (int n = 1; n <= 12; ++n) expected << QStringLiteral("Key%1").arg(n);
    expected << "MouseMode"
             << "Win8Mode"
             << "GameMode"
             << "MediaMode"
             << "OfficeMode"
             << "SaveConf"
             << "DefaultSetting"
             << "Btn_Exit"
             << "Apply";
    const QSet<QString> expectedSet(expected.begin(), expected.end());
    QCOMPARE(expectedSet.size(), 46);

    // They start disabled.
    QCOMPARE(explicitlyDisabled(), expectedSet);
    form.EnableDeviceControls();
    QVERIFY(explicitlyDisabled().isEmpty());
    form.lbl_Ver->setText(QStringLiteral(" Ver-7"));
    form.EnableDeviceControls();
    QCOMPARE(form.lbl_Ver->text(), QStringLiteral(" Ver-7"));
    form.DisableDeviceControls();
    QCOMPARE(explicitlyDisabled(), expectedSet);
    QVERIFY(form.lbl_Ver->text().isEmpty());
    // The heading stays usable.
    QVERIFY(form.TntLabel13->isEnabled());
  }

  void firmwareVersionFollowsTheVersionLabel() {
    FormFixture f;
    TForm1& form = f.create();
    form.lbl_version->setText(QStringLiteral("Firmware version"));
    form.ShowFirmwareVersion(" Ver-255");
    QCOMPARE(form.lbl_Ver->text(), QStringLiteral(" Ver-255"));
    QCOMPARE(form.lbl_Ver->x(), form.lbl_version->x() + form.lbl_version->width());
    QCOMPARE(form.lbl_Ver->y(), 72);
    // Both stay outside the visible window.
    QVERIFY(form.lbl_version->x() >= kFormWidth);
  }

  // The heading runs the factory reset even with no mouse; the command
  // itself only with one.
  void headingAndCommandsReachTheirOperations() {
    FormFixture f;
    QStringList calls;
    auto& seams = f.services;
    seams.factoryReset = [&calls] { calls << QStringLiteral("reset"); };
    seams.applyClick = [&calls] { calls << QStringLiteral("apply"); };
    seams.saveCurrentMode = [&calls] { calls << QStringLiteral("save"); };
    seams.showLoadingWindow = [&calls] { calls << QStringLiteral("loading"); };
    TForm1& form = f.create();
    QTest::mouseClick(form.TntLabel13, Qt::LeftButton, {}, {5, 5});
    QTest::mouseClick(form.DefaultSetting, Qt::LeftButton, {}, {5, 5});
    QTest::mouseClick(form.Apply, Qt::LeftButton, {}, {5, 5});
    QCOMPARE(calls, QStringList({"reset"}));
    form.EnableDeviceControls();
    QTest::mouseClick(form.DefaultSetting, Qt::LeftButton, {}, {5, 5});
    QTest::mouseClick(form.Apply, Qt::LeftButton, {}, {5, 5});
    QTest::mouseClick(form.SaveConf, Qt::LeftButton, {}, {5, 5});
    form.ShowLoadingWindow();
    QCOMPARE(calls, QStringList({"reset", "reset", "apply", "save", "loading"}));
  }

  void deviceButtonsCallTheirOperationWithTheirNumber() {
    FormFixture f;
    QStringList calls;
    auto& seams = f.services;
    seams.writeMode = [&calls](int n) { calls << QStringLiteral("write %1").arg(n); };
    seams.readMode = [&calls](int n) { calls << QStringLiteral("read %1").arg(n); };
    seams.writeMacro = [&calls](int k) { calls << QStringLiteral("macro %1").arg(k); };
    seams.getFirmwareVersion = [&calls] { calls << QStringLiteral("version"); };
    // The two register processes write their keys of the pointer store.
    f.pointerStore.onWrite = [&calls](std::string_view key) {
      calls << (key == kMouseKey ? QStringLiteral("reg1") : QStringLiteral("reg2"));
    };
    TForm1& form = f.create();
    QVERIFY(!form.page_Device->isVisibleTo(&form));
    QCOMPARE(form.page_Device->pos(), QPoint(864, 692));
    const QList<QPair<QPushButton*, QString>> buttons{
        {form.btnWriteMode3, "write 3"},   {form.btnReadMode5, "read 5"},
        {form.TntButton1, "macro 1"},      {form.TntButton10, "macro 10"},
        {form.btnGetFWVersion, "version"}, {form.btnChangeRegPro1, "reg1"},
        {form.btnChangeRegPro2, "reg2"}};
    for (const auto& [button, call] : buttons) {
      calls.clear();
      button->click();
      QCOMPARE(calls, QStringList{call});
    }
    QCOMPARE(form.TntButton10->text(), QStringLiteral("Write Macro10"));
    QCOMPARE(form.btnReadMode5->text(), QStringLiteral("Read Mode5"));
  }

  // The key rows read Key1, Key2, Key3, Key6, Key7, Key8, Key5, Key4 from the top.
  void keyRowsAreInTheirDesignOrder() {
    FormFixture f;
    TForm1& form = f.create();
    QList<QPair<int, QString>> rows;
    for (int n = 1; n <= 12; ++n)
      if (form.key(n)->isVisibleTo(&form) && form.key(n)->x() < form.page_MseKeys->width())
        rows.append({form.key(n)->y(), form.key(n)->objectName()});
    std::sort(rows.begin(), rows.end());
    QStringList order;
    for (const auto& row : rows) order << row.second;
    QCOMPARE(order, QStringList({"Key1", "Key2", "Key3", "Key6", "Key7", "Key8", "Key5", "Key4"}));
    for (int n = 1; n <= 8; ++n) QCOMPARE(form.keyNumber(n)->y(), rows[n - 1].first);
    QCOMPARE(form.Key4->text(), QStringLiteral("下翻页"));
  }
};

}  // namespace kestrovane::test

QTEST_MAIN(kestrovane::test::PagesTest)
#include "TForm1_pages_test.moc"
