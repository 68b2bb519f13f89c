// Prints what the window does while Apply writes the mouse, with the
// program's own clock: a program over the virtual mouse, started from a
// scratch folder with the factory settings and one macro, runs ApplyClick
// (five modes, compilation, ten macros, the pointer options, which go
// nowhere); printed are the medians of the wall time, as a ratio to the
// pacing floor, and of the longest stretch in which the window processed no
// events (measured by a zero-interval timer that fires whenever the event
// loop runs). window_bench [RUNS], three by default.
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
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/Program.h"
#include "base/Error.h"
#include "device/VirtualMouse.h"
#include "macro/MacroFile.h"
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

// A program folder of the benchmark's own: the shipped factory settings and
// one recorded macro (Ctrl down, delay, A down, delay, A up).
bool fillProgramFolder(const std::filesystem::path& folder) {
  std::error_code ec;
  for (const char* sub : {"configure", "data"}) {
    std::filesystem::create_directories(folder / sub, ec);
    if (ec) return false;
    std::filesystem::copy(std::filesystem::path(KESTROVANE_RESOURCES) / sub, folder / sub, ec);
    if (ec) return false;
  }
  std::filesystem::create_directories(folder / "Macro", ec);
  if (ec) return false;
  const MacroScript script{"1",     "1 Ctrl CODE:1111", "0 80", "1 A CODE:0004",
                           "0 120", "2 A CODE:0004"};
  try {
    WriteMacroFile((folder / "Macro").string() + "/", "Fire", script);
  } catch (const Error& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return false;
  }
  return true;
}

double median(std::vector<double> values) {
  const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

int applyClicks(const QTemporaryDir& vm, int runs) {
  QTemporaryDir programDir;
  if (!programDir.isValid() || !fillProgramFolder(programDir.path().toStdString())) {
    std::fprintf(stderr, "the program folder could not be made\n");
    return 1;
  }
  QtClock clock;
  Program program(clock, std::make_unique<VirtualMouse>(QFile::encodeName(vm.path()).toStdString()),
                  std::make_unique<NullPointerStore>(), std::make_unique<NullPointerSystem>());
  const std::string folder = QFile::encodeName(programDir.path()).toStdString();
  program.setFolders(folder, folder);
  // Start-up as the program does it: settings read, the current mode loaded.
  program.form().FormCreate();
  HidDeviceLink& link = program.deviceLink();
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

  const double floor = 10.0 * 50 + 200.0 * 25;
  std::vector<double> walls, stretches, loops;
  for (int run = 0; run < runs; ++run) {
    loopRuns = 0;
    longest = 0;
    lastRun = 0;
    beat.start();
    elapsed.start();
    ApplyResult result = ApplyResult::Stopped;
    try {
      result = program.commands().ApplyClick();
    } catch (const Error& error) {
      std::fprintf(stderr, "Apply stopped: %s\n", error.what());
      return 1;
    }
    const qint64 end = elapsed.nsecsElapsed();
    beat.stop();
    ran(end);
    if (result != ApplyResult::Written || link.deviceWriteFailed()) {
      std::fprintf(stderr, "Apply did not write the mouse (run %d)\n", run + 1);
      return 1;
    }
    walls.push_back(double(end) / 1e6);
    stretches.push_back(double(longest) / 1e6);
    loops.push_back(double(loopRuns));
    std::printf("run %d: wall %.1f ms, longest without events %.2f ms\n", run + 1, walls.back(),
                stretches.back());
  }
  std::printf("ApplyClick: factory settings, one macro, virtual mouse, the window's clock\n");
  std::printf("pacing floor             %.1f ms (10 ms x 50 + 200 ms x 25)\n", floor);
  std::printf("wall time                %.1f ms  median of %d\n", median(walls), runs);
  std::printf("wall / floor             %.4f\n", median(walls) / floor);
  std::printf("event loop runs          %.0f\n", median(loops));
  std::printf("longest without events   %.2f ms\n", median(stretches));
  std::printf("failure flag             %s\n", link.deviceWriteFailed() ? "set" : "clear");
  return 0;
}

}  // namespace
}  // namespace kestrovane

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTemporaryDir vm;
  if (argc > 1 && std::string(argv[1]) == "--startup") return kestrovane::startup(vm);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  return kestrovane::applyClicks(vm, runs);
}
