#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "config/Language.h"
#include "device/HidTransportFactory.h"

namespace kestrovane {

// What the command line asks of the program. Its own options are
// "--virtual-mouse[=DIR]" (the last one wins), "--language=CODE" or
// "--language CODE" (en, zh_CN, zh_TW), "--version" and "--help" or "-h";
// every other argument is left to Qt, which takes its own (-platform ...),
// and is otherwise ignored.
struct ProgramOptions {
  TransportOptions transport;
  std::optional<Language> language;
  bool version = false;
  bool help = false;
  // A usage error naming the offending word; empty when there is none.
  std::string error;
};

ProgramOptions parseProgramOptions(std::span<const std::string> args);

// "KestrovaneDriver 1.0": what --version prints.
std::string programVersionText();

// What --help prints: the options, one line each, and the environment.
std::string programUsage();

}  // namespace kestrovane
