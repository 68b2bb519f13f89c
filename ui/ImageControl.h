#pragma once

#include <QPixmap>
#include <QPoint>
#include <QWidget>

namespace kestrovane {

// An image control: shows one picture, transparent where the picture is.
// How the picture sits in the control is fixed by the window's design.
class ImageControl : public QWidget {
  Q_OBJECT

 public:
  enum class Placement {
    TopLeft,   // drawn from the top-left corner (the window background)
    Centre,    // the control keeps its design size; the picture is centred
    AutoSize,  // the control takes the picture's size
  };

  ImageControl(QWidget* parent, Placement placement);

  // Without a picture the control keeps its size and draws nothing.
  void setPicture(const QPixmap& picture);
  const QPixmap& picture() const { return m_picture; }
  Placement placement() const { return m_placement; }

  // Drops the click of the press in progress (a press that became a drag).
  void cancelClick() { m_pressed = false; }

 signals:
  void clicked();
  void mousePressed(Qt::MouseButton button, QPoint globalPos);
  void pictureChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  Placement m_placement;
  QPixmap m_picture;
  bool m_pressed = false;
};

}  // namespace kestrovane
