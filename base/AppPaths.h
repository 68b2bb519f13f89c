#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrovane {

// The separator of this platform's paths. The Windows program builds
// "<workDir>\skins"; elsewhere the same folders are built with '/'.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// The program's folders, filled once at start-up. Paths are bytes in the
// platform's file-name encoding (the ANSI code page on Windows). No trailing
// separator, except programDir and macroDir, which end in one.
struct AppPaths {
  std::string workDir;       // the current directory at start-up
  std::string skinsDir;      // workDir + "skins"
  std::string skinExt;       // "png"
  std::string configureDir;  // workDir + "configure"
  std::string dataDir;       // workDir + "data"
  std::string languageDir;   // workDir + "Language"
  std::string programDir;    // the executable's folder
  std::string macroDir;      // programDir + "Macro"
};

// Joins a folder and a name with exactly one separator between them (a root
// folder such as "/" or "C:\" already ends in one).
std::string joinPath(std::string_view dir, std::string_view name);

// Fills workDir and the five fields that hang off it.
void fillWorkPaths(AppPaths& paths, std::string_view currentDirectory);

// Fills programDir and macroDir from the executable's folder.
void fillProgramPaths(AppPaths& paths, std::string_view executableDirectory);

// The program folder that the launcher of an installed copy names in
// KESTROVANE_PROGRAM_FOLDER: the user's own folder, which holds the macros,
// while the executable runs in place from the read-only installed folder.
// nullopt when the variable is unset or not an absolute path.
std::optional<std::string> programFolderFromEnvironment();

// The file of a skin picture: skinsDir, separator, name, ".", skinExt.
std::string skinFilePath(const AppPaths& paths, std::string_view imageName);

}  // namespace kestrovane
