#include <windows.h>

#include <string>

#include "base/CodePage.h"

namespace kestrovane {

namespace {

std::wstring toWide(std::string_view in, UINT codePage) {
  if (in.empty()) return {};
  const int size = static_cast<int>(in.size());
  const int length = MultiByteToWideChar(codePage, 0, in.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  if (MultiByteToWideChar(codePage, 0, in.data(), size, wide.data(), length) != length) return {};
  return wide;
}

std::string fromWide(const std::wstring& wide, UINT codePage) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length =
      WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string out(static_cast<std::size_t>(length), '\0');
  if (WideCharToMultiByte(codePage, 0, wide.data(), size, out.data(), length, nullptr, nullptr) !=
      length)
    return {};
  return out;
}

}  // namespace

// The ANSI code page of the system, as the profile functions use it.
std::string codePageToUtf8(std::string_view bytes) {
  return fromWide(toWide(bytes, CP_ACP), CP_UTF8);
}

std::string utf8ToCodePage(std::string_view utf8) {
  return fromWide(toWide(utf8, CP_UTF8), CP_ACP);
}

// Language files follow the system's code page, whatever their language;
// only text known to be code page 936 is read as such.
namespace {
UINT codePageOf(TextEncoding encoding) {
  return encoding == TextEncoding::Gbk ? 936 : CP_ACP;
}
}  // namespace

std::string codePageToUtf8(std::string_view bytes, TextEncoding encoding) {
  return fromWide(toWide(bytes, codePageOf(encoding)), CP_UTF8);
}

std::string utf8ToCodePage(std::string_view utf8, TextEncoding encoding) {
  return fromWide(toWide(utf8, CP_UTF8), codePageOf(encoding));
}

}  // namespace kestrovane
