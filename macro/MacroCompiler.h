#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "macro/MacroDeviceRecord.h"
#include "macro/MacroScript.h"

namespace kestrovane {

// The looping choice of the macro page, one for all macros: endless
// (cbCycle_Max), counted (cbCycle) with the one-digit text of edt_cycle.
// Endless wins when both are set.
struct MacroLooping {
  bool endless = false;
  bool counted = false;
  std::string countText = "1";
};

// The name in a row of the macro list: the text after its number and ". "
// ("10. Jump" -> "Jump"); a row without them is the name itself.
std::string macroNameOfRow(std::string_view row);

// Rewrites the event lines of a script (line 0, the header, is skipped) so
// that every timed segment repeats the keys still held: press and release
// lines become kind + " " + code, delays stay. name is the macro's, for the
// messages. Throws Error on a delay that is not a whole number.
std::vector<std::string> normalizeMacroScript(const MacroScript& script, std::string_view name);

// Packs normalised lines into the record of macro index (row) index. A delay
// above 2560 ms becomes consecutive groups of at most 2560 ms holding the
// same keys. Throws Error on a bad delay, key code or loop count, and when
// the groups need more than the record's 128 bytes.
MacroDeviceRecord encodeMacro(const std::vector<std::string>& normalized, std::size_t index,
                              const MacroLooping& looping, std::string_view name);

// normalizeMacroScript, then encodeMacro.
MacroDeviceRecord compileMacroScript(const MacroScript& script, std::size_t index,
                                     const MacroLooping& looping, std::string_view name);

// Compiles the macros of the list, in list order, from their files in the
// folder. Macro m's record replaces records[m] for m < 10; later macros are
// compiled but not kept. A macro file with no lines ends the compilation
// there, leaving its record and those after it unchanged. Throws Error at the
// first failure; the records finished before it stay.
void CompileMacros(std::span<const std::string> names, const std::string& folder,
                   const MacroLooping& looping, MacroRecordTable& records);

}  // namespace kestrovane
