#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "macro/MacroFileSystem.h"

namespace kestrovane::detail {
namespace {

std::string reasonOf(int error) {
  return std::generic_category().message(error);
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : m_fd(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  int get() const { return m_fd; }
  // Closes now; false (errno set) when the close reports an error.
  bool close() {
    if (m_fd < 0) return true;
    const int fd = m_fd;
    m_fd = -1;
    return ::close(fd) == 0;
  }

 private:
  int m_fd;
};

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

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

std::string MacroFileSystem::readAll(const std::string& path) {
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) throwFileError(kCannotOpen, path, reasonOf(errno));
  std::string content;
  char buffer[4096];
  for (;;) {
    const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR) continue;
      throwFileError(kCannotRead, path, reasonOf(errno));
    }
    if (got == 0) break;
    content.append(buffer, static_cast<std::size_t>(got));
  }
  return content;
}

void MacroFileSystem::replace(const std::string& path, std::string_view bytes) {
  const std::string temporary = path + std::string(kTemporarySuffix);
  FileDescriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (file.get() < 0) throwFileError(kCannotWrite, path, reasonOf(errno));
  if (!writeAll(file.get(), bytes) || ::fsync(file.get()) != 0 || !file.close()) {
    const int error = errno;
    ::unlink(temporary.c_str());
    throwFileError(kCannotWrite, path, reasonOf(error));
  }
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    throwFileError(kCannotReplace, path, reasonOf(error));
  }
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
