#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "base/Clock.h"

namespace kestrovane::detail {

// The repeating timers of a clock without an event loop of its own. The clock
// asks for the next due time and fires timers while it waits.
class TimerQueue {
 public:
  using Duration = Clock::Duration;

  // Adds a timer whose first call is due one interval after now. An interval
  // below 1 ms counts as 1 ms, so a timer can never fire without time passing.
  Clock::TimerId add(Duration now, Duration interval, std::function<void()> fn);

  // Removes a timer; it may be the one that is running.
  void remove(Clock::TimerId id);

  // The earliest due time of all timers, none when there are none.
  std::optional<Duration> nextDue() const;

  // Fires the earliest timer due at or before upTo, the one added first among
  // equals. Before it runs its next due time moves one interval on, and past
  // now when the timer is late (missed calls are dropped, as a window timer
  // drops them). It may run again from inside its own call when that call
  // waits past the next due time, as a window timer may during a nested
  // message loop. Returns false when no timer was due.
  bool fireOne(Duration upTo, Duration now);

 private:
  struct Timer {
    Clock::TimerId id;
    Duration interval;
    Duration due;
    std::shared_ptr<std::function<void()>> fn;
  };
  std::vector<Timer> m_timers;
  Clock::TimerId m_nextId = 1;
};

}  // namespace kestrovane::detail
