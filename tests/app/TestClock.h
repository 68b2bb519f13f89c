#pragma once

#include <QCoreApplication>
#include <map>
#include <vector>

#include "base/Clock.h"

namespace kestrovane::test {

// A clock for window tests: pauses and sleeps take no time but are recorded,
// timers fire only when the test moves time on.
class TestClock final : public Clock {
 public:
  struct Timer {
    Duration interval;
    Duration nextDue;
    std::function<void()> fn;
  };

  Duration now() const override { return m_now; }
  void pause(Duration d) override {
    pauses.push_back(d);
    m_now += d;
  }
  void sleep(Duration d) override {
    pauses.push_back(d);
    m_now += d;
  }
  void processEvents() override { ++processEventsCalls; }
  TimerId startTimer(Duration interval, std::function<void()> fn) override {
    const TimerId id = m_nextId++;
    timers[id] = Timer{interval, m_now + interval, std::move(fn)};
    return id;
  }
  void stopTimer(TimerId id) override { timers.erase(id); }

  // Moves time on by d, firing every timer each time it falls due.
  void advance(Duration d) {
    const Duration end = m_now + d;
    for (;;) {
      auto due = timers.end();
      for (auto it = timers.begin(); it != timers.end(); ++it)
        if (it->second.nextDue <= end &&
            (due == timers.end() || it->second.nextDue < due->second.nextDue))
          due = it;
      if (due == timers.end()) break;
      m_now = due->second.nextDue;
      due->second.nextDue += due->second.interval;
      const auto fn = due->second.fn;
      fn();
    }
    m_now = end;
  }

  std::vector<Duration> pauses;
  int processEventsCalls = 0;
  std::map<TimerId, Timer> timers;

 private:
  Duration m_now{0};
  TimerId m_nextId = 1;
};

}  // namespace kestrovane::test
