#pragma once

#include <optional>
#include <string>

#include "base/AppPaths.h"

namespace kestrovane::ctl {

// The folders the program is started with, as AppPaths wants them (bytes in
// the platform's file-name encoding). Throw Error when the system cannot
// tell them.
std::string currentDirectory();
std::string executableDirectory();

// The user's own program folder that the launcher of an installed copy
// prepares ($XDG_DATA_HOME/KestrovaneDriver, ~/.local/share/KestrovaneDriver
// without it); none where the system has no such place.
std::optional<std::string> perUserProgramFolder();

// The folders of a program started in the current directory. Outside a
// program folder (no configure/ there), those of the user's own program
// folder that the launcher prepares, when it exists: the settings and the
// macros there; which one is told on standard error.
AppPaths programPaths();

// Whether standard output is a terminal (progress lines go only there).
bool stdoutIsTerminal();

}  // namespace kestrovane::ctl
