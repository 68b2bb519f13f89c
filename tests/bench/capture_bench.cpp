// The time from a key event to its script line, system-wide: XTEST types a
// key into the X server while another window has the focus; the XInput2
// source hands it over and the recording rules write its line. Prints the
// median and the slowest of 1,000 events and whether any was lost. Run it
// under Xvfb: xvfb-run -a build/tests/bench/capture_bench
#include <poll.h>

// Xlib defines None as a macro: after everything else.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "macro/PlatformKeyCapture.h"
#include "tests/macro/RecordingSink.h"

namespace kestrovane {
namespace {

using test::Recording;

int run() {
  Recording recording;
  recording.restartOnEnd = true;
  std::unique_ptr<KeyCapture> capture = makeX11KeyCapture(recording, nullptr);
  Display* typist = XOpenDisplay(nullptr);
  if (!capture || typist == nullptr) {
    std::fputs("needs an X display with XInput 2 and XTEST\n", stderr);
    return 1;
  }
  const Window other =
      XCreateSimpleWindow(typist, DefaultRootWindow(typist), 0, 0, 100, 100, 0, 0, 0);
  XMapRaised(typist, other);
  XSync(typist, False);
  XSetInputFocus(typist, other, RevertToParent, CurrentTime);
  recording.recorder.startRecording();
  capture->startWatching();
  capture->setEnabled(true);

  constexpr int kEvents = 1000;
  constexpr unsigned kKeyA = 38;  // X key code of A
  std::vector<double> micros;
  int lost = 0;
  for (int i = 0; i < kEvents; ++i) {
    const std::size_t linesBefore = recording.script().size();
    const int eventsBefore = recording.events;
    const auto start = std::chrono::steady_clock::now();
    XTestFakeKeyEvent(typist, kKeyA, i % 2 == 0, 0);
    XFlush(typist);
    // Waits at most one second for the event's line.
    while (recording.script().size() == linesBefore &&
           std::chrono::steady_clock::now() - start < std::chrono::seconds(1)) {
      pollfd fd{capture->eventDescriptor(), POLLIN, 0};
      poll(&fd, 1, 100);
      capture->dispatch();
    }
    if (recording.events == eventsBefore) ++lost;
    micros.push_back(
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
            .count());
  }
  XDestroyWindow(typist, other);
  XCloseDisplay(typist);
  std::sort(micros.begin(), micros.end());
  std::printf("events: %d, lost: %d, key events seen: %d\n", kEvents, lost, recording.events);
  std::printf("key event to script line: median %.0f us, 99th %.0f us, slowest %.0f us\n",
              micros[micros.size() / 2], micros[micros.size() * 99 / 100], micros.back());
  return lost == 0 ? 0 : 1;
}

}  // namespace
}  // namespace kestrovane

int main() {
  return kestrovane::run();
}
