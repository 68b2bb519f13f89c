#include "config/KeyAssignment.h"

#include <algorithm>

namespace kestrovane {

namespace {

constexpr int kUpwardShift = 225;
constexpr int kTiltShift = 253;

bool opensUpward(int n) {
  return n == 4 || n == 5 || n == 8 || n == 9 || n == 10;
}

}  // namespace

LeftButtonRule leftButtonRule(std::span<const std::string> firstThreeCaptions,
                              std::string_view leftButtonText, int selectedKey) {
  const bool holds =
      std::any_of(firstThreeCaptions.begin(), firstThreeCaptions.end(),
                  [&](const std::string& caption) { return caption == leftButtonText; });
  if (holds) return LeftButtonRule::Holds;
  if (selectedKey >= 1 && selectedKey <= 3) return LeftButtonRule::WarnThenGiveLeftButton;
  return LeftButtonRule::WarnOnceThenKeep;
}

MenuPosition functionMenuPosition(int n, const MenuRect& page, const MenuRect& button) {
  // Halving truncates toward zero, as C++ integer division does.
  if (n == 11 || n == 12)
    return {page.left + button.left + button.width / 2,
            page.top + button.top + button.height / 2 - kTiltShift};
  const int top = page.top + button.top - (opensUpward(n) ? kUpwardShift : 0);
  return {page.left + button.left, top};
}

}  // namespace kestrovane
