// kestrovanectl export and import: the whole configuration (settings and
// macros) as one ZIP file, and back.
#include <ctime>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "base/Error.h"
#include "base/FileReplace.h"
#include "program/ConfigurationExport.h"
#include "tools/kestrovanectl/Commands.h"
#include "tools/kestrovanectl/ProgramFolder.h"

namespace kestrovane::ctl {
namespace {

constexpr const char* kExportUsage =
    "usage: kestrovanectl export FILE\n"
    "Writes the settings and every macro of the program folder into FILE (a ZIP archive).\n";
constexpr const char* kImportUsage =
    "usage: kestrovanectl import FILE [--replace]\n"
    "Restores the settings and macros of an export into the program folder; with\n"
    "--replace, macros that the export does not hold are removed.\n";

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kUsageError = 2;

int fail(const std::string& message) {
  std::cerr << "kestrovanectl: " << message << "\n";
  return kFailed;
}

int usage(const char* text, bool asked) {
  (asked ? std::cout : std::cerr) << text;
  return asked ? kDone : kUsageError;
}

bool isHelp(std::string_view arg) {
  return arg == "--help" || arg == "-h";
}

// Local time now, as the archive's entries are stamped.
ZipTime now() {
  const std::time_t seconds = std::time(nullptr);
  const std::tm* local = std::localtime(&seconds);
  if (local == nullptr) return {};
  return {local->tm_year + 1900, local->tm_mon + 1, local->tm_mday,
          local->tm_hour,        local->tm_min,     local->tm_sec};
}

int exportTo(const std::string& file) {
  std::string archive;
  try {
    archive = exportConfiguration(programPaths(), now());
  } catch (const Error& error) {
    return fail(std::string("nothing was exported: ") + error.what());
  }
  const FileResult written = replaceFile(file, archive);
  if (!written) return fail("cannot write " + file + ": " + written.reason);
  return kDone;
}

int importFrom(const std::string& file, bool replace) {
  std::string archive;
  const FileResult read = readFileUpTo(file, kMaxExportBytes, archive);
  if (!read) return fail("cannot read " + file + ": " + read.reason);
  std::vector<ConfigurationFile> files;
  try {
    files = checkConfigurationExport(archive);
  } catch (const Error& error) {
    return fail(file + " was not imported, nothing was changed. " + error.what());
  }
  ImportOutcome outcome;
  try {
    outcome = importConfiguration(programPaths(), files, replace);
  } catch (const Error& error) {
    outcome.failure = error.what();
  }
  for (const std::string& name : outcome.removed) std::cout << "removed the macro " << name << "\n";
  if (!outcome.failure.empty()) {
    std::string message = "the import of " + file + " stopped: " + outcome.failure + " ";
    if (outcome.written.empty()) {
      message += "Nothing was changed.";
    } else {
      // Every file holds either its old or its new bytes; say which are new.
      message += std::to_string(outcome.written.size()) + " of " + std::to_string(files.size()) +
                 " files were restored before it:";
      for (const std::string& entry : outcome.written) message += " " + entry;
      message += "; the others are unchanged.";
    }
    return fail(message);
  }
  std::cout << "restored " << outcome.written.size() << " files from " << file << "\n";
  if (!std::cout.flush()) return fail("cannot write to the standard output.");
  return kDone;
}

}  // namespace

int runExportCommand(int argc, char** argv) {
  std::string file;
  for (int a = 0; a < argc; ++a) {
    const std::string_view arg = argv[a];
    if (isHelp(arg)) return usage(kExportUsage, true);
    if (!file.empty() || arg.empty() || arg.front() == '-') return usage(kExportUsage, false);
    file = arg;
  }
  if (file.empty()) return usage(kExportUsage, false);
  return exportTo(file);
}

int runImportCommand(int argc, char** argv) {
  std::string file;
  bool replace = false;
  for (int a = 0; a < argc; ++a) {
    const std::string_view arg = argv[a];
    if (isHelp(arg)) return usage(kImportUsage, true);
    if (arg == "--replace" && !replace) {
      replace = true;
    } else if (!file.empty() || arg.empty() || arg.front() == '-') {
      return usage(kImportUsage, false);
    } else {
      file = arg;
    }
  }
  if (file.empty()) return usage(kImportUsage, false);
  return importFrom(file, replace);
}

}  // namespace kestrovane::ctl
