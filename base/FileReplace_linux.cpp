#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "base/FileReplace.h"

namespace kestrovane {
namespace {

FileResult failure(FileStep step, int error) {
  return {step, std::generic_category().message(error)};
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

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Creates the temporary exclusively, so that it never writes through a link
// or into a file someone else holds. A plain file of its name is what an
// interrupted save leaves behind: it is removed, once.
int createTemporary(const std::string& temporary) {
  constexpr int kFlags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW;
  const int fd = ::open(temporary.c_str(), kFlags, 0666);
  if (fd >= 0 || errno != EEXIST) return fd;
  struct stat leftover {};
  if (::lstat(temporary.c_str(), &leftover) != 0) return -1;
  if (!S_ISREG(leftover.st_mode)) {
    errno = EEXIST;
    return -1;
  }
  if (::unlink(temporary.c_str()) != 0) return -1;
  return ::open(temporary.c_str(), kFlags, 0666);
}

// Makes the rename itself durable.
bool syncFolder(const std::string& folder) {
  FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() < 0) return false;
  // Some file systems cannot sync a folder and say so with EINVAL.
  if (::fsync(dir.get()) != 0 && errno != EINVAL) return false;
  return dir.close();
}

}  // namespace

std::string replacementTemporary(const std::string& path) {
  return path + ".tmp";
}

FileResult replaceFile(const std::string& path, std::string_view bytes) {
  struct stat old {};
  const bool exists = ::stat(path.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return failure(FileStep::Write, errno);
  // The owner's write bit stands for the Windows read-only attribute: the
  // rename would replace a protected file, so the protection is checked here.
  if (exists && S_ISREG(old.st_mode) && (old.st_mode & S_IWUSR) == 0)
    return failure(FileStep::Write, EACCES);

  const std::string temporary = replacementTemporary(path);
  FileDescriptor file(createTemporary(temporary));
  if (file.get() < 0) return failure(FileStep::Write, errno);
  // A new file gets the mode the umask gives it; a replaced one keeps its own
  // (not its owner: only root could hand the file back).
  const bool written =
      writeAll(file.get(), bytes) &&
      (!exists || !S_ISREG(old.st_mode) || ::fchmod(file.get(), old.st_mode & 07777) == 0) &&
      ::fsync(file.get()) == 0 && file.close();
  if (!written) {
    const int error = errno;
    file.close();
    ::unlink(temporary.c_str());
    return failure(FileStep::Write, error);
  }
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporary.c_str());
    return failure(FileStep::Replace, error);
  }
  // The file already holds the new bytes here; a failed sync only means they
  // may not survive a power cut, which is still worth reporting.
  if (!syncFolder(folderOf(path))) return failure(FileStep::Replace, errno);
  return {};
}

FileResult readWholeFile(const std::string& path, std::string& bytes) {
  return readFileUpTo(path, std::string().max_size() - 1, bytes);
}

FileResult readFileUpTo(const std::string& path, std::size_t limit, std::string& bytes) {
  bytes.clear();
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) return failure(FileStep::Open, errno);
  char buffer[65536];
  while (bytes.size() <= limit) {
    const std::size_t wanted = std::min(sizeof buffer, limit + 1 - bytes.size());
    const ssize_t got = ::read(file.get(), buffer, wanted);
    if (got < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      bytes.clear();
      return failure(FileStep::Read, error);
    }
    if (got == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  return {};
}

}  // namespace kestrovane
