#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace kestrovane {

// The pointer option values last written to the store, which Apply hands to
// the running system. All zero until something is written.
struct PointerSettings {
  int mouseSpeed = 0;  // 2..20
  // 6, 10, 1 with enhanced precision on; 0, 0, 0 with it off.
  int threshold1 = 0;
  int threshold2 = 0;
  int acceleration = 0;
  int doubleClickTime = 0;   // milliseconds, 270..900
  int wheelScrollLines = 0;  // 1..10, or -1 for one screen per notch
  friend bool operator==(const PointerSettings&, const PointerSettings&) = default;
};

// The two keys of the current user that hold the pointer options, and the
// names of their values, as Windows keeps them.
inline constexpr std::string_view kMouseKey = "Control Panel\\Mouse";
inline constexpr std::string_view kDesktopKey = "Control Panel\\Desktop";
inline constexpr std::string_view kMouseSensitivityValue = "MouseSensitivity";
inline constexpr std::string_view kMouseSpeedValue = "MouseSpeed";
inline constexpr std::string_view kMouseThreshold1Value = "MouseThreshold1";
inline constexpr std::string_view kMouseThreshold2Value = "MouseThreshold2";
inline constexpr std::string_view kDoubleClickSpeedValue = "DoubleClickSpeed";
inline constexpr std::string_view kWheelScrollLinesValue = "WheelScrollLines";

// One string value to write under a key.
struct PointerValue {
  std::string_view name;
  std::string text;
};

// Where the pointer options are kept at every change: the current user's
// registry on Windows, a per-user file elsewhere.
class PointerStore {
 public:
  virtual ~PointerStore() = default;

  // Opens the key without creating it, writes the values as strings in their
  // order and closes the key. False, with nothing written, when the key
  // cannot be opened; the result of each single write is ignored, as the
  // registry's are.
  virtual bool writeValues(std::string_view key, std::span<const PointerValue> values) = 0;
};

// The running system's pointer options.
class PointerSystem {
 public:
  virtual ~PointerSystem() = default;

  // Hands the settings to the running system. Failures are ignored.
  virtual void apply(const PointerSettings& settings) = 0;
};

// A store and a system that take every value and change nothing: for
// benchmarks and tools that must leave the user's desktop alone.
class NullPointerStore final : public PointerStore {
 public:
  bool writeValues(std::string_view, std::span<const PointerValue>) override { return true; }
};

class NullPointerSystem final : public PointerSystem {
 public:
  void apply(const PointerSettings&) override {}
};

// This platform's store and system: on Windows the registry and
// SystemParametersInfo; elsewhere a per-user file and the running desktop.
std::unique_ptr<PointerStore> createPointerStore();
std::unique_ptr<PointerSystem> createPointerSystem();

}  // namespace kestrovane
