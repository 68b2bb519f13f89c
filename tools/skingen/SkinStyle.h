#pragma once

#include <QColor>

namespace kestrovane {

// Every colour and every size of taste in the default skin set, the theme
// files and the loading animation. Change a value here and run redraw.sh.
struct SkinStyle {
  // The highlight of the whole program (labels turn this colour when
  // highlighted), and its lighter and darker companions.
  QColor teal{0, 128, 128};
  QColor tealLight{0, 178, 178};
  QColor tealGlow{64, 224, 216};
  QColor tealDark{0, 78, 82};

  // Surfaces, darkest first.
  QColor shadow{9, 11, 13};
  QColor window{18, 21, 25};
  QColor panel{24, 28, 33};
  QColor panelRaised{31, 36, 42};
  QColor field{35, 41, 48};
  QColor rule{44, 51, 59};
  QColor border{58, 67, 77};
  QColor borderLight{84, 96, 108};
  QColor textDim{128, 139, 150};
  QColor textBright{226, 232, 236};

  // The mouse illustration.
  QColor mouseBody{40, 45, 52};
  QColor mouseBodyDark{20, 23, 27};
  QColor mouseEdge{92, 104, 116};

  // The record mark on the REC button.
  QColor recordRed{214, 58, 52};

  // The window shape: the drawn body inside the 905 x 619 picture, its
  // cut corners and the frame line.
  int bodyLeft = 10;
  int bodyTop = 28;
  int bodyRight = 893;  // exclusive; the window is 901 wide
  int bodyBottom = 604;
  int bodyChamfer = 26;
  int dialogChamfer = 10;
  int buttonRadius = 3;

  // The loading animation: 12 spokes around the centre of 126 x 126.
  int spinnerSize = 126;
  int spinnerFrames = 12;
  int spinnerFrameMs = 50;
  double spokeInner = 25.0;
  double spokeOuter = 55.0;
  double spokeWidth = 11.0;
  // Spoke colours by age: the leading spoke, then the ones behind it.
  QColor spokeHead{255, 255, 255};
  QColor spokeBlue1{170, 206, 255};
  QColor spokeBlue2{92, 152, 246};
  QColor spokeBlue3{56, 120, 232};
  int spokeGreyBright = 150;
  int spokeGreyDim = 84;

  // The theme files' track bars.
  QColor grooveFill{14, 17, 20};
  QColor handleFill{232, 238, 240};
  QColor handleHover{255, 255, 255};
  QColor disabledFill{70, 78, 86};
  int grooveThickness = 6;
  int handleLength = 12;
  int handleThickness = 20;
  int indicatorGroove = 4;
  int indicatorHandleWidth = 14;
};

// The key colours of the windows: pixels of these colours are see-through,
// so no opaque pixel of a picture may have them.
inline const QColor kMainWindowKey{128, 0, 0};
inline const QColor kDialogKey{192, 220, 192};

}  // namespace kestrovane
