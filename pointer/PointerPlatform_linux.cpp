// The pointer options on Linux: a per-user file in the registry's form at
// every change; at Apply, what the running desktop can take of them.
#include <X11/Xlib.h>
#include <gio/gio.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "base/Error.h"
#include "base/IniFile.h"
#include "pointer/PointerPlatform.h"

namespace kestrovane {

namespace {

namespace fs = std::filesystem;

constexpr char kMouseSchema[] = "org.gnome.desktop.peripherals.mouse";

class FilePointerStore final : public PointerStore {
 public:
  explicit FilePointerStore(fs::path file) : m_file(std::move(file)) {}

  bool writeValues(std::string_view key, std::span<const PointerValue> values) override {
    // The file stands in for two registry keys that every Windows user has;
    // any other key does not exist, as it would not in the registry.
    if (m_file.empty() || (key != kMouseKey && key != kDesktopKey)) return false;
    std::error_code error;
    fs::create_directories(m_file.parent_path(), error);
    if (error) return false;
    try {
      IniFile ini = IniFile::load(m_file);
      const std::string before = ini.text();
      for (const auto& value : values) ini.setString(key, value.name, value.text);
      // A mode's replay writes the same values several times; a value that
      // is already there costs no durable rewrite of the file.
      if (ini.text() == before && fs::exists(m_file, error)) return true;
      ini.save(m_file);
    } catch (const Error&) {
      // Nothing is reported, as the registry reports nothing.
      return false;
    }
    return true;
  }

 private:
  fs::path m_file;
};

// Connects to the session bus only where one is named: a bus that is named
// but gone fails here, quietly, instead of in dconf, with warnings.
bool gsettingsAvailable() {
  const char* backend = std::getenv("GSETTINGS_BACKEND");
  if (!gsettingsReachable(backend, std::getenv("DBUS_SESSION_BUS_ADDRESS"),
                          std::getenv("XDG_RUNTIME_DIR")))
    return false;
  if (backend != nullptr && *backend != '\0' && std::string_view(backend) != "dconf") return true;
  GError* error = nullptr;
  GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
  if (error != nullptr) g_error_free(error);
  if (bus == nullptr) return false;
  g_object_unref(bus);
  return true;
}

class GioMouseSettings final : public GnomeMouseSettings {
 public:
  GioMouseSettings() {
    if (!gsettingsAvailable()) return;
    // The default source is null when no schema is installed at all.
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (source == nullptr) return;
    m_schema = g_settings_schema_source_lookup(source, kMouseSchema, TRUE);
    if (m_schema != nullptr) m_settings = g_settings_new_full(m_schema, nullptr, nullptr);
  }
  GioMouseSettings(const GioMouseSettings&) = delete;
  GioMouseSettings& operator=(const GioMouseSettings&) = delete;
  ~GioMouseSettings() override {
    if (m_settings != nullptr) g_object_unref(m_settings);
    if (m_schema != nullptr) g_settings_schema_unref(m_schema);
  }

  bool setDouble(std::string_view key, double value) override {
    return set(key, g_variant_new_double(value));
  }
  bool setInt(std::string_view key, int value) override {
    return set(key, g_variant_new_int32(value));
  }
  bool setString(std::string_view key, std::string_view value) override {
    const std::string text(value);
    return set(key, g_variant_new_string(text.c_str()));
  }

 private:
  // Takes the floating value. GSettings aborts on an unknown key and warns on
  // a value of the wrong type or out of range, so both are checked first.
  bool set(std::string_view key, GVariant* value) {
    g_variant_ref_sink(value);
    bool done = false;
    const std::string name(key);
    if (m_settings != nullptr && g_settings_schema_has_key(m_schema, name.c_str())) {
      GSettingsSchemaKey* schemaKey = g_settings_schema_get_key(m_schema, name.c_str());
      if (g_variant_is_of_type(value, g_settings_schema_key_get_value_type(schemaKey)) &&
          g_settings_schema_key_range_check(schemaKey, value)) {
        done = g_settings_set_value(m_settings, name.c_str(), value) != FALSE;
        // Hands the write to the backend (dconf) before the program may end.
        g_settings_sync();
      }
      g_settings_schema_key_unref(schemaKey);
    }
    g_variant_unref(value);
    return done;
  }

