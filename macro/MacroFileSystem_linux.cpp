#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

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

bool MacroFileSystem::createFolder(const std::string& path) {
  return ::mkdir(path.c_str(), 0777) == 0 || (errno == EEXIST && isFolder(path));
}

FileResult MacroFileSystem::readUpTo(const std::string& path, std::size_t limit,
                                     std::string& bytes) {
  bytes.clear();
  const auto failure = [&bytes](FileStep step, int error) {
    bytes.clear();
    return FileResult{step, std::generic_category().message(error)};
  };
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return failure(FileStep::Open, errno);
  char buffer[16384];
  while (bytes.size() <= limit) {
    const std::size_t wanted = std::min(sizeof buffer, limit + 1 - bytes.size());
    const ssize_t got = ::read(fd, buffer, wanted);
    if (got < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      return failure(FileStep::Read, error);
    }
    if (got == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  // Nothing was written: a failing close loses nothing.
  ::close(fd);
  return {};
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
