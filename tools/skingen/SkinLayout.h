#pragma once

#include <QRect>
#include <QSize>
#include <array>

namespace kestrovane {

// Where the window and the dialogs put their controls (window or page
// coordinates). The pictures are drawn to fit these places, so they are
// facts of the windows, not matters of taste.
namespace layout {

inline constexpr QSize kWindow{901, 681};
inline constexpr QSize kBasemap{905, 619};

inline constexpr QRect kHeading{66, 107, 260, 18};
inline constexpr QRect kMinimize{784, 53, 18, 18};
inline constexpr QRect kClose{808, 53, 18, 18};

inline constexpr int kTabTop = 96;
inline constexpr int kTabHeight = 36;
inline constexpr std::array<int, 5> kTabLeft{420, 492, 562, 640, 710};
inline constexpr std::array<int, 5> kTabWidth{69, 69, 78, 69, 69};
// The underline picture sits this far below the tab's top.
inline constexpr int kTabUnderlineOffset = 24;

inline constexpr QRect kPageArea{418, 149, 418, 376};

inline constexpr int kCommandTop = 540;
inline constexpr int kCommandHeight = 38;
inline constexpr std::array<int, 4> kCommandLeft{424, 496, 560, 630};
inline constexpr std::array<int, 4> kCommandWidth{68, 60, 64, 126};

// Nothing but the heading lives left of this line: room for the mouse.
inline constexpr int kIllustrationRight = 418;

// The button page, relative to the page.
inline constexpr int kRowNumberLeft = 56;
inline constexpr int kKeyLabelLeft = 122;
inline constexpr int kKeyLabelWidth = 154;
inline constexpr int kKeyLabelHeight = 22;
inline constexpr std::array<int, 8> kRowTop{49, 77, 105, 134, 162, 191, 218, 245};
inline constexpr int kModePanelTop = 310;
inline constexpr std::array<int, 5> kModePanelLeft{50, 118, 186, 254, 322};
inline constexpr QSize kModePanel{68, 32};

// The function menus: rows 23 px high every 24 px from y 4, an indicator
// bar of 18 px at the right edge.
inline constexpr int kMenuFirstRow = 4;
inline constexpr int kMenuRowPitch = 24;
inline constexpr int kMenuRowHeight = 23;
inline constexpr int kMenuIndicatorWidth = 18;

inline constexpr QRect tabRect(std::size_t i) {
  return {kTabLeft[i], kTabTop, kTabWidth[i], kTabHeight};
}
inline constexpr QRect commandRect(std::size_t i) {
  return {kCommandLeft[i], kCommandTop, kCommandWidth[i], kCommandHeight};
}
inline constexpr QRect keyLabelRect(std::size_t row) {
  return {kKeyLabelLeft, kRowTop[row], kKeyLabelWidth, kKeyLabelHeight};
}
inline constexpr QRect modePanelRect(std::size_t i) {
  return {QPoint(kModePanelLeft[i], kModePanelTop), kModePanel};
}
inline constexpr QRect menuRowRect(int row, int menuWidth) {
  return {0, kMenuFirstRow + row * kMenuRowPitch, menuWidth - kMenuIndicatorWidth, kMenuRowHeight};
}

}  // namespace layout
}  // namespace kestrovane
