#include "ui/QtClock.h"

#include <QCoreApplication>
#include <QTest>
#include <QTimer>
#include <ctime>

#ifdef _WIN32
#include <windows.h>
#endif

namespace kestrovane::test {
namespace {

// The CPU time this process has used, in ms. The C runtime's clock() on
// Windows counts wall time, so there the kernel's own figures are read.
double processCpuMs() {
#ifdef _WIN32
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return -1.0;
  const auto ticks = [](const FILETIME& t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;  // 100 ns units
#else
  return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
#endif
}

}  // namespace

// These tests wait for real, briefly: they check the one clock that does.
class QtClockTest : public QObject {
  Q_OBJECT

 private slots:
  void pauseWaitsWhileWindowEventsRun() {
    QtClock clock;
    bool ran = false;
    QTimer::singleShot(0, [&ran] { ran = true; });
    const auto before = clock.now();
    clock.pause(Clock::Duration(20));
    QVERIFY(ran);
    QVERIFY(clock.now() - before >= Clock::Duration(20));
  }

  // A pause sleeps between events instead of spinning.
  void pauseDoesNotSpin() {
    QtClock clock;
    const double cpuBefore = processCpuMs();
    QVERIFY(cpuBefore >= 0.0);
    clock.pause(Clock::Duration(60));
    const double cpuMs = processCpuMs() - cpuBefore;
    QVERIFY2(cpuMs < 30.0, qPrintable(QString::number(cpuMs)));
  }

  // The wait after a transfer: nothing may run between a command's halves.
  void sleepLetsNoEventRun() {
    QtClock clock;
    bool ran = false;
    QTimer::singleShot(0, [&ran] { ran = true; });
    const auto before = clock.now();
    clock.sleep(Clock::Duration(15));
    QVERIFY(!ran);
    QVERIFY(clock.now() - before >= Clock::Duration(15));
    clock.processEvents();
    QVERIFY(ran);
  }

  void processEventsRunsWhatIsPending() {
    QtClock clock;
    bool ran = false;
    QTimer::singleShot(0, [&ran] { ran = true; });
    clock.processEvents();
    QVERIFY(ran);
  }

  void timerRepeatsUntilStoppedEvenFromItsOwnCall() {
    QtClock clock;
    int calls = 0;
    Clock::TimerId id = 0;
    id = clock.startTimer(Clock::Duration(1), [&] {
      if (++calls == 3) clock.stopTimer(id);
    });
    QTRY_COMPARE_WITH_TIMEOUT(calls, 3, 2000);
    clock.pause(Clock::Duration(15));
    QCOMPARE(calls, 3);
    clock.stopTimer(id);  // stopping twice is harmless
  }

  void timersDieWithTheClock() {
    int calls = 0;
    {
      QtClock clock;
      clock.startTimer(Clock::Duration(1), [&calls] { ++calls; });
    }
    QTest::qWait(10);
    QCOMPARE(calls, 0);
  }

  // Closing the last window quits the application, which ends every local
  // event loop at once; a write sequence still running must stay paced.
  // Last here: the quit stays in force for the rest of the process.
  void pauseKeepsPacingWhileTheApplicationQuits() {
    QtClock clock;
    QTimer::singleShot(5, [] { QCoreApplication::exit(0); });
    for (int i = 0; i < 3; ++i) {
      const auto before = clock.now();
      clock.pause(Clock::Duration(20));
      QVERIFY2(clock.now() - before >= Clock::Duration(20), qPrintable(QString::number(i)));
    }
  }
};

}  // namespace kestrovane::test

QTEST_MAIN(kestrovane::test::QtClockTest)
#include "QtClock_test.moc"
