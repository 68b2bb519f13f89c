// Reads any bytes as a macro file through the file system. Only Error may
// come out; what was read must equal the parse of the same bytes and
// survive being written and read again.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/Error.h"
#include "macro/MacroFile.h"
#include "tests/fuzz/FuzzFolder.h"

using namespace kestrovane;

namespace {

FuzzFolder theFolder("read");

const std::string& folder() {
  return theFolder.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  {
    std::ofstream out(macroFilePath(folder(), "Fuzz"), std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out.good()) std::abort();
  }
  MacroScript script;
  try {
    script = ReadMacroFile(folder(), "Fuzz");
  } catch (const Error&) {
    // A file larger than any macro is refused whatever it holds.
    if (bytes.size() > kMaxMacroFileBytes) return 0;
    try {
      parseMacroFile(bytes);
    } catch (const Error&) {
      return 0;
    }
    std::abort();  // the file failed where its bytes did not
  }
  if (script != parseMacroFile(bytes)) std::abort();
  WriteMacroFile(folder(), "Again", script);
  if (ReadMacroFile(folder(), "Again") != script) std::abort();
  return 0;
}
