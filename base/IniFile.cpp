#include "base/IniFile.h"

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

// Case-insensitive for ASCII letters only: the trail byte of a two-byte
// character may look like a letter but must not be folded.
bool sameName(std::string_view a, std::string_view b) {
  a = trim(a);
  b = trim(b);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (isLeadByte(a[i]) && i + 1 < a.size()) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      ++i;
    } else if (asciiLower(a[i]) != asciiLower(b[i])) {
      return false;
    }
  }
  return true;
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

}  // namespace

std::string unableToWriteMessage(const std::filesystem::path& path) {
  return withPath(kUnableToWrite, path);
}

IniFile::Line IniFile::parseLine(std::string text) {
  Line line;
  const std::string_view s = trim(text);
  if (!s.empty() && s.front() == '[') {
    const std::size_t close = findChar(s, ']', 1);
    // A "[" line without "]" is no section: the keys below it stay where they were.
    if (close != npos) {
      line.kind = Kind::Section;
      line.name = std::string(trim(s.substr(1, close - 1)));
    }
  } else if (!s.empty() && s.front() != ';') {
    const std::size_t eq = s.find('=');
    if (eq != npos) {
      line.kind = Kind::Key;
      line.name = std::string(trim(s.substr(0, eq)));
      line.value = std::string(trim(s.substr(eq + 1)));
    }
  }
  line.text = std::move(text);
  return line;
}

IniFile IniFile::parse(std::string_view text) {
  IniFile ini;
  if (text.starts_with(kUtf8Bom)) {
    ini.m_utf8Bom = true;
    text.remove_prefix(kUtf8Bom.size());
  }
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == npos) end = text.size();
    ini.m_lines.push_back(parseLine(std::string(text.substr(start, end - start))));
    if (end == text.size()) break;
    const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    start = end + (crlf ? 2 : 1);
  }
  return ini;
}

IniFile IniFile::load(const std::filesystem::path& path) {
  std::error_code ec;
  if (std::filesystem::status(path, ec).type() == std::filesystem::file_type::not_found) return {};
  std::string text;
  if (!readWholeFile(path.string(), text)) throw Error(withPath(kUnableToRead, path));
  return parse(text);
}

std::string IniFile::text() const {
  std::string out;
  if (m_utf8Bom) out += kUtf8Bom;
  for (const Line& line : m_lines) {
    out += line.text;
    out += "\r\n";
  }
  return out;
}

void IniFile::save(const std::filesystem::path& path) const {
  if (!replaceFile(path.string(), text())) throw Error(unableToWriteMessage(path));
}

std::size_t IniFile::findSection(std::string_view section) const {
  for (std::size_t i = 0; i < m_lines.size(); ++i)
    if (m_lines[i].kind == Kind::Section && sameName(m_lines[i].name, section)) return i;
  return npos;
}

std::size_t IniFile::sectionEnd(std::size_t sectionLine) const {
  std::size_t i = sectionLine + 1;
  while (i < m_lines.size() && m_lines[i].kind != Kind::Section) ++i;
  return i;
}

std::size_t IniFile::findKey(std::string_view section, std::string_view key) const {
  const std::size_t s = findSection(section);
  if (s == npos) return npos;
  const std::size_t end = sectionEnd(s);
  for (std::size_t i = s + 1; i < end; ++i)
    if (m_lines[i].kind == Kind::Key && sameName(m_lines[i].name, key)) return i;
  return npos;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
  const std::size_t i = findKey(section, key);
  if (i == npos) return std::nullopt;
  return unquoted(m_lines[i].value);
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

void IniFile::setString(std::string_view section, std::string_view key, std::string_view value) {
  const std::string name = std::string(trim(oneLine(key)));
  const std::string text = name + "=" + oneLine(value);
  const std::size_t existing = findKey(section, name);
  if (existing != npos) {
    // The file's own spelling of the key stays.
    m_lines[existing] = parseLine(m_lines[existing].name + "=" + oneLine(value));
    return;
  }
  const std::size_t s = findSection(section);
  if (s == npos) {
    std::string header(1, '[');
    header += trim(oneLine(section));
    header += ']';
    m_lines.push_back(parseLine(std::move(header)));
    m_lines.push_back(parseLine(text));
    return;
  }
  std::size_t insertAt = sectionEnd(s);
  while (insertAt > s + 1 && trim(m_lines[insertAt - 1].text).empty()) --insertAt;
  m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), parseLine(text));
}

void IniFile::setInt(std::string_view section, std::string_view key, int value) {
  setString(section, key, std::to_string(value));
}

bool IniFile::removeKey(std::string_view section, std::string_view key) {
  const std::size_t i = findKey(section, key);
  if (i == npos) return false;
  m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(i));
  return true;
}

bool IniFile::hasSection(std::string_view section) const {
  return findSection(section) != npos;
}

}  // namespace kestrovane
