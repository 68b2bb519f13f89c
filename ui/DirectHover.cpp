#include "ui/DirectHover.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace kestrovane {

DirectHover::DirectHover(QWidget* owner, std::function<void()> entered, std::function<void()> left)
    : m_owner(owner), m_entered(std::move(entered)), m_left(std::move(left)) {}

void DirectHover::feed(const QEvent* event) {
  switch (event->type()) {
    case QEvent::Enter:
      ownerEntered();
      break;
    case QEvent::Leave:
    case QEvent::Hide:
      ownerLeft();
      break;
    default:
      break;
  }
}

void DirectHover::ownerEntered() {
  if (m_inside) return;
  m_inside = true;
  // The parent is left before this control is entered.
  if (DirectHover* parent = parentHover()) parent->childEntered();
  evaluate();
}

void DirectHover::ownerLeft() {
  if (!m_inside) return;
  m_inside = false;
  m_childrenHovered = 0;
  evaluate();
  if (DirectHover* parent = parentHover()) parent->childLeft();
}

void DirectHover::childEntered() {
  ++m_childrenHovered;
  evaluate();
}

void DirectHover::childLeft() {
  if (m_childrenHovered > 0) --m_childrenHovered;
  // When the pointer leaves the child and this control at once, Qt sends this
  // control's own Leave right after the child's: decide once both are in, so
  // a pointer that left both does not enter this control for a moment.
  QTimer::singleShot(0, m_owner, [this] { evaluate(); });
}

void DirectHover::evaluate() {
  const bool direct = m_inside && m_childrenHovered == 0;
  if (direct == m_direct) return;
  m_direct = direct;
  if (direct) {
    if (m_entered) m_entered();
  } else if (m_left) {
    m_left();
  }
}

DirectHover* DirectHover::parentHover() const {
  auto* parent = dynamic_cast<HoverControl*>(m_owner->parentWidget());
  return parent != nullptr ? &parent->directHover() : nullptr;
}

}  // namespace kestrovane
