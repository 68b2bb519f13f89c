#include "base/IniFile.h"

#include <algorithm>
#include <charconv>
#include <system_error>

#include "base/Error.h"
#include "base/FileReplace.h"

namespace kestrovane {

namespace {

constexpr std::string_view kUnableToWrite = "Unable to write to %s";
constexpr std::string_view kUnableToRead = "Unable to read %s";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::size_t npos = std::string::npos;

std::string withPath(std::string_view pattern, const std::filesystem::path& path) {
  std::string text(pattern);
  text.replace(text.find("%s"), 2, path.string());
  return text;
}

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

// A lead byte of a two-byte code page 936 character.
bool isLeadByte(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b >= 0x81 && b <= 0xFE;
}

char asciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Position of c in s, skipping the trail bytes of two-byte characters.
std::size_t findChar(std::string_view s, char c, std::size_t from) {
  for (std::size_t i = from; i < s.size(); ++i) {
    if (s[i] == c) return i;
    if (isLeadByte(s[i])) ++i;
  }
  return npos;
}

std::string oneLine(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c == '\r' || c == '\n') c = ' ';
  return out;
}

std::string unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::string(value);
}

// Names in the order of their folded bytes: ASCII letters lower-cased, the two
// bytes of a code page 936 character as they are (its trail byte may look
// like a letter but must not be folded). Names compare equal when they are
// the same name to the profile functions.
int compareNames(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  bool trailA = false;
  bool trailB = false;
  const auto folded = [](std::string_view s, std::size_t i, bool& trail) {
    if (trail) {
      trail = false;
      return static_cast<unsigned char>(s[i]);
    }
    if (isLeadByte(s[i]) && i + 1 < s.size()) {
      trail = true;
      return static_cast<unsigned char>(s[i]);
    }
    return static_cast<unsigned char>(asciiLower(s[i]));
  };
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char ca = folded(a, i, trailA);
    const unsigned char cb = folded(b, i, trailB);
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::string tooLargeReason() {
  return "it is larger than " + std::to_string(IniFile::kMaxFileBytes / 1024) +
         " KiB, far more than any settings or language file holds";
}

// Appends text with every line break (CR LF, CR, LF) written as CR LF.
void appendWithCrLf(std::string& out, std::string_view text) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == npos) {
      out.append(text.substr(start));
      return;
    }
    out.append(text.substr(start, end - start));
    out.append("\r\n");
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
}

}  // namespace

std::string unableToWriteMessage(const std::filesystem::path& path) {
  return withPath(kUnableToWrite, path);
}

IniFile::Kind IniFile::kindOf(std::string_view line) {
  const std::string_view s = trim(line);
  if (s.empty()) return Kind::Blank;
  // A "[" line without "]" is no section: the keys below it stay where they were.
  if (s.front() == '[') return findChar(s, ']', 1) != npos ? Kind::Section : Kind::Other;
  if (s.front() != ';' && s.find('=') != npos) return Kind::Key;
  return Kind::Other;
}

std::string_view IniFile::pieceText(Id piece) const {
  const Piece& p = m_pieces[piece];
  return std::string_view(m_text).substr(p.begin, p.length);
}

void IniFile::findName(Id piece) {
  Piece& p = m_pieces[piece];
  p.nameOffset = 0;
  p.nameLength = 0;
  if (p.kind != Kind::Section && p.kind != Kind::Key) return;
  const std::string_view line = pieceText(piece);
  const std::string_view s = trim(line);
  const std::string_view name = p.kind == Kind::Section ? trim(s.substr(1, findChar(s, ']', 1) - 1))
                                                        : trim(s.substr(0, s.find('=')));
  p.nameOffset = static_cast<Id>(name.data() - line.data());
  p.nameLength = static_cast<Id>(name.size());
}

std::string_view IniFile::pieceName(Id piece) const {
  const Piece& p = m_pieces[piece];
  return std::string_view(m_text).substr(p.begin + p.nameOffset, p.nameLength);
}

std::string_view IniFile::keyValue(Id piece) const {
  const std::string_view s = trim(pieceText(piece));
  return trim(s.substr(s.find('=') + 1));
}

IniFile IniFile::parse(std::string_view text) {
  return parseOwned(std::string(text));
}

IniFile IniFile::parseOwned(std::string text) {
  IniFile ini;
  if (std::string_view(text).starts_with(kUtf8Bom)) {
    ini.m_utf8Bom = true;
    text.erase(0, kUtf8Bom.size());
  }
  // Offsets are 32 bits; a settings file is never near that.
  if (text.size() >= kNone / 2)
    throw Error("An INI text of " + std::to_string(text.size()) + " bytes is too large.");
  ini.m_text = std::move(text);
  ini.build();
  return ini;
}

void IniFile::link(Id after, Id piece) {
  if (after == kNone) {
    m_pieces[piece].next = m_first;
    m_first = piece;
  } else {
    m_pieces[piece].next = m_pieces[after].next;
    m_pieces[after].next = piece;
  }
  if (after == m_last) m_last = piece;
}

