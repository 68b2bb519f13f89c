#include "app/Application.h"

#include <exception>

namespace kestrovane {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

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
