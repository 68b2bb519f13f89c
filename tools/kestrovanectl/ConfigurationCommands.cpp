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

namespace kestrovane::ctl {
namespace {

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
    return fail(std::string("Nothing was exported: ") + error.what());
  }
  const FileResult written = replaceFile(file, archive);
  if (!written) return fail("Cannot write " + file + ": " + written.reason);
  return kDone;
}

int importFrom(const std::string& file, bool replace) {
  std::string archive;
  const FileResult read = readFileUpTo(file, kMaxExportBytes, archive);
  if (!read) return fail("Cannot read " + file + ": " + read.reason);
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
    std::string message = "The import of " + file + " stopped: " + outcome.failure + " ";
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
  if (!std::cout.flush()) return fail("Cannot write to the standard output.");
  return kDone;
}

}  // namespace

int runExportCommand(const Invocation& invocation) {
  return exportTo(invocation.args.at(0));
}

int runImportCommand(const Invocation& invocation) {
  return importFrom(invocation.args.at(0), invocation.has("--replace"));
}

}  // namespace kestrovane::ctl
