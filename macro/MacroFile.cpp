#include "macro/MacroFile.h"

#include <algorithm>

#include "config/Error.h"
#include "config/FileReplace.h"
#include "macro/MacroCipher.h"
#include "macro/MacroFileSystem.h"

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

// The name with ASCII letters lowered, except bytes that are the second half
// of a double-byte character (lead bytes 0x81..0xFE).
std::string foldedName(std::string_view name) {
  std::string folded(name);
  for (std::size_t i = 0; i < folded.size(); ++i) {
    const auto byte = static_cast<unsigned char>(folded[i]);
    if (byte >= 0x81 && byte <= 0xFE) {
      ++i;
    } else if (byte >= 'A' && byte <= 'Z') {
      folded[i] = static_cast<char>(byte - 'A' + 'a');
    }
  }
  return folded;
}

std::string readWhole(const std::string& path) {
  std::string bytes;
  const FileResult result = readWholeFile(path, bytes);
  if (!result)
    detail::throwFileError(
        result.failed == FileStep::Open ? detail::kCannotOpen : detail::kCannotRead, path,
        result.reason);
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
    names.push_back(std::move(entry));
  }
  return names;
}

bool macroNameLess(std::string_view a, std::string_view b) {
  const std::string foldedA = foldedName(a);
  const std::string foldedB = foldedName(b);
  if (foldedA != foldedB) return foldedA < foldedB;
  return a < b;
}

void sortMacroNames(std::vector<std::string>& names) {
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return macroNameLess(a, b); });
}

MacroScript readMacroScriptFile(const std::string& path) {
  return parseMacroFile(readWhole(path));
}

void writeMacroScriptFile(const std::string& path, const MacroScript& script) {
  // Every line is enciphered before the file is touched.
  replaceWhole(path, formatMacroFile(script));
}

MacroScript ReadMacroFile(const std::string& folder, std::string_view name) {
  return readMacroScriptFile(macroFilePath(folder, name));
}

void WriteMacroFile(const std::string& folder, std::string_view name, const MacroScript& script) {
  writeMacroScriptFile(macroFilePath(folder, name), script);
}

bool DeleteMacroFile(const std::string& folder, std::string_view name) {
  return MacroFileSystem::remove(macroFilePath(folder, name));
}

bool ImportMacroFile(const std::string& folder, const std::string& path) {
  const std::string_view fileName = MacroFileSystem::fileName(path);
  if (fileName.empty()) return false;
  try {
    const std::string content = readWhole(path);
    replaceWhole(MacroFileSystem::join(folder, fileName), content);
  } catch (const Error&) {
    return false;
  }
  return true;
}

}  // namespace kestrovane
