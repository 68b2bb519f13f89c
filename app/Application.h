#pragma once

#include <QApplication>

#include "ui/ErrorReport.h"

namespace kestrovane {

// The application object. The controls show the errors of their own
// handlers (runGuarded); an error that escapes any other event handler
// (a push button, a slider, a timer) is shown here, and the program goes on.
class Application : public QApplication {
 public:
  Application(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace kestrovane
