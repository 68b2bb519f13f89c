#pragma once

#include <chrono>

#include "base/Clock.h"
#include "base/TimerQueue.h"

namespace kestrovane {

// A clock that waits for real, for programs without a window (the command
// line, benchmarks). There is no event loop: its timers fire only inside
// pause() and processEvents(), on the caller's thread, when they are due. A
// program that wants the detection timer to run therefore pauses.
class SystemClock : public Clock {
 public:
  SystemClock();

  // Time since the clock was made.
  Duration now() const override;

  // Sleeps until d has passed, waking to fire the timers that fall due.
  void pause(Duration d) override;

  // Sleeps d; no timer fires meanwhile.
  void sleep(Duration d) override;

  // Fires the timers that are due now.
  void processEvents() override;

  TimerId startTimer(Duration interval, std::function<void()> fn) override;
  void stopTimer(TimerId id) override;

 private:
  std::chrono::steady_clock::time_point m_start;
  detail::TimerQueue m_timers;
};

}  // namespace kestrovane
