#pragma once

#include <span>
#include <string>

namespace kestrovane {

// What the command line can ask of the program. The only option is
// "--virtual-mouse[=DIR]"; every other argument is ignored, as the program
// takes no arguments of its own.
struct ProgramOptions {
  bool virtualMouse = false;
  // The folder of the virtual mouse's state, relative to the working directory
  // unless absolute. Set only with virtualMouse.
  std::string virtualMouseDir;
};

inline constexpr const char* kDefaultVirtualMouseDir = "virtual-mouse";

// Parses the arguments after the program name. The last "--virtual-mouse"
// wins; "--virtual-mouse=" with nothing after it means the default folder.
ProgramOptions parseProgramOptions(std::span<const std::string> args);

}  // namespace kestrovane
