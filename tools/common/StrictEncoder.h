#pragma once

// A conversion from UTF-8 for the generators of shipped files: a text that
// the target encoding cannot hold stops the generator instead of shipping a
// replacement character.

#include <iconv.h>

#include <stdexcept>
#include <string>
#include <string_view>

namespace kestrovane {

class StrictEncoder {
 public:
  explicit StrictEncoder(const char* encoding)
      : m_encoding(encoding), m_cd(iconv_open(encoding, "UTF-8")) {
    if (m_cd == reinterpret_cast<iconv_t>(-1))
      throw std::runtime_error(std::string("iconv has no conversion from UTF-8 to ") + encoding);
  }
  StrictEncoder(const StrictEncoder&) = delete;
  StrictEncoder& operator=(const StrictEncoder&) = delete;
  ~StrictEncoder() { iconv_close(m_cd); }

  std::string operator()(std::string_view utf8) const {
    std::string in(utf8);
    std::string out(in.size() * 2 + 4, '\0');
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
        iconv(m_cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
      throw std::runtime_error("cannot convert \"" + in + "\" to " + m_encoding);
    out.resize(out.size() - outLeft);
    return out;
  }

 private:
  std::string m_encoding;
  iconv_t m_cd;
};

}  // namespace kestrovane
