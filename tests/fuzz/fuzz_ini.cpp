// Parses arbitrary bytes as an INI file, writes a key into it and checks that
// the model reads back what it wrote and that its text is stable.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/IniFile.h"

namespace {

bool blank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

// What reading gives for a written value: one line, trimmed, quotes dropped.
std::string expectedRead(std::string_view v) {
  std::string s(v);
  for (char& c : s)
    if (c == '\r' || c == '\n') c = ' ';
  std::size_t b = 0, e = s.size();
  while (b < e && blank(s[b])) ++b;
  while (e > b && blank(s[e - 1])) --e;
  s = s.substr(b, e - b);
  if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front())
    s = s.substr(1, s.size() - 2);
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = input.rfind('\x00');
  const std::string_view file = split == std::string_view::npos ? input : input.substr(0, split);
  const std::string_view value =
      split == std::string_view::npos ? std::string_view{} : input.substr(split + 1);

  kestrovane::IniFile ini = kestrovane::IniFile::parse(file);
  const std::string text = ini.text();
  if (kestrovane::IniFile::parse(text).text() != text) std::abort();

  (void)ini.getInt("Device", "VendorId", 0);
  ini.setString("Device", "Key", value);
  if (ini.value("device", "KEY") != expectedRead(value)) std::abort();
  const std::string written = ini.text();
  if (kestrovane::IniFile::parse(written).value("Device", "Key") != expectedRead(value))
    std::abort();
  if (!ini.removeKey("Device", "Key")) std::abort();
  return 0;
}
