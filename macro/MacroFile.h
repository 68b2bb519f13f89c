#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "macro/MacroScript.h"

namespace kestrovane {

// A macro lives in folder + name + ".spm": one line per script line, each
// enciphered under kMacroFileKey as hex, every line ending in CR LF. A file of
// zero bytes is a macro with no lines. Names and paths are code page bytes.

inline constexpr std::string_view kMacroFileExtension = ".spm";

// The largest macro file read: a 128-byte record never needs more than a few
// kilobytes of script, and a larger file is not read whole.
inline constexpr std::size_t kMaxMacroFileBytes = 64 * 1024;

// The lines of a text split at CR LF, at a lone CR and at a lone LF. A last
// line without a break counts; a break at the very end starts no new line.
std::vector<std::string> splitLines(std::string_view text);

// The script a macro file's content holds. Throws Error on a line that is not
// hex.
MacroScript parseMacroFile(std::string_view content);

// The content of a macro file holding the script. Throws Error on a line
// that ends in a 0 byte.
std::string formatMacroFile(const MacroScript& script);

// folder + name + ".spm".
std::string macroFilePath(std::string_view folder, std::string_view name);

// Whether the folder exists.
bool macroFolderExists(const std::string& folder);

// The names of all entries of the folder matching "*.spm", folders included,
// without the ".spm"; empty when the folder cannot be listed. Unsorted.
// Names that isAcceptedMacroName refuses are left out.
std::vector<std::string> ListMacroNames(const std::string& folder);

// The order of the macro list: alphabetical with ASCII letters compared
// without case; double-byte characters of code page 936 are compared whole
// and unfolded; names equal that way keep byte order.
bool macroNameLess(std::string_view a, std::string_view b);
void sortMacroNames(std::vector<std::string>& names);

// Reads and writes the macro file at a path. Throw Error on a file that
// cannot be opened, read or written, on a file larger than
// kMaxMacroFileBytes, and on the cipher's errors. A write goes
// to a temporary beside the file first, so a failed write leaves the file as
// it was.
MacroScript readMacroScriptFile(const std::string& path);
void writeMacroScriptFile(const std::string& path, const MacroScript& script);

// The same for the macro of a name in the macro folder. Each throws Error
// with the refused-name message for a name that isAcceptedMacroName refuses,
// before touching any file.
MacroScript ReadMacroFile(const std::string& folder, std::string_view name);
void WriteMacroFile(const std::string& folder, std::string_view name, const MacroScript& script);

// Deletes the macro's file; false when it could not (reported to nobody).
bool DeleteMacroFile(const std::string& folder, std::string_view name);

// Creates the macro folder if it does not exist (its parent must); true when
// it exists afterwards.
bool ensureMacroFolder(const std::string& folder);

// Copies the file at path into the folder under its own file name (the last
// part of the path only), over a file of that name; its content is not
// examined. Throws Error when the name (without ".spm") is refused, when the
// file cannot be read or is larger than a macro file can be, or when the
// copy cannot be written; a failed copy leaves the old file as it was.
void ImportMacroFile(const std::string& folder, const std::string& path);

}  // namespace kestrovane
