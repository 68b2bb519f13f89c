// An import killed at any moment: each file of the configuration holds
// either its old or its new bytes afterwards, never a mix.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "program/ConfigurationExport.h"
#include "tests/TempFolder.h"

namespace kestrovane::test {
namespace {

namespace fs = std::filesystem;

bool announce(int fd, int value) {
  return ::write(fd, &value, sizeof value) == static_cast<ssize_t>(sizeof value);
}

bool readAnnounced(int fd, int& value) {
  for (;;) {
    const ssize_t got = ::read(fd, &value, sizeof value);
    if (got < 0 && errno == EINTR) continue;
    return got == static_cast<ssize_t>(sizeof value);
  }
}

// A program folder whose files all change between two configurations.
class KilledImportRig {
 public:
  KilledImportRig() {
    fillWorkPaths(m_paths, m_folder.str());
    fillProgramPaths(m_paths, m_folder.str());
    for (const char* dir : {"configure", "data", "Macro"})
      fs::create_directories(m_folder.path() / dir);
    for (int version = 0; version < 2; ++version) m_versions[version] = configuration(version);
  }

  const AppPaths& paths() const { return m_paths; }
  const std::vector<ConfigurationFile>& version(int v) const { return m_versions[v % 2]; }

  // The version each file holds: 0, 1, or -1 for neither.
  std::map<std::string, int> state() const {
    std::map<std::string, int> held;
    for (const ConfigurationFile& file : m_versions[0]) {
      const std::string now = TempFolder::readFile(m_folder.path() / file.entry);
      held[file.entry] = now == file.bytes ? 0 : -1;
    }
    for (const ConfigurationFile& file : m_versions[1])
      if (TempFolder::readFile(m_folder.path() / file.entry) == file.bytes) held[file.entry] = 1;
    return held;
  }

 private:
  // Files of 100 KiB and more (macros up to their limit), so that kills land
  // inside the writes too; the first bytes tell the version.
  std::vector<ConfigurationFile> configuration(int version) {
    const auto fill = [&](const std::string& name, std::size_t size) {
      std::string bytes = "version " + std::to_string(version) + " of " + name + "\r\n";
      bytes.append(size, static_cast<char>('a' + version));
      m_folder.write(name, bytes);
    };
    fill("configure/GM.ini", 100 * 1024);
    for (int n = 1; n <= 5; ++n) {
      fill("configure/Mode" + std::to_string(n) + ".ini",
           100 * 1024 + 7u * static_cast<unsigned>(n));
      fill("data/Mode" + std::to_string(n) + "_data.ini", 120 * 1024);
    }
    for (const char* macro : {"Macro/one.spm", "Macro/two.spm", "Macro/three.spm"})
      fill(macro, 60 * 1024);
    return checkConfigurationExport(exportConfiguration(m_paths, {}));
  }

  TempFolder m_folder;
  AppPaths m_paths;
  std::vector<ConfigurationFile> m_versions[2];
};

// A child imports the two configurations in turn and is killed at a random
// moment; every file must then hold one of the two whole. Every tenth child
// says when an import is whole and is killed after it, so the folder must
// then be all of that import.
TEST(ConfigurationExport, AKilledImportLeavesEachFileOldOrNewNeverATornOne) {
  constexpr int kRounds = 120;
  KilledImportRig rig;
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(importConfiguration(rig.paths(), rig.version(0), false).failure.empty());
  const auto oneImport = std::chrono::steady_clock::now() - start;

  std::random_device seed;
  const unsigned seedValue = seed();
  std::mt19937 random(seedValue);
  int next = 1;  // the version the next import writes
  int mixed = 0;
  for (int round = 0; round < kRounds; ++round) {
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const bool holdAfterImport = round % 10 == 0;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(pipeEnds[0]);
      for (int v = next;; ++v) {
        if (!announce(pipeEnds[1], v)) ::_exit(2);
        if (!importConfiguration(rig.paths(), rig.version(v), false).failure.empty()) ::_exit(3);
        if (holdAfterImport) {
          if (!announce(pipeEnds[1], v)) ::_exit(2);
          ::pause();
        }
      }
    }
    ::close(pipeEnds[1]);
    int started = next;
    if (holdAfterImport) {
      ASSERT_TRUE(readAnnounced(pipeEnds[0], started));
      ASSERT_TRUE(readAnnounced(pipeEnds[0], started));
    } else {
      ASSERT_TRUE(readAnnounced(pipeEnds[0], started));
      const auto until = std::chrono::steady_clock::now() +
                         std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                             oneImport * (static_cast<double>(random() % 1000) / 400.0));
      while (std::chrono::steady_clock::now() < until) {
      }
    }
    ASSERT_EQ(::kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        << "the importer failed by itself, status " << status;
    while (readAnnounced(pipeEnds[0], started)) {
    }
    ::close(pipeEnds[0]);

    int held[2] = {0, 0};
    for (const auto& [entry, version] : rig.state()) {
      ASSERT_NE(version, -1) << "round " << round << " (seed " << seedValue << "): " << entry
                             << " holds neither configuration";
      ++held[version];
    }
    if (holdAfterImport) EXPECT_EQ(held[started % 2], 14) << "round " << round;
    if (held[0] > 0 && held[1] > 0) ++mixed;
    next = started + 1;
  }
  std::cout << kRounds << " kills, " << mixed << " in the middle of an import\n";
  EXPECT_GT(mixed, 0);
}

}  // namespace
}  // namespace kestrovane::test

#endif
