#pragma once

#include <chrono>
#include <functional>

namespace kestrovane {

// Every wait of the program goes through a Clock: the 10 ms pause after a
// transfer, the 200 ms pause after a mode write or a macro half, and the
// 2.5 s detection timer. The program's clock waits for real and keeps the
// window answering while it waits; tests use a manual clock that waits not at
// all and records what was asked.
class Clock {
 public:
  using Duration = std::chrono::milliseconds;
  using TimerId = int;

  virtual ~Clock() = default;

  // Monotonic time, for measurements.
  virtual Duration now() const = 0;

  // Pauses for d. With a window, pending window events keep being processed.
  virtual void pause(Duration d) = 0;

  // Lets pending window events run (nothing to do without a window).
  virtual void processEvents() = 0;

  // Calls fn every interval until stopTimer; the first call comes one
  // interval from now.
  virtual TimerId startTimer(Duration interval, std::function<void()> fn) = 0;
  virtual void stopTimer(TimerId id) = 0;
};

}  // namespace kestrovane
