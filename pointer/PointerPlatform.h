#pragma once

// The pieces behind createPointerStore() and createPointerSystem(), one set per
// operating system, with the system calls behind seams so that tests can
// record what would reach the desktop.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "pointer/PointerSettings.h"

namespace kestrovane {

#if defined(_WIN32)

// SystemParametersInfoA(action, param, pointer, flags), result ignored.
using SystemParametersCall =
    std::function<void(unsigned action, unsigned param, void* pointer, unsigned flags)>;

// The registry of the current user.
std::unique_ptr<PointerStore> createRegistryPointerStore();

// Hands the settings to call in four calls; the default is the real
// SystemParametersInfoA.
std::unique_ptr<PointerSystem> createWindowsPointerSystem(SystemParametersCall call = {});

#else

// The file that keeps the pointer options: XDG_CONFIG_HOME (HOME/.config when
// it is unset, empty or relative) / KestrovaneDriver / pointer.ini. nullopt
// when neither names a folder. Arguments are the variables' values, or null.
std::optional<std::filesystem::path> pointerStoreFile(const char* xdgConfigHome, const char* home);

// A store in file: one section per key, the values as the registry holds
// them. Only the two keys of the pointer options exist.
std::unique_ptr<PointerStore> createFilePointerStore(std::filesystem::path file);

// The GNOME mouse settings (org.gnome.desktop.peripherals.mouse). Each call
// sets one key; false, with nothing set, when the schema or the key is
// missing or the value is out of the key's range.
class GnomeMouseSettings {
 public:
  virtual ~GnomeMouseSettings() = default;
  virtual bool setDouble(std::string_view key, double value) = 0;
  virtual bool setInt(std::string_view key, int value) = 0;
  // Also for enumerated keys, by the name of the choice.
  virtual bool setString(std::string_view key, std::string_view value) = 0;
};

// Whether GSettings can be reached: a backend named in GSETTINGS_BACKEND
// other than dconf (memory, keyfile) needs no bus; dconf, the default, needs
// the session bus, named by DBUS_SESSION_BUS_ADDRESS or found as
// XDG_RUNTIME_DIR/bus. Without one, dconf would try to start a bus and
// print warnings. Arguments are the variables' values, or null.
bool gsettingsReachable(const char* gsettingsBackend, const char* sessionBusAddress,
                        const char* xdgRuntimeDir);

// GSettings with the default backend; harmless where the schema is missing.
// Where it cannot be reached (above, or the session bus does not answer)
// every call gives false and nothing is set.
std::unique_ptr<GnomeMouseSettings> createGnomeMouseSettings();

// The X11 core pointer control of the display that DISPLAY names.
class X11PointerControl {
 public:
  virtual ~X11PointerControl() = default;
  // XChangePointerControl: acceleration numerator/denominator, and the
  // threshold when there is one (otherwise it is left as it is). False when
  // there is no X display.
  virtual bool change(int numerator, int denominator, std::optional<int> threshold) = 0;
};

std::unique_ptr<X11PointerControl> createX11PointerControl();

// The running desktop: GNOME gets speed, acceleration profile and
// double-click time, an X11 display the acceleration.
std::unique_ptr<PointerSystem> createDesktopPointerSystem(std::unique_ptr<GnomeMouseSettings> gnome,
                                                          std::unique_ptr<X11PointerControl> x11);

#endif

}  // namespace kestrovane
