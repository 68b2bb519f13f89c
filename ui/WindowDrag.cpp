#include "ui/WindowDrag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace kestrovane {

WindowDrag::WindowDrag(QWidget* window) : QObject(window), m_window(window) {}

void WindowDrag::begin(QWidget* surface, QPoint globalPos, std::function<void()> onDragStarted) {
  end();
  m_surface = surface;
  m_onDragStarted = std::move(onDragStarted);
  m_pressGlobal = globalPos;
  m_windowAtPress = m_window->pos();
  m_surface->installEventFilter(this);
}

bool WindowDrag::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_surface) return false;
  if (event->type() == QEvent::MouseButtonRelease) {
    // The last button up ends the drag; a click is the surface's own business.
    if (static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton) end();
    return false;
  }
  if (event->type() != QEvent::MouseMove) return false;
  auto* move = static_cast<QMouseEvent*>(event);
  if (move->buttons() == Qt::NoButton) {
    end();
    return false;
  }
  const QPoint global = move->globalPosition().toPoint();
  if (!m_dragging) {
    if ((global - m_pressGlobal).manhattanLength() < QApplication::startDragDistance())
      return false;
    m_dragging = true;
    if (m_onDragStarted) m_onDragStarted();
    QWindow* handle = m_window->windowHandle();
    if (handle != nullptr && handle->startSystemMove()) {
      // The system has the pointer now; it ends the move itself.
      end();
      return true;
    }
    m_byHand = true;
  }
  if (m_byHand) m_window->move(m_windowAtPress + (global - m_pressGlobal));
  return true;
}

void WindowDrag::end() {
  if (m_surface != nullptr) m_surface->removeEventFilter(this);
  m_surface = nullptr;
  m_dragging = false;
  m_byHand = false;
}

}  // namespace kestrovane
