#include <cstdio>

#include "tools/kestrovanectl/Commands.h"

namespace kestrovane::ctl {

// Placeholder until the devices command lands: a usage error, never a result.
int runDevicesCommand(int, char**) {
  std::fputs("kestrovanectl: the devices command is not available in this build\n", stderr);
  return 2;
}

}  // namespace kestrovane::ctl
