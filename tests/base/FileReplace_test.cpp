#include "base/FileReplace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/TempFolder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <iostream>
#include <random>
#include <system_error>
#endif

namespace kestrovane {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

std::size_t entries(const TempFolder& folder) {
  return static_cast<std::size_t>(
      std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()));
}

TEST(FileReplace, CreatesReplacesAndReadsBackLeavingNothingBeside) {
  TempFolder folder;
  const std::string path = folder.file("Mode1.ini");
  const std::string first("[Mode1]\r\nKey1=\xD7\xF3\xBC\xFC\r\n\0tail", 25);
  ASSERT_TRUE(replaceFile(path, first));
  std::string read = "stale";
  ASSERT_TRUE(readWholeFile(path, read));
  EXPECT_EQ(read, first);
  const std::string second(200000, 'x');
  ASSERT_TRUE(replaceFile(path, second));
  ASSERT_TRUE(readWholeFile(path, read));
  EXPECT_EQ(read, second);
  ASSERT_TRUE(replaceFile(path, ""));
  ASSERT_TRUE(readWholeFile(path, read));
  EXPECT_EQ(read, "");
  EXPECT_EQ(entries(folder), 1u);
}

TEST(FileReplace, RefusesAReadOnlyFileAndLeavesIt) {
  TempFolder folder;
  const std::string path = folder.file("GM.ini");
  folder.write("GM.ini", "old");
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  const FileResult result = replaceFile(path, "new");
  fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(result.failed, FileStep::Write);
#ifdef _WIN32
  char text[256] = {};
  const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, ERROR_ACCESS_DENIED, 0, text, sizeof text, nullptr);
  ASSERT_GT(n, 0u);
  EXPECT_TRUE(std::string(text, n).starts_with(result.reason)) << result.reason;
  EXPECT_FALSE(result.reason.empty());
#else
  EXPECT_EQ(result.reason, std::generic_category().message(EACCES));
#endif
  EXPECT_EQ(folder.read("GM.ini"), "old");
  EXPECT_EQ(entries(folder), 1u);
}

