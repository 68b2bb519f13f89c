#pragma once

#include <QColor>
#include <QWidget>

class QLabel;
class QMovie;

namespace kestrovane {

// The loading window, shown while the mouse is written and while settings
// are saved or reset: a borderless, always-on-top window of 138 x 164 that
// shows only the built-in animation WaitGif; its key colour 192,220,192 is
// cut out of the window. It never takes the focus or activation and lets
// input through, so the main window keeps working while it is shown. It is
// created once at start-up, then only shown and hidden.
class TForm4 : public QWidget {
  Q_OBJECT

 public:
  static constexpr QSize kSize{138, 164};
  static constexpr QSize kAnimationSize{126, 126};
  static inline const QColor kKeyColour{192, 220, 192};

  explicit TForm4(QWidget* parent = nullptr);

  // The running animation.
  QMovie* WaitGif() const { return m_waitGif; }

 private:
  QLabel* m_animation = nullptr;
  QMovie* m_waitGif = nullptr;
};

}  // namespace kestrovane
