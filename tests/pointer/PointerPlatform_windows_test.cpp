// The Windows pointer options: the calls recorded through the seam, then the
// real registry and SystemParametersInfo of the machine (under wine, of the
// prefix), each restored afterwards.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "pointer/PointerPlatform.h"

namespace kestrovane {
namespace {

struct Call {
  unsigned action = 0;
  unsigned param = 0;
  std::intptr_t pointer = 0;        // the pointer argument's value, when not an address
  std::vector<int> pointedAt = {};  // the three integers behind SPI_SETMOUSE's pointer
  unsigned flags = 0;
  friend bool operator==(const Call&, const Call&) = default;
};

void PrintTo(const Call& c, std::ostream* os) {
  *os << "{action " << c.action << ", param " << c.param << ", pointer " << c.pointer << ", [";
  for (int v : c.pointedAt) *os << v << ' ';
  *os << "], flags " << c.flags << '}';
}

std::vector<Call> recordApply(const PointerSettings& settings) {
  std::vector<Call> calls;
  const auto system = createWindowsPointerSystem(
      [&](unsigned action, unsigned param, void* pointer, unsigned flags) {
        Call call{action, param, 0, {}, flags};
        if (action == SPI_SETMOUSE && pointer != nullptr) {
          const int* mouse = static_cast<const int*>(pointer);
          call.pointedAt.assign(mouse, mouse + 3);
        } else {
          call.pointer = reinterpret_cast<std::intptr_t>(pointer);
        }
        calls.push_back(call);
      });
  system->apply(settings);
  return calls;
}

TEST(WindowsPointerSystem, MakesTheFourCallsInOrderWithTheirExactArguments) {
  struct Case {
    const char* name;
    PointerSettings settings;
    std::intptr_t speed;
    std::vector<int> mouse;
    unsigned doubleClick, wheel;
  };
  const Case cases[] = {
      {"enhanced", {14, 6, 10, 1, 480, 7}, 14, {6, 10, 1}, 480, 7},
      {"one screen per notch", {2, 0, 0, 0, 900, -1}, 2, {0, 0, 0}, 900, 0xFFFFFFFFu},
      {"nothing written yet", {}, 0, {0, 0, 0}, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<Call> expected = {
        {113, 0, c.speed, {}, 2},
        {4, 0, 0, c.mouse, 2},
        {32, c.doubleClick, 0, {}, 2},
        {105, c.wheel, 0, {}, 1},
    };
    EXPECT_EQ(recordApply(c.settings), expected);
  }
}

// Keeps the string values of a key of the current user and puts them back
// (or removes the ones that did not exist) when it goes.
class SavedValues {
 public:
  SavedValues(const char* key, std::vector<std::string> names) : m_key(key) {
    for (auto& name : names) m_values.push_back({std::move(name), read(key, name)});
  }
  SavedValues(const SavedValues&) = delete;
  SavedValues& operator=(const SavedValues&) = delete;
  ~SavedValues() {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, m_key, 0, KEY_SET_VALUE, &handle) != ERROR_SUCCESS) {
      ADD_FAILURE() << "cannot restore " << m_key;
      return;
    }
    for (const auto& [name, text] : m_values) {
      const LSTATUS status = text ? RegSetValueExA(handle, name.c_str(), 0, REG_SZ,
                                                   reinterpret_cast<const BYTE*>(text->c_str()),
                                                   static_cast<DWORD>(text->size() + 1))
                                  : RegDeleteValueA(handle, name.c_str());
      EXPECT_EQ(status, ERROR_SUCCESS) << "restoring " << m_key << "\\" << name;
    }
    RegCloseKey(handle);
  }

  // A REG_SZ value with its terminating zero removed; nullopt when the value
  // is missing or of another type.
  static std::optional<std::string> read(const char* key, const std::string& name) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
      return std::nullopt;
    char buffer[256] = {};
    DWORD type = 0;
    DWORD size = sizeof buffer;
    const LSTATUS status = RegQueryValueExA(handle, name.c_str(), nullptr, &type,
                                            reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(handle);
    if (status != ERROR_SUCCESS || type != REG_SZ || size == 0 || buffer[size - 1] != '\0')
      return std::nullopt;
    return std::string(buffer, size - 1);
  }

