#pragma once

#include <QObject>
#include <QPoint>
#include <functional>

class QWidget;

namespace kestrovane {

// Moves a borderless window with the mouse while any button is held on one
// of its surfaces. Once the pointer has moved by the drag distance, the
// system moves the window (QWindow::startSystemMove, which on Windows is the
// caption drag of a title bar); where the platform cannot, the window follows
// the pointer by hand. A press released without moving stays a click.
class WindowDrag : public QObject {
 public:
  explicit WindowDrag(QWidget* window);

  // Starts tracking a press at globalPos on surface; onDragStarted runs when
  // the press turns into a drag (to drop the surface's click).
  void begin(QWidget* surface, QPoint globalPos, std::function<void()> onDragStarted = {});

  bool isDragging() const { return m_dragging; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void end();

  QWidget* m_window;
  QWidget* m_surface = nullptr;
  std::function<void()> m_onDragStarted;
  QPoint m_pressGlobal;
  QPoint m_windowAtPress;
  bool m_dragging = false;
  bool m_byHand = false;
};

}  // namespace kestrovane
