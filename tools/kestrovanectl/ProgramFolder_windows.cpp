#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "base/Error.h"
#include "tools/kestrovanectl/ProgramFolder.h"

namespace kestrovane::ctl {

// The ANSI calls give the folders in the code page the program's paths use.
std::string currentDirectory() {
  char buffer[MAX_PATH];
  const DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer);
  if (length == 0 || length >= MAX_PATH) throw Error("Cannot find the current directory.");
  return std::string(buffer, length);
}

std::string executableDirectory() {
  char buffer[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  // A full buffer means the name was cut short.
  if (length == 0 || length >= MAX_PATH) throw Error("Cannot find the program's folder.");
  const std::string path(buffer, length);
  const std::size_t slash = path.find_last_of("\\/");
  if (slash == std::string::npos) throw Error("Cannot find the program's folder.");
  // "C:\kestrovanectl.exe" lies in the root folder "C:\".
  return path.substr(0, slash == 2 && path[1] == ':' ? slash + 1 : slash);
}

// The Windows copy is a portable folder only.
std::optional<std::string> perUserProgramFolder() {
  return std::nullopt;
}

bool stdoutIsTerminal() {
  return _isatty(_fileno(stdout)) != 0;
}

}  // namespace kestrovane::ctl
