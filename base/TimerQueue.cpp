#include "base/TimerQueue.h"

#include <algorithm>

namespace kestrovane::detail {

Clock::TimerId TimerQueue::add(Duration now, Duration interval, std::function<void()> fn) {
  interval = std::max(interval, Duration{1});
  const Clock::TimerId id = m_nextId++;
  m_timers.push_back(
      {id, interval, now + interval, std::make_shared<std::function<void()>>(std::move(fn))});
  return id;
}

void TimerQueue::remove(Clock::TimerId id) {
  std::erase_if(m_timers, [id](const Timer& t) { return t.id == id; });
}

std::optional<TimerQueue::Duration> TimerQueue::nextDue() const {
  std::optional<Duration> due;
  for (const Timer& t : m_timers)
    if (!due || t.due < *due) due = t.due;
  return due;
}

bool TimerQueue::fireOne(Duration upTo, Duration now) {
  Timer* next = nullptr;
  for (Timer& t : m_timers)
    if (t.due <= upTo && (!next || t.due < next->due)) next = &t;
  if (!next) return false;
  next->due += next->interval;
  if (next->due <= now) next->due = now + next->interval;
  // The call may add or remove timers, itself included: keep the function alive.
  const auto fn = next->fn;
  (*fn)();
  return true;
}

}  // namespace kestrovane::detail
