#include "base/ManualClock.h"

#include <algorithm>

namespace kestrovane {

void ManualClock::pause(Duration d) {
  m_pauses.push_back(d);
  if (m_pauseHook) m_pauseHook(d);
  advance(d);
}

void ManualClock::sleep(Duration d) {
  m_pauses.push_back(d);
  if (m_sleepHook) m_sleepHook(d);
  m_now += std::max(d, Duration{0});
}

void ManualClock::processEvents() {
  ++m_processEventsCount;
  if (m_eventsHook) m_eventsHook();
}

Clock::TimerId ManualClock::startTimer(Duration interval, std::function<void()> fn) {
  return m_timers.add(m_now, interval, std::move(fn));
}

void ManualClock::stopTimer(TimerId id) {
  m_timers.remove(id);
}

void ManualClock::advance(Duration d) {
  const Duration target = m_now + std::max(d, Duration{0});
  // A timer's own pauses may move time past its successors' due times; they
  // then fire late, in order, at the time reached.
  for (auto due = m_timers.nextDue(); due && *due <= target; due = m_timers.nextDue()) {
    m_now = std::max(m_now, *due);
    m_timers.fireOne(*due, m_now);
  }
  m_now = std::max(m_now, target);
}

void ManualClock::clearRecord() {
  m_pauses.clear();
  m_processEventsCount = 0;
}

}  // namespace kestrovane
