#include "macro/MacroFile.h"

#include <algorithm>

#include "base/Error.h"
#include "base/FileReplace.h"
#include "macro/MacroCipher.h"
#include "macro/MacroFileSystem.h"
#include "macro/MacroName.h"

namespace kestrovane {

namespace detail {

void throwFileError(std::string_view action, const std::string& path, const std::string& reason) {
  std::string message(action);
  message += " \"";
  message += path;
  message += "\". ";
  message += reason;
  if (!reason.empty() && reason.back() != '.') message += '.';
  throw Error(message);
}

}  // namespace detail

namespace {

using detail::MacroFileSystem;

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kWouldBeTooLarge =
    "It would be larger than 64 KiB, far more than any macro needs";

// The file's bytes; a file too large for a macro is refused before more
// than the limit is read.
std::string readWhole(const std::string& path) {
  std::string bytes;
  const FileResult result = MacroFileSystem::readUpTo(path, kMaxMacroFileBytes, bytes);
  if (!result)
    detail::throwFileError(
        result.failed == FileStep::Open ? detail::kCannotOpen : detail::kCannotRead, path,
        result.reason);
  if (bytes.size() > kMaxMacroFileBytes)
    detail::throwFileError(detail::kCannotRead, path, std::string(detail::kTooLarge));
  return bytes;
}

void replaceWhole(const std::string& path, std::string_view bytes) {
  const FileResult result = replaceFile(path, bytes);
  if (!result)
    detail::throwFileError(
        result.failed == FileStep::Replace ? detail::kCannotReplace : detail::kCannotWrite, path,
        result.reason);
}

}  // namespace

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

MacroScript parseMacroFile(std::string_view content) {
  const Des des = desOfKeyText(kMacroFileKey);
  MacroScript script = splitLines(content);
  for (std::string& line : script) line = decryptLineFromHex(line, des);
  return script;
}

std::string formatMacroFile(const MacroScript& script) {
  const Des des = desOfKeyText(kMacroFileKey);
  std::string content;
  for (const std::string& line : script) {
    content += encryptLineToHex(line, des);
    content += kLineBreak;
  }
  return content;
}

std::string macroFilePath(std::string_view folder, std::string_view name) {
  return MacroFileSystem::join(folder, std::string(name) + std::string(kMacroFileExtension));
}

bool macroFolderExists(const std::string& folder) {
  return MacroFileSystem::isFolder(folder);
}

std::vector<std::string> ListMacroNames(const std::string& folder) {
  std::vector<std::string> names;
  for (std::string& entry : MacroFileSystem::entryNames(folder)) {
    if (!MacroFileSystem::hasMacroExtension(entry)) continue;
    entry.resize(entry.size() - kMacroFileExtension.size());
    // No file of the program has such a name; reading or writing it is
    // refused, so it is no macro.
    if (!isAcceptedMacroName(entry)) continue;
    names.push_back(std::move(entry));
  }
  return names;
}

bool macroNameLess(std::string_view a, std::string_view b) {
  const std::string foldedA = foldedMacroName(a);
  const std::string foldedB = foldedMacroName(b);
  if (foldedA != foldedB) return foldedA < foldedB;
  return a < b;
}

void sortMacroNames(std::vector<std::string>& names) {
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return macroNameLess(a, b); });
}

// A damaged line names its file and line: the user must find which macro.
MacroScript readMacroScriptFile(const std::string& path) {
  const Des des = desOfKeyText(kMacroFileKey);
  MacroScript script = splitLines(readWhole(path));
  for (std::size_t i = 0; i < script.size(); ++i) {
    try {
      script[i] = decryptLineFromHex(script[i], des);
    } catch (const Error& error) {
      detail::throwFileError(detail::kCannotRead, path,
                             "Line " + std::to_string(i + 1) + ": " + error.what());
    }
  }
  return script;
}

void writeMacroScriptFile(const std::string& path, const MacroScript& script) {
  // Every line is enciphered before the file is touched, and a file that
  // reading would refuse is not written.
  const std::string content = formatMacroFile(script);
  if (content.size() > kMaxMacroFileBytes)
    detail::throwFileError(detail::kCannotWrite, path, std::string(kWouldBeTooLarge));
  replaceWhole(path, content);
}

MacroScript ReadMacroFile(const std::string& folder, std::string_view name) {
  checkMacroName(name);
  return readMacroScriptFile(macroFilePath(folder, name));
}

void WriteMacroFile(const std::string& folder, std::string_view name, const MacroScript& script) {
  checkMacroName(name);
  writeMacroScriptFile(macroFilePath(folder, name), script);
}

bool DeleteMacroFile(const std::string& folder, std::string_view name) {
  checkMacroName(name);
  return MacroFileSystem::remove(macroFilePath(folder, name));
}

bool ensureMacroFolder(const std::string& folder) {
  return MacroFileSystem::createFolder(folder);
}

// Only the file's own name reaches the folder: the folders of the path it
// was chosen from never do.
void ImportMacroFile(const std::string& folder, const std::string& path) {
  const std::string_view fileName = MacroFileSystem::fileName(path);
  const std::string_view name =
      MacroFileSystem::hasMacroExtension(fileName)
          ? fileName.substr(0, fileName.size() - kMacroFileExtension.size())
          : fileName;
  checkMacroName(name);
  replaceWhole(MacroFileSystem::join(folder, fileName), readWhole(path));
}

}  // namespace kestrovane
