#pragma once

#include <string>
#include <vector>

namespace kestrovane::factory {

// One file of the factory settings set: its path under resources/ and its
// bytes as the program's own writers produce them.
struct GeneratedFile {
  std::string path;  // "configure/GM.ini", "data/Default_Mode3_data.ini"
  std::string bytes;
};

// GM.ini, Mode1.ini .. Mode5.ini (configure/) and Mode1_data.ini ..
// Mode5_data.ini (data/), each followed by its "Default_" copy with the same
// bytes. Captions are code page 936. Throws std::runtime_error when a caption
// does not convert.
std::vector<GeneratedFile> factoryFiles();

}  // namespace kestrovane::factory
