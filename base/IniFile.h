#pragma once

#include <cstddef>
#include <cstdint>
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
  // cannot be read throws Error "Unable to read %s: " and the system's
  // reason; a file larger than kMaxFileBytes is refused the same way before
  // more than that is read.
  static IniFile load(const std::filesystem::path& path);

  // The largest file load reads and save writes. Settings and language files
  // are a few kilobytes; a larger file is no such file.
  static constexpr std::size_t kMaxFileBytes = 1024 * 1024;

  // The file's bytes.
  std::string text() const;

  // Replaces path with text() through replaceFile (base/FileReplace.h).
  // A refused write (missing folder, read-only file, full disk) leaves path as
  // it was and throws Error "Unable to write to %s"; so does a text larger
  // than kMaxFileBytes, which load would refuse, with the reason added.
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
  // The file is kept as its bytes and a list of pieces over them: a section
  // line, a key line, or a run of lines that are neither (blank lines, or
  // other lines: comments, text). Lookups go through two sorted indexes (the
  // sections by name, the keys by section and name), so a read costs time
  // and memory in proportion to the file, and a lookup a binary search.
  enum class Kind : std::uint8_t { Blank, Other, Section, Key };
  using Id = std::uint32_t;
  static constexpr Id kNone = 0xFFFFFFFFu;
  struct Piece {
    Id begin;       // in m_text
    Id length;      // without the line break after the piece
    Id next;        // the piece after it in the file, kNone for the last
    Id nameOffset;  // a section's or key's trimmed name, from begin
    Id nameLength;
    Kind kind;
  };
  struct SectionRef {
    Id header;  // the section line
    Id tail;    // its last line that is not blank: new keys go after it
  };
  struct KeyRef {
    Id section;  // index into m_sections
    Id piece;
  };

  std::string_view pieceText(Id piece) const;
  // The name of a section or key piece.
  std::string_view pieceName(Id piece) const;
  std::string_view keyValue(Id piece) const;
  // Finds the name of a section or key piece from its text.
  void findName(Id piece);
  static Kind kindOf(std::string_view line);

  static IniFile parseOwned(std::string text);
  // Builds the pieces and the indexes from m_text.
  void build();
  Id addPiece(std::string_view line, Kind kind);
  void link(Id after, Id piece);
  void insertKeyRef(Id section, Id piece);
  // The first section of that name (index into m_sections), or kNone.
  Id findSection(std::string_view section) const;
  // The first key of that name in the first section of that name, or kNone.
  Id findKey(std::string_view section, std::string_view key) const;
  // Drops the bytes no piece uses once they outweigh the rest.
  void compactIfWasteful();
  // The model read again from its own text: for a write whose line does not
  // read back as what was asked (a key written as "[x]", a section name that
  // reads as no section).
  void rebuild();

  std::string m_text;
  std::vector<Piece> m_pieces;
  Id m_first = kNone;
  Id m_last = kNone;
  std::vector<SectionRef> m_sections;  // in file order
  std::vector<Id> m_sectionIndex;      // m_sections by name, then file order
  std::vector<KeyRef> m_keyIndex;      // by section, name, then file order
  std::size_t m_unused = 0;            // bytes of m_text no piece uses
  bool m_utf8Bom = false;              // a BOM an editor put in front is kept, not read as text
};

// "Unable to write to %s" with the path in place of %s.
std::string unableToWriteMessage(const std::filesystem::path& path);

}  // namespace kestrovane
