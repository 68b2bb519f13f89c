#pragma once

#include <QApplication>

#include "ui/ErrorReport.h"

namespace kestrovane {

// The application object. The controls show the errors of their own
// handlers (runGuarded); an error that escapes any other event handler
// (a push button, a slider, a timer) is shown here, and the program goes on.
//
// It also names the program to the desktop: the name "KestrovaneDriver"
// (X11's WM_CLASS, which the desktop entry's StartupWMClass matches), the
// desktop entry "kestrovane" (Wayland's app id) and the icon the entry
// names, so that docks group the window with its launcher.
class Application : public QApplication {
 public:
  Application(int& argc, char** argv);
  // The desktop entry's name, without ".desktop", and the program's name.
  static constexpr char kDesktopFileName[] = "kestrovane";
  static constexpr char kProgramName[] = "KestrovaneDriver";

  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace kestrovane
