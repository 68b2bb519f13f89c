#include "program/ProgramOptions.h"

namespace kestrovane {

TransportOptions parseProgramOptions(std::span<const std::string> args) {
  TransportOptions options;
  for (const std::string& arg : args) parseVirtualMouseOption(arg, options);
  return options;
}

}  // namespace kestrovane
