#pragma once

#include <QCoreApplication>
#include <QEnterEvent>
#include <QEvent>
#include <QMouseEvent>
#include <QWidget>

namespace kestrovane::test {

// The pointer entering and leaving a control, as Qt delivers it.
inline void enter(QWidget* widget) {
  const QPointF local(1, 1);
  QEnterEvent event(local, local, widget->mapToGlobal(local));
  QCoreApplication::sendEvent(widget, &event);
}

inline void leave(QWidget* widget) {
  QEvent event(QEvent::Leave);
  QCoreApplication::sendEvent(widget, &event);
}

// A mouse event at a point of the widget, with the global position given.
inline void sendMouse(QWidget* widget, QEvent::Type type, QPoint local, QPoint global,
                      Qt::MouseButton button, Qt::MouseButtons buttons) {
  QMouseEvent event(type, QPointF(local), QPointF(local), QPointF(global), button, buttons,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &event);
}

}  // namespace kestrovane::test