// Each line is looked at once; a run of blank lines, or of other lines,
// becomes one piece.
void IniFile::build() {
  const std::string_view text = m_text;
  Id section = kNone;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == npos) end = text.size();
    const Kind kind = kindOf(text.substr(start, end - start));
    const bool run = kind == Kind::Blank || kind == Kind::Other;
    if (run && m_last != kNone && m_pieces[m_last].kind == kind) {
      m_pieces[m_last].length = static_cast<Id>(end - m_pieces[m_last].begin);
    } else {
      const auto id = static_cast<Id>(m_pieces.size());
      m_pieces.push_back({static_cast<Id>(start), static_cast<Id>(end - start), kNone, 0, 0, kind});
      findName(id);
      link(m_last, id);
      if (kind == Kind::Section) {
        section = static_cast<Id>(m_sections.size());
        m_sections.push_back({id, id});
      } else if (kind == Kind::Key && section != kNone) {
        m_keyIndex.push_back({section, id});
      }
    }
    if (kind != Kind::Blank && section != kNone) m_sections[section].tail = m_last;
    if (end == text.size()) break;
    const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    start = end + (crlf ? 2 : 1);
  }

  m_sectionIndex.resize(m_sections.size());
  for (Id i = 0; i < m_sectionIndex.size(); ++i) m_sectionIndex[i] = i;
  std::sort(m_sectionIndex.begin(), m_sectionIndex.end(), [this](Id a, Id b) {
    const int order =
        compareNames(pieceName(m_sections[a].header), pieceName(m_sections[b].header));
    return order != 0 ? order < 0 : a < b;
  });
  // Pieces are numbered in file order, so equal names keep it.
  std::sort(m_keyIndex.begin(), m_keyIndex.end(), [this](const KeyRef& a, const KeyRef& b) {
    if (a.section != b.section) return a.section < b.section;
    const int order = compareNames(pieceName(a.piece), pieceName(b.piece));
    return order != 0 ? order < 0 : a.piece < b.piece;
  });
}

IniFile IniFile::load(const std::filesystem::path& path) {
  std::error_code ec;
  if (std::filesystem::status(path, ec).type() == std::filesystem::file_type::not_found) return {};
  std::string bytes;
  const FileResult result = readFileUpTo(path.string(), kMaxFileBytes, bytes);
  if (!result) throw Error(withPath(kUnableToRead, path) + ": " + result.reason);
  if (bytes.size() > kMaxFileBytes)
    throw Error(withPath(kUnableToRead, path) + ": " + tooLargeReason());
  return parseOwned(std::move(bytes));
}

std::string IniFile::text() const {
  std::string out;
  out.reserve(m_text.size() - m_unused + m_text.size() / 8 + 8);
  if (m_utf8Bom) out += kUtf8Bom;
  for (Id id = m_first; id != kNone; id = m_pieces[id].next) {
    appendWithCrLf(out, pieceText(id));
    out += "\r\n";
  }
  return out;
}

void IniFile::save(const std::filesystem::path& path) const {
  const std::string bytes = text();
  // What load would refuse is not written.
  if (bytes.size() > kMaxFileBytes)
    throw Error(unableToWriteMessage(path) + ": " + tooLargeReason());
  if (!replaceFile(path.string(), bytes)) throw Error(unableToWriteMessage(path));
}

IniFile::Id IniFile::findSection(std::string_view section) const {
  section = trim(section);
  const auto at = std::lower_bound(m_sectionIndex.begin(), m_sectionIndex.end(), section,
                                   [this](Id s, std::string_view name) {
                                     return compareNames(pieceName(m_sections[s].header), name) < 0;
                                   });
  if (at == m_sectionIndex.end() || compareNames(pieceName(m_sections[*at].header), section) != 0)
    return kNone;
  return *at;
}

IniFile::Id IniFile::findKey(std::string_view section, std::string_view key) const {
  const Id s = findSection(section);
  if (s == kNone) return kNone;
  key = trim(key);
  const auto at = std::lower_bound(m_keyIndex.begin(), m_keyIndex.end(), key,
                                   [this, s](const KeyRef& ref, std::string_view name) {
                                     if (ref.section != s) return ref.section < s;
                                     return compareNames(pieceName(ref.piece), name) < 0;
                                   });
  if (at == m_keyIndex.end() || at->section != s || compareNames(pieceName(at->piece), key) != 0)
    return kNone;
  return at->piece;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
  const Id piece = findKey(section, key);
  if (piece == kNone) return std::nullopt;
  return unquoted(keyValue(piece));
}

std::string IniFile::getString(std::string_view section, std::string_view key,
                               std::string_view fallback) const {
  auto v = value(section, key);
  return v ? *v : std::string(fallback);
}

int IniFile::getInt(std::string_view section, std::string_view key, int fallback) const {
  const auto v = value(section, key);
  if (!v) return fallback;
  std::string_view digits = trim(*v);
  // from_chars takes a minus sign but no plus sign.
  if (digits.starts_with('+') && digits.size() > 1 && digits[1] != '-' && digits[1] != '+')
    digits.remove_prefix(1);
  int result = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), result);
  if (error != std::errc{} || end != digits.data() + digits.size() || digits.empty())
    return fallback;
  return result;
}

