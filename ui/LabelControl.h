#pragma once

#include <QColor>
#include <QLabel>
#include <QPoint>

#include "ui/DirectHover.h"

namespace kestrovane {

// A label that serves as a button: it reports clicks, presses and the pointer
// entering and leaving it. It is highlighted by turning its transparency off,
// so that its own colour fills its background; transparent, the picture
// beneath it shows.
class LabelControl : public QLabel, public HoverControl {
  Q_OBJECT

 public:
  explicit LabelControl(const QString& caption, QWidget* parent = nullptr);

  void setTransparent(bool transparent);
  bool isTransparent() const { return m_transparent; }

  // The background shown while not transparent.
  void setColor(const QColor& color);
  QColor color() const { return m_color; }

  void setTextColor(const QColor& color);

  // With auto size on, the label's size follows its caption.
  void setAutoSize(bool autoSize);

  // Sets the caption (hides QLabel::setText to keep the auto size).
  void setText(const QString& caption);

  DirectHover& directHover() override { return m_hover; }

 signals:
  void clicked();
  void mousePressed(Qt::MouseButton button, QPoint globalPos);
  void mouseEntered();
  void mouseLeft();

 protected:
  bool event(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void applyPalette();

  DirectHover m_hover;
  QColor m_color{255, 255, 255};
  QColor m_textColor{255, 255, 255};
  bool m_transparent = true;
  bool m_autoSize = false;
  bool m_pressed = false;
};

}  // namespace kestrovane