TEST(FileReplace, KeepsWhatTheOldFileWasAllowed) {
  TempFolder folder;
  const std::string path = folder.file("Macro.spm");
  folder.write("Macro.spm", "old");
#ifdef _WIN32
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(replaceFile(path, "new"));
  EXPECT_NE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
#else
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(replaceFile(path, "new"));
  struct stat status {};
  ASSERT_EQ(::stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
#endif
  EXPECT_EQ(folder.read("Macro.spm"), "new");
}

TEST(FileReplace, ALeftoverTemporaryGoesAnythingElseInItsPlaceStays) {
  TempFolder folder;
  // A plain file is what an interrupted save leaves.
  folder.write("a.ini", "old");
  folder.write("a.ini.tmp", "half of a save");
  ASSERT_TRUE(replaceFile(folder.file("a.ini"), "new"));
  EXPECT_EQ(folder.read("a.ini"), "new");
  EXPECT_FALSE(fs::exists(folder.path() / "a.ini.tmp"));

  folder.write("b.ini", "old");
  fs::create_directory(folder.path() / "b.ini.tmp");
  folder.write("b.ini.tmp/inside", "kept");
  EXPECT_EQ(replaceFile(folder.file("b.ini"), "new").failed, FileStep::Write);
  EXPECT_EQ(folder.read("b.ini"), "old");
  EXPECT_EQ(folder.read("b.ini.tmp/inside"), "kept");
#ifndef _WIN32
  // Never written through a link, wherever it points.
  folder.write("c.ini", "old");
  folder.write("victim", "untouched");
  fs::create_symlink(folder.path() / "victim", folder.path() / "c.ini.tmp");
  EXPECT_EQ(replaceFile(folder.file("c.ini"), "new").failed, FileStep::Write);
  EXPECT_EQ(folder.read("c.ini"), "old");
  EXPECT_EQ(folder.read("victim"), "untouched");
#endif
}

TEST(FileReplace, FailuresNameTheirStepAndTheSystemsReason) {
  TempFolder folder;
  const FileResult missingFolder = replaceFile(folder.file("missing/GM.ini"), "x");
  EXPECT_EQ(missingFolder.failed, FileStep::Write);
  EXPECT_FALSE(missingFolder.reason.empty());
  EXPECT_FALSE(fs::exists(folder.path() / "missing"));

  // A folder in the target's place: the rename fails and the temporary goes.
  fs::create_directory(folder.path() / "Dir.ini");
  folder.write("Dir.ini/inside", "x");
  const FileResult overFolder = replaceFile(folder.file("Dir.ini"), "new");
  EXPECT_EQ(overFolder.failed, FileStep::Replace);
  EXPECT_FALSE(overFolder.reason.empty());
  EXPECT_EQ(folder.read("Dir.ini/inside"), "x");
  EXPECT_EQ(entries(folder), 1u);

  std::string bytes = "stale";
  const FileResult missingFile = readWholeFile(folder.file("none.ini"), bytes);
  EXPECT_EQ(missingFile.failed, FileStep::Open);
  EXPECT_FALSE(missingFile.reason.empty());
  EXPECT_EQ(bytes, "");
  const FileResult aFolder = readWholeFile(folder.file("Dir.ini"), bytes);
  EXPECT_TRUE(aFolder.failed == FileStep::Open || aFolder.failed == FileStep::Read);
  EXPECT_FALSE(aFolder.reason.empty());
}

#ifndef _WIN32

// The bytes of save number `version`: its own length and filler, so that a
// mix of two saves matches neither.
std::string saveNumber(unsigned version) {
  std::string bytes = "[GM]\r\nversion=" + std::to_string(version) + "\r\n";
  bytes.append(96 * 1024 + version % 4096, static_cast<char>('a' + version % 26));
  bytes += "\r\nend=" + std::to_string(version) + "\r\n";
  return bytes;
}

bool readVersion(int fd, unsigned& version) {
  for (;;) {
    const ssize_t got = ::read(fd, &version, sizeof version);
    if (got < 0 && errno == EINTR) continue;
    return got == static_cast<ssize_t>(sizeof version);
  }
}

// A writer process saves the file over and over and is killed at a random
// moment; the file must then hold the save it was making or the one before,
// whole. Kills land before, inside and after the write, the flush and the
// rename. Every tenth writer waits after a whole save and is killed there,
// so a kill after the rename is part of every run, however slow the machine
// makes the saves (the random kills then all fall inside one).
TEST(FileReplace, AKilledWriterLeavesTheOldOrTheNewFileNeverATornOne) {
  constexpr int kRounds = 300;
  TempFolder folder;
  const std::string path = folder.file("GM.ini");
  ASSERT_TRUE(replaceFile(path, saveNumber(0)));
  // Kills fall within about two saves after the child starts one.
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(replaceFile(path, saveNumber(0)));
  const auto oneSave = std::chrono::steady_clock::now() - start;

  std::random_device seed;
  const unsigned seedValue = seed();
  std::mt19937 random(seedValue);
  unsigned version = 0;
  int keptOld = 0;
  int tookNew = 0;
  int leftTemporary = 0;
  for (int round = 0; round < kRounds; ++round) {
    int announce[2];
    ASSERT_EQ(::pipe(announce), 0);
    const unsigned first = version + 1;
    const bool holdAfterSave = round % 10 == 0;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(announce[0]);
      for (unsigned v = first;; ++v) {
        // Says which save it starts, then makes it.
        if (::write(announce[1], &v, sizeof v) != static_cast<ssize_t>(sizeof v)) ::_exit(2);
        if (!replaceFile(path, saveNumber(v))) ::_exit(3);
        if (holdAfterSave) {
          // Says the save is whole, then waits for the kill.
          if (::write(announce[1], &v, sizeof v) != static_cast<ssize_t>(sizeof v)) ::_exit(2);
          ::pause();
        }
      }
    }
    ::close(announce[1]);
    unsigned last = version;
    if (holdAfterSave) {
      ASSERT_TRUE(readVersion(announce[0], last));
      ASSERT_TRUE(readVersion(announce[0], last));
    } else {
      const int saves = 1 + static_cast<int>(random() % 3);
      for (int i = 0; i < saves; ++i) ASSERT_TRUE(readVersion(announce[0], last));
      const auto delay = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
          oneSave * (static_cast<double>(random() % 1000) / 500.0));
      const auto until = std::chrono::steady_clock::now() + delay;
      while (std::chrono::steady_clock::now() < until) {
      }
    }
    ASSERT_EQ(::kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
        << "the writer failed by itself, status " << status;
    while (readVersion(announce[0], last)) {
    }
    ::close(announce[0]);

    std::string now;
    ASSERT_TRUE(readWholeFile(path, now));
    if (now == saveNumber(last)) {
      ++tookNew;
      version = last;
    } else if (now == saveNumber(last - 1)) {
      ++keptOld;
      version = last - 1;
    } else {
      FAIL() << "round " << round << " (seed " << seedValue << "): the file is neither save "
             << last - 1 << " nor save " << last << " but " << now.size() << " bytes starting "
             << now.substr(0, 20);
    }
    if (fs::exists(replacementTemporary(path))) ++leftTemporary;
  }
  std::cout << kRounds << " kills: " << keptOld << " left the old file, " << tookNew
            << " the new one, " << leftTemporary << " a temporary beside it\n";
  // Both sides of the rename were hit, and some kills fell inside a write.
  EXPECT_GT(keptOld, 0);
  EXPECT_GT(tookNew, 0);
  EXPECT_GT(leftTemporary, 0);
  // The next save clears the last leftover.
  ASSERT_TRUE(replaceFile(path, "done"));
  EXPECT_EQ(entries(folder), 1u);
}

#endif

}  // namespace
}  // namespace kestrovane
