// Prints what the window does while the mouse is written, with the program's
// own clock: the wall time of five mode writes and ten macro writes against
// the virtual mouse, as a ratio to the pacing floor, and the longest stretch
// in which the window processed no events (measured by a zero-interval timer
// that fires whenever the event loop runs).
//
// With --startup it instead starts the program's window from the working
// directory (run it from the staged program folder), and prints, once the
// main window has painted for the first time, the time since the epoch in
// nanoseconds and the resident memory, then ends: tools/bench-startup.sh
// turns these into the time from process start to first paint.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "app/Program.h"
#include "device/VirtualMouse.h"
#include "ui/QtClock.h"

namespace kestrovane {
namespace {

long residentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}

class FirstPaint : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !m_seen) {
      m_seen = true;
      const auto epoch = std::chrono::system_clock::now().time_since_epoch();
      const long long ns = std::chrono::duration_cast<std::chrono::nanoseconds>(epoch).count();
      QTimer::singleShot(200, [ns] {
        std::printf("first-paint-epoch-ns %lld\nresident-kB %ld\n", ns, residentKilobytes());
        QApplication::quit();
      });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool m_seen = false;
};

int startup(const QTemporaryDir& vm) {
  QtClock clock;
  Program program(clock,
                  std::make_unique<VirtualMouse>(QFile::encodeName(vm.path()).toStdString()));
  FirstPaint firstPaint;
  program.form().installEventFilter(&firstPaint);
  program.form().FormCreate();
  program.form().show();
  return QApplication::exec();
}

int writeSequence(const QTemporaryDir& vm) {
  QtClock clock;
  Program program(clock,
                  std::make_unique<VirtualMouse>(QFile::encodeName(vm.path()).toStdString()));
  HidDeviceLink& link = program.deviceLink();
  link.FillDeviceIdTable();
  link.DetectHIDDeviceCounterTimer();
  if (link.link().featureHandle == kInvalidHidHandle) {
    std::fprintf(stderr, "the virtual mouse was not linked\n");
    return 1;
  }

  QElapsedTimer elapsed;
  qint64 lastRun = 0, longest = 0;
  long loopRuns = 0;
  const auto ran = [&](qint64 at) {
    longest = std::max(longest, at - lastRun);
    lastRun = at;
  };
  QTimer beat;
  beat.setInterval(0);
  QObject::connect(&beat, &QTimer::timeout, [&] {
    ++loopRuns;
    ran(elapsed.nsecsElapsed());
  });
  beat.start();

  elapsed.start();
  ModeImage image{};
  for (int n = 1; n <= kModeCount; ++n) {
    image[0] = static_cast<std::uint8_t>(n);
    link.WriteMode(n, image);
  }
  for (int k = 1; k <= 10; ++k) link.WriteMacro(k, program.macroRecords()[std::size_t(k - 1)]);
  const qint64 end = elapsed.nsecsElapsed();
  beat.stop();

  ran(end);
  const double floor = 10.0 * 50 + 200.0 * 25;
  std::printf("5 x WriteMode + 10 x WriteMacro, virtual mouse, the window's clock\n");
  std::printf("pacing floor             %.1f ms (10 ms x 50 + 200 ms x 25)\n", floor);
  std::printf("wall time                %.1f ms\n", double(end) / 1e6);
  std::printf("wall / floor             %.4f\n", double(end) / 1e6 / floor);
  std::printf("event loop runs          %ld\n", loopRuns);
  std::printf("longest without events   %.2f ms\n", double(longest) / 1e6);
  std::printf("failure flag             %s\n", link.deviceWriteFailed() ? "set" : "clear");
  return link.deviceWriteFailed() ? 1 : 0;
}

}  // namespace
}  // namespace kestrovane

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTemporaryDir vm;
  if (argc > 1 && std::string(argv[1]) == "--startup") return kestrovane::startup(vm);
  return kestrovane::writeSequence(vm);
}
