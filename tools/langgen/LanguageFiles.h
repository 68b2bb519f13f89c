#pragma once

#include <string>
#include <vector>

namespace kestrovane::langgen {

// One language file: its path under resources/ and its bytes.
struct GeneratedFile {
  std::string path;  // "Language/2052/Simplified Chinese.ini"
  std::string bytes;
};

// The three language files: Simplified Chinese in code page 936, Traditional
// Chinese in code page 950 and English in ASCII, each one section with every
// key the program reads (the main window's in reading order, then the extra
// ones, the dialogs' and the messages'), each key once, CR LF line ends.
// Throws std::runtime_error when a key the program reads has no text here, a
// text here belongs to no key, or a text does not fit its encoding.
std::vector<GeneratedFile> languageFiles();

}  // namespace kestrovane::langgen