 private:
  const char* m_key;
  std::vector<std::pair<std::string, std::optional<std::string>>> m_values;
};

TEST(RegistryPointerStore, WritesStringValuesThatReadBackExactly) {
  const char* mouseKey = "Control Panel\\Mouse";
  const char* desktopKey = "Control Panel\\Desktop";
  const SavedValues mouse(mouseKey, {"MouseSensitivity", "MouseSpeed", "MouseThreshold1",
                                     "MouseThreshold2", "DoubleClickSpeed"});
  const SavedValues desktop(desktopKey, {"WheelScrollLines"});
  const auto store = createPointerStore();

  const PointerValue mouseValues[] = {{kMouseSensitivityValue, "14"},
                                      {kMouseSpeedValue, "1"},
                                      {kMouseThreshold1Value, "6"},
                                      {kMouseThreshold2Value, "10"},
                                      {kDoubleClickSpeedValue, "270"}};
  ASSERT_TRUE(store->writeValues(kMouseKey, mouseValues));
  const PointerValue desktopValues[] = {{kWheelScrollLinesValue, "-1"}};
  ASSERT_TRUE(store->writeValues(kDesktopKey, desktopValues));

  for (const auto& v : mouseValues)
    EXPECT_EQ(SavedValues::read(mouseKey, std::string(v.name)), v.text) << v.name;
  EXPECT_EQ(SavedValues::read(desktopKey, "WheelScrollLines"), "-1");
}

TEST(RegistryPointerStore, NeverCreatesAMissingKey) {
  std::random_device random;
  const std::string parent = "Software\\KestrovaneDriverTest" + std::to_string(random());
  const std::string key = parent + "\\Mouse";
  const PointerValue values[] = {{kMouseSpeedValue, "1"}};

  EXPECT_FALSE(createPointerStore()->writeValues(key, values));
  HKEY handle = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, parent.c_str(), 0, KEY_READ, &handle),
            ERROR_FILE_NOT_FOUND);
  if (handle != nullptr) RegCloseKey(handle);
}

bool underWine() {
  const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

struct LiveValues {
  int speed = 0;
  int mouse[3] = {};
  UINT doubleClick = 0;
  UINT wheel = 0;
};

LiveValues readLive() {
  LiveValues live;
  EXPECT_TRUE(SystemParametersInfoA(SPI_GETMOUSESPEED, 0, &live.speed, 0));
  EXPECT_TRUE(SystemParametersInfoA(SPI_GETMOUSE, 0, live.mouse, 0));
  live.doubleClick = GetDoubleClickTime();
  EXPECT_TRUE(SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &live.wheel, 0));
  return live;
}

TEST(WindowsPointerSystem, ReachesTheRunningSystem) {
  // SPI_SETWHEELSCROLLLINES with SPIF_UPDATEINIFILE writes the user profile.
  const SavedValues desktop("Control Panel\\Desktop", {"WheelScrollLines"});
  const LiveValues before = readLive();

  struct Case {
    PointerSettings settings;
    int expectedSpeed;
    UINT expectedWheel;
  };
  // wine 8 keeps SPI_SETMOUSESPEED's param (0) instead of its pointer
  // argument; Windows keeps the pointer argument, which is the speed.
  const bool wine = underWine();
  const Case cases[] = {
      {{14, 6, 10, 1, 480, 7}, wine ? 0 : 14, 7},
      {{4, 0, 0, 0, 900, -1}, wine ? 0 : 4, WHEEL_PAGESCROLL},
  };
  const auto system = createPointerSystem();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.settings.mouseSpeed);
    system->apply(c.settings);
    const LiveValues live = readLive();
    EXPECT_EQ(live.speed, c.expectedSpeed);
    EXPECT_EQ(live.mouse[0], c.settings.threshold1);
    EXPECT_EQ(live.mouse[1], c.settings.threshold2);
    EXPECT_EQ(live.mouse[2], c.settings.acceleration);
    EXPECT_EQ(live.doubleClick, static_cast<UINT>(c.settings.doubleClickTime));
    EXPECT_EQ(live.wheel, c.expectedWheel);
  }

  // The speed goes as both arguments, so that wine takes it back too.
  const auto speed = static_cast<UINT>(before.speed);
  EXPECT_TRUE(SystemParametersInfoA(SPI_SETMOUSESPEED, speed,
                                    reinterpret_cast<void*>(static_cast<std::intptr_t>(speed)), 0));
  int mouse[3] = {before.mouse[0], before.mouse[1], before.mouse[2]};
  EXPECT_TRUE(SystemParametersInfoA(SPI_SETMOUSE, 0, mouse, 0));
  EXPECT_TRUE(SystemParametersInfoA(SPI_SETDOUBLECLICKTIME, before.doubleClick, nullptr, 0));
  EXPECT_TRUE(SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, before.wheel, nullptr, 0));
}

}  // namespace
}  // namespace kestrovane
