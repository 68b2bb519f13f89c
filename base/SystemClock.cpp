#include "base/SystemClock.h"

#include <thread>

namespace kestrovane {

SystemClock::SystemClock() : m_start(std::chrono::steady_clock::now()) {}

Clock::Duration SystemClock::now() const {
  return std::chrono::duration_cast<Duration>(std::chrono::steady_clock::now() - m_start);
}

void SystemClock::pause(Duration d) {
  const auto end = std::chrono::steady_clock::now() + d;
  for (;;) {
    const auto due = m_timers.nextDue();
    if (!due || m_start + *due >= end) break;
    std::this_thread::sleep_until(m_start + *due);
    m_timers.fireOne(*due, now());
  }
  std::this_thread::sleep_until(end);
}

void SystemClock::sleep(Duration d) {
  if (d.count() > 0) std::this_thread::sleep_for(d);
}

void SystemClock::processEvents() {
  const Duration t = now();
  while (m_timers.fireOne(t, now())) {
  }
}

Clock::TimerId SystemClock::startTimer(Duration interval, std::function<void()> fn) {
  return m_timers.add(now(), interval, std::move(fn));
}

void SystemClock::stopTimer(TimerId id) {
  m_timers.remove(id);
}

}  // namespace kestrovane
