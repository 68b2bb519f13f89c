#include "macro/MacroName.h"

#include <algorithm>
#include <array>

#include "base/Error.h"
#include "base/Messages.h"
#include "macro/MacroDeviceRecord.h"
#include "macro/MacroFile.h"

namespace kestrovane {

namespace {

bool isLeadByte(unsigned char byte) {
  return byte >= 0x81 && byte <= 0xFE;
}

bool isRefusedByte(unsigned char byte) {
  constexpr std::string_view kRefused = "\\/:*?\"<>|";
  return byte < 0x20 || byte == 0x7F || kRefused.find(static_cast<char>(byte)) != kRefused.npos;
}

char asciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Windows opens the device, not a file, for these names, whatever follows
// their first dot and however many blanks end them.
bool isDeviceName(std::string_view name) {
  std::string base(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  std::transform(base.begin(), base.end(), base.begin(), asciiUpper);
  constexpr std::array<std::string_view, 4> kDevices{"CON", "PRN", "AUX", "NUL"};
  if (std::find(kDevices.begin(), kDevices.end(), base) != kDevices.end()) return true;
  return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) &&
         base[3] >= '1' && base[3] <= '9';
}

}  // namespace

std::string foldedMacroName(std::string_view name) {
  std::string folded(name);
  for (std::size_t i = 0; i < folded.size(); ++i) {
    const auto byte = static_cast<unsigned char>(folded[i]);
    if (isLeadByte(byte)) {
      ++i;
    } else if (byte >= 'A' && byte <= 'Z') {
      folded[i] = static_cast<char>(byte - 'A' + 'a');
    }
  }
  return folded;
}

bool isAcceptedMacroName(std::string_view name) {
  if (name.empty() || name.size() > kMaxMacroNameBytes) return false;
  for (const char end : {name.front(), name.back()})
    if (end == ' ' || end == '.') return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto byte = static_cast<unsigned char>(name[i]);
    if (isLeadByte(byte)) {
      // A lead byte without its second byte would swallow what follows it
      // (the dot of ".spm") on a double-byte system.
      if (i + 1 == name.size()) return false;
      ++i;
    } else if (isRefusedByte(byte)) {
      return false;
    }
  }
  return !isDeviceName(name);
}

void checkMacroName(std::string_view name) {
  if (!isAcceptedMacroName(name)) throw Error(std::string(kMacroNameRefusedText));
}

bool macroNameTaken(const std::vector<std::string>& names, std::string_view name) {
  const std::string folded = foldedMacroName(name);
  return std::any_of(names.begin(), names.end(),
                     [&](const std::string& listed) { return foldedMacroName(listed) == folded; });
}

NewMacroName checkNewMacroName(const std::vector<std::string>& names, std::string_view name) {
  if (name.empty()) return NewMacroName::Empty;
  if (macroNameTaken(names, name)) return NewMacroName::Exists;
  if (!isAcceptedMacroName(name)) return NewMacroName::Refused;
  return NewMacroName::Accepted;
}

void createMacro(const std::string& folder, std::vector<std::string>& sortedNames,
                 std::string_view name) {
  checkMacroName(name);
  const auto at = std::upper_bound(
      sortedNames.begin(), sortedNames.end(), name,
      [](std::string_view a, const std::string& b) { return macroNameLess(a, b); });
  sortedNames.insert(at, std::string(name));
  WriteMacroFile(folder, name, {});
}

bool newMacroAllowed(const std::vector<std::string>& names) {
  return names.size() != static_cast<std::size_t>(kMacroRecordCount);
}

}  // namespace kestrovane
