#pragma once

#include <span>
#include <string>

#include "device/HidTransportFactory.h"

namespace kestrovane {

// What the command line can ask of the program: only "--virtual-mouse[=DIR]"
// (the last one wins); every other argument is ignored, as the program takes
// no arguments of its own.
TransportOptions parseProgramOptions(std::span<const std::string> args);

}  // namespace kestrovane