IniFile::Id IniFile::addPiece(std::string_view line, Kind kind) {
  if (m_text.size() + line.size() >= kNone / 2) compactIfWasteful();
  if (m_text.size() + line.size() >= kNone / 2) throw Error("An INI text is too large.");
  const auto id = static_cast<Id>(m_pieces.size());
  m_pieces.push_back(
      {static_cast<Id>(m_text.size()), static_cast<Id>(line.size()), kNone, 0, 0, kind});
  m_text.append(line);
  findName(id);
  return id;
}

void IniFile::insertKeyRef(Id section, Id piece) {
  const std::string_view name = pieceName(piece);
  const auto at = std::upper_bound(m_keyIndex.begin(), m_keyIndex.end(), name,
                                   [this, section](std::string_view n, const KeyRef& ref) {
                                     if (ref.section != section) return section < ref.section;
                                     return compareNames(n, pieceName(ref.piece)) < 0;
                                   });
  m_keyIndex.insert(at, KeyRef{section, piece});
}

void IniFile::setString(std::string_view section, std::string_view key, std::string_view value) {
  const std::string name = std::string(trim(oneLine(key)));
  const Id existing = findKey(section, name);
  if (existing != kNone) {
    // The file's own spelling of the key stays; the line reads back as the
    // same key, so the index holds.
    const std::string line = std::string(pieceName(existing)) + "=" + oneLine(value);
    Piece& piece = m_pieces[existing];
    m_unused += piece.length;
    piece.begin = static_cast<Id>(m_text.size());
    piece.length = static_cast<Id>(line.size());
    m_text.append(line);
    findName(existing);
    compactIfWasteful();
    return;
  }
  const std::string line = name + "=" + oneLine(value);
  const Kind kind = kindOf(line);
  const Id s = findSection(section);
  if (s == kNone) {
    // A missing section goes at the end of the file.
    std::string header(1, '[');
    header += trim(oneLine(section));
    header += ']';
    const Kind headerKind = kindOf(header);
    const Id headerPiece = addPiece(header, headerKind);
    link(m_last, headerPiece);
    const Id keyPiece = addPiece(line, kind);
    link(m_last, keyPiece);
    if (headerKind != Kind::Section || kind == Kind::Section) return rebuild();
    const auto added = static_cast<Id>(m_sections.size());
    m_sections.push_back({headerPiece, keyPiece});
    const std::string_view headerName = pieceName(headerPiece);
    m_sectionIndex.insert(std::upper_bound(m_sectionIndex.begin(), m_sectionIndex.end(), headerName,
                                           [this](std::string_view n, Id other) {
                                             return compareNames(
                                                        n, pieceName(m_sections[other].header)) < 0;
                                           }),
                          added);
    if (kind == Kind::Key) insertKeyRef(added, keyPiece);
    return;
  }
  // A new key goes after the last line of its section that is not blank.
  const Id piece = addPiece(line, kind);
  link(m_sections[s].tail, piece);
  m_sections[s].tail = piece;
  if (kind == Kind::Section) return rebuild();
  if (kind == Kind::Key) insertKeyRef(s, piece);
}

void IniFile::setInt(std::string_view section, std::string_view key, int value) {
  setString(section, key, std::to_string(value));
}

bool IniFile::removeKey(std::string_view section, std::string_view key) {
  const Id piece = findKey(section, key);
  if (piece == kNone) return false;
  const Id s = findSection(section);
  SectionRef& ref = m_sections[s];
  Id before = ref.header;
  Id lastNotBlank = ref.header;
  for (Id id = m_pieces[ref.header].next; id != piece; id = m_pieces[id].next) {
    if (m_pieces[id].kind != Kind::Blank) lastNotBlank = id;
    before = id;
  }
  m_pieces[before].next = m_pieces[piece].next;
  if (m_last == piece) m_last = before;
  if (ref.tail == piece) ref.tail = lastNotBlank;
  m_unused += m_pieces[piece].length;
  // The first of equal names is the one found.
  const auto at = std::find_if(m_keyIndex.begin(), m_keyIndex.end(),
                               [piece](const KeyRef& k) { return k.piece == piece; });
  m_keyIndex.erase(at);
  return true;
}

bool IniFile::hasSection(std::string_view section) const {
  return findSection(section) != kNone;
}

void IniFile::compactIfWasteful() {
  if (m_unused < 64 * 1024 || m_unused < m_text.size() / 2) return;
  std::string compact;
  compact.reserve(m_text.size() - m_unused);
  for (Id id = m_first; id != kNone; id = m_pieces[id].next) {
    Piece& piece = m_pieces[id];
    const auto begin = static_cast<Id>(compact.size());
    compact.append(m_text, piece.begin, piece.length);
    piece.begin = begin;
  }
  m_text = std::move(compact);
  m_unused = 0;
}

void IniFile::rebuild() {
  *this = parse(text());
}

}  // namespace kestrovane
