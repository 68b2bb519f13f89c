#include "macro/MacroScript.h"

#include <gtest/gtest.h>

namespace kestrovane {
namespace {

TEST(MacroLines, BuildersWriteTheThreeForms) {
  EXPECT_EQ(pressLine(KeyFromVirtualKey(0x41)), "1 A CODE:0004");
  EXPECT_EQ(releaseLine(KeyFromVirtualKey(0x41)), "2 A CODE:0004");
  EXPECT_EQ(pressLine(KeyFromVirtualKey(0x21)), "1 Page Up CODE:009D");
  EXPECT_EQ(pressLine(KeyFromVirtualKey(0xDF)), "1 OEM_8 CODE:0000");
  EXPECT_EQ(pressLine(KeyFromVirtualKey(0x90)), "1 Num Lock CODE:0053");
  EXPECT_EQ(pressLine(KeyFromVirtualKey(0xAD)), "1 Volume_Mute CODE:0000");
  EXPECT_EQ(pressLine("Right Shift", 0x4444), "1 Right Shift CODE:4444");
  EXPECT_EQ(pressLine(kLeftKeyLine.name, kLeftKeyLine.code), "1 Left Key  CODE:0071");
  EXPECT_EQ(releaseLine(kRightKeyLine.name, kRightKeyLine.code), "2 Right Key  CODE:0073");
  EXPECT_EQ(releaseLine(kMidKeyLine.name, kMidKeyLine.code), "2 Mid Key  CODE:0072");
  EXPECT_EQ(delayLine(0), "0 0");
  EXPECT_EQ(delayLine(101), "0 101");
  EXPECT_EQ(delayLine(4294967295u), "0 4294967295");
  EXPECT_EQ(keyCodeText(0xABCD), "ABCD");
  EXPECT_EQ(keyCodeText(0x00f), "000F");
}

struct ReadCase {
  std::string line;
  char kind;
  std::string code;
  std::string shownName;
  std::string delayText;
};

TEST(MacroLines, ReadersUseFixedPositionsOnly) {
  const ReadCase cases[] = {
      {"1 A CODE:0004", '1', "0004", "A", "A CODE:0004"},
      {"2 Page Down CODE:004E", '2', "004E", "Page Down", "Page Down CODE:004E"},
      {"1 Left Key  CODE:0071", '1', "0071", "Left Key ", "Left Key  CODE:0071"},
      // A shorter name still loses exactly two characters in front and ten behind.
      {"1 CODE:0004", '1', "0004", "", "CODE:0004"},
      {"1 AB CODE:04", '1', "E:04", "", "AB CODE:04"},
      {"1 ABCDEFGHIJK", '1', "HIJK", "A", "ABCDEFGHIJK"},
      {"0 0", '0', "0 0", "", "0"},
      {"0 2550", '0', "2550", "", "2550"},
      {"1", '1', "1", "", ""},
      {"", '\0', "", "", ""},
  };
  for (const ReadCase& c : cases) {
    EXPECT_EQ(lineKind(c.line), c.kind) << c.line;
    EXPECT_EQ(lineCode(c.line), c.code) << c.line;
    EXPECT_EQ(lineShownName(c.line), c.shownName) << c.line;
    EXPECT_EQ(lineDelayText(c.line), c.delayText) << c.line;
  }
}

TEST(MacroLines, DelaysAreWholeNonNegativeNumbers) {
  EXPECT_EQ(parseDelay("0"), 0);
  EXPECT_EQ(parseDelay("50"), 50);
  EXPECT_EQ(parseDelay("0080"), 80);
  EXPECT_EQ(parseDelay("2147483647"), 2147483647);
  for (const std::string_view text :
       {"", "-5", "+5", " 5", "5 ", "5ms", "1e3", "0x10", "2147483648", "99999999999999999999"})
    EXPECT_EQ(parseDelay(text), std::nullopt) << text;
}

}  // namespace
}  // namespace kestrovane