  GSettingsSchema* m_schema = nullptr;
  GSettings* m_settings = nullptr;
};

class XlibPointerControl final : public X11PointerControl {
 public:
  bool change(int numerator, int denominator, std::optional<int> threshold) override {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return false;
    XChangePointerControl(display, True, threshold ? True : False, numerator, denominator,
                          threshold.value_or(0));
    // The request leaves only with the next flush; closing flushes it.
    XCloseDisplay(display);
    return true;
  }
};

class DesktopPointerSystem final : public PointerSystem {
 public:
  DesktopPointerSystem(std::unique_ptr<GnomeMouseSettings> gnome,
                       std::unique_ptr<X11PointerControl> x11)
      : m_gnome(std::move(gnome)), m_x11(std::move(x11)) {}

  void apply(const PointerSettings& settings) override {
    const bool enhanced = settings.acceleration != 0;
    // 0 means the value was never written: that key stays as the desktop has it.
    if (settings.mouseSpeed != 0) m_gnome->setDouble("speed", (settings.mouseSpeed - 10) / 10.0);
    m_gnome->setString("accel-profile", enhanced ? "adaptive" : "flat");
    if (settings.doubleClickTime != 0) m_gnome->setInt("double-click", settings.doubleClickTime);
    // The X server's classic acceleration: twice as fast beyond 6 pixels per
    // motion event with enhanced precision on (what Windows' thresholds
    // come closest to), none with it off.
    if (enhanced)
      m_x11->change(2, 1, 6);
    else
      m_x11->change(1, 1, std::nullopt);
    // Wheel scroll lines have no desktop key; they stay in the store.
  }

 private:
  std::unique_ptr<GnomeMouseSettings> m_gnome;
  std::unique_ptr<X11PointerControl> m_x11;
};

}  // namespace

std::optional<fs::path> pointerStoreFile(const char* xdgConfigHome, const char* home) {
  fs::path config;
  // The XDG base directory rules ignore a relative path.
  if (xdgConfigHome != nullptr && *xdgConfigHome != '\0' && fs::path(xdgConfigHome).is_absolute())
    config = xdgConfigHome;
  else if (home != nullptr && *home != '\0')
    config = fs::path(home) / ".config";
  else
    return std::nullopt;
  return config / "KestrovaneDriver" / "pointer.ini";
}

std::unique_ptr<PointerStore> createFilePointerStore(fs::path file) {
  return std::make_unique<FilePointerStore>(std::move(file));
}

bool gsettingsReachable(const char* gsettingsBackend, const char* sessionBusAddress,
                        const char* xdgRuntimeDir) {
  if (gsettingsBackend != nullptr && *gsettingsBackend != '\0' &&
      std::string_view(gsettingsBackend) != "dconf")
    return true;
  if (sessionBusAddress != nullptr && *sessionBusAddress != '\0') return true;
  if (xdgRuntimeDir == nullptr || *xdgRuntimeDir != '/') return false;
  std::error_code error;
  return fs::is_socket(fs::path(xdgRuntimeDir) / "bus", error);
}

std::unique_ptr<GnomeMouseSettings> createGnomeMouseSettings() {
  return std::make_unique<GioMouseSettings>();
}

std::unique_ptr<X11PointerControl> createX11PointerControl() {
  return std::make_unique<XlibPointerControl>();
}

std::unique_ptr<PointerSystem> createDesktopPointerSystem(std::unique_ptr<GnomeMouseSettings> gnome,
                                                          std::unique_ptr<X11PointerControl> x11) {
  return std::make_unique<DesktopPointerSystem>(std::move(gnome), std::move(x11));
}

std::unique_ptr<PointerStore> createPointerStore() {
  // Without HOME or XDG_CONFIG_HOME there is nowhere to write: an empty path
  // makes every write fail, as a missing registry key would.
  const auto file = pointerStoreFile(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
  return createFilePointerStore(file.value_or(fs::path()));
}

std::unique_ptr<PointerSystem> createPointerSystem() {
  return createDesktopPointerSystem(createGnomeMouseSettings(), createX11PointerControl());
}

}  // namespace kestrovane
