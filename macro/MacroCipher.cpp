#include "macro/MacroCipher.h"

#include <array>
#include <cstdint>

#include "base/Error.h"

namespace kestrovane {
namespace {

constexpr std::size_t kBlockSize = 8;

int hexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

Des desOfKeyText(std::string_view keyText) {
  std::array<std::uint8_t, kBlockSize> key{};
  for (std::size_t i = 0; i < key.size() && i < keyText.size(); ++i)
    key[i] = static_cast<std::uint8_t>(keyText[i]);
  return Des(key);
}

std::string encryptLineToHex(std::string_view text, const Des& des) {
  if (!text.empty() && text.back() == '\0') throw Error(std::string(kLastCharNullMessage));
  constexpr std::string_view kDigits = "0123456789abcdef";
  std::string hex;
  hex.reserve((text.size() + kBlockSize - 1) / kBlockSize * kBlockSize * 2);
  for (std::size_t start = 0; start < text.size(); start += kBlockSize) {
    Des::Block block{};
    for (std::size_t i = 0; i < kBlockSize && start + i < text.size(); ++i)
      block[i] = static_cast<std::uint8_t>(text[start + i]);
    for (const std::uint8_t byte : des.encrypt(block)) {
      hex += kDigits[byte >> 4];
      hex += kDigits[byte & 0xFu];
    }
  }
  return hex;
}

std::string decryptLineFromHex(std::string_view hex, const Des& des) {
  std::string bytes;
  bytes.reserve(hex.size() / 2);
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    const int high = hexDigitValue(hex[i]);
    const int low = hexDigitValue(hex[i + 1]);
    if (high < 0 || low < 0) throw Error(std::string(kNotHexMessage));
    bytes += static_cast<char>(high * 16 + low);
  }
  std::string text;
  text.reserve(bytes.size());
  for (std::size_t start = 0; start + kBlockSize <= bytes.size(); start += kBlockSize) {
    Des::Block block{};
    for (std::size_t i = 0; i < kBlockSize; ++i)
      block[i] = static_cast<std::uint8_t>(bytes[start + i]);
    for (const std::uint8_t byte : des.decrypt(block)) text += static_cast<char>(byte);
  }
  while (!text.empty() && text.back() == '\0') text.pop_back();
  return text;
}

std::string EncryptLineToHex(std::string_view text, std::string_view keyText) {
  return encryptLineToHex(text, desOfKeyText(keyText));
}

std::string DecryptLineFromHex(std::string_view hex, std::string_view keyText) {
  return decryptLineFromHex(hex, desOfKeyText(keyText));
}

}  // namespace kestrovane
