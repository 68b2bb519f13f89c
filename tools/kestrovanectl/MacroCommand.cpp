// kestrovanectl macro: enciphers script lines, deciphers macro files and
// compiles a macro folder, so that macros can be scripted and their format
// checked from outside the program.
#include "tools/kestrovanectl/MacroCommand.h"

#include <optional>
#include <string_view>
#include <vector>

#include "base/Error.h"
#include "macro/MacroCipher.h"
#include "macro/MacroCompiler.h"
#include "macro/MacroFile.h"
#include "tools/kestrovanectl/Commands.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace kestrovane::ctl {
namespace {

constexpr std::string_view kUsage =
    "usage: kestrovanectl macro encrypt\n"
    "       kestrovanectl macro decrypt FILE\n"
    "       kestrovanectl macro compile DIR [--endless | --count N]\n";

void print(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
}

int usage(std::FILE* err) {
  print(err, kUsage);
  return kUsageError;
}

std::string readAll(std::FILE* in) {
  std::string text;
  char buffer[4096];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) text.append(buffer, got);
  if (std::ferror(in)) throw Error("Cannot read the standard input.");
  return text;
}

std::string encryptLines(std::FILE* in) {
  const Des des = desOfKeyText(kMacroFileKey);
  std::string output;
  for (const std::string& line : splitLines(readAll(in))) {
    output += encryptLineToHex(line, des);
    output += '\n';
  }
  return output;
}

std::string decryptFile(const std::string& path) {
  std::string output;
  for (const std::string& line : readMacroScriptFile(path)) {
    output += line;
    output += '\n';
  }
  return output;
}

std::string compileFolder(const std::string& folder, const MacroLooping& looping) {
  if (!macroFolderExists(folder)) throw Error("Cannot open folder \"" + folder + "\".");
  std::vector<std::string> names = ListMacroNames(folder);
  sortMacroNames(names);
  MacroRecordTable records{};
  CompileMacros(names, folder, looping, records);
  constexpr std::string_view kDigits = "0123456789abcdef";
  std::string output;
  for (std::size_t index = 0; index < records.size(); ++index) {
    output += std::to_string(index);
    output += ' ';
    for (const std::uint8_t byte : records[index]) {
      output += kDigits[byte >> 4];
      output += kDigits[byte & 0xFu];
    }
    output += '\n';
  }
  return output;
}

// The looping options after DIR; false on a usage error.
bool parseLooping(std::span<const std::string> options, MacroLooping& looping) {
  if (options.empty()) return true;
  if (options.size() == 1 && options[0] == "--endless") {
    looping.endless = true;
    return true;
  }
  if (options.size() == 2 && options[0] == "--count") {
    looping.counted = true;
    looping.countText = options[1];
    return true;
  }
  return false;
}

}  // namespace

int runMacroCommand(std::span<const std::string> args, std::FILE* in, std::FILE* out,
                    std::FILE* err) {
  if (args.empty()) return usage(err);
  const std::string_view command = args[0];
  std::string output;
  try {
    if (command == "encrypt" && args.size() == 1) {
      output = encryptLines(in);
    } else if (command == "decrypt" && args.size() == 2) {
      output = decryptFile(args[1]);
    } else if (command == "compile" && args.size() >= 2) {
      MacroLooping looping;
      if (!parseLooping(args.subspan(2), looping)) return usage(err);
      output = compileFolder(args[1], looping);
    } else {
      return usage(err);
    }
  } catch (const Error& error) {
    print(err, kErrorPrefix);
    print(err, error.what());
    print(err, "\n");
    return kFailed;
  }
  print(out, output);
  if (std::fflush(out) != 0 || std::ferror(out)) {
    print(err, kErrorPrefix);
    print(err, "cannot write to the standard output\n");
    return kFailed;
  }
  return kDone;
}

int runMacroCommand(const Invocation& invocation) {
#ifdef _WIN32
  // Bytes in, bytes out: no CR added before LF, no end of input at Ctrl-Z.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  const std::string& action = invocation.args.at(0);
  if (action != "encrypt" && action != "decrypt" && action != "compile")
    return usageError(invocation, "unknown macro action '" + action + "'");
  const std::size_t wanted = action == "encrypt" ? 1 : 2;
  if (invocation.args.size() != wanted)
    return usageError(invocation, invocation.args.size() < wanted
                                      ? "missing argument for 'macro " + action + "'"
                                      : "unexpected argument '" + invocation.args.back() +
                                            "' for 'macro " + action + "'");
  if (action != "compile" && (invocation.has("--endless") || invocation.has("--count")))
    return usageError(invocation, "'macro " + action + "' takes no looping option");
  if (invocation.has("--endless") && invocation.has("--count"))
    return usageError(invocation, "options '--endless' and '--count' exclude each other");
  std::vector<std::string> args = invocation.args;
  if (invocation.has("--endless")) args.emplace_back("--endless");
  if (const std::optional<std::string> count = invocation.value("--count")) {
    args.emplace_back("--count");
    args.push_back(*count);
  }
  return runMacroCommand(args, stdin, stdout, stderr);
}

}  // namespace kestrovane::ctl
