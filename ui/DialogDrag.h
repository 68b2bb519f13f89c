#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace kestrovane {

class WindowDrag;

// Moves a borderless dialog with the mouse from a press of any button on its
// background, as a caption drag moves a framed window. One file per system:
// Windows hands the move to the window manager exactly as the design says;
// elsewhere WindowDrag does it (a system move where the platform has one,
// the window following the pointer otherwise).
class DialogDrag : public QObject {
 public:
  explicit DialogDrag(QWidget* dialog);

  // A mouse button went down on surface at globalPos.
  void mouseDown(QWidget* surface, QPoint globalPos);

 private:
  QWidget* m_dialog;
  WindowDrag* m_follow = nullptr;  // not used on Windows
};

}  // namespace kestrovane
