#include "base/ManualClock.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestrovane {
namespace {

using std::chrono::milliseconds;

TEST(ManualClock, PausesMoveTimeAndAreRecorded) {
  ManualClock clock;
  clock.pause(milliseconds{10});
  clock.processEvents();
  clock.pause(milliseconds{200});
  clock.advance(milliseconds{5});
  EXPECT_EQ(clock.now(), milliseconds{215});
  EXPECT_EQ(clock.pauses(), (std::vector<milliseconds>{milliseconds{10}, milliseconds{200}}));
  EXPECT_EQ(clock.processEventsCount(), 1);
  clock.clearRecord();
  EXPECT_TRUE(clock.pauses().empty());
  EXPECT_EQ(clock.processEventsCount(), 0);
}

TEST(ManualClock, TimersFireInOrderOfTheirDueTimes) {
  ManualClock clock;
  std::vector<std::pair<char, long long>> fired;
  clock.startTimer(milliseconds{3}, [&] { fired.emplace_back('a', clock.now().count()); });
  clock.startTimer(milliseconds{5}, [&] { fired.emplace_back('b', clock.now().count()); });
  clock.advance(milliseconds{10});
  const std::vector<std::pair<char, long long>> expected{
      {'a', 3}, {'b', 5}, {'a', 6}, {'a', 9}, {'b', 10}};
  EXPECT_EQ(fired, expected);
  EXPECT_EQ(clock.now(), milliseconds{10});
}

TEST(ManualClock, TimerFiresAgainInsideItsOwnLongPause) {
  // As a window timer does during a nested message loop: the pause inside
  // the first call reaches the next two due times.
  ManualClock clock;
  std::vector<long long> fired;
  clock.startTimer(milliseconds{10}, [&] {
    fired.push_back(clock.now().count());
    if (fired.size() == 1) clock.pause(milliseconds{25});
  });
  clock.advance(milliseconds{40});
  EXPECT_EQ(fired, (std::vector<long long>{10, 20, 30, 40}));
  EXPECT_EQ(clock.now(), milliseconds{40});
}

TEST(ManualClock, StoppedTimerNoLongerFires) {
  ManualClock clock;
  int calls = 0;
  Clock::TimerId self = 0;
  self = clock.startTimer(milliseconds{1}, [&] {
    ++calls;
    clock.stopTimer(self);
  });
  int other = 0;
  const Clock::TimerId id = clock.startTimer(milliseconds{2}, [&] { ++other; });
  clock.advance(milliseconds{4});
  clock.stopTimer(id);
  clock.advance(milliseconds{10});
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(other, 2);
}

TEST(ManualClock, ZeroIntervalCountsAsOneMillisecond) {
  ManualClock clock;
  int calls = 0;
  clock.startTimer(milliseconds{0}, [&] { ++calls; });
  clock.advance(milliseconds{3});
  EXPECT_EQ(calls, 3);
}

TEST(ManualClock, HooksRunInsidePausesAndEvents) {
  ManualClock clock;
  std::vector<long long> seen;
  clock.setPauseHook([&](Clock::Duration d) { seen.push_back(d.count()); });
  clock.setProcessEventsHook([&] { seen.push_back(-1); });
  clock.pause(milliseconds{200});
  clock.processEvents();
  EXPECT_EQ(seen, (std::vector<long long>{200, -1}));
}

}  // namespace
}  // namespace kestrovane
