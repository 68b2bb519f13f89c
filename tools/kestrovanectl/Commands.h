#pragma once

#include <string>

#include "base/AppPaths.h"
#include "base/Error.h"
#include "device/HidTransportFactory.h"
#include "tools/kestrovanectl/CommandLine.h"

namespace kestrovane::ctl {

// Each command gets its parsed command line and returns the exit code:
// 0 done, 1 failed (message on stderr), 2 usage error.
int runDevicesCommand(const Invocation& invocation);
int runMacroCommand(const Invocation& invocation);
int runApplyCommand(const Invocation& invocation);
int runReadModesCommand(const Invocation& invocation);
int runShowCommand(const Invocation& invocation);
int runSetCommand(const Invocation& invocation);
int runExportCommand(const Invocation& invocation);
int runImportCommand(const Invocation& invocation);

// The HID interfaces of the global option --virtual-mouse[=DIR].
inline TransportOptions transportOptions(const Invocation& invocation) {
  TransportOptions options;
  if (const std::optional<std::string> dir = invocation.value("--virtual-mouse"))
    parseVirtualMouseOption(dir->empty() ? "--virtual-mouse" : "--virtual-mouse=" + *dir, options);
  return options;
}

// Shared by the commands that work on the program folder.
// Tells message on standard error (prefixed); returns kFailed.
int fail(const std::string& message);
// Runs a command, its file errors ending it with their message.
template <typename Command>
int guarded(Command command) {
  try {
    return command();
  } catch (const Error& error) {
    return fail(error.what());
  }
}
bool isProgramFolder(const std::string& folder);
// The folders of the program started in the current directory (or the
// user's own program folder outside one, told on standard error).
AppPaths programPaths();
// The program's Apply without its window; pointer false leaves the
// pointer options alone.
int apply(const TransportOptions& options, bool pointer);

}  // namespace kestrovane::ctl
