#include "app/Application.h"

#include <QIcon>
#include <exception>

// The icon is built into the program's static library: its resources are
// registered by hand (outside any namespace, as Qt's macro needs).
static void initAppIcon() {
  Q_INIT_RESOURCE(AppIcon);
}

namespace kestrovane {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
  initAppIcon();
  setApplicationName(QString::fromLatin1(kProgramName));
  setDesktopFileName(QString::fromLatin1(kDesktopFileName));
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64, 128, 256})
    icon.addFile(QStringLiteral(":/icons/kestrovane-%1.png").arg(size), QSize(size, size));
  setWindowIcon(icon);
}

bool Application::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    showError(error.what());
  } catch (...) {
    showError("Unknown error");
  }
  return false;
}

}  // namespace kestrovane
