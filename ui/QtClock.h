#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <map>

#include "base/Clock.h"

class QTimer;

namespace kestrovane {

// The program's clock: waits for real while the window keeps processing its
// events, and runs timers as QTimers on the user-interface thread.
class QtClock final : public Clock {
 public:
  QtClock();
  ~QtClock() override;

  Duration now() const override;
  // Runs a local event loop until d has passed: window events are handled
  // meanwhile and the thread sleeps between them.
  // When the application is quitting, local event loops end at once; the
  // rest of the pause is then slept, so the mouse stays paced.
  void pause(Duration d) override;
  void sleep(Duration d) override;
  void processEvents() override;
  TimerId startTimer(Duration interval, std::function<void()> fn) override;
  void stopTimer(TimerId id) override;

 private:
  QElapsedTimer m_elapsed;
  QObject m_timerOwner;
  std::map<TimerId, QTimer*> m_timers;
  TimerId m_nextId = 1;
};

}  // namespace kestrovane
