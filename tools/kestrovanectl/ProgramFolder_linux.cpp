#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "base/Error.h"
#include "tools/kestrovanectl/ProgramFolder.h"

namespace kestrovane::ctl {

std::string currentDirectory() {
  std::error_code ec;
  const std::filesystem::path path = std::filesystem::current_path(ec);
  if (ec) throw Error("Cannot find the current directory: " + ec.message());
  return path.string();
}

std::string executableDirectory() {
  std::error_code ec;
  const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) throw Error("Cannot find the program's folder: " + ec.message());
  return path.parent_path().string();
}

std::optional<std::string> perUserProgramFolder() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome != nullptr && dataHome[0] == '/') {
    return (std::filesystem::path(dataHome) / "KestrovaneDriver").string();
  }
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] == '\0') return std::nullopt;
  return (std::filesystem::path(home) / ".local/share/KestrovaneDriver").string();
}

bool stdoutIsTerminal() {
  return isatty(fileno(stdout)) == 1;
}

}  // namespace kestrovane::ctl
