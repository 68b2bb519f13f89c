#pragma once

#include <optional>
#include <string>

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

// Whether standard output is a terminal (progress lines go only there).
bool stdoutIsTerminal();

}  // namespace kestrovane::ctl
