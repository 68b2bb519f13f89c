// Writes the factory settings set under a resources folder:
//   factorygen RESOURCES
// creates RESOURCES/configure and RESOURCES/data when missing and replaces
// each file there.
#include <exception>
#include <filesystem>
#include <iostream>

#include "base/Error.h"
#include "base/FileReplace.h"
#include "tools/factorygen/FactorySettings.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: factorygen RESOURCES\n";
    return 2;
  }
  try {
    const std::filesystem::path root = argv[1];
    for (const auto& file : kestrovane::factory::factoryFiles()) {
      const std::filesystem::path path = root / file.path;
      std::filesystem::create_directories(path.parent_path());
      const kestrovane::FileResult result = kestrovane::replaceFile(path.string(), file.bytes);
      if (!result) {
        std::cerr << "factorygen: cannot write " << path.string() << ": " << result.reason << '\n';
        return 1;
      }
      std::cout << path.string() << '\n';
    }
  } catch (const std::exception& e) {
    std::cerr << "factorygen: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
