#include "macro/MacroCompiler.h"

#include <gtest/gtest.h>

#include "base/Error.h"
#include "macro/MacroFile.h"
#include "tests/ErrorText.h"
#include "tests/TempFolder.h"

namespace kestrovane {
namespace {

using test::TempFolder;

MacroDeviceRecord recordOf(std::initializer_list<int> bytes) {
  MacroDeviceRecord record{};
  std::size_t i = 0;
  for (const int byte : bytes) record.at(i++) = static_cast<std::uint8_t>(byte);
  return record;
}

MacroDeviceRecord compile(const MacroScript& script, const MacroLooping& looping = {},
                          std::size_t index = 0) {
  return compileMacroScript(script, index, looping, "Test");
}

const MacroScript kCombo{"1",     "1 Ctrl CODE:1111", "0 80", "1 A CODE:0004",
                         "0 120", "2 A CODE:0004",    "0 90", "2 Ctrl CODE:1111"};

TEST(MacroCompile, WorkedExample) {
  EXPECT_EQ(normalizeMacroScript(kCombo, "Combo"),
            (std::vector<std::string>{"1 1111", "0 80", "1 1111", "1 0004", "0 120", "2 0004",
                                      "1 1111", "0 90", "2 1111"}));
  EXPECT_EQ(compile(kCombo), recordOf({0x00, 0x04, 0x81, 0x07, 0x01, 0x82, 0x0B, 0x01, 0x04, 0x81,
                                       0x08, 0x01, 0x01, 0x00, 0x00}));
}

TEST(MacroCompile, HeldKeysRepeatInEachTimedSegment) {
  // A down, delay, B down: A is repeated before B.
  EXPECT_EQ(compile({"1", "1 A CODE:0004", "0 100", "1 B CODE:0005", "0 100", "2 B CODE:0005",
                     "2 A CODE:0004"}),
            recordOf({0x00, 0x03, 0x02, 0x09, 0x00, 0x04, 0x03, 0x09, 0x00, 0x04, 0x05, 0x01, 0x00,
                      0x00}));
  // A released while B is held: the next segment holds B alone.
  EXPECT_EQ(compile({"1", "1 A CODE:0004", "1 B CODE:0005", "0 100", "2 A CODE:0004", "0 100",
                     "2 B CODE:0005"}),
            recordOf({0x00, 0x03, 0x03, 0x09, 0x00, 0x04, 0x05, 0x02, 0x09, 0x00, 0x05, 0x01, 0x00,
                      0x00}));
}

TEST(MacroCompile, OnlyTheSecondToSixthPressRepeatsHeldKeys) {
  MacroScript script{"1"};
  for (int key = 0; key < 8; ++key) {
    script.push_back(pressLine("K", static_cast<std::uint16_t>(0x04 + key)));
    script.push_back("0 10");
  }
  const std::vector<std::string> normalized = normalizeMacroScript(script, "Seven");
  const std::vector<std::string> expected{
      "1 0004", "0 10",                                                    //
      "1 0004", "1 0005", "0 10",                                          //
      "1 0004", "1 0005", "1 0006", "0 10",                                //
      "1 0004", "1 0005", "1 0006", "1 0007", "0 10",                      //
      "1 0004", "1 0005", "1 0006", "1 0007", "1 0008", "0 10",            //
      "1 0004", "1 0005", "1 0006", "1 0007", "1 0008", "1 0009", "0 10",  //
      "1 000A", "0 10",  // the seventh press: no repeats, and it has no slot
      "1 000B", "0 10"};
  EXPECT_EQ(normalized, expected);
}

TEST(MacroCompile, ReleasedKeysLeaveTheNextSegment) {
  // Three held, the middle one released, then a delay: the first and third
  // are repeated, in slot order.
  EXPECT_EQ(normalizeMacroScript({"1", "1 A CODE:0004", "1 B CODE:0005", "1 C CODE:0006", "0 50",
                                  "2 B CODE:0005", "0 50", "2 A CODE:0004", "2 C CODE:0006"},
                                 "Three"),
            (std::vector<std::string>{"1 0004", "1 0005", "1 0006", "0 50", "2 0005", "1 0004",
                                      "1 0006", "0 50", "2 0004", "2 0006"}));
  // A delay of 0 counts as no delay: nothing is repeated for it.
  EXPECT_EQ(
      normalizeMacroScript(
          {"1", "1 A CODE:0004", "1 B CODE:0005", "2 A CODE:0004", "0 0", "2 B CODE:0005"}, "Zero"),
      (std::vector<std::string>{"1 0004", "1 0005", "2 0004", "0 0", "2 0005"}));
}

TEST(MacroCompile, LoopByte) {
  struct Case {
    MacroLooping looping;
    std::size_t index;
    int byte;
  };
  const Case cases[] = {
      {{false, false, "1"}, 0, 0x00}, {{false, false, "5"}, 7, 0x00}, {{false, true, "3"}, 2, 0x32},
      {{false, true, "1"}, 0, 0x10},  {{false, true, "9"}, 9, 0x99},  {{false, true, "0"}, 4, 0x00},
      {{true, false, ""}, 9, 0xF9},   {{true, false, "1"}, 0, 0xF0},  {{true, true, "3"}, 5, 0xF5},
      {{false, true, "12"}, 1, 0x00},
  };
  for (const Case& c : cases)
    EXPECT_EQ(compile({"1"}, c.looping, c.index)[0], c.byte) << c.looping.countText << c.index;
  EXPECT_EQ(compile({"1"}), recordOf({0x00, 0x01}));
}

TEST(MacroCompile, HoldByteIsTensOfMillisecondsLessOne) {
  const std::pair<std::uint32_t, int> holds[] = {
      {1, 0}, {5, 0}, {10, 0}, {19, 0}, {20, 1}, {80, 7}, {2550, 254}, {2560, 255}, {2569, 255}};
  for (const auto& [delay, hold] : holds)
    EXPECT_EQ(compile({"1", "1 A CODE:0004", delayLine(delay), "2 A CODE:0004"}),
              recordOf({0x00, 0x02, 0x02, hold, 0x00, 0x04, 0x01, 0x00, 0x00}))
        << delay;
}

TEST(MacroCompile, LongDelaysContinueInGroupsHoldingTheSameKeys) {
  // 3000 ms with Ctrl and A down: 2560 ms, then 440 ms, both with Ctrl + A.
  EXPECT_EQ(
      compile({"1", "1 Ctrl CODE:1111", "1 A CODE:0004", "0 3000", "2 A CODE:0004",
               "2 Ctrl CODE:1111"}),
      recordOf({0x00, 0x03, 0x82, 0xFF, 0x01, 0x04, 0x82, 0x2B, 0x01, 0x04, 0x01, 0x00, 0x00}));
  // 2570 ms is 2560 + 10, not the 10 ms that its low eight bits would say.
  EXPECT_EQ(
      compile({"1", "1 A CODE:0004", "0 2570", "2 A CODE:0004"}),
      recordOf({0x00, 0x03, 0x02, 0xFF, 0x00, 0x04, 0x02, 0x00, 0x00, 0x04, 0x01, 0x00, 0x00}));
  // 7700 ms = 3 x 2560 + 20.
  EXPECT_EQ(compile({"1", "0 7700"}), recordOf({0x00, 0x05, 0x01, 0xFF, 0x00, 0x01, 0xFF, 0x00,
                                                0x01, 0xFF, 0x00, 0x01, 0x01, 0x00}));
}

TEST(MacroCompile, GroupsWithoutDelays) {
  // Press and release with no delay: one open group marked empty, the key
  // code after it.
  EXPECT_EQ(compile({"1", "1 A CODE:0004", "2 A CODE:0004"}),
            recordOf({0x00, 0x01, 0x01, 0x00, 0x00, 0x04}));
  // A delay of 0 closes no group.
  EXPECT_EQ(compile({"1", "1 A CODE:0004", "0 0", "2 A CODE:0004"}),
            recordOf({0x00, 0x01, 0x01, 0x00, 0x00, 0x04}));
  // A macro that ends in a delay leaves an open group of zeros.
  EXPECT_EQ(compile({"1", "1 A CODE:0004", "0 30"}),
            recordOf({0x00, 0x02, 0x02, 0x02, 0x00, 0x04}));
}

TEST(MacroCompile, CodesAreReadAsHexadecimal) {
  // Mouse buttons are keys 0x71..0x73 to the mouse.
  EXPECT_EQ(compile({"1", "1 Left Key  CODE:0071", "0 50", "2 Left Key  CODE:0071", "0 50",
                     "1 Mid Key  CODE:0072", "1 Right Key  CODE:0073", "0 50"}),
            recordOf({0x00, 0x04, 0x02, 0x04, 0x00, 0x71, 0x01, 0x04, 0x00, 0x03, 0x04, 0x00, 0x72,
                      0x73}));
  // Only the low eight bits are kept, in either case of digits.
  EXPECT_EQ(compile({"1", "1 X CODE:ab9d", "1 Y CODE:0000", "0 10"}),
            recordOf({0x00, 0x02, 0x03, 0x00, 0x00, 0x9D, 0x00}));
  // Modifier codes go into the modifier byte, not the key codes.
  EXPECT_EQ(compile({"1", "1 Right Windows CODE:8888", "1 Shift CODE:3333", "0 10"}),
            recordOf({0x00, 0x02, 0x81, 0x00, 0x82}));
}

TEST(MacroCompile, LinesOfNoKnownKindAreSkipped) {
  EXPECT_EQ(compile({"1", "", "3 A CODE:0004", "x", "1 A CODE:0004", "0 20"}),
            recordOf({0x00, 0x02, 0x02, 0x01, 0x00, 0x04}));
  // The header is skipped whatever it holds.
  EXPECT_EQ(compile({"1 A CODE:0004", "0 20"}), recordOf({0x00, 0x02, 0x01, 0x01, 0x00}));
}

TEST(MacroCompile, Failures) {
  EXPECT_EQ(errorOf([] {
              compile({"1", "0 abc"});
            }),
            "Macro Test: the delay \"abc\" is not a whole number of milliseconds.");
  EXPECT_EQ(errorOf([] {
              compile({"1", "0 -25"});
            }),
            "Macro Test: the delay \"-25\" is not a whole number of milliseconds.");
  EXPECT_EQ(errorOf([] {
              compile({"1", "0"});
            }),
            "Macro Test: the delay \"\" is not a whole number of milliseconds.");
  EXPECT_EQ(errorOf([] {
              compile({"1", "0 2147483648"});
            }),
            "Macro Test is too long for the mouse.");
  EXPECT_EQ(errorOf([] {
              compile({"1", "1 A CODE:00G4"});
            }),
            "Macro Test: the key code \"00G4\" is not hexadecimal.");
  EXPECT_EQ(errorOf([] { compile({"1"}, {false, true, ""}); }), "The loop count is empty.");
  EXPECT_EQ(errorOf([] {
              compile({"1"}, {false, true, "x"});
            }),
            "The loop count \"x\" is not a number.");
  // The count is not read without counted looping, or under endless looping.
  EXPECT_EQ(compile({"1"}, {false, false, ""}), recordOf({0x00, 0x01}));
  EXPECT_EQ(compile({"1"}, {true, true, ""}), recordOf({0xF0, 0x01}));
}

// Presses of Ctrl, each followed by a delay: only modifiers, so every delay
// closes a group of three bytes and group i starts at 2 + 3i.
MacroScript ctrlGroups(int groups, bool release) {
  MacroScript script{"1"};
  for (int i = 0; i < groups; ++i) {
    script.push_back("1 Ctrl CODE:1111");
    script.push_back("0 10");
  }
  if (release) script.push_back("2 Ctrl CODE:1111");
  return script;
}

TEST(MacroCompile, TheRecordHoldsAtMost128Bytes) {
  // 41 groups and the empty one after them end exactly at byte 127.
  const MacroDeviceRecord full = compile(ctrlGroups(41, true));
  EXPECT_EQ(full[1], 42);
  EXPECT_EQ(full[122], 0x81);
  EXPECT_EQ(full[125], 0x01);
  EXPECT_EQ(full[127], 0x00);
  EXPECT_EQ(compile(ctrlGroups(41, false))[1], 42);
  const std::string tooLong = "Macro Test is too long for the mouse.";
  EXPECT_EQ(errorOf([] { compile(ctrlGroups(42, true)); }), tooLong);
  // Even unwritten, the open group the count promises must lie in the record.
  EXPECT_EQ(errorOf([] { compile(ctrlGroups(42, false)); }), tooLong);

  // Key codes alone: 123 fit in bytes 5..127, the 124th does not.
  MacroScript keys{"1"};
  for (int i = 0; i < 123; ++i) keys.push_back("1 K CODE:0004");
  keys.push_back("2 K CODE:0004");
  EXPECT_EQ(compile(keys)[127], 0x04);
  keys.insert(keys.begin() + 1, "1 K CODE:0004");
  EXPECT_EQ(errorOf([&] { compile(keys); }), tooLong);

  // A long delay whose extra groups do not fit.
  MacroScript late = ctrlGroups(40, false);
  late.push_back("1 A CODE:0004");
  late.push_back("0 9000");
  EXPECT_EQ(errorOf([&] { compile(late); }), tooLong);
  // A huge delay stops at the limit instead of looping for ever.
  EXPECT_EQ(errorOf([] { compile({"1", "0 2147483647"}); }), tooLong);
}

TEST(MacroCompile, RowNames) {
  EXPECT_EQ(macroNameOfRow("3. Fire"), "Fire");
  EXPECT_EQ(macroNameOfRow("10. Jump"), "Jump");
  EXPECT_EQ(macroNameOfRow("1. a. b"), "a. b");
  EXPECT_EQ(macroNameOfRow("1. "), "");
  EXPECT_EQ(macroNameOfRow("Fire"), "Fire");
}

class CompileMacrosTest : public ::testing::Test {
 protected:
  void write(const std::string& name, const MacroScript& script) {
    WriteMacroFile(m_folder.str(), name, script);
  }
  // Every record filled with its own marker byte, as a previous compilation
  // would have left them.
  static MacroRecordTable oldRecords() {
    MacroRecordTable records;
    for (std::size_t m = 0; m < records.size(); ++m)
      records[m].fill(static_cast<std::uint8_t>(0xA0 + m));
    return records;
  }
  void compileAll(const std::vector<std::string>& names, MacroRecordTable& records,
                  const MacroLooping& looping = {}) {
    CompileMacros(names, m_folder.str(), looping, records);
  }

