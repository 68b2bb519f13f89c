// KestrovaneDriver: the program entry.
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/Program.h"
#include "app/SingleInstance.h"
#include "device/HidTransportFactory.h"
#include "program/ProgramOptions.h"
#include "ui/QtClock.h"

int main(int argc, char** argv) {
  kestrovane::Application app(argc, argv);

  // A running copy is restored and raised; this one ends without a window.
  // The first copy holds its claim until it ends.
  kestrovane::QtClock clock;
  kestrovane::SingleInstance instance(kestrovane::kMainWindowCaption, clock);
  if (instance.activateRunningCopy()) return 0;

  // The application title only; a display name would be added to the
  // window's caption, by which later copies find this one.
  QApplication::setApplicationName(QString::fromUtf8(kestrovane::kApplicationTitle));
  const kestrovane::TransportOptions options =
      kestrovane::parseProgramOptions(std::vector<std::string>(argv + 1, argv + argc));

  kestrovane::Program program(clock, kestrovane::createHidTransport(options));
  kestrovane::TForm1& form = program.form();
  // Start-up lets window events run; a later copy asking then is answered
  // once start-up is done, so that activation cannot lift the settings-write
  // guard while the settings are still being read.
  bool started = false, askedDuringStartup = false;
  instance.listen([&] {
    if (started)
      form.RestoreAndRaise();
    else
      askedDuringStartup = true;
  });
  // Each start-up step that reads files reports its own errors and goes on;
  // anything else that escapes is shown like any handler's error.
  kestrovane::runGuarded([&form] { form.FormCreate(); });
  form.show();
  started = true;
  if (askedDuringStartup) form.RestoreAndRaise();
  return app.exec();
}
