// KestrovaneDriver: the program entry.
#include <cstdio>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/Program.h"
#include "app/SingleInstance.h"
#include "config/Language.h"
#include "device/HidTransportFactory.h"
#include "program/ProgramOptions.h"
#include "ui/QtClock.h"

int main(int argc, char** argv) {
  // --version, --help and a usage error are answered before the application
  // object exists: they need no display.
  const kestrovane::ProgramOptions options =
      kestrovane::parseProgramOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!options.error.empty()) {
    std::fprintf(stderr, "KestrovaneDriver: %s\nTry 'KestrovaneDriver --help'.\n",
                 options.error.c_str());
    return 2;
  }
  if (options.help || options.version) {
    const std::string text =
        options.help ? kestrovane::programUsage() : kestrovane::programVersionText() + "\n";
    return std::fputs(text.c_str(), stdout) >= 0 && std::fflush(stdout) == 0 ? 0 : 1;
  }
  if (options.language) kestrovane::SetLanguageOverride(*options.language);

  kestrovane::Application app(argc, argv);

  // A running copy is restored and raised; this one ends without a window.
  // The first copy holds its claim until it ends.
  kestrovane::QtClock clock;
  kestrovane::SingleInstance instance(kestrovane::kMainWindowCaption, clock);
  if (instance.activateRunningCopy()) return 0;

  kestrovane::Program program(clock, kestrovane::createHidTransport(options.transport));
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
