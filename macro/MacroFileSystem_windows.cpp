#include <windows.h>

#include "macro/MacroFileSystem.h"

namespace kestrovane::detail {
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
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

// Where each character of the code page text starts: a lead byte and the
// byte after it form one character, so a trail byte 0x5C is no separator.
template <typename Visit>
void forEachCharacter(std::string_view text, Visit visit) {
  for (std::size_t i = 0; i < text.size();) {
    const bool lead = IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size();
    visit(i, lead);
    i += lead ? 2 : 1;
  }
}

bool isSeparator(char c) {
  return c == '\\' || c == '/';
}

char asciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::vector<std::string> MacroFileSystem::entryNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA(join(folder, "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string_view name = found.cFileName;
    if (name != "." && name != "..") names.emplace_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

bool MacroFileSystem::isFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool MacroFileSystem::hasMacroExtension(std::string_view entryName) {
  constexpr std::string_view kExtension = ".spm";
  if (entryName.size() < kExtension.size()) return false;
  const std::string_view tail = entryName.substr(entryName.size() - kExtension.size());
  for (std::size_t i = 0; i < kExtension.size(); ++i)
    if (asciiLower(tail[i]) != kExtension[i]) return false;
  return true;
}

std::string MacroFileSystem::readAll(const std::string& path) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE)
    throwFileError(kCannotOpen, path, reasonOf(GetLastError()));
  std::string content;
  char buffer[4096];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr))
      throwFileError(kCannotRead, path, reasonOf(GetLastError()));
    if (got == 0) break;
    content.append(buffer, got);
  }
  return content;
}

void MacroFileSystem::replace(const std::string& path, std::string_view bytes) {
  const std::string temporary = path + std::string(kTemporarySuffix);
  FileHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.get() == INVALID_HANDLE_VALUE)
    throwFileError(kCannotWrite, path, reasonOf(GetLastError()));
  if (!writeAll(file.get(), bytes) || !FlushFileBuffers(file.get()) || !file.close()) {
    const DWORD error = GetLastError();
    file.close();
    DeleteFileA(temporary.c_str());
    throwFileError(kCannotWrite, path, reasonOf(error));
  }
  if (!MoveFileExA(temporary.c_str(), path.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = GetLastError();
    DeleteFileA(temporary.c_str());
    throwFileError(kCannotReplace, path, reasonOf(error));
  }
}

bool MacroFileSystem::remove(const std::string& path) {
  return DeleteFileA(path.c_str()) != 0;
}

std::string MacroFileSystem::join(std::string_view folder, std::string_view name) {
  bool endsInSeparator = false;
  forEachCharacter(
      folder, [&](std::size_t i, bool lead) { endsInSeparator = !lead && isSeparator(folder[i]); });
  std::string path(folder);
  if (!path.empty() && !endsInSeparator) path += '\\';
  path += name;
  return path;
}

std::string_view MacroFileSystem::fileName(std::string_view path) {
  std::size_t start = 0;
  forEachCharacter(path, [&](std::size_t i, bool lead) {
    if (!lead && (isSeparator(path[i]) || path[i] == ':')) start = i + 1;
  });
  return path.substr(start);
}

}  // namespace kestrovane::detail
