#include "config/KeyAssignment.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace kestrovane {
namespace {

TEST(LeftButtonRule, DecidesOnTheCaptionsOfTheFirstThreeButtons) {
  using enum LeftButtonRule;
  struct Case {
    std::array<std::string, 3> captions;
    int selected;
    LeftButtonRule expected;
  };
  const std::string left = "左键";
  const Case cases[]{
      {{"左键", "右键", "中键"}, 1, Holds},
      {{"中键", "左键", "中键"}, 1, Holds},  // Key2 keeps it: Key1 may lose it
      {{"Copy", "右键", "左键"}, 7, Holds},
      {{"中键", "右键", "中键"}, 1, WarnThenGiveLeftButton},
      {{"左键", "中键", "Copy"}, 3, Holds},
      {{"Copy", "右键", "中键"}, 3, WarnThenGiveLeftButton},
      // A selected button beyond the first three cannot restore the rule.
      {{"Left", "右键", "中键"}, 4, WarnOnceThenKeep},
      {{"Left", "右键", "中键"}, 12, WarnOnceThenKeep},
      {{"Left", "右键", "中键"}, 0, WarnOnceThenKeep},
      // Exact text: blanks and case count.
      {{"左键 ", " 左键", "LEFT"}, 2, WarnThenGiveLeftButton},
  };
  for (const Case& c : cases)
    EXPECT_EQ(leftButtonRule(c.captions, left, c.selected), c.expected)
        << c.captions[0] << "|" << c.captions[1] << "|" << c.captions[2] << " key " << c.selected;
  const std::array<std::string, 3> english{"Left", "Right", "Middle"};
  EXPECT_EQ(leftButtonRule(english, "Left", 1), Holds);
}

TEST(FunctionMenuPosition, OpensBesideTheButtonUpwardForTheLowerRows) {
  const MenuRect page{418, 149, 418, 376};
  struct Case {
    int key;
    MenuRect button;
    MenuPosition expected;
  };
  const Case cases[]{
      {1, {122, 49, 154, 22}, {540, 198}},
      {7, {122, 162, 154, 22}, {540, 311}},
      {6, {122, 134, 154, 22}, {540, 283}},
      {8, {122, 191, 154, 22}, {540, 115}},
      {5, {122, 218, 154, 22}, {540, 142}},
      {4, {122, 245, 154, 22}, {540, 169}},
      {9, {430, 273, 154, 22}, {848, 197}},
      {10, {122, 273, 154, 22}, {540, 197}},
      // The tilt buttons: from the label's centre, 253 px up.
      {11, {122, 273, 154, 22}, {617, 180}},
      {12, {122, 273, 155, 23}, {617, 180}},
      {12, {10, 20, 3, 1}, {429, -84}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(functionMenuPosition(c.key, page, c.button), c.expected) << "Key" << c.key;
}

}  // namespace
}  // namespace kestrovane
