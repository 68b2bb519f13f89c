#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace kestrovane {

// The 3-byte function code of one button, in the conventions of the USB HID
// Usage Tables. Button N (1..12) occupies bytes 8 + 3(N-1) .. 10 + 3(N-1) of
// the mode image.
struct KeyFunction {
  std::uint8_t Kind = 0;
  std::uint8_t Arg1 = 0;
  std::uint8_t Arg2 = 0;
  friend bool operator==(const KeyFunction&, const KeyFunction&) = default;
};

enum KeyFunctionKind : std::uint8_t {
  kKindMouseButton = 1,
  kKindTilt = 2,
  kKindKeyboard = 3,
  kKindConsumer = 4,
  kKindLeftBurst = 5,
  kKindButtonOff = 6,
  kKindModeSwitch = 7,
  kKindDevice = 8,
  kKindMacro = 9,
};

inline constexpr int kKeyCount = 12;

// Offset of button n's (1..12) record inside a mode image.
constexpr int keyFunctionOffset(int n) {
  return 8 + 3 * (n - 1);
}

// The ten rows of the function menu gbMenu, in row order. Rows 1..8 open a
// sub-list; rows 9 and 10 assign directly.
struct FunctionCategory {
  std::string_view label;      // "lbl_basekeys"; its texts are in the caption table
  std::string_view panel;      // sub-list panel "gbbasekeys"; empty for rows 9, 10
  std::string_view indicator;  // the sub-list's track bar "TB_basekeys"; empty for rows 9, 10
};

// One assignable item of the function menu. Items of a sub-list are listed in
// row order; the two direct rows of gbMenu come last with panel "gbMenu".
struct FunctionItem {
  std::string_view panel;  // "gbbasekeys" ... "gbother", or "gbMenu"
  std::string_view label;  // "lbl_msekey_left"; its texts are in the caption table
  KeyFunction code;        // for the macro item Arg1 is chosen at assignment time
};

std::span<const FunctionCategory> functionCategories();
std::span<const FunctionItem> functionTable();

// The item whose label has this name, if any.
const FunctionItem* findFunctionItem(std::string_view label);

}  // namespace kestrovane
