#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrovane {

// An INI file read and written like the Windows profile functions
// (GetPrivateProfileString, WritePrivateProfileString) do it:
// - "[Name]" lines open sections, "key=value" lines hold values; section and
//   key names compare case-insensitively (ASCII letters; the two bytes of a
//   code page 936 character compare exactly), and the first matching section,
//   and in it the first matching key, wins;
// - names and values are read with surrounding blanks trimmed, and a value in
//   matching single or double quotes loses the quotes;
// - a key written for the first time goes after the last non-blank line of its
//   section, an existing key is replaced in place; a missing section is
//   appended at the end;
// - lines are read ending in CR LF, LF or CR and written ending in CR LF;
//   comments (";"), blank and unknown lines are kept as they are.
// Names and values are bytes: code page 936 text passes through untouched.
// A value is one line: CR and LF in a written name or value become spaces.
class IniFile {
 public:
  IniFile() = default;

  static IniFile parse(std::string_view text);

  // Reads path; a missing file gives an empty model. A file that exists but
  // cannot be read throws Error "Unable to read %s".
  static IniFile load(const std::filesystem::path& path);

  // The file's bytes.
  std::string text() const;

  // Replaces path with text() through replaceFile (base/FileReplace.h).
  // A refused write (missing folder, read-only file, full disk) leaves path as
  // it was and throws Error "Unable to write to %s".
  void save(const std::filesystem::path& path) const;

  // The value of a key, nullopt when the section or the key is missing.
  std::optional<std::string> value(std::string_view section, std::string_view key) const;
  std::string getString(std::string_view section, std::string_view key,
                        std::string_view fallback = {}) const;
  // A value that is not a whole decimal integer (optional sign, no other
  // characters, within int) gives fallback.
  int getInt(std::string_view section, std::string_view key, int fallback) const;

  void setString(std::string_view section, std::string_view key, std::string_view value);
  void setInt(std::string_view section, std::string_view key, int value);
  // Removes the key that value() would read; false when there is none.
  bool removeKey(std::string_view section, std::string_view key);

  bool hasSection(std::string_view section) const;

 private:
  enum class Kind { Other, Section, Key };
  struct Line {
    std::string text;
    Kind kind = Kind::Other;
    std::string name;   // trimmed section name or key
    std::string value;  // trimmed value, quotes kept
  };

  static Line parseLine(std::string text);
  // Index of the section line, or npos.
  std::size_t findSection(std::string_view section) const;
  // End of the section that starts at the line index (the next section line).
  std::size_t sectionEnd(std::size_t sectionLine) const;
  std::size_t findKey(std::string_view section, std::string_view key) const;

  std::vector<Line> m_lines;
  bool m_utf8Bom = false;  // a BOM an editor put in front is kept, not read as text
};

// "Unable to write to %s" with the path in place of %s.
std::string unableToWriteMessage(const std::filesystem::path& path);

}  // namespace kestrovane
