#include <windows.h>

#include "base/FileReplace.h"

namespace kestrovane {
namespace {

// The system's text for an error number, in the ANSI code page.
std::string reasonOf(DWORD error) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string reason = length != 0 && text != nullptr ? std::string(text, length)
                                                      : "Error " + std::to_string(error) + ".";
  if (text != nullptr) LocalFree(text);
  while (!reason.empty() &&
         (reason.back() == '\r' || reason.back() == '\n' || reason.back() == ' '))
    reason.pop_back();
  return reason;
}

FileResult failure(FileStep step, DWORD error) {
  return {step, reasonOf(error)};
}

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : m_handle(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() {
    if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
  }
  HANDLE get() const { return m_handle; }
  // Closes now; false when the close reports an error.
  bool close() {
    if (m_handle == INVALID_HANDLE_VALUE) return true;
    const HANDLE handle = m_handle;
    m_handle = INVALID_HANDLE_VALUE;
    return CloseHandle(handle) != 0;
  }

 private:
  HANDLE m_handle;
};

bool writeAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > 0x10000000u ? 0x10000000u : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) return false;
    if (written == 0) {
      SetLastError(ERROR_WRITE_FAULT);
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

// The attributes a replacement takes over from the file it replaces.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Creates the temporary exclusively, so that it never writes into a file
// someone else holds. A plain file of its name is what an interrupted save
// leaves behind: it is removed, once.
HANDLE createTemporary(const std::string& temporary, DWORD attributes) {
  const auto create = [&] {
    return CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes,
                       nullptr);
  };
  const HANDLE file = create();
  if (file != INVALID_HANDLE_VALUE) return file;
  const DWORD error = GetLastError();
  if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return file;
  const DWORD leftover = GetFileAttributesA(temporary.c_str());
  if (leftover == INVALID_FILE_ATTRIBUTES ||
      (leftover & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) {
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
  }
  if (!DeleteFileA(temporary.c_str())) return INVALID_HANDLE_VALUE;
  return create();
}

}  // namespace

std::string replacementTemporary(const std::string& path) {
  return path + ".tmp";
}

FileResult replaceFile(const std::string& path, std::string_view bytes) {
  const DWORD old = GetFileAttributesA(path.c_str());
  if (old == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    // A missing folder is reported when the temporary cannot be created in it.
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
      return failure(FileStep::Write, error);
  } else if ((old & FILE_ATTRIBUTE_READONLY) != 0 && (old & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    return failure(FileStep::Write, ERROR_ACCESS_DENIED);
  }
  DWORD attributes = FILE_ATTRIBUTE_NORMAL;
  if (old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
      (old & kKeptAttributes) != 0)
    attributes = old & kKeptAttributes;

  const std::string temporary = replacementTemporary(path);
  FileHandle file(createTemporary(temporary, attributes));
  if (file.get() == INVALID_HANDLE_VALUE) return failure(FileStep::Write, GetLastError());
  if (!writeAll(file.get(), bytes) || !FlushFileBuffers(file.get()) || !file.close()) {
    const DWORD error = GetLastError();
    file.close();
    DeleteFileA(temporary.c_str());
    return failure(FileStep::Write, error);
  }
  // WRITE_THROUGH returns only once the rename is on the disk.
  if (!MoveFileExA(temporary.c_str(), path.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = GetLastError();
    DeleteFileA(temporary.c_str());
    return failure(FileStep::Replace, error);
  }
  return {};
}

FileResult readWholeFile(const std::string& path, std::string& bytes) {
  return readFileUpTo(path, std::string().max_size() - 1, bytes);
}

FileResult readFileUpTo(const std::string& path, std::size_t limit, std::string& bytes) {
  bytes.clear();
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE) return failure(FileStep::Open, GetLastError());
  char buffer[65536];
  while (bytes.size() <= limit) {
    const std::size_t room = limit + 1 - bytes.size();
    const DWORD wanted = room < sizeof buffer ? static_cast<DWORD>(room) : DWORD{sizeof buffer};
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer, wanted, &got, nullptr)) {
      const DWORD error = GetLastError();
      bytes.clear();
      return failure(FileStep::Read, error);
    }
    if (got == 0) break;
    bytes.append(buffer, got);
  }
  return {};
}

}  // namespace kestrovane
