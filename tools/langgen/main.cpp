// Writes the three language files under a resources folder:
//   langgen RESOURCES
// creates the folders under RESOURCES/Language when missing and replaces
// each file there.
#include <exception>
#include <filesystem>
#include <iostream>

#include "base/FileReplace.h"
#include "tools/langgen/LanguageFiles.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: langgen RESOURCES\n";
    return 2;
  }
  try {
    const std::filesystem::path root = argv[1];
    for (const auto& file : kestrovane::langgen::languageFiles()) {
      const std::filesystem::path path = root / file.path;
      std::filesystem::create_directories(path.parent_path());
      const kestrovane::FileResult result = kestrovane::replaceFile(path.string(), file.bytes);
      if (!result) {
        std::cerr << "langgen: cannot write " << path.string() << ": " << result.reason << '\n';
        return 1;
      }
      std::cout << path.string() << '\n';
    }
  } catch (const std::exception& e) {
    std::cerr << "langgen: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
