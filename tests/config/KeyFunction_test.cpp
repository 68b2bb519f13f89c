#include "config/KeyFunction.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "config/CaptionTable.h"

namespace kestrovane {
namespace {

// Keyboard/Keypad page usage of a letter (USB HID Usage Tables 1.3, section 10).
std::uint8_t letterUsage(char c) {
  return static_cast<std::uint8_t>(0x04 + (c - 'a'));
}

TEST(FunctionTable, ListsHaveTheRowCountsOfTheirMenuPanels) {
  std::map<std::string, int> rows;
  for (const auto& item : functionTable()) rows[std::string(item.panel)]++;
  const std::map<std::string, int> expected{{"gbbasekeys", 7}, {"gbgaming", 5}, {"gboffice", 9},
                                            {"gbmedia", 8},    {"gbie", 7},     {"gbwin8", 8},
                                            {"gbos", 7},       {"gbother", 4},  {"gbMenu", 2}};
  EXPECT_EQ(rows, expected);
}

TEST(FunctionTable, LabelsAreUniqueAndEachHasItsTextsInTheCaptionTable) {
  std::set<std::string_view> labels;
  for (const auto& item : functionTable()) {
    EXPECT_TRUE(labels.insert(item.label).second) << item.label;
    EXPECT_NE(findCaption(item.label), nullptr) << item.label;
  }
  for (const auto& category : functionCategories())
    EXPECT_NE(findCaption(category.label), nullptr) << category.label;
}

TEST(FunctionTable, KeyboardShortcutsUseTheHidLetterUsages) {
  const std::map<std::string_view, std::pair<std::uint8_t, char>> shortcuts{
      {"lbl_office_copy", {1, 'c'}},  {"lbl_office_paste", {1, 'v'}},
      {"lbl_office_cut", {1, 'x'}},   {"lbl_office_all", {1, 'a'}},
      {"lbl_office_find", {1, 'f'}},  {"lbl_office_new", {1, 'n'}},
      {"lbl_office_print", {1, 'p'}}, {"lbl_office_save", {1, 's'}},
      {"lbl_win8_search", {8, 'q'}},  {"lbl_win8_share", {8, 'h'}},
      {"lbl_win8_device", {8, 'k'}},  {"lbl_win8_setting", {8, 'i'}},
      {"lbl_win8_app", {8, 'z'}},     {"lbl_os_explorer", {8, 'e'}},
      {"lbl_os_run", {8, 'r'}},       {"lbl_os_desktop", {8, 'd'}}};
  for (const auto& [label, shortcut] : shortcuts) {
    const FunctionItem* item = findFunctionItem(label);
    ASSERT_NE(item, nullptr) << label;
    EXPECT_EQ(item->code,
              (KeyFunction{kKindKeyboard, shortcut.first, letterUsage(shortcut.second)}))
        << label;
  }
}

TEST(FunctionTable, CategoriesOpenTheirListsInMenuOrder) {
  const auto categories = functionCategories();
  ASSERT_EQ(categories.size(), 10u);
  std::vector<std::string_view> panelsInTableOrder;
  for (const auto& item : functionTable())
    if (item.panel != "gbMenu" &&
        (panelsInTableOrder.empty() || panelsInTableOrder.back() != item.panel))
      panelsInTableOrder.push_back(item.panel);
  ASSERT_EQ(panelsInTableOrder.size(), 8u);
  for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(categories[i].panel, panelsInTableOrder[i]);
  EXPECT_TRUE(categories[8].panel.empty());
  EXPECT_TRUE(categories[9].panel.empty());
  EXPECT_EQ(findFunctionItem(categories[8].label)->code, (KeyFunction{kKindModeSwitch, 0, 0}));
  EXPECT_EQ(findFunctionItem(categories[9].label)->code, (KeyFunction{kKindButtonOff, 0, 0}));
}

}  // namespace
}  // namespace kestrovane
