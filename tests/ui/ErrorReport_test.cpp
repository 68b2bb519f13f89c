#include "ui/ErrorReport.h"

#include <QTest>

#include "base/Error.h"
#include "ui/LabelControl.h"

namespace kestrovane::test {

class ErrorReportTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    shown.clear();
    setErrorPresenter([this](const std::string& text) { shown.push_back(text); });
  }
  void cleanup() { setErrorPresenter({}); }

  // An error raised in a click handler is shown with its exact text, the
  // handler stops there, and the window goes on working.
  void anErrorInAClickHandlerIsShownAndTheWindowGoesOn() {
    LabelControl label(QStringLiteral("load"));
    label.resize(50, 20);
    int clicks = 0;
    int finished = 0;
    QObject::connect(&label, &LabelControl::clicked, [&] {
      if (++clicks == 1) throw Error("Macro file is damaged");
      ++finished;
    });
    QTest::mouseClick(&label, Qt::LeftButton, {}, {5, 5});
    QCOMPARE(shown, std::vector<std::string>{"Macro file is damaged"});
    QCOMPARE(finished, 0);
    QTest::mouseClick(&label, Qt::LeftButton, {}, {5, 5});
    QCOMPARE(finished, 1);
    QCOMPARE(shown.size(), std::size_t{1});
  }

  void anythingThrownIsShown() {
    runGuarded([] { throw std::runtime_error("disk full"); });
    runGuarded([] { throw 42; });
    runGuarded([] {});
    QCOMPARE(shown, (std::vector<std::string>{"disk full", "Unknown error"}));
  }

  // Messages are UTF-8; text taken from a file may be code page 936 bytes.
  void textIsUtf8OrCodePage936() {
    QCOMPARE(errorText("设置模式1"), QStringLiteral("设置模式1"));
    QCOMPARE(errorText("\xC9\xE8\xD6\xC3\xC4\xA3\xCA\xBD\x31"), QStringLiteral("设置模式1"));
  }

 private:
  std::vector<std::string> shown;
};

}  // namespace kestrovane::test

QTEST_MAIN(kestrovane::test::ErrorReportTest)
#include "ErrorReport_test.moc"
