#pragma once

#include <chrono>
#include <functional>

namespace kestrovane {

// Every wait of the program goes through a Clock: the 10 ms sleep after a
// transfer, the 200 ms pause after a mode write or a macro half, and the
// 2.5 s detection timer. The program's clock waits for real and keeps the
// window answering during pauses; tests use a manual clock that waits not at
// all and records what was asked.
class Clock {
 public:
  using Duration = std::chrono::milliseconds;
  using TimerId = int;

  virtual ~Clock() = default;

  // Monotonic time, for measurements.
  virtual Duration now() const = 0;

  // Pauses for d. With a window, pending window events keep being processed,
  // so timers and user actions may run inside the pause.
  virtual void pause(Duration d) = 0;

  // Waits d and lets nothing else run: the wait after a transfer, while the
  // mouse expects the rest of its command. No timer fires and no window event
  // is handled, so nothing can reach the mouse between a command's feature
  // request and its report.
  virtual void sleep(Duration d) = 0;

  // Lets pending window events run (nothing to do without a window).
  virtual void processEvents() = 0;

  // Calls fn every interval until stopTimer; the first call comes one
  // interval from now.
  virtual TimerId startTimer(Duration interval, std::function<void()> fn) = 0;
  virtual void stopTimer(TimerId id) = 0;
};

}  // namespace kestrovane
