#pragma once

#include <functional>
#include <vector>

#include "base/Clock.h"
#include "base/TimerQueue.h"

namespace kestrovane {

// A clock whose time moves only when asked: pause() and advance() move it at
// once and fire the timers that fall due on the way, in order of their due
// times; sleep() moves it without firing any (they fire late at the next
// pause or advance). Every pause and sleep asked and every processEvents call
// is recorded, so a test can check the pacing of a sequence without waiting
// for it.
class ManualClock : public Clock {
 public:
  Duration now() const override { return m_now; }

  // Records d, runs the pause hook, then advances by d.
  void pause(Duration d) override;

  // Records d, runs the sleep hook, then moves time on by d without firing
  // timers.
  void sleep(Duration d) override;

  // Counts the call and runs the events hook; time does not move.
  void processEvents() override;

  TimerId startTimer(Duration interval, std::function<void()> fn) override;
  void stopTimer(TimerId id) override;

  // Moves time on by d (nothing for d <= 0), firing due timers on the way; a
  // timer firing at time t sees now() == t.
  void advance(Duration d);

  // Every pause and sleep asked, in order.
  const std::vector<Duration>& pauses() const { return m_pauses; }
  int processEventsCount() const { return m_processEventsCount; }
  void clearRecord();

  // What happens "while" the program waits or lets events run: a test can plug
  // a device, fire a tick or click something here.
  void setPauseHook(std::function<void(Duration)> hook) { m_pauseHook = std::move(hook); }
  // A sleep lets nothing run in the program; the hook is for logging, and for
  // tests of guards against code that would run there all the same.
  void setSleepHook(std::function<void(Duration)> hook) { m_sleepHook = std::move(hook); }
  void setProcessEventsHook(std::function<void()> hook) { m_eventsHook = std::move(hook); }

 private:
  Duration m_now{0};
  detail::TimerQueue m_timers;
  std::vector<Duration> m_pauses;
  int m_processEventsCount = 0;
  std::function<void(Duration)> m_pauseHook;
  std::function<void(Duration)> m_sleepHook;
  std::function<void()> m_eventsHook;
};

}  // namespace kestrovane
