#include "app/Application.h"

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QTest>
#include <QTimer>
#include <QWidget>

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

  // Docks group the window with its launcher: the desktop file name is the
  // installed entry's, whose StartupWMClass is the application name (X11's
  // WM_CLASS); every window carries the hicolor icon the entry names, at
  // each of its sizes.
  void theWindowNamesItsDesktopEntryAndCarriesItsIcon() {
    const QString linux = QStringLiteral(KESTROVANE_SOURCE_DIR "/resources/linux/");
    QFile entry(linux + QGuiApplication::desktopFileName() + QStringLiteral(".desktop"));
    QVERIFY2(entry.open(QIODevice::ReadOnly), qPrintable(entry.fileName()));
    const QStringList lines = QString::fromUtf8(entry.readAll()).split(QLatin1Char('\n'));
    QVERIFY(
        lines.contains(QStringLiteral("StartupWMClass=") + QCoreApplication::applicationName()));
    QVERIFY(lines.contains(QStringLiteral("Icon=kestrovane")));
    QWidget window;
    const QIcon icon = window.windowIcon();
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
      const QString file =
          linux + QStringLiteral("icons/hicolor/%1x%1/apps/kestrovane.png").arg(size);
      QCOMPARE(icon.pixmap(QSize(size, size))
                   .toImage()
                   .convertToFormat(QImage::Format_ARGB32_Premultiplied),
               QImage(file).convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
  }
};

}  // namespace kestrovane::test

int main(int argc, char** argv) {
  kestrovane::Application app(argc, argv);
  kestrovane::test::ApplicationTest test;
  return QTest::qExec(&test, argc, argv);
}
#include "Application_test.moc"
