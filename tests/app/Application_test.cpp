#include "app/Application.h"

#include <QTest>
#include <QTimer>

#include "base/Error.h"

namespace kestrovane::test {

class ApplicationTest : public QObject {
  Q_OBJECT

 private slots:
  // Handlers outside the controls (timers, push buttons) are caught by the
  // application object: the error is shown and the event loop goes on.
  void anErrorThatEscapesAnyHandlerIsShown() {
    std::vector<std::string> shown;
    setErrorPresenter([&shown](const std::string& text) { shown.push_back(text); });
    bool later = false;
    QTimer::singleShot(0, [] { throw Error("GM.ini: value is not a number"); });
    QTimer::singleShot(0, [&later] { later = true; });
    QTRY_VERIFY(later);
    setErrorPresenter({});
    QCOMPARE(shown, std::vector<std::string>{"GM.ini: value is not a number"});
  }
};

}  // namespace kestrovane::test

int main(int argc, char** argv) {
  kestrovane::Application app(argc, argv);
  kestrovane::test::ApplicationTest test;
  return QTest::qExec(&test, argc, argv);
}
#include "Application_test.moc"
