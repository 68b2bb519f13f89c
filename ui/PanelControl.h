#pragma once

#include <QColor>
#include <QPoint>
#include <QWidget>

#include "ui/DirectHover.h"

namespace kestrovane {

// A panel: a plain surface that holds other controls, reports clicks, presses
// and the pointer, and may show a centred caption ("-", "X"). Transparent
// (the default), whatever lies beneath it shows; otherwise its colour fills it.
class PanelControl : public QWidget, public HoverControl {
  Q_OBJECT

 public:
  explicit PanelControl(QWidget* parent = nullptr, const QString& caption = {});

  void setCaption(const QString& caption);
  QString caption() const { return m_caption; }

  void setTransparent(bool transparent);
  bool isTransparent() const { return m_transparent; }
  void setColor(const QColor& color);
  QColor color() const { return m_color; }

  DirectHover& directHover() override { return m_hover; }

 signals:
  void clicked();
  void mousePressed(Qt::MouseButton button, QPoint globalPos);
  void mouseEntered();
  void mouseLeft();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  DirectHover m_hover;
  QString m_caption;
  QColor m_color{255, 255, 255};
  bool m_transparent = true;
  bool m_pressed = false;
};

}  // namespace kestrovane
