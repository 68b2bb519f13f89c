#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/FileReplace.h"

namespace kestrovane::detail {

// The folder operations of macro files, one implementation per platform
// (reading and replacing a file are base/FileReplace.h's). Paths
// and names are bytes in the system's ANSI code page (936 on the target
// systems); the Windows side hands them to the ANSI functions unchanged.
struct MacroFileSystem {
  // The names of all entries of a folder, files and folders alike, without
  // "." and "..". Empty when the folder cannot be listed.
  static std::vector<std::string> entryNames(const std::string& folder);

  // Whether the path names an existing folder.
  static bool isFolder(const std::string& path);

  // Whether an entry name ends in ".spm" as the platform's file names compare
  // (without case on Windows, exactly elsewhere).
  static bool hasMacroExtension(std::string_view entryName);

  // Creates the folder (its parent must exist); true when it exists
  // afterwards.
  static bool createFolder(const std::string& path);

  // Reads the file at path into bytes, but never more than limit + 1 bytes:
  // a file that yields more is larger than limit. Bytes is left empty on
  // failure.
  static FileResult readUpTo(const std::string& path, std::size_t limit, std::string& bytes);

  // Deletes a file; false when it could not.
  static bool remove(const std::string& path);

  // folder + separator + name; no separator is added after one already
  // there, and none to an empty folder.
  static std::string join(std::string_view folder, std::string_view name);

  // The part of a path after its last separator (and drive colon on Windows).
  static std::string_view fileName(std::string_view path);
};

// The texts of file errors: the action, the path and the system's reason.
[[noreturn]] void throwFileError(std::string_view action, const std::string& path,
                                 const std::string& reason);

inline constexpr std::string_view kCannotOpen = "Cannot open file";
inline constexpr std::string_view kCannotRead = "Cannot read file";
inline constexpr std::string_view kCannotWrite = "Cannot write file";
inline constexpr std::string_view kCannotReplace = "Cannot replace file";
inline constexpr std::string_view kTooLarge =
    "It is larger than 64 KiB, far more than any macro needs, so it is no macro file";

}  // namespace kestrovane::detail
