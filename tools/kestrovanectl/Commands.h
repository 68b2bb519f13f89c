#pragma once

namespace kestrovane::ctl {

// Each command gets the arguments after its own name and returns the exit
// code: 0 done, 1 failed (message on stderr), 2 usage error.
int runDevicesCommand(int argc, char** argv);
int runMacroCommand(int argc, char** argv);
int runApplyCommand(int argc, char** argv);
int runReadModesCommand(int argc, char** argv);
int runExportCommand(int argc, char** argv);
int runImportCommand(int argc, char** argv);

}  // namespace kestrovane::ctl
