#include <iconv.h>

#include <cerrno>
#include <vector>

#include "base/CodePage.h"

namespace kestrovane {

namespace {

constexpr const char* kCodePage = "GB18030";
constexpr const char* kBig5 = "CP950";

// Converts with iconv; an invalid or incomplete sequence in the input is
// replaced by replacement and skipped one byte at a time.
std::string convert(std::string_view in, const char* from, const char* to,
                    std::string_view replacement) {
  std::string out;
  if (in.empty()) return out;
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
  std::vector<char> buffer(in.size() * 4 + 16);
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  while (srcLeft > 0) {
    char* dst = buffer.data();
    std::size_t dstLeft = buffer.size();
    const std::size_t result = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer.data(), buffer.size() - dstLeft);
    if (result != static_cast<std::size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL: one byte that cannot start a character.
    out += replacement;
    ++src;
    --srcLeft;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string codePageToUtf8(std::string_view bytes) {
  return convert(bytes, kCodePage, "UTF-8", "\xEF\xBF\xBD");
}

std::string utf8ToCodePage(std::string_view utf8) {
  return convert(utf8, "UTF-8", kCodePage, "?");
}

std::string codePageToUtf8(std::string_view bytes, TextEncoding encoding) {
  return convert(bytes, encoding == TextEncoding::Big5 ? kBig5 : kCodePage, "UTF-8",
                 "\xEF\xBF\xBD");
}

std::string utf8ToCodePage(std::string_view utf8, TextEncoding encoding) {
  return convert(utf8, "UTF-8", encoding == TextEncoding::Big5 ? kBig5 : kCodePage, "?");
}

}  // namespace kestrovane
