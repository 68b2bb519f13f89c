#pragma once

#include <span>
#include <string>
#include <string_view>

namespace kestrovane {

// What an assignment does about the rule that one of the buttons Key1..Key3
// keeps the left-button function. The rule works on captions: it holds when
// one of the first three button labels shows the left-button item's text.
enum class LeftButtonRule {
  Holds,                   // nothing more to do
  WarnThenGiveLeftButton,  // warn, then the selected button (one of 1..3) gets the left button
  // The selected button is not one of 1..3 (or none is selected): giving it
  // the left button would not restore the rule, and the warning would repeat
  // at every assignment. The user is warned once in a run and the assignment
  // stands: the user's choice is never undone, later assignments never blocked.
  WarnOnceThenKeep,
};

// firstThreeCaptions: the captions of Key1, Key2, Key3 after the assignment;
// selectedKey: the button just assigned, 1..12, or 0 for none.
LeftButtonRule leftButtonRule(std::span<const std::string> firstThreeCaptions,
                              std::string_view leftButtonText, int selectedKey);

struct MenuRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct MenuPosition {
  int left = 0;
  int top = 0;
  friend bool operator==(const MenuPosition&, const MenuPosition&) = default;
};

// Where the function menu opens for button n (1..12), in the window's
// coordinates: page is the button page, button the button's label on it.
// At the label's top-left; 225 px higher for the lower rows (Key4, Key5,
// Key8, Key9, Key10) so that it opens upward; for the tilt buttons Key11 and
// Key12 at the label's centre, 253 px higher.
MenuPosition functionMenuPosition(int n, const MenuRect& page, const MenuRect& button);

}  // namespace kestrovane
