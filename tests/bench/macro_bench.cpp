// Prints the median time to compile ten recorded macros of 20 lines each,
// from their files as Apply does, next to one USB frame (1 ms).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "macro/KeyboardHookKey.h"
#include "macro/MacroCompiler.h"
#include "macro/MacroFile.h"

using namespace kestrovane;

namespace {

// A recording as capture writes it: header, a modifier held over four keys
// typed with delays between the events, the modifier released: 20 lines.
MacroScript recordedMacro(int seed) {
  MacroScript script{"1", pressLine("Shift", 0x3333), delayLine(93)};
  for (int key = 0; key < 4; ++key) {
    const auto vk = static_cast<TKeyboardHookKey>(kh_A + (seed + key) % 26);
    script.push_back(pressLine(vk));
    script.push_back(delayLine(static_cast<std::uint32_t>(61 + 10 * key + seed)));
    script.push_back(releaseLine(vk));
    script.push_back(delayLine(static_cast<std::uint32_t>(127 + seed)));
  }
  script.back() = delayLine(88);
  script.push_back(releaseLine("Shift", 0x3333));
  return script;
}

template <typename Run>
double medianMicroseconds(int runs, Run run) {
  std::vector<double> times;
  times.reserve(static_cast<std::size_t>(runs));
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    run();
    const auto end = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::micro>(end - start).count());
  }
  std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
  return times[static_cast<std::size_t>(runs / 2)];
}

}  // namespace

int main() {
  const auto folder = std::filesystem::temp_directory_path() / "kestrovane-macro-bench";
  std::filesystem::create_directories(folder);
  std::vector<std::string> names;
  std::vector<MacroScript> scripts;
  for (int m = 0; m < kMacroRecordCount; ++m) {
    names.push_back("Macro" + std::to_string(m));
    scripts.push_back(recordedMacro(m));
    if (scripts.back().size() != 20) return 1;
    WriteMacroFile(folder.string(), names.back(), scripts.back());
  }
  sortMacroNames(names);

  constexpr int kRuns = 2001;
  const MacroLooping looping{false, true, "3"};
  MacroRecordTable records{};
  const double fromFiles =
      medianMicroseconds(kRuns, [&] { CompileMacros(names, folder.string(), looping, records); });
  std::vector<std::string> contents;
  for (const MacroScript& script : scripts) contents.push_back(formatMacroFile(script));
  const double fromContents = medianMicroseconds(kRuns, [&] {
    for (std::size_t m = 0; m < contents.size(); ++m)
      records[m] = compileMacroScript(parseMacroFile(contents[m]), m, looping, names[m]);
  });
  const double fromScripts = medianMicroseconds(kRuns, [&] {
    for (std::size_t m = 0; m < scripts.size(); ++m)
      records[m] = compileMacroScript(scripts[m], m, looping, names[m]);
  });
  std::filesystem::remove_all(folder);

  std::printf("CompileMacros, 10 recorded macros of 20 lines, median of %d runs:\n", kRuns);
  const auto line = [](const char* what, double microseconds) {
    std::printf("  %-50s %8.1f us\n", what, microseconds);
  };
  line("from the macro files (read, decipher, compile):", fromFiles);
  line("from file contents in memory (decipher, compile):", fromContents);
  line("from scripts in memory (compile only):", fromScripts);
  line("one USB frame:", 1000.0);
  return 0;
}
