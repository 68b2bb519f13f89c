#include "base/AppPaths.h"

#include <cstdlib>
#include <filesystem>

namespace kestrovane {

namespace {

bool endsWithSeparator(std::string_view path) {
  if (path.empty()) return false;
  const char last = path.back();
  return last == kPathSeparator || last == '/';
}

std::string withTrailingSeparator(std::string_view dir) {
  std::string out(dir);
  if (!endsWithSeparator(out)) out += kPathSeparator;
  return out;
}

}  // namespace

std::string joinPath(std::string_view dir, std::string_view name) {
  std::string out = withTrailingSeparator(dir);
  out += name;
  return out;
}

void fillWorkPaths(AppPaths& paths, std::string_view currentDirectory) {
  paths.workDir = std::string(currentDirectory);
  paths.skinsDir = joinPath(paths.workDir, "skins");
  paths.skinExt = "png";
  paths.configureDir = joinPath(paths.workDir, "configure");
  paths.dataDir = joinPath(paths.workDir, "data");
  paths.languageDir = joinPath(paths.workDir, "Language");
}

void fillProgramPaths(AppPaths& paths, std::string_view executableDirectory) {
  paths.programDir = withTrailingSeparator(executableDirectory);
  paths.macroDir = paths.programDir + "Macro" + kPathSeparator;
}

std::optional<std::string> programFolderFromEnvironment() {
  const char* value = std::getenv("KESTROVANE_PROGRAM_FOLDER");
  if (value == nullptr || !std::filesystem::path(value).is_absolute()) return std::nullopt;
  return std::string(value);
}

std::string skinFilePath(const AppPaths& paths, std::string_view imageName) {
  std::string out = joinPath(paths.skinsDir, imageName);
  out += '.';
  out += paths.skinExt;
  return out;
}

}  // namespace kestrovane
