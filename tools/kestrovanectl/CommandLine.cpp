// The grammar of kestrovanectl: global options, a command from the table,
// its options and its arguments.
#include "tools/kestrovanectl/CommandLine.h"

#include <algorithm>
#include <iostream>

#include "config/Language.h"

namespace kestrovane::ctl {

namespace {

const std::vector<OptionSpec> kGlobalOptions = {
    {"--virtual-mouse", OptionValue::Optional,
     "--virtual-mouse[=DIR]        also the virtual mouse in DIR (./virtual-mouse)"},
    {"--language", OptionValue::Required,
     "--language=en|zh_CN|zh_TW    the language of function names and messages"},
    {"--help", OptionValue::None, "-h, --help                   show this help (or a command's)"},
    {"--version", OptionValue::None, "--version                    show the version"},
};

const OptionSpec* findOption(std::span<const OptionSpec> options, std::string_view name) {
  const auto it = std::find_if(options.begin(), options.end(),
                               [name](const OptionSpec& o) { return o.name == name; });
  return it == options.end() ? nullptr : &*it;
}

std::string inQuotes(std::string_view word) {
  return "'" + std::string(word) + "'";
}

int tellUsageError(const UsageError& e) {
  std::cerr << kErrorPrefix << e.message << "\n";
  if (e.command != nullptr)
    std::cerr << "usage: kestrovanectl " << e.command->name << " " << e.command->synopsis << "\n";
  else
    std::cerr << "Run 'kestrovanectl --help' for the commands.\n";
  return kUsageError;
}

}  // namespace

std::span<const OptionSpec> globalOptions() {
  return kGlobalOptions;
}

Invocation parseCommandLine(std::span<const CommandSpec> table, std::span<const std::string> argv) {
  Invocation result;
  bool endOfOptions = false;
  const auto error = [&result](std::string message) {
    return UsageError{std::move(message), result.command};
  };
  for (std::size_t i = 0; i < argv.size(); ++i) {
    const std::string& word = argv[i];
    if (!endOfOptions && word == "--") {
      endOfOptions = true;
    } else if (!endOfOptions && word.size() > 1 && word[0] == '-') {
      const std::size_t equals = word.find('=');
      const std::string name = word == "-h" ? "--help" : word.substr(0, equals);
      const OptionSpec* spec = findOption(kGlobalOptions, name);
      if (spec == nullptr && result.command != nullptr)
        spec = findOption(result.command->options, name);
      if (spec == nullptr)
        throw error(result.command != nullptr ? "unknown option " + inQuotes(name) + " for " +
                                                    inQuotes(result.command->name)
                                              : "unknown option " + inQuotes(name));
      std::string value;
      if (equals != std::string::npos) {
        if (spec->value == OptionValue::None)
          throw error("option " + inQuotes(name) + " takes no value");
        value = word.substr(equals + 1);
        if (value.empty()) throw error("option " + inQuotes(name) + " needs a value");
      } else if (spec->value == OptionValue::Required) {
        if (i + 1 >= argv.size() || argv[i + 1].empty())
          throw error("option " + inQuotes(name) + " needs a value");
        value = argv[++i];
      }
      if (name == "--help") {
        result.help = true;
      } else if (name == "--version") {
        result.version = true;
      } else if (!result.options.emplace(name, std::move(value)).second) {
        throw error("option " + inQuotes(name) + " is given twice");
      }
    } else if (result.command == nullptr) {
      const auto it = std::find_if(table.begin(), table.end(),
                                   [&word](const CommandSpec& c) { return c.name == word; });
      if (it == table.end()) throw error("unknown command " + inQuotes(word));
      result.command = &*it;
    } else {
      result.args.push_back(word);
    }
  }
  if (result.help || result.version) return result;
  if (result.command == nullptr) throw error("no command given");
  const auto count = static_cast<int>(result.args.size());
  if (count < result.command->minArgs)
    throw error("missing argument for " + inQuotes(result.command->name));
  if (result.command->maxArgs >= 0 && count > result.command->maxArgs)
    throw error("unexpected argument " +
                inQuotes(result.args[static_cast<std::size_t>(result.command->maxArgs)]) + " for " +
                inQuotes(result.command->name));
  return result;
}

std::string generalUsage(std::span<const CommandSpec> table) {
  std::string text =
      "usage: kestrovanectl [--virtual-mouse[=DIR]] [--language=LANG] COMMAND [ARGS]\n"
      "\nCommands:\n";
  for (const CommandSpec& c : table) {
    std::string name(c.name);
    name.resize(std::max<std::size_t>(name.size() + 2, 12), ' ');
    text += "  " + name + std::string(c.summary) + "\n";
  }
  text += "\nGlobal options (before or after the command):\n";
  for (const OptionSpec& o : kGlobalOptions) text += "  " + std::string(o.help) + "\n";
  text +=
      "\n'kestrovanectl help COMMAND' shows a command's options. The settings commands\n"
      "work in the program folder (configure/, data/; Macro/ beside the program).\n"
      "Exit codes: 0 done, 1 failed (message on standard error), 2 usage error.\n";
  return text;
}

std::string commandUsage(const CommandSpec& command) {
  // Appended piece by piece: GCC 12 at -O3 takes "x" + std::string(...) here
  // for an overlapping copy (-Wrestrict) and stops the Windows build.
  std::string text = "usage: kestrovanectl ";
  text += command.name;
  if (!command.synopsis.empty()) {
    text += ' ';
    text += command.synopsis;
  }
  text += '\n';
  text += command.summary;
  text += '\n';
  if (!command.options.empty()) {
    text += "\nOptions:\n";
    for (const OptionSpec& o : command.options) text += "  " + std::string(o.help) + "\n";
  }
  return text;
}

int runCommandLine(std::span<const CommandSpec> table, std::span<const std::string> argv,
                   std::string_view version) {
  Invocation invocation;
  try {
    invocation = parseCommandLine(table, argv);
    if (const std::optional<std::string> language = invocation.value("--language")) {
      const std::optional<Language> chosen = parseLanguageOption(*language);
      if (!chosen)
        throw UsageError{"unknown language " + inQuotes(*language) + " (en, zh_CN or zh_TW)",
                         invocation.command};
      SetLanguageOverride(*chosen);
    }
  } catch (const UsageError& e) {
    return tellUsageError(e);
  }
  std::string text;
  if (invocation.version) {
    text = "kestrovanectl " + std::string(version) + "\n";
  } else if (invocation.help) {
    text = invocation.command != nullptr ? commandUsage(*invocation.command) : generalUsage(table);
  } else {
    return invocation.command->run(invocation);
  }
  std::cout << text;
  if (!std::cout.flush()) {
    std::cerr << kErrorPrefix << "cannot write to the standard output\n";
    return kFailed;
  }
  return kDone;
}

int usageError(const Invocation& invocation, std::string_view message) {
  return tellUsageError(UsageError{std::string(message), invocation.command});
}

int runWithArgv(const Invocation& invocation, int (*run)(int, char**)) {
  std::vector<std::string> words;
  for (const auto& [name, value] : invocation.options)
    words.push_back(value.empty() ? name : name + "=" + value);
  words.insert(words.end(), invocation.args.begin(), invocation.args.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  return run(static_cast<int>(words.size()), argv.data());
}

}  // namespace kestrovane::ctl
