#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include "macro/MacroFileSystem.h"

namespace kestrovane::detail {

std::vector<std::string> MacroFileSystem::entryNames(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  ::closedir(dir);
  return names;
}

bool MacroFileSystem::isFolder(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool MacroFileSystem::hasMacroExtension(std::string_view entryName) {
  return entryName.ends_with(".spm");
}

bool MacroFileSystem::remove(const std::string& path) {
  return ::unlink(path.c_str()) == 0;
}

std::string MacroFileSystem::join(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && path.back() != '/') path += '/';
  path += name;
  return path;
}

std::string_view MacroFileSystem::fileName(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace kestrovane::detail
