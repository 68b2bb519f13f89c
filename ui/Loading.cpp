#include "ui/Loading.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QMovie>
#include <QRegion>
#include <QScreen>
#include <algorithm>
#include <vector>

// The animation is compiled into the library; a static library needs its
// resources registered by name (outside any namespace).
static void registerLoadingResources() {
  Q_INIT_RESOURCE(Loading);
}

namespace kestrovane {

namespace {

const char* const kWaitGifPath = ":/WaitGif.gif";

// The pixels of the animation that are not the key colour in any frame,
// placed at offset: what stays of the window.
QRegion animationRegion(QPoint offset, QColor key) {
  QImageReader reader(kWaitGifPath);
  const int w = TForm4::kAnimationSize.width();
  const int h = TForm4::kAnimationSize.height();
  std::vector<bool> shown(static_cast<std::size_t>(w * h), false);
  QImage frame;
  while (reader.read(&frame)) {
    const QImage rgb = frame.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < std::min(h, rgb.height()); ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
      for (int x = 0; x < std::min(w, rgb.width()); ++x) {
        if ((line[x] & 0xFFFFFFu) != (key.rgb() & 0xFFFFFFu)) {
          shown[static_cast<std::size_t>(y * w + x)] = true;
        }
      }
    }
  }
  QRegion region;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w;) {
      if (!shown[static_cast<std::size_t>(y * w + x)]) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < w && shown[static_cast<std::size_t>(y * w + x)]) ++x;
      region += QRect(offset.x() + start, offset.y() + y, x - start, 1);
    }
  }
  return region;
}

}  // namespace

TForm4::TForm4(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput |
                          Qt::NoDropShadowWindowHint) {
  registerLoadingResources();
  setAttribute(Qt::WA_ShowWithoutActivating);
  // Neither keeps the program alive nor ends it when it is hidden or closed.
  setAttribute(Qt::WA_QuitOnClose, false);
  setWindowModality(Qt::NonModal);
  setFocusPolicy(Qt::NoFocus);
  setFixedSize(kSize);

  QPalette pal = palette();
  pal.setColor(QPalette::Window, kKeyColour);
  setPalette(pal);
  setAutoFillBackground(true);

  // Centred as the main window is: half the screen minus half the window,
  // each halving truncated.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect s = screen->geometry();
    move(s.x() + s.width() / 2 - kSize.width() / 2, s.y() + s.height() / 2 - kSize.height() / 2);
  }

  const QPoint at((kSize.width() - kAnimationSize.width()) / 2,
                  (kSize.height() - kAnimationSize.height()) / 2);
  m_animation = new QLabel(this);
  m_animation->setGeometry(QRect(at, kAnimationSize));
  m_waitGif = new QMovie(kWaitGifPath, QByteArray(), this);
  m_waitGif->setCacheMode(QMovie::CacheAll);
  m_animation->setMovie(m_waitGif);
  setMask(animationRegion(at, kKeyColour));
  m_waitGif->start();
}

}  // namespace kestrovane
