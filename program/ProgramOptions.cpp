#include "program/ProgramOptions.h"

namespace kestrovane {

ProgramOptions parseProgramOptions(std::span<const std::string> args) {
  ProgramOptions options;
  constexpr std::string_view kLanguage = "--language";
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--version") {
      options.version = true;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg.starts_with(kLanguage) &&
               (arg.size() == kLanguage.size() || arg[kLanguage.size()] == '=')) {
      std::string_view value;
      if (arg.size() > kLanguage.size()) {
        value = arg.substr(kLanguage.size() + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        if (options.error.empty()) options.error = "option '--language' needs a value";
        continue;
      }
      options.language = parseLanguageOption(value);
      if (!options.language && options.error.empty())
        options.error = "unknown language '" + std::string(value) + "' (en, zh_CN or zh_TW)";
    } else {
      parseVirtualMouseOption(arg, options.transport);
    }
  }
  return options;
}

std::string programVersionText() {
  return "KestrovaneDriver " KESTROVANE_VERSION;
}

std::string programUsage() {
  return "Usage: KestrovaneDriver [OPTION]...\n"
         "Sets the buttons, DPI levels, report rate, lighting, modes and macros of the\n"
         "Kestrovane gaming mouse.\n"
         "\n"
         "  --language=LANG        show the window in LANG: en, zh_CN or zh_TW\n"
         "  --virtual-mouse[=DIR]  also offer the simulated mouse kept in DIR\n"
         "                         (default: virtual-mouse)\n"
         "  -h, --help             print this help and exit\n"
         "      --version          print the version and exit\n"
         "\n"
         "Environment:\n"
         "  KESTROVANE_LANGUAGE        the language when --language is not given\n"
         "                             (en, zh_CN or zh_TW); else the locale's: English\n"
         "                             for every language but Chinese\n"
         "  KESTROVANE_PROGRAM_FOLDER  the folder of the macros (Macro/), an absolute\n"
         "                             path; the launcher sets it to the user's folder\n";
}

}  // namespace kestrovane
