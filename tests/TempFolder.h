#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace kestrovane::test {

// A fresh folder under the system's temporary folder, removed afterwards.
// Its name holds the test's name and a random number, because ctest runs
// the tests of one executable as parallel processes.
class TempFolder {
 public:
  TempFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::random_device random;
    m_path = std::filesystem::temp_directory_path() /
             ("kestrovane-" + std::string(info != nullptr ? info->name() : "test") + "-" +
              std::to_string(random()));
    std::filesystem::create_directories(m_path);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }

  const std::filesystem::path& path() const { return m_path; }
  std::string str() const { return m_path.string(); }
  std::string file(const std::string& name) const { return (m_path / name).string(); }

  void write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(m_path / name, std::ios::binary);
    out << bytes;
    ASSERT_TRUE(out.good()) << name;
  }

  std::string read(const std::string& name) const { return readFile(m_path / name); }

  static std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

 private:
  std::filesystem::path m_path;
};

}  // namespace kestrovane::test
