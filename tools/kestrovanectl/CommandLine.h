#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kestrovane::ctl {

inline constexpr int kDone = 0;
inline constexpr int kFailed = 1;
inline constexpr int kUsageError = 2;

// Every message of kestrovanectl on standard error starts with this.
inline constexpr std::string_view kErrorPrefix = "kestrovanectl: ";

// Whether an option takes a value: "--opt=VALUE" and "--opt VALUE" for a
// required one, only "--opt=VALUE" for an optional one (a following word is
// never taken as its value).
enum class OptionValue { None, Required, Optional };

struct OptionSpec {
  std::string_view name;  // "--mode"
  OptionValue value = OptionValue::None;
  std::string_view help;  // "--mode N   only mode N (1..5)"
};

struct Invocation;

// One row of the command table: what the usage shows and what the parser
// accepts. minArgs/maxArgs count the words that are no option (maxArgs -1:
// any number).
struct CommandSpec {
  std::string_view name;
  std::string_view synopsis;  // what follows "kestrovanectl NAME " in the usage
  std::string_view summary;   // one line: what the command does
  std::vector<OptionSpec> options;
  int minArgs = 0;
  int maxArgs = 0;
  int (*run)(const Invocation&) = nullptr;
};

// A parsed command line. Options are kept by name with their value (empty
// for an option without one); arguments in their order.
struct Invocation {
  const CommandSpec* command = nullptr;
  std::map<std::string, std::string, std::less<>> options;
  std::vector<std::string> args;
  bool help = false;
  bool version = false;

  bool has(std::string_view option) const { return options.find(option) != options.end(); }
  std::optional<std::string> value(std::string_view option) const {
    const auto it = options.find(option);
    if (it == options.end()) return std::nullopt;
    return it->second;
  }
};

// The options that may stand anywhere, before or after the command.
std::span<const OptionSpec> globalOptions();

// Parses argv (without the program name) against table. A usage error
// throws UsageError naming the offending word.
struct UsageError {
  std::string message;         // without the prefix
  const CommandSpec* command;  // whose usage to show; null for the general one
};
Invocation parseCommandLine(std::span<const CommandSpec> table, std::span<const std::string> argv);

// "usage: kestrovanectl ..." with one line per command, or one command's
// synopsis, summary and options.
std::string generalUsage(std::span<const CommandSpec> table);
std::string commandUsage(const CommandSpec& command);

// Runs the whole command line: help and version on standard output (0),
// usage errors on standard error (2), otherwise the command's own code.
int runCommandLine(std::span<const CommandSpec> table, std::span<const std::string> argv,
                   std::string_view version);

// Tells a usage error found by a command itself (a missing option, a word
// that its arguments do not allow) as the parser does; returns kUsageError.
int usageError(const Invocation& invocation, std::string_view message);

// Calls a command written as main-like "int run(int argc, char** argv)": it
// gets the options as "--opt" or "--opt=VALUE", then the arguments.
int runWithArgv(const Invocation& invocation, int (*run)(int, char**));

}  // namespace kestrovane::ctl
