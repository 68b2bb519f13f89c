// Deciphers any text as a macro file line. Only the cipher's own error may
// come out, and whatever comes back must survive enciphering again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/Error.h"
#include "macro/MacroCipher.h"

using namespace kestrovane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::string text;
  try {
    text = DecryptLineFromHex(input, kMacroFileKey);
  } catch (const Error& error) {
    if (std::string(error.what()) != kNotHexMessage) std::abort();
    return 0;
  }
  if (text.size() > size / 16 * 8) std::abort();  // whole blocks only
  if (!text.empty() && text.back() == '\0') std::abort();
  const std::string hex = EncryptLineToHex(text, kMacroFileKey);
  if (hex.size() != (text.size() + 7) / 8 * 16) std::abort();
  if (DecryptLineFromHex(hex, kMacroFileKey) != text) std::abort();
  // The input itself as a line: enciphering round-trips unless it ends in 0.
  if (input.empty() || input.back() != '\0') {
    if (DecryptLineFromHex(EncryptLineToHex(input, kMacroFileKey), kMacroFileKey) != input)
      std::abort();
  }
  return 0;
}
