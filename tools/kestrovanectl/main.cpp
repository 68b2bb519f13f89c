// kestrovanectl: the command-line companion of KestrovaneDriver.
#include <iostream>
#include <string>
#include <vector>

#include "tools/kestrovanectl/Commands.h"

namespace kestrovane::ctl {
namespace {

int runHelpCommand(const Invocation& invocation);

// The commands in the order the usage lists them. A new command is one row.
const std::vector<CommandSpec> kCommands = {
    {"devices",
     "",
     "List the HID interfaces and which of them is the mouse.",
     {},
     0,
     0,
     runDevicesCommand},
    {"show",
     "[--mode N] [--json]",
     "Show the settings of the five modes, or of mode N.",
     {{"--mode", OptionValue::Required, "--mode N    only mode N (1..5)"},
      {"--json", OptionValue::None, "--json      one JSON document: a list of the modes"}},
     0,
     0,
     runShowCommand},
    {"set",
     "[--mode N] [--apply [--no-pointer]] NAME=VALUE... | set --list",
     "Change settings of a mode (the current one) and save them.",
     {{"--mode", OptionValue::Required, "--mode N      change mode N (1..5)"},
      {"--apply", OptionValue::None, "--apply       then write everything to the mouse, as apply"},
      {"--no-pointer", OptionValue::None,
       "--no-pointer  with --apply: leave the pointer options alone"},
      {"--list", OptionValue::None, "--list        list the names and the values they take"}},
     0,
     -1,
     runSetCommand},
    {"apply",
     "[--no-pointer]",
     "Write modes and macros to the mouse, and the pointer options.",
     {{"--no-pointer", OptionValue::None,
       "--no-pointer  leave the desktop's pointer options alone"}},
     0,
     0,
     runApplyCommand},
    {"read-modes",
     "--out DIR",
     "Back up the five modes of the mouse into DIR/ModeN_data.ini.",
     {{"--out", OptionValue::Required, "--out DIR   the folder of the five files (required)"}},
     0,
     0,
     runReadModesCommand},
    {"export",
     "FILE",
     "Save the settings and every macro into FILE, a ZIP archive.",
     {},
     1,
     1,
     runExportCommand},
    {"import",
     "FILE [--replace]",
     "Restore the settings and macros of an export.",
     {{"--replace", OptionValue::None,
       "--replace   also remove the macros that the export does not hold"}},
     1,
     1,
     runImportCommand},
    {"macro",
     "encrypt | decrypt FILE | compile DIR [--endless | --count N]",
     "Encipher script lines, decipher a macro file, compile macros.",
     {{"--endless", OptionValue::None, "--endless   compile: loop every macro endlessly"},
      {"--count", OptionValue::Required, "--count N   compile: play every macro N times"}},
     1,
     2,
     runMacroCommand},
    {"help", "[COMMAND]", "Show this usage, or a command's options.", {}, 0, 1, runHelpCommand},
};

int runHelpCommand(const Invocation& invocation) {
  if (invocation.args.empty()) {
    std::cout << generalUsage(kCommands);
  } else {
    const std::string& name = invocation.args[0];
    const CommandSpec* command = nullptr;
    for (const CommandSpec& c : kCommands)
      if (c.name == name) command = &c;
    if (command == nullptr) return usageError(invocation, "unknown command '" + name + "'");
    std::cout << commandUsage(*command);
  }
  if (!std::cout.flush()) return kFailed;
  return kDone;
}

}  // namespace
}  // namespace kestrovane::ctl

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  return kestrovane::ctl::runCommandLine(kestrovane::ctl::kCommands, args, KESTROVANE_VERSION);
}
