#include "ui/WindowKeyCapture.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace kestrovane {

namespace {

constexpr int kEvdevKeyCodeOffset = 8;

}  // namespace

WindowKeyCapture::WindowKeyCapture(KeyCaptureSink& sink) : EvdevKeyCapture(sink) {
  QCoreApplication::instance()->installEventFilter(this);
}

WindowKeyCapture::~WindowKeyCapture() {
  if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

// A key event reaches the filter once per widget it is offered to; only the
// one sent to a window (the first) counts.
bool WindowKeyCapture::eventFilter(QObject* watched, QEvent* event) {
  if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
      watched->isWindowType()) {
    const auto* keyEvent = static_cast<const QKeyEvent*>(event);
    key(static_cast<int>(keyEvent->nativeScanCode()) - kEvdevKeyCodeOffset,
        event->type() == QEvent::KeyPress);
  }
  return false;
}

}  // namespace kestrovane
