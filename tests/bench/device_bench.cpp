// Prints what the device link costs: one detection tick over 1, 8 and 32
// interfaces, and the wall time of five mode writes and ten macro writes with
// the real clock against the pacing floor, with the longest stretch in which
// no window events would have been processed.
//
// measureTicks and measureWriteSequence take any transport and any clock, so
// the same figures can be taken against the virtual mouse or with the
// window's clock.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/IniFile.h"
#include "base/ManualClock.h"
#include "base/SystemClock.h"
#include "device/CompositeHidTransport.h"
#include "device/HidDeviceLink.h"
#include "device/VirtualMouse.h"

namespace kestrovane {
namespace {

using Steady = std::chrono::steady_clock;
using std::chrono::milliseconds;

double millisecondsSince(Steady::time_point start) {
  return std::chrono::duration<double, std::milli>(Steady::now() - start).count();
}

// Interfaces held in memory: the mouse (one interface, all three roles) and
// count - 1 other devices. Every transfer succeeds.
class MemoryTransport : public HidTransport {
 public:
  explicit MemoryTransport(int count) {
    m_interfaces.push_back({0x4321, 0x6789, 65, 65, 9});
    for (int i = 1; i < count; ++i)
      m_interfaces.push_back({0x1000, static_cast<std::uint16_t>(i), 8, 0, 0});
  }
  // Adds or removes one more device, so that the next tick re-scans.
  void toggleExtra() {
    if (m_extra)
      m_interfaces.pop_back();
    else
      m_interfaces.push_back({0x2000, 1, 8, 0, 0});
    m_extra = !m_extra;
  }

  std::vector<std::string> enumerate() override {
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < m_interfaces.size(); ++i)
      paths.push_back("mem" + std::to_string(i));
    return paths;
  }
  HidHandle open(const std::string& path, HidOpenError* error) override {
    if (error) *error = HidOpenError::None;
    const HidHandle handle = m_next++;
    m_open[handle] = static_cast<std::size_t>(std::stoul(path.substr(3)));
    return handle;
  }
  bool attributes(HidHandle handle, HidAttributes& out) override {
    auto it = m_open.find(handle);
    if (it == m_open.end() || it->second >= m_interfaces.size()) return false;
    out = m_interfaces[it->second];
    return true;
  }
  bool setFeature(HidHandle handle, const std::uint8_t*, std::size_t) override {
    return m_open.contains(handle);
  }
  bool getFeature(HidHandle handle, std::uint8_t* buffer, std::size_t length) override {
    if (length > 2) buffer[2] = 1;
    return m_open.contains(handle);
  }
  bool write(HidHandle handle, const std::uint8_t*, std::size_t) override {
    return m_open.contains(handle);
  }
  bool read(HidHandle handle, std::uint8_t* buffer, std::size_t length, milliseconds) override {
    std::fill(buffer, buffer + length, std::uint8_t{0});
    return m_open.contains(handle);
  }
  void close(HidHandle handle) override { m_open.erase(handle); }

 private:
  std::vector<HidAttributes> m_interfaces;
  std::map<HidHandle, std::size_t> m_open;
  HidHandle m_next = 1;
  bool m_extra = false;
};

// Counts the transfers that succeeded, which each owe a 10 ms pause (the
// answer of a get-feature owes none).
class CountingTransport : public HidTransport {
 public:
  explicit CountingTransport(HidTransport& inner) : m_inner(inner) {}
  int pacedTransfers = 0;

  std::vector<std::string> enumerate() override { return m_inner.enumerate(); }
  HidHandle open(const std::string& path, HidOpenError* error) override {
    return m_inner.open(path, error);
  }
  bool attributes(HidHandle h, HidAttributes& out) override { return m_inner.attributes(h, out); }
  bool setFeature(HidHandle h, const std::uint8_t* b, std::size_t n) override {
    return count(m_inner.setFeature(h, b, n));
  }
  bool getFeature(HidHandle h, std::uint8_t* b, std::size_t n) override {
    return m_inner.getFeature(h, b, n);
  }
  bool write(HidHandle h, const std::uint8_t* b, std::size_t n) override {
    return count(m_inner.write(h, b, n));
  }
  bool read(HidHandle h, std::uint8_t* b, std::size_t n, milliseconds t) override {
    return count(m_inner.read(h, b, n, t));
  }
  void close(HidHandle h) override { m_inner.close(h); }

