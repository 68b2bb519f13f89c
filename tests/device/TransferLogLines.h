#pragma once

// Lines of the virtual mouse's transfers.log, written out for comparison.

#include <cstddef>
#include <cstdint>
#include <string>

namespace kestrovane::test {

// Every byte as two lower-case hex digits, as the log spells them.
inline std::string hexBytes(const std::uint8_t* bytes, std::size_t length) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  for (std::size_t i = 0; i < length; ++i) {
    out += kDigits[bytes[i] >> 4];
    out += kDigits[bytes[i] & 0xF];
  }
  return out;
}

// The 9-byte feature request of one command.
inline std::string featureLine(int command) {
  const std::uint8_t bytes[9] = {0, static_cast<std::uint8_t>(command)};
  return "set-feature " + hexBytes(bytes, 9);
}

// The 65-byte output report carrying 64 bytes of payload.
inline std::string reportLine(const std::uint8_t* payload) {
  return "write 00" + hexBytes(payload, 64);
}

}  // namespace kestrovane::test
