// The Linux pointer options: the per-user file, what reaches GNOME and X11
// (recorded through the seams), and the real GSettings against the memory
// backend, with and without the mouse schema installed.
#include <gio/gio.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "pointer/PointerPlatform.h"
#include "tests/TempFolder.h"

namespace kestrovane {
namespace {

namespace fs = std::filesystem;

TEST(PointerStoreFile, FollowsXdgConfigHomeThenHome) {
  struct Case {
    const char* xdg;
    const char* home;
    std::optional<fs::path> file;
  };
  const Case cases[] = {
      {"/x/config", "/home/u", "/x/config/KestrovaneDriver/pointer.ini"},
      {nullptr, "/home/u", "/home/u/.config/KestrovaneDriver/pointer.ini"},
      {"", "/home/u", "/home/u/.config/KestrovaneDriver/pointer.ini"},
      {"relative/config", "/home/u", "/home/u/.config/KestrovaneDriver/pointer.ini"},
      {"/x/config", nullptr, "/x/config/KestrovaneDriver/pointer.ini"},
      {nullptr, nullptr, std::nullopt},
      {"", "", std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(pointerStoreFile(c.xdg, c.home), c.file)
        << (c.xdg ? c.xdg : "(unset)") << ", " << (c.home ? c.home : "(unset)");
}

// Sets an environment variable for one test and puts it back afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : m_name(name) {
    if (const char* old = std::getenv(name)) m_old = old;
    value ? setenv(name, value, 1) : unsetenv(name);
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;
  ~ScopedEnv() { m_old ? setenv(m_name, m_old->c_str(), 1) : unsetenv(m_name); }

 private:
  const char* m_name;
  std::optional<std::string> m_old;
};

const PointerValue kMouseOn[] = {{kMouseSensitivityValue, "14"},
                                 {kMouseSpeedValue, "1"},
                                 {kMouseThreshold1Value, "6"},
                                 {kMouseThreshold2Value, "10"},
                                 {kDoubleClickSpeedValue, "270"}};
const PointerValue kMouseOff[] = {{kMouseSensitivityValue, "4"},
                                  {kMouseSpeedValue, "0"},
                                  {kMouseThreshold1Value, "0"},
                                  {kMouseThreshold2Value, "0"},
                                  {kDoubleClickSpeedValue, "900"}};
const PointerValue kOneScreen[] = {{kWheelScrollLinesValue, "-1"}};

TEST(FilePointerStore, WritesUnderXdgConfigHomeAndReplacesInPlace) {
  test::TempFolder dir;
  const fs::path config = dir.path() / "config";  // missing: the store creates it
  const ScopedEnv xdg("XDG_CONFIG_HOME", config.c_str());
  const fs::path file = config / "KestrovaneDriver" / "pointer.ini";
  const auto store = createPointerStore();

  ASSERT_TRUE(store->writeValues(kMouseKey, kMouseOn));
  ASSERT_TRUE(store->writeValues(kDesktopKey, kOneScreen));
  EXPECT_EQ(test::TempFolder::readFile(file),
            "[Control Panel\\Mouse]\r\nMouseSensitivity=14\r\nMouseSpeed=1\r\n"
            "MouseThreshold1=6\r\nMouseThreshold2=10\r\nDoubleClickSpeed=270\r\n"
            "[Control Panel\\Desktop]\r\nWheelScrollLines=-1\r\n");

  ASSERT_TRUE(store->writeValues(kMouseKey, kMouseOff));
  EXPECT_EQ(test::TempFolder::readFile(file),
            "[Control Panel\\Mouse]\r\nMouseSensitivity=4\r\nMouseSpeed=0\r\n"
            "MouseThreshold1=0\r\nMouseThreshold2=0\r\nDoubleClickSpeed=900\r\n"
            "[Control Panel\\Desktop]\r\nWheelScrollLines=-1\r\n");
  // Replaced through a temporary that is gone again.
  std::vector<fs::path> entries;
  for (const auto& entry : fs::directory_iterator(file.parent_path()))
    entries.push_back(entry.path());
  EXPECT_EQ(entries, std::vector<fs::path>{file});
}

TEST(FilePointerStore, RefusesWhatTheRegistryWouldNotHave) {
  test::TempFolder dir;
  const fs::path file = dir.path() / "KestrovaneDriver" / "pointer.ini";
  EXPECT_FALSE(createFilePointerStore(file)->writeValues("Control Panel\\Keyboard", kOneScreen));
  EXPECT_FALSE(fs::exists(file.parent_path()));

  // Neither XDG_CONFIG_HOME nor HOME: nowhere to write.
  const ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
  const ScopedEnv home("HOME", nullptr);
  EXPECT_FALSE(createPointerStore()->writeValues(kMouseKey, kMouseOn));
}

TEST(FilePointerStore, GivesFalseAndKeepsTheFileWhenItCannotBeWritten) {
  const std::string kept = "[Control Panel\\Mouse]\r\nMouseSpeed=1\r\n";
  struct Case {
    const char* name;
    // Prepares dir/KestrovaneDriver so that pointer.ini cannot be written.
    void (*prepare)(const fs::path& folder, const std::string& kept);
  };
  // Each also refuses root, which ignores permission bits on folders.
  const Case cases[] = {
      {"a file where the folder belongs",
       [](const fs::path& folder, const std::string&) {
         std::FILE* f = std::fopen(folder.c_str(), "wb");
         ASSERT_NE(f, nullptr);
         ASSERT_EQ(std::fclose(f), 0);
       }},
      {"a read-only file",
       [](const fs::path& folder, const std::string& text) {
         fs::create_directories(folder);
         std::FILE* f = std::fopen((folder / "pointer.ini").c_str(), "wb");
         ASSERT_NE(f, nullptr);
         ASSERT_EQ(std::fwrite(text.data(), 1, text.size(), f), text.size());
         ASSERT_EQ(std::fclose(f), 0);
         ASSERT_EQ(chmod((folder / "pointer.ini").c_str(), 0444), 0);
       }},
      {"a folder where the file belongs",
       [](const fs::path& folder, const std::string&) {
         fs::create_directories(folder / "pointer.ini");
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempFolder dir;
    const fs::path folder = dir.path() / "KestrovaneDriver";
    c.prepare(folder, kept);
    const auto before = fs::status(folder / "pointer.ini").type();
    EXPECT_FALSE(createFilePointerStore(folder / "pointer.ini")->writeValues(kMouseKey, kMouseOn));
    EXPECT_EQ(fs::status(folder / "pointer.ini").type(), before);
    if (before == fs::file_type::regular)
      EXPECT_EQ(test::TempFolder::readFile(folder / "pointer.ini"), kept);
  }
}

using Value = std::variant<double, int, std::string>;
struct Set {
  std::string key;
  Value value;
  friend bool operator==(const Set&, const Set&) = default;
};
struct Change {
  int numerator, denominator;
  std::optional<int> threshold;
  friend bool operator==(const Change&, const Change&) = default;
};

void PrintTo(const Set& s, std::ostream* os) {
  *os << s.key << '=';
  std::visit([os](const auto& v) { *os << v; }, s.value);
}
void PrintTo(const Change& c, std::ostream* os) {
  *os << c.numerator << '/' << c.denominator << " threshold "
      << (c.threshold ? std::to_string(*c.threshold) : "kept");
}

class RecordingGnome final : public GnomeMouseSettings {
 public:
  explicit RecordingGnome(std::vector<Set>& log) : m_log(log) {}
  bool setDouble(std::string_view key, double value) override { return add(key, value); }
  bool setInt(std::string_view key, int value) override { return add(key, value); }
  bool setString(std::string_view key, std::string_view value) override {
    return add(key, std::string(value));
  }

 private:
  bool add(std::string_view key, Value value) {
    m_log.push_back({std::string(key), std::move(value)});
    return true;
  }
  std::vector<Set>& m_log;
};

class RecordingX11 final : public X11PointerControl {
 public:
  explicit RecordingX11(std::vector<Change>& log) : m_log(log) {}
  bool change(int numerator, int denominator, std::optional<int> threshold) override {
    m_log.push_back({numerator, denominator, threshold});
    return true;
  }

 private:
  std::vector<Change>& m_log;
};

TEST(DesktopPointerSystem, GivesGnomeAndX11WhatTheyCanTake) {
  struct Case {
    const char* name;
    PointerSettings settings;
    std::vector<Set> gnome;
    Change x11;
  };
  const Case cases[] = {
      {"enhanced",
       {14, 6, 10, 1, 480, 7},
       {{"speed", 0.4}, {"accel-profile", "adaptive"}, {"double-click", 480}},
       {2, 1, 6}},
      {"plain, one screen per notch",
       {2, 0, 0, 0, 900, -1},
       {{"speed", -0.8}, {"accel-profile", "flat"}, {"double-click", 900}},
       {1, 1, std::nullopt}},
      {"fastest",
       {20, 6, 10, 1, 270, 3},
       {{"speed", 1.0}, {"accel-profile", "adaptive"}, {"double-click", 270}},
       {2, 1, 6}},
      {"nothing written yet", {}, {{"accel-profile", "flat"}}, {1, 1, std::nullopt}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Set> gnome;
    std::vector<Change> x11;
    createDesktopPointerSystem(std::make_unique<RecordingGnome>(gnome),
                               std::make_unique<RecordingX11>(x11))
        ->apply(c.settings);
    EXPECT_EQ(gnome, c.gnome);
    EXPECT_EQ(x11, std::vector<Change>{c.x11});
  }
}

TEST(X11PointerControl, GivesFalseWithoutADisplay) {
  for (const char* display : {static_cast<const char*>(nullptr), ":9876"}) {
    const ScopedEnv env("DISPLAY", display);
    EXPECT_FALSE(createX11PointerControl()->change(2, 1, 6)) << (display ? display : "(unset)");
  }
}

constexpr char kSchema[] = "org.gnome.desktop.peripherals.mouse";

// An independent reader of the same settings (GSETTINGS_BACKEND=memory keeps
// one store per process).
struct MouseReader {
  MouseReader() : settings(g_settings_new(kSchema)) {}
  MouseReader(const MouseReader&) = delete;
  MouseReader& operator=(const MouseReader&) = delete;
  ~MouseReader() { g_object_unref(settings); }
  double speed() const { return g_settings_get_double(settings, "speed"); }
  std::string profile() const {
    gchar* text = g_settings_get_string(settings, "accel-profile");
    std::string result(text);
    g_free(text);
    return result;
  }
  int doubleClick() const { return g_settings_get_int(settings, "double-click"); }
  GSettings* settings;
};

bool mouseSchemaInstalled() {
  GSettingsSchemaSource* source = g_settings_schema_source_get_default();
  if (source == nullptr) return false;
  GSettingsSchema* schema = g_settings_schema_source_lookup(source, kSchema, TRUE);
  if (schema != nullptr) g_settings_schema_unref(schema);
  return schema != nullptr;
}

TEST(GnomeMouseSettings, SetsTheMouseKeysAndRefusesWhatTheSchemaRefuses) {
  ASSERT_STREQ(std::getenv("GSETTINGS_BACKEND"), "memory") << "run through ctest";
  ASSERT_TRUE(mouseSchemaInstalled()) << "gsettings-desktop-schemas is needed";
  const MouseReader reader;
  std::vector<Change> x11;
  createDesktopPointerSystem(createGnomeMouseSettings(), std::make_unique<RecordingX11>(x11))
      ->apply({14, 6, 10, 1, 480, 7});
  EXPECT_DOUBLE_EQ(reader.speed(), 0.4);
  EXPECT_EQ(reader.profile(), "adaptive");
  EXPECT_EQ(reader.doubleClick(), 480);

  const auto gnome = createGnomeMouseSettings();
  EXPECT_TRUE(gnome->setString("accel-profile", "flat"));
  EXPECT_EQ(reader.profile(), "flat");
  // Out of range, not a choice, the wrong type, no such key: nothing set.
  EXPECT_FALSE(gnome->setDouble("speed", 1.5));
  EXPECT_FALSE(gnome->setString("accel-profile", "fast"));
  EXPECT_FALSE(gnome->setInt("speed", 1));
  EXPECT_FALSE(gnome->setInt("wheel-scroll-lines", 3));
  EXPECT_DOUBLE_EQ(reader.speed(), 0.4);
  EXPECT_EQ(reader.profile(), "flat");
}

// dconf, the default backend, only with a session bus: without one it would
// try to start a bus and print warnings.
TEST(GnomeMouseSettings, ReachableOnlyThroughABackendThatNeedsNoBusOrASessionBus) {
  test::TempFolder runtime;
  const std::string withBus = runtime.str() + "/with";
  fs::create_directories(withBus);
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(sock, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketPath = withBus + "/bus";
  ASSERT_LT(socketPath.size(), sizeof address.sun_path);
  socketPath.copy(address.sun_path, socketPath.size());
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  const std::string noBus = runtime.str();  // holds a folder, no socket "bus"
  const struct {
    const char* backend;
    const char* address;
    const char* runtimeDir;
    bool reachable;
  } cases[] = {
      {"memory", nullptr, nullptr, true},
      {"keyfile", "", noBus.c_str(), true},
      {nullptr, nullptr, nullptr, false},
      {"", "", "", false},
      {"dconf", nullptr, noBus.c_str(), false},
      {nullptr, nullptr, "relative", false},
      {nullptr, "unix:path=/run/user/1000/bus", nullptr, true},
      {"dconf", nullptr, withBus.c_str(), true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(gsettingsReachable(c.backend, c.address, c.runtimeDir), c.reachable)
        << (c.backend ? c.backend : "-") << " " << (c.address ? c.address : "-") << " "
        << (c.runtimeDir ? c.runtimeDir : "-");
  ::close(sock);
}

TEST(GnomeMouseSettingsWithoutSchema, SetsNothingAndStillReachesX11) {
  // GIO reads where its schemas are once, at the first lookup of the process;
  // ctest runs each test in a process of its own, so this one comes first.
  test::TempFolder empty;
  const ScopedEnv backend("GSETTINGS_BACKEND", "memory");
  const ScopedEnv systemData("XDG_DATA_DIRS", empty.str().c_str());
  const ScopedEnv userData("XDG_DATA_HOME", empty.str().c_str());
  const ScopedEnv schemaDir("GSETTINGS_SCHEMA_DIR", empty.str().c_str());
  if (mouseSchemaInstalled())
    GTEST_SKIP() << "GIO had found its schemas before this test; run it alone";
  const auto gnome = createGnomeMouseSettings();
  EXPECT_FALSE(gnome->setDouble("speed", 0.4));
  EXPECT_FALSE(gnome->setString("accel-profile", "flat"));
  EXPECT_FALSE(gnome->setInt("double-click", 480));

  std::vector<Change> x11;
  createDesktopPointerSystem(createGnomeMouseSettings(), std::make_unique<RecordingX11>(x11))
      ->apply({14, 6, 10, 1, 480, 7});
  EXPECT_EQ(x11, (std::vector<Change>{{2, 1, 6}}));
}

}  // namespace
}  // namespace kestrovane
