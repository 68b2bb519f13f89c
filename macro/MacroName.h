#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kestrovane {

// A macro's name is the base of its file name, code page bytes. A name that
// a file name cannot safely carry is refused everywhere a name reaches the
// macro folder, so no name can leave the folder or open a device.

inline constexpr std::size_t kMaxMacroNameBytes = 64;

// Whether the name may name a macro file: not empty, at most 64 bytes; no
// \ / : * ? " < > |, no control character (below 0x20, and 0x7F); no blank
// or dot at its start or end (so neither "." nor ".."); no device name (CON,
// PRN, AUX, NUL, COM1..COM9, LPT1..LPT9 in any letter case, alone or before
// a dot: "con.txt"); no double-byte character cut off at its end. The byte
// after a lead byte (0x81..0xFE) belongs to its character and is no
// separator.
bool isAcceptedMacroName(std::string_view name);

// Throws Error with the refused-name message when the name is not accepted.
void checkMacroName(std::string_view name);

// The name with ASCII letters lowered, but not the byte after a lead byte
// (0x81..0xFE), which is part of a double-byte character.
std::string foldedMacroName(std::string_view name);

// Whether the list holds the name, ASCII letters compared without case (as
// the macro list sorts them).
bool macroNameTaken(const std::vector<std::string>& names, std::string_view name);

// What the new-macro dialog finds wrong with a name for a list of names.
enum class NewMacroName { Accepted, Empty, Exists, Refused };
NewMacroName checkNewMacroName(const std::vector<std::string>& names, std::string_view name);

// Creates a new macro: adds the name to the sorted names at its place, then
// creates its file of zero bytes in the folder. Throws Error when the name
// is refused (the list is left as it was) or the file cannot be created (the
// name stays in the list until it is next read from the folder).
void createMacro(const std::string& folder, std::vector<std::string>& sortedNames,
                 std::string_view name);

// Whether a new macro may be added: not when the list holds exactly ten
// names, one for each record of the mouse.
bool newMacroAllowed(const std::vector<std::string>& names);

}  // namespace kestrovane
