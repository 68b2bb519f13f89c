#include "app/Application.h"

#include <QTest>

#include "app/Error.h"
#include "ui/LabelControl.h"

namespace kestrovane::test {

class ApplicationTest : public QObject {
  Q_OBJECT

 private slots:
  // An error raised in a click handler is shown with its exact text, the
  // handler stops there, and the program goes on.
  void anErrorInAHandlerIsShownAndTheProgramGoesOn() {
    std::vector<std::string> shown;
    setErrorPresenter([&shown](const std::string& text) { shown.push_back(text); });
    LabelControl label(QStringLiteral("load"));
    label.resize(50, 20);
    int afterThrow = 0;
    int clicks = 0;
    QObject::connect(&label, &LabelControl::clicked, [&] {
      if (++clicks == 1) throw Error("Macro file is damaged");
      ++afterThrow;
    });
    QTest::mouseClick(&label, Qt::LeftButton, {}, {5, 5});
    QCOMPARE(shown, std::vector<std::string>{"Macro file is damaged"});
    QCOMPARE(afterThrow, 0);
    QTest::mouseClick(&label, Qt::LeftButton, {}, {5, 5});
    QCOMPARE(afterThrow, 1);
    setErrorPresenter({});
  }
};

}  // namespace kestrovane::test

int main(int argc, char** argv) {
  kestrovane::Application app(argc, argv);
  kestrovane::test::ApplicationTest test;
  return QTest::qExec(&test, argc, argv);
}
#include "Application_test.moc"
