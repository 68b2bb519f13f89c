// Compiles any script. The first byte chooses the looping choice and the
// macro's row, the rest are the script's lines. The script goes through a
// macro file and CompileMacros, whose record must equal compiling the
// script directly; only Error may come out, the same from both ways.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/Error.h"
#include "macro/MacroCompiler.h"
#include "macro/MacroFile.h"
#include "tests/fuzz/FuzzFolder.h"

using namespace kestrovane;

namespace {

constexpr std::size_t kRows = 16;

// The macros P0..P14 of one header line each, for the rows before the
// fuzzed one.
struct CompileFolder : FuzzFolder {
  CompileFolder() : FuzzFolder("compile") {
    for (std::size_t m = 0; m + 1 < kRows; ++m)
      WriteMacroFile(path, "P" + std::to_string(m), {"1"});
  }
} theFolder;

const std::string& folder() {
  return theFolder.path;
}

std::string errorOf(const MacroScript& script, std::size_t row, const MacroLooping& looping,
                    MacroDeviceRecord& record) {
  try {
    record = compileMacroScript(script, row, looping, "Fuzz");
  } catch (const Error& error) {
    return error.what();
  }
  return "none";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  MacroLooping looping;
  looping.endless = (data[0] & 0x10) != 0;
  looping.counted = (data[0] & 0x20) != 0;
  looping.countText = (data[0] & 0x40) != 0 ? std::string() : std::string(1, char(data[1]));
  const std::size_t row = data[0] & (kRows - 1);  // 10..15 are rows beyond the tenth
  MacroScript script =
      splitLines(std::string_view(reinterpret_cast<const char*>(data) + 2, size - 2));
  for (std::string& line : script)
    while (!line.empty() && line.back() == '\0') line.pop_back();  // no line ends in 0

  MacroDeviceRecord expected{};
  const std::string direct = errorOf(script, row, looping, expected);
  MacroDeviceRecord again{};
  if (errorOf(script, row, looping, again) != direct || again != expected) std::abort();
  MacroDeviceRecord header{};
  const std::string headerError = errorOf({"1"}, 0, looping, header);

  std::vector<std::string> names;
  for (std::size_t m = 0; m < row; ++m) names.push_back("P" + std::to_string(m));
  names.push_back("Fuzz");
  WriteMacroFile(folder(), "Fuzz", script);
  MacroRecordTable records{};
  records.fill(MacroDeviceRecord{0xEE});
  std::string viaFiles = "none";
  try {
    CompileMacros(names, folder(), looping, records);
  } catch (const Error& error) {
    viaFiles = error.what();
  }
  if (row > 0 && headerError != "none") {
    // The loop count fails at the first row already.
    if (viaFiles != headerError) std::abort();
    return 0;
  }
  if (script.empty()) {
    // An empty macro file ends the compilation and keeps its record.
    if (viaFiles != "none") std::abort();
    if (row < records.size() && records[row] != MacroDeviceRecord{0xEE}) std::abort();
    return 0;
  }
  if (viaFiles != direct) std::abort();
  if (direct == "none" && row < records.size() && records[row] != expected) std::abort();
  return 0;
}
