#pragma once

#include <functional>

class QEvent;
class QWidget;

namespace kestrovane {

class DirectHover;

// A control whose pointer tracking takes part in DirectHover.
class HoverControl {
 public:
  virtual DirectHover& directHover() = 0;

 protected:
  ~HoverControl() = default;
};

// Qt reports the pointer entering and leaving a widget's whole area, its
// children included. The window's handlers expect the pointer to be over the
// control itself, as the labels and panels of the design behave: moving from
// a tab panel onto its caption label leaves the panel and enters the label,
// moving back leaves the label and enters the panel again. A control feeds
// its own QEvent::Enter and QEvent::Leave here; its hover-tracking children
// report to it through their own DirectHover.
class DirectHover {
 public:
  DirectHover(QWidget* owner, std::function<void()> entered, std::function<void()> left);

  // Takes the owner's Enter, Leave and Hide events. A control hidden under
  // the pointer (a menu row whose panel closes on its click) has left it:
  // Qt sends no Leave then on every platform, and the control would stay
  // "inside" and ignore the pointer's next visit.
  void feed(const QEvent* event);

  // True while the pointer is over the control and none of its tracked children.
  bool isHovered() const { return m_direct; }

 private:
  void ownerEntered();
  void ownerLeft();
  void childEntered();
  void childLeft();
  void evaluate();
  DirectHover* parentHover() const;

  QWidget* m_owner;
  std::function<void()> m_entered;
  std::function<void()> m_left;
  bool m_inside = false;
  int m_childrenHovered = 0;
  bool m_direct = false;
};

}  // namespace kestrovane
