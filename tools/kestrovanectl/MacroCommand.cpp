#include <cstdio>

#include "tools/kestrovanectl/Commands.h"

namespace kestrovane::ctl {

// Placeholder until the macro command lands: a usage error, never a result.
int runMacroCommand(int, char**) {
  std::fputs("kestrovanectl: the macro command is not available in this build\n", stderr);
  return 2;
}

}  // namespace kestrovane::ctl