 private:
  bool count(bool ok) {
    if (ok) ++pacedTransfers;
    return ok;
  }
  HidTransport& m_inner;
};

// Passes everything to another clock and notes when events were let run and
// how much pausing was asked.
class EventTimingClock : public Clock {
 public:
  explicit EventTimingClock(Clock& inner) : m_inner(inner) {}
  std::vector<Steady::time_point> eventTimes;
  Duration pausesAsked{0};

  Duration now() const override { return m_inner.now(); }
  void pause(Duration d) override {
    pausesAsked += d;
    m_inner.pause(d);
  }
  void sleep(Duration d) override {
    pausesAsked += d;
    m_inner.sleep(d);
  }
  void processEvents() override {
    eventTimes.push_back(Steady::now());
    m_inner.processEvents();
  }
  TimerId startTimer(Duration interval, std::function<void()> fn) override {
    return m_inner.startTimer(interval, std::move(fn));
  }
  void stopTimer(TimerId id) override { m_inner.stopTimer(id); }

 private:
  Clock& m_inner;
};

class SilentControls : public DeviceControls {
 public:
  void DisableDeviceControls() override {}
  void EnableDeviceControls() override {}
  void ShowFirmwareVersion(const std::string&) override {}
  void ShowLoadingWindow() override {}
};

// A transport to measure with, and a way to plug or unplug one device so that
// the next tick re-scans (none: re-scans are not measured).
struct BenchTransport {
  std::unique_ptr<HidTransport> transport;
  std::function<void()> toggleDevice;
};
using TransportFactory = std::function<BenchTransport(int interfaces)>;

struct TickFigures {
  double steadyMicroseconds;  // the count did not change: ten counts
  double rescanMicroseconds;  // the count changed: counts, search, firmware query
};

// Times detection ticks, averaged over rounds: steady ones, then, when toggle
// is given, ones that each follow a change of the device set and re-scan.
TickFigures measureTicks(HidTransport& transport, Clock& clock, const std::function<void()>& toggle,
                         int rounds) {
  SilentControls controls;
  HidDeviceLink link(transport, clock, controls);
  link.FillDeviceIdTable();
  link.DetectHIDDeviceCounterTimer();

  auto start = Steady::now();
  for (int i = 0; i < rounds; ++i) link.DetectHIDDeviceCounterTimer();
  const double steady = millisecondsSince(start) * 1000.0 / rounds;

  double rescan = 0;
  if (toggle) {
    start = Steady::now();
    for (int i = 0; i < rounds; ++i) {
      toggle();
      link.DetectHIDDeviceCounterTimer();
    }
    rescan = millisecondsSince(start) * 1000.0 / rounds;
  }
  return {steady, rescan};
}

struct SequenceFigures {
  double wallMilliseconds;
  double floorMilliseconds;
  long long pausesAskedMilliseconds;
  int pacedTransfers;
  double longestWithoutEventsMilliseconds;
  bool failed;
};

// Links the mouse behind transport, then writes five modes and ten macros,
// timed with clock.
SequenceFigures measureWriteSequence(HidTransport& transport, Clock& clock) {
  CountingTransport counting(transport);
  EventTimingClock timing(clock);
  SilentControls controls;
  HidDeviceLink link(counting, timing, controls);
  link.FillDeviceIdTable();
  link.DetectHIDDeviceCounterTimer();
  counting.pacedTransfers = 0;
  timing.pausesAsked = Clock::Duration{0};
  timing.eventTimes.clear();

  ModeImage image{};
  std::array<std::uint8_t, kMacroRecordLength> record{};
  const auto start = Steady::now();
  for (int n = 1; n <= kModeCount; ++n) {
    image[0] = static_cast<std::uint8_t>(n);
    link.WriteMode(n, image);
  }
  for (int k = 1; k <= kMacroCount; ++k) link.WriteMacro(k, record);
  const auto end = Steady::now();

  std::vector<Steady::time_point> marks{start};
  marks.insert(marks.end(), timing.eventTimes.begin(), timing.eventTimes.end());
  marks.push_back(end);
  double longest = 0;
  for (std::size_t i = 1; i < marks.size(); ++i)
    longest = std::max(longest,
                       std::chrono::duration<double, std::milli>(marks[i] - marks[i - 1]).count());

  const int commandPauses = kModeCount + 2 * kMacroCount;
  const double floor = 10.0 * counting.pacedTransfers + 200.0 * commandPauses;
  return {std::chrono::duration<double, std::milli>(end - start).count(),
          floor,
          timing.pausesAsked.count(),
          counting.pacedTransfers,
          longest,
          link.deviceWriteFailed()};
}

// Virtual mice in folders under root: the mouse itself and count - 1 others
// with another product ID, each one interface, plus one more that the toggle
// plugs and unplugs (Present).
BenchTransport virtualMice(const std::filesystem::path& root, int count) {
  auto composite = std::make_unique<CompositeHidTransport>();
  std::filesystem::path extra;
  for (int i = 0; i <= count; ++i) {
    const std::filesystem::path dir =
        root / ("vm" + std::to_string(count) + "_" + std::to_string(i));
    std::filesystem::create_directories(dir);
    IniFile ini;
    if (i > 0) ini.setInt("Device", "ProductId", 0x1000 + i);
    if (i == count) {
      ini.setInt("Device", "Present", 0);
      extra = dir / VirtualMouse::kStateFile;
    }
    ini.save(dir / VirtualMouse::kStateFile);
    composite->add(std::make_unique<VirtualMouse>(dir), VirtualMouse::kPathPrefix);
  }
  return BenchTransport{std::move(composite), [extra] {
                          IniFile ini = IniFile::load(extra);
                          ini.setInt("Device", "Present",
                                     ini.getInt("Device", "Present", 0) ? 0 : 1);
                          ini.save(extra);
                        }};
}

void printTicks(const char* title, const TransportFactory& factory, int rounds) {
  std::printf("%s\n", title);
  std::printf("%12s %18s %18s\n", "interfaces", "steady tick (us)", "re-scan tick (us)");
  for (int interfaces : {1, 8, 32}) {
    const BenchTransport bench = factory(interfaces);
    ManualClock clock;
    const TickFigures f = measureTicks(*bench.transport, clock, bench.toggleDevice, rounds);
    std::printf("%12d %18.2f %18.2f\n", interfaces, f.steadyMicroseconds, f.rescanMicroseconds);
  }
}

void printSequence(const char* title, HidTransport& transport) {
  std::printf("\n%s\n", title);
  SystemClock clock;
  const SequenceFigures s = measureWriteSequence(transport, clock);
  std::printf("paced transfers          %d\n", s.pacedTransfers);
  std::printf("pacing floor             %.1f ms (10 ms x %d + 200 ms x %d)\n", s.floorMilliseconds,
              s.pacedTransfers, kModeCount + 2 * kMacroCount);
  std::printf("pauses asked             %lld ms\n", s.pausesAskedMilliseconds);
  std::printf("wall time                %.1f ms\n", s.wallMilliseconds);
  std::printf("wall / floor             %.4f\n", s.wallMilliseconds / s.floorMilliseconds);
  std::printf("longest without events   %.1f ms\n", s.longestWithoutEventsMilliseconds);
  std::printf("failure flag             %s\n", s.failed ? "set" : "clear");
}

}  // namespace
}  // namespace kestrovane

int main() {
  using namespace kestrovane;
  constexpr int kTickRounds = 500;
  const TransportFactory factory = [](int interfaces) {
    auto memory = std::make_unique<MemoryTransport>(interfaces);
    MemoryTransport* raw = memory.get();
    return BenchTransport{std::move(memory), [raw] { raw->toggleExtra(); }};
  };

  printTicks("detection tick, in-memory transport (manual clock, so pauses cost nothing)", factory,
             kTickRounds);
  const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("kestrovane-bench-" + std::to_string(::getpid()));
  const TransportFactory virtualFactory = [&root](int interfaces) {
    return virtualMice(root, interfaces);
  };
  std::printf("\n");
  printTicks("detection tick, virtual mice (their state files read at every call)", virtualFactory,
             50);

  printSequence("5 x WriteMode + 10 x WriteMacro, in-memory transport, SystemClock",
                *factory(1).transport);
  printSequence("5 x WriteMode + 10 x WriteMacro, virtual mouse, SystemClock",
                *virtualFactory(1).transport);
  std::filesystem::remove_all(root);
  return 0;
}
