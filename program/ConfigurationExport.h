#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/AppPaths.h"
#include "base/ZipArchive.h"

namespace kestrovane {

// The whole configuration as one ZIP archive: the marker entry first, then
// configure/GM.ini, configure/Mode1..5.ini, data/Mode1..5_data.ini and every
// macro file as Macro/NAME.spm, each with its exact bytes. The marker names
// the program and the format, so an archive of anything else is refused.

inline constexpr std::string_view kExportMarkerEntry = "KestrovaneDriver-export.txt";
inline constexpr int kExportFormat = 1;
// What the reader takes at most: the settings files are limited to 1 MiB
// each and macros to 64 KiB, so 64 MiB holds more than any real folder.
inline constexpr std::size_t kMaxExportBytes = 64 * 1024 * 1024;
inline constexpr std::size_t kMaxExportEntries = 4096;

// A file of the configuration: its entry name ("configure/GM.ini",
// "Macro/Combo.spm") and its bytes.
struct ConfigurationFile {
  std::string entry;
  std::string bytes;
};

// The archive of the configuration in the paths' folders. Throws Error when
// a settings file is missing, a file cannot be read or is larger than the
// program reads: an export is whole or not made.
std::string exportConfiguration(const AppPaths& paths, const ZipTime& time);

// The files an archive restores, in the order they are written, after
// checking all of it: a ZIP archive in our layout with our marker and a
// format this version reads, every settings file exactly once, only known
// names and accepted macro names, each within its size limit. Throws Error
// with the reason otherwise.
std::vector<ConfigurationFile> checkConfigurationExport(std::string_view archive);

// What an import did.
struct ImportOutcome {
  std::vector<std::string> written;  // entries replaced, in order
  std::vector<std::string> removed;  // macro names removed
  std::string failure;               // empty when everything was done
};

// Replaces each file in the paths' folders with its checked bytes, one
// atomic replacement per file (data/ and Macro/ are created when missing),
// and stops at the first failure: every file then holds either its old or
// its new bytes. With removeOtherMacros, the macro files that the export does
// not hold are removed afterwards (names compared without ASCII case, as
// Windows finds the files). The program folder (configure/) must exist.
ImportOutcome importConfiguration(const AppPaths& paths,
                                  const std::vector<ConfigurationFile>& files,
                                  bool removeOtherMacros);

}  // namespace kestrovane