  TempFolder m_folder;
};

TEST_F(CompileMacrosTest, EachMacroFillsTheRecordOfItsRow) {
  write("Combo", kCombo);
  write("Tap", {"1", "1 A CODE:0004", "2 A CODE:0004"});
  MacroRecordTable records = oldRecords();
  compileAll({"Combo", "Tap"}, records, {false, true, "2"});
  EXPECT_EQ(records[0], compile(kCombo, {false, true, "2"}, 0));
  EXPECT_EQ(records[0][0], 0x20);
  EXPECT_EQ(records[1], recordOf({0x21, 0x01, 0x01, 0x00, 0x00, 0x04}));
  for (std::size_t m = 2; m < records.size(); ++m) EXPECT_EQ(records[m], oldRecords()[m]) << m;
}

TEST_F(CompileMacrosTest, AnEmptyMacroFileEndsTheCompilation) {
  write("A", {"1", "0 10"});
  write("B", {"1", "0 20"});
  write("Empty", {});
  write("D", {"1", "0 30"});
  MacroRecordTable records = oldRecords();
  compileAll({"A", "B", "Empty", "D"}, records);
  EXPECT_EQ(records[0], recordOf({0x00, 0x02, 0x01, 0x00, 0x00}));
  EXPECT_EQ(records[1], recordOf({0x00, 0x02, 0x01, 0x01, 0x00}));
  for (std::size_t m = 2; m < records.size(); ++m) EXPECT_EQ(records[m], oldRecords()[m]) << m;
}

TEST_F(CompileMacrosTest, RowsBeyondTheTenthAreCompiledButNotKept) {
  std::vector<std::string> names;
  for (int m = 0; m < 11; ++m) {
    names.push_back("M" + std::to_string(m));
    write(names.back(), {"1", delayLine(static_cast<std::uint32_t>(20 + 10 * m))});
  }
  MacroRecordTable records = oldRecords();
  compileAll(names, records, {true, false, ""});
  for (std::size_t m = 0; m < records.size(); ++m)
    EXPECT_EQ(records[m],
              recordOf({0xF0 + static_cast<int>(m), 0x02, 0x01, 1 + static_cast<int>(m), 0x00}))
        << m;
  // The eleventh is still read and encoded: its failure stops the compilation.
  write("M10", {"1", "0 x"});
  EXPECT_EQ(errorOf([&] { compileAll(names, records); }),
            "Macro M10: the delay \"x\" is not a whole number of milliseconds.");
}

TEST_F(CompileMacrosTest, AFailureKeepsTheRecordsAlreadyFinished) {
  write("A", kCombo);
  write("Damaged", {"1"});
  m_folder.write("Damaged.spm", "4e5cb637a5aeed16\r\nzz\r\n");
  write("C", kCombo);
  MacroRecordTable records = oldRecords();
  EXPECT_EQ(errorOf([&] {
              compileAll({"A", "Damaged", "C"}, records);
            }),
            "Cannot read file \"" + macroFilePath(m_folder.str(), "Damaged") +
                "\". Line 2: Error: not a Hex String.");
  EXPECT_EQ(records[0], compile(kCombo));
  for (std::size_t m = 1; m < records.size(); ++m) EXPECT_EQ(records[m], oldRecords()[m]) << m;

  MacroScript tooLong{"1"};
  for (int i = 0; i < 200; ++i) tooLong.push_back("1 K CODE:0004");
  write("Long", tooLong);
  records = oldRecords();
  EXPECT_EQ(errorOf([&] {
              compileAll({"A", "Long", "C"}, records);
            }),
            "Macro Long is too long for the mouse.");
  EXPECT_EQ(records[0], compile(kCombo));
  EXPECT_EQ(records[1], oldRecords()[1]);

  records = oldRecords();
  EXPECT_TRUE(errorOf([&] {
                compileAll({"A", "Missing"}, records);
              }).starts_with("Cannot open file \"" + macroFilePath(m_folder.str(), "Missing")));
  EXPECT_EQ(records[0], compile(kCombo));
  EXPECT_EQ(records[1], oldRecords()[1]);
}

}  // namespace
}  // namespace kestrovane
