#include <windows.h>

#include <algorithm>

#include "macro/MacroFileSystem.h"

namespace kestrovane::detail {
namespace {

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

// The system's text for an error code, without its line break.
std::string systemMessage(DWORD error) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message =
      length > 0 && text != nullptr ? std::string(text, length) : "Error " + std::to_string(error);
  if (text != nullptr) LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
  return message;
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

bool MacroFileSystem::createFolder(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) != 0 ||
         (GetLastError() == ERROR_ALREADY_EXISTS && isFolder(path));
}

FileResult MacroFileSystem::readUpTo(const std::string& path, std::size_t limit,
                                     std::string& bytes) {
  bytes.clear();
  const auto failure = [&bytes](FileStep step, DWORD error) {
    bytes.clear();
    return FileResult{step, systemMessage(error)};
  };
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return failure(FileStep::Open, GetLastError());
  char buffer[16384];
  while (bytes.size() <= limit) {
    const auto wanted = static_cast<DWORD>(std::min(sizeof buffer, limit + 1 - bytes.size()));
    DWORD got = 0;
    if (!ReadFile(file, buffer, wanted, &got, nullptr)) {
      const DWORD error = GetLastError();
      CloseHandle(file);
      return failure(FileStep::Read, error);
    }
    if (got == 0) break;
    bytes.append(buffer, got);
  }
  CloseHandle(file);
  return {};
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
