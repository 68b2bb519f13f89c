#pragma once

// A scratch program folder with a copy of the built kestrovanectl, and a run
// of it there as a user runs it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "device/VirtualMouse.h"
#include "tests/TempFolder.h"

namespace kestrovane::test {

namespace fs = std::filesystem;

inline std::string shellQuoted(const std::string& text) {
  return "'" + text + "'";
}

struct Outcome {
  int code = -1;
  std::string out;
  std::string err;
};

// A program folder with the factory settings and languages, a copy of kestrovanectl and
// the six macros of the compile fixture in its Macro folder.
class ProgramFolder {
 public:
  ProgramFolder() {
    const fs::path resources = KESTROVANE_RESOURCES;
    fs::copy(resources / "configure", m_folder.path() / "configure");
    fs::copy(resources / "data", m_folder.path() / "data");
    fs::copy(resources / "Language", m_folder.path() / "Language", fs::copy_options::recursive);
    fs::create_directories(m_folder.path() / "Macro");
    for (const auto& entry :
         fs::directory_iterator(fs::path(KESTROVANE_TEST_DATA) / "macro/compile"))
      fs::copy(entry.path(), m_folder.path() / "Macro" / entry.path().filename());
    fs::copy(KESTROVANECTL, m_folder.path() / "kestrovanectl");
    fs::create_directories(mouseDir());
  }

  fs::path path() const { return m_folder.path(); }
  fs::path mouseDir() const { return m_folder.path() / "mouse"; }
  std::string mouseOption() const { return "--virtual-mouse=" + mouseDir().string(); }

  // Runs the copy in the folder, its pointer options kept inside the folder.
  // On a terminal (script(1) gives it one) standard error joins standard
  // output. environment: more variables, or others in place of the memory
  // backend of GSettings.
  Outcome run(const std::string& args, bool terminal = false,
              const std::string& environment = "GSETTINGS_BACKEND=memory") const {
    const std::string out = (path() / "stdout").string();
    const std::string err = (path() / "stderr").string();
    // No per-user program folder: the test's folder is the only one.
    std::string command = "XDG_CONFIG_HOME=" + shellQuoted(path().string()) +
                          " XDG_DATA_HOME=" + shellQuoted((path() / "no-data-home").string()) +
                          " " + environment + " ./kestrovanectl " + args;
    if (terminal) command = "script -qec " + shellQuoted(command) + " /dev/null";
    const int status = std::system(("cd " + shellQuoted(path().string()) + " && " + command + " >" +
                                    shellQuoted(out) + " 2>" + shellQuoted(err))
                                       .c_str());
    EXPECT_TRUE(WIFEXITED(status)) << status;
    Outcome result;
    result.code = WEXITSTATUS(status);
    result.out = TempFolder::readFile(out);
    result.err = TempFolder::readFile(err);
    return result;
  }

  std::vector<std::string> log() const {
    std::ifstream in(mouseDir() / VirtualMouse::kLogFile);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  void state(const std::string& text) const {
    std::ofstream(mouseDir() / VirtualMouse::kStateFile, std::ios::binary) << text;
  }
  void faults(const std::string& text) const {
    std::ofstream(mouseDir() / VirtualMouse::kFaultsFile, std::ios::binary) << text;
  }

 private:
  TempFolder m_folder;
};

}  // namespace kestrovane::test
