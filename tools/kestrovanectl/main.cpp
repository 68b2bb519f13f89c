// kestrovanectl: the command-line companion of KestrovaneDriver.
#include <cstdio>
#include <cstring>

#include "tools/kestrovanectl/Commands.h"

namespace {

constexpr const char* kUsage =
    "usage: kestrovanectl devices [--virtual-mouse[=DIR]]\n"
    "       kestrovanectl apply [--virtual-mouse[=DIR]]\n"
    "       kestrovanectl read-modes [--virtual-mouse[=DIR]] [--out DIR]\n"
    "       kestrovanectl export FILE | import FILE [--replace]\n"
    "       kestrovanectl macro encrypt | decrypt FILE | compile DIR [--endless | --count N]\n"
    "apply and read-modes run in a program folder (configure/, data/; Macro/ beside\n"
    "the program). Exit codes: 0 done, 1 failed (message on stderr), 2 usage error.\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2) {
    if (std::strcmp(argv[1], "devices") == 0)
      return kestrovane::ctl::runDevicesCommand(argc - 2, argv + 2);
    if (std::strcmp(argv[1], "apply") == 0)
      return kestrovane::ctl::runApplyCommand(argc - 2, argv + 2);
    if (std::strcmp(argv[1], "read-modes") == 0)
      return kestrovane::ctl::runReadModesCommand(argc - 2, argv + 2);
    if (std::strcmp(argv[1], "export") == 0)
      return kestrovane::ctl::runExportCommand(argc - 2, argv + 2);
    if (std::strcmp(argv[1], "import") == 0)
      return kestrovane::ctl::runImportCommand(argc - 2, argv + 2);
    if (std::strcmp(argv[1], "macro") == 0)
      return kestrovane::ctl::runMacroCommand(argc - 2, argv + 2);
  }
  std::fputs(kUsage, stderr);
  return 2;
}
