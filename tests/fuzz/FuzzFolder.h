#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace kestrovane {

// A folder of the fuzz run's own, removed at exit; in memory where possible,
// since every macro file write is flushed to disk. Make it a global, so that
// it outlives every input.
class FuzzFolder {
 public:
  explicit FuzzFolder(const std::string& name) {
    const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    const auto dir = base / ("kestrovane-fuzz-" + name + "-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    path = dir.string();
  }
  ~FuzzFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  FuzzFolder(const FuzzFolder&) = delete;
  FuzzFolder& operator=(const FuzzFolder&) = delete;

  std::string path;
};

}  // namespace kestrovane
