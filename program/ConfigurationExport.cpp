#include "program/ConfigurationExport.h"

#include <algorithm>
#include <set>

#include "base/Error.h"
#include "base/FileReplace.h"
#include "base/IniFile.h"
#include "config/SettingsFiles.h"
#include "macro/MacroFile.h"
#include "macro/MacroFileSystem.h"
#include "macro/MacroName.h"

namespace kestrovane {
namespace {

using detail::MacroFileSystem;

constexpr std::string_view kConfigureFolder = "configure/";
constexpr std::string_view kDataFolder = "data/";
constexpr std::string_view kMacroFolder = "Macro/";
constexpr std::string_view kMarkerTitle = "KestrovaneDriver configuration export";
constexpr std::string_view kFormatKey = "format=";

std::string markerText() {
  return std::string(kMarkerTitle) + "\r\n" + std::string(kFormatKey) +
         std::to_string(kExportFormat) + "\r\n";
}

// The settings files' entries, each with the file it stands for.
struct SettingsEntry {
  std::string entry;
  std::string path;
};

std::vector<SettingsEntry> settingsEntries(const AppPaths& paths) {
  std::vector<SettingsEntry> entries;
  const auto add = [&](std::string_view folder, const std::string& dir, const std::string& name) {
    entries.push_back({std::string(folder) + name, joinPath(dir, name)});
  };
  add(kConfigureFolder, paths.configureDir, std::string(kGeneralSettingsFile));
  for (int n = 1; n <= kModeCount; ++n)
    add(kConfigureFolder, paths.configureDir, modeSettingsFileName(n));
  for (int n = 1; n <= kModeCount; ++n) add(kDataFolder, paths.dataDir, modeImageFileName(n));
  return entries;
}

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// The macro name of a "Macro/NAME.spm" entry; empty for any other entry.
std::string macroNameOf(std::string_view entry) {
  if (!startsWith(entry, kMacroFolder) || entry.size() < kMacroFolder.size() + 5 ||
      entry.substr(entry.size() - kMacroFileExtension.size()) != kMacroFileExtension)
    return {};
  return std::string(entry.substr(kMacroFolder.size(),
                                  entry.size() - kMacroFolder.size() - kMacroFileExtension.size()));
}

std::string folded(std::string_view name) {
  std::string out(name);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string readForExport(const std::string& entry, const std::string& path, std::size_t limit) {
  std::string bytes;
  const FileResult read = readFileUpTo(path, limit, bytes);
  if (!read) throw Error("Cannot read " + path + ": " + read.reason);
  if (bytes.size() > limit)
    throw Error(path + " is larger than the program reads, so " + entry + " cannot be exported.");
  return bytes;
}

// The path an entry is written to; empty for an entry that is not ours.
std::string pathOf(const AppPaths& paths, const std::string& entry) {
  for (const SettingsEntry& settings : settingsEntries(paths))
    if (settings.entry == entry) return settings.path;
  const std::string name = macroNameOf(entry);
  if (!name.empty() && isAcceptedMacroName(name)) return macroFilePath(paths.macroDir, name);
  return {};
}

// Whether the marker says this is an export of a format this version reads.
void checkMarker(const std::string& text) {
  const std::vector<std::string> lines = splitLines(text);
  if (lines.size() < 2 || lines[0] != kMarkerTitle || !startsWith(lines[1], kFormatKey))
    throw Error("It is not a KestrovaneDriver export (its marker is damaged).");
  const std::string format = lines[1].substr(kFormatKey.size());
  if (format != std::to_string(kExportFormat))
    throw Error("It was made by another version of the program (format " + format +
                "); this version reads format " + std::to_string(kExportFormat) + ".");
}

}  // namespace

std::string exportConfiguration(const AppPaths& paths, const ZipTime& time) {
  std::vector<ZipEntry> entries;
  entries.push_back({std::string(kExportMarkerEntry), markerText()});
  for (const SettingsEntry& settings : settingsEntries(paths))
    entries.push_back(
        {settings.entry, readForExport(settings.entry, settings.path, IniFile::kMaxFileBytes)});
  if (MacroFileSystem::isFolder(paths.macroDir)) {
    std::vector<std::string> names = ListMacroNames(paths.macroDir);
    sortMacroNames(names);
    for (const std::string& name : names) {
      const std::string path = macroFilePath(paths.macroDir, name);
      // A folder named like a macro holds no macro.
      if (MacroFileSystem::isFolder(path)) continue;
      const std::string entry = std::string(kMacroFolder) + name + std::string(kMacroFileExtension);
      entries.push_back({entry, readForExport(entry, path, kMaxMacroFileBytes)});
    }
  }
  if (entries.size() > kMaxExportEntries) throw Error("The Macro folder holds too many files.");
  std::string archive = writeZip(entries, time);
  if (archive.size() > kMaxExportBytes) throw Error("The configuration is too large to export.");
  return archive;
}

std::vector<ConfigurationFile> checkConfigurationExport(std::string_view archive) {
  if (archive.size() > kMaxExportBytes) throw Error("It is too large to be an export.");
  std::vector<ZipEntry> entries;
  try {
    entries = readZip(archive, {kMaxExportEntries, IniFile::kMaxFileBytes, kMaxExportBytes});
  } catch (const Error& error) {
    throw Error(std::string("It is not a KestrovaneDriver export, or it is damaged. ") +
                error.what());
  }
  if (entries.empty() || entries.front().name != kExportMarkerEntry)
    throw Error("It is not a KestrovaneDriver export (it has no " +
                std::string(kExportMarkerEntry) + " first).");
  checkMarker(entries.front().bytes);

  // Placeholder paths: only the names matter here.
  AppPaths names;
  fillWorkPaths(names, "/");
  fillProgramPaths(names, "/");
  std::set<std::string> settingsLeft;
  for (const SettingsEntry& settings : settingsEntries(names)) settingsLeft.insert(settings.entry);
  std::vector<ConfigurationFile> macroFiles;
  std::vector<ConfigurationFile> settingsFiles;
  for (std::size_t k = 1; k < entries.size(); ++k) {
    ZipEntry& entry = entries[k];
    if (settingsLeft.erase(entry.name) == 1) {
      settingsFiles.push_back({std::move(entry.name), std::move(entry.bytes)});
      continue;
    }
    const std::string macro = macroNameOf(entry.name);
    if (macro.empty() || !isAcceptedMacroName(macro))
      throw Error("It holds " + entry.name +
                  ", which is no file of the program's configuration; nothing was imported.");
    if (entry.bytes.size() > kMaxMacroFileBytes)
      throw Error("Its macro " + macro + " is larger than a macro file can be.");
    macroFiles.push_back({std::move(entry.name), std::move(entry.bytes)});
  }
  if (!settingsLeft.empty())
    throw Error("It is incomplete: " + *settingsLeft.begin() + " is missing.");
  // Macros first, the general settings last: a program started half-way
  // through finds the settings it had with every macro they name.
  std::reverse(settingsFiles.begin(), settingsFiles.end());
  macroFiles.insert(macroFiles.end(), std::make_move_iterator(settingsFiles.begin()),
                    std::make_move_iterator(settingsFiles.end()));
  return macroFiles;
}

ImportOutcome importConfiguration(const AppPaths& paths,
                                  const std::vector<ConfigurationFile>& files,
                                  bool removeOtherMacros) {
  ImportOutcome outcome;
  if (!MacroFileSystem::isFolder(paths.configureDir)) {
    outcome.failure =
        "There is no program folder to import into: " + paths.configureDir + " does not exist.";
    return outcome;
  }
  for (const std::string& folder : {paths.dataDir, paths.macroDir}) {
    if (!MacroFileSystem::createFolder(folder)) {
      outcome.failure = "Cannot create the folder " + folder + ".";
      return outcome;
    }
  }
  std::set<std::string> imported;
  for (const ConfigurationFile& file : files) {
    const std::string path = pathOf(paths, file.entry);
    if (path.empty()) {
      outcome.failure = file.entry + " is no file of the program's configuration.";
      return outcome;
    }
    const FileResult written = replaceFile(path, file.bytes);
    if (!written) {
      outcome.failure = "Cannot write " + path + ": " + written.reason;
      return outcome;
    }
    outcome.written.push_back(file.entry);
    const std::string macro = macroNameOf(file.entry);
    if (!macro.empty()) imported.insert(folded(macro));
  }
  if (!removeOtherMacros) return outcome;
  std::vector<std::string> present = ListMacroNames(paths.macroDir);
  sortMacroNames(present);
  for (const std::string& name : present) {
    if (imported.count(folded(name)) != 0) continue;
    const std::string path = macroFilePath(paths.macroDir, name);
    if (MacroFileSystem::isFolder(path)) continue;
    if (!DeleteMacroFile(paths.macroDir, name)) {
      outcome.failure = "Cannot remove the macro file " + path + ".";
      return outcome;
    }
    outcome.removed.push_back(name);
  }
  return outcome;
}

}  // namespace kestrovane
