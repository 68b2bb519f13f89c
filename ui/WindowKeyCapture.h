#pragma once

#include <QObject>

#include "macro/EvdevKeyCapture.h"

namespace kestrovane {

// The capture source of last resort: the keys the program's own windows
// receive, while it records. Only keys typed into the program's window are
// seen; where the system gives no system-wide source (no X11 session), this
// keeps recording possible. Linux only: Qt's native scan codes there are the
// X key codes, evdev codes + 8.
class WindowKeyCapture final : public QObject, public EvdevKeyCapture {
 public:
  explicit WindowKeyCapture(KeyCaptureSink& sink);
  ~WindowKeyCapture() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// The note shown once when recording falls back to the window's own keys.
inline constexpr char kWindowKeysOnlyNote[] =
    "Only keys typed into this window are recorded: this session gives no program the keys of "
    "the whole system. To record keys typed anywhere, start the program in an X11 session, or "
    "join the group \"input\" (sudo adduser $USER input) and log in again.";

}  // namespace kestrovane
