#pragma once

#include <string>

namespace kestrovane::ctl {

// The folders the program is started with, as AppPaths wants them (bytes in
// the platform's file-name encoding). Throw Error when the system cannot
// tell them.
std::string currentDirectory();
std::string executableDirectory();

// Whether standard output is a terminal (progress lines go only there).
bool stdoutIsTerminal();

}  // namespace kestrovane::ctl
