#include "tools/kestrovanectl/ProgramFolder.h"

#include <filesystem>
#include <iostream>
#include <system_error>

namespace kestrovane::ctl {
namespace {

bool isProgramFolder(const std::string& folder) {
  std::error_code ec;
  return std::filesystem::is_directory(std::filesystem::path(folder) / "configure", ec);
}

}  // namespace

AppPaths programPaths() {
  AppPaths paths;
  const std::string current = currentDirectory();
  if (!isProgramFolder(current)) {
    const std::optional<std::string> own = perUserProgramFolder();
    if (own && isProgramFolder(*own)) {
      std::cerr << "kestrovanectl: using the program folder " << *own << "\n";
      fillWorkPaths(paths, *own);
      fillProgramPaths(paths, *own);
      return paths;
    }
  }
  fillWorkPaths(paths, current);
  fillProgramPaths(paths, executableDirectory());
  return paths;
}

}  // namespace kestrovane::ctl
