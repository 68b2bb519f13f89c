#pragma once

#include <string>
#include <string_view>

#include "macro/Des.h"

namespace kestrovane {

// The key text of every macro file.
inline constexpr std::string_view kMacroFileKey = "Tarsk";

inline constexpr std::string_view kLastCharNullMessage = "Error: the last char is NULL char.";
inline constexpr std::string_view kNotHexMessage = "Error: not a Hex String";

// Enciphers text with DES in ECB mode: the key text completed with 0 bytes to
// eight (only its first eight count), the text completed with 0 bytes to a
// multiple of eight, each block written as 16 lower-case hex digits. Empty
// text gives empty text. Throws Error when the text ends in a 0 byte, which
// the padding would swallow.
std::string EncryptLineToHex(std::string_view text, std::string_view keyText);

// Reads hex digit pairs of either case (a last single character is ignored),
// deciphers every complete block (a shorter rest is ignored) and removes every
// 0 byte at the end. Throws Error on a character that is not a hex digit.
std::string DecryptLineFromHex(std::string_view hex, std::string_view keyText);

// The DES of a key text: the text completed with 0 bytes, first eight bytes.
Des desOfKeyText(std::string_view keyText);

// The same as the two above with a prepared key, for many lines in a row.
std::string encryptLineToHex(std::string_view text, const Des& des);
std::string decryptLineFromHex(std::string_view hex, const Des& des);

}  // namespace kestrovane
