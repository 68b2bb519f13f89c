#include "macro/MacroCipher.h"

#include <gtest/gtest.h>

#include "base/Error.h"
#include "tests/ErrorText.h"

namespace kestrovane {
namespace {

// Enciphered with OpenSSL's DES-ECB under 546172736B000000 ("Tarsk" and three
// 0 bytes), each line completed with 0 bytes.
TEST(MacroCipher, KnownLinesUnderTheMacroKey) {
  const std::pair<std::string, std::string> lines[] = {
      {"1", "4e5cb637a5aeed16"},
      {"0 50", "b633285265fa4da5"},
      {"1 A CODE:0004", "e247b0939c94bd114eebdeb6d2c5675d"},
  };
  for (const auto& [text, hex] : lines) {
    EXPECT_EQ(EncryptLineToHex(text, kMacroFileKey), hex);
    EXPECT_EQ(DecryptLineFromHex(hex, kMacroFileKey), text);
  }
}

TEST(MacroCipher, LengthsGrowByWholeBlocks) {
  EXPECT_EQ(EncryptLineToHex("", kMacroFileKey), "");
  EXPECT_EQ(DecryptLineFromHex("", kMacroFileKey), "");
  EXPECT_EQ(EncryptLineToHex("12345678", kMacroFileKey).size(), 16u);
  EXPECT_EQ(EncryptLineToHex("123456789", kMacroFileKey).size(), 32u);
  const std::string hex = EncryptLineToHex("1 Right Windows CODE:8888", kMacroFileKey);
  EXPECT_EQ(hex.size(), 64u);
  EXPECT_EQ(hex.find_first_not_of("0123456789abcdef"), std::string::npos);
}

TEST(MacroCipher, KeyTextIsCompletedWithZerosAndCutAtEight) {
  const std::string text = "1 Shift CODE:3333";
  const std::string expected = EncryptLineToHex(text, kMacroFileKey);
  EXPECT_EQ(EncryptLineToHex(text, std::string("Tarsk\0\0\0", 8)), expected);
  EXPECT_EQ(EncryptLineToHex(text, std::string("Tarsk\0\0\0XYZ", 11)), expected);
  // 0x01 differs from 0 in the parity bit only; 0x02 is another key.
  EXPECT_EQ(EncryptLineToHex(text, "Tarsk\x01"), expected);
  EXPECT_NE(EncryptLineToHex(text, "Tarsk\x02"), expected);
  EXPECT_EQ(EncryptLineToHex(text, "ABCDEFGHxyz"), EncryptLineToHex(text, "ABCDEFGH"));
  EXPECT_EQ(DecryptLineFromHex(EncryptLineToHex(text, "ABCDEFGH"), "ABCDEFGHij"), text);
}

TEST(MacroCipher, DecryptingTakesWhatFits) {
  const std::string two = EncryptLineToHex("1 A CODE:0004", kMacroFileKey);  // 32 digits
  // A last single digit is ignored, even one that is no hex digit.
  EXPECT_EQ(DecryptLineFromHex(two + "7", kMacroFileKey), "1 A CODE:0004");
  EXPECT_EQ(DecryptLineFromHex(two + "z", kMacroFileKey), "1 A CODE:0004");
  // An incomplete last block is dropped.
  EXPECT_EQ(DecryptLineFromHex(two.substr(0, 30), kMacroFileKey), "1 A CODE");
  EXPECT_EQ(DecryptLineFromHex(two.substr(0, 17), kMacroFileKey), "1 A CODE");
  EXPECT_EQ(DecryptLineFromHex("4e5c", kMacroFileKey), "");
  // Upper-case hex reads as lower-case.
  EXPECT_EQ(DecryptLineFromHex("4E5CB637A5AEED16", kMacroFileKey), "1");
  EXPECT_EQ(DecryptLineFromHex("4e5CB637a5AEed16", kMacroFileKey), "1");
}

TEST(MacroCipher, EveryByteButATrailingZeroComesBack) {
  std::string text;
  for (int byte = 255; byte >= 0; --byte) text += static_cast<char>(byte);
  text += 'x';  // the 0 byte sits inside
  EXPECT_EQ(DecryptLineFromHex(EncryptLineToHex(text, kMacroFileKey), kMacroFileKey), text);
  const std::string gbk = "1 \xC9\xE8\xD6\xC3 CODE:0004";
  EXPECT_EQ(DecryptLineFromHex(EncryptLineToHex(gbk, kMacroFileKey), kMacroFileKey), gbk);
}

TEST(MacroCipher, Failures) {
  EXPECT_EQ(errorOf([] { EncryptLineToHex(std::string("1\0", 2), kMacroFileKey); }),
            "Error: the last char is NULL char.");
  EXPECT_EQ(errorOf([] { EncryptLineToHex(std::string(1, '\0'), kMacroFileKey); }),
            "Error: the last char is NULL char.");
  for (const std::string_view hex :
       {"4e5cb637a5aeed1g", "4e5cb637 5aeed16", "-e5cb637a5aeed16", "4e5cb637a5aeed16\r\n", "0x"})
    EXPECT_EQ(errorOf([&] { DecryptLineFromHex(hex, kMacroFileKey); }), "Error: not a Hex String")
        << hex;
  // A bad digit in an incomplete block still fails: every pair is read first.
  EXPECT_EQ(errorOf([] { DecryptLineFromHex("4e5cb637a5aeed16zz", kMacroFileKey); }),
            "Error: not a Hex String");
}

}  // namespace
}  // namespace kestrovane
