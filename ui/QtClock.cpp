#include "ui/QtClock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <thread>

#include "ui/ErrorReport.h"

namespace kestrovane {

QtClock::QtClock() {
  m_elapsed.start();
}

QtClock::~QtClock() = default;

Clock::Duration QtClock::now() const {
  return Duration(m_elapsed.elapsed());
}

void QtClock::pause(Duration d) {
  if (d.count() <= 0) {
    processEvents();
    return;
  }
  QEventLoop loop;
  QTimer deadline;
  deadline.setSingleShot(true);
  deadline.setTimerType(Qt::PreciseTimer);
  QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
  const Duration end = now() + d;
  deadline.start(d);
  loop.exec();
  sleep(end - now());
}

void QtClock::sleep(Duration d) {
  if (d.count() > 0) std::this_thread::sleep_for(d);
}

void QtClock::processEvents() {
  QCoreApplication::processEvents();
}

Clock::TimerId QtClock::startTimer(Duration interval, std::function<void()> fn) {
  auto* timer = new QTimer(&m_timerOwner);
  timer->setInterval(interval);
  QObject::connect(timer, &QTimer::timeout, timer, [fn = std::move(fn)] { runGuarded(fn); });
  const TimerId id = m_nextId++;
  m_timers[id] = timer;
  timer->start();
  return id;
}

void QtClock::stopTimer(TimerId id) {
  const auto it = m_timers.find(id);
  if (it == m_timers.end()) return;
  // The timer may be stopped from its own callback: delete it later.
  it->second->stop();
  it->second->deleteLater();
  m_timers.erase(it);
}

}  // namespace kestrovane
