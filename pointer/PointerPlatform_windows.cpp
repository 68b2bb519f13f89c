// The pointer options on Windows: the current user's registry at every
// change, SystemParametersInfo at Apply.
#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>

#include "pointer/PointerPlatform.h"

namespace kestrovane {

namespace {

class RegistryPointerStore final : public PointerStore {
 public:
  bool writeValues(std::string_view key, std::span<const PointerValue> values) override {
    HKEY handle = nullptr;
    // Opened, never created: a user without the key gets nothing written.
    if (RegOpenKeyExA(HKEY_CURRENT_USER, std::string(key).c_str(), 0, KEY_SET_VALUE, &handle) !=
        ERROR_SUCCESS)
      return false;
    for (const auto& value : values) {
      // REG_SZ counts its terminating zero. A failed single write is ignored,
      // as the program always has.
      RegSetValueExA(handle, std::string(value.name).c_str(), 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(value.text.c_str()),
                     static_cast<DWORD>(value.text.size() + 1));
    }
    RegCloseKey(handle);
    return true;
  }
};

class WindowsPointerSystem final : public PointerSystem {
 public:
  explicit WindowsPointerSystem(SystemParametersCall call) : m_call(std::move(call)) {}

  void apply(const PointerSettings& settings) override {
    // SPI_SETMOUSESPEED takes the speed as the pointer argument's value, not
    // through a pointer.
    m_call(SPI_SETMOUSESPEED, 0,
           reinterpret_cast<void*>(static_cast<std::intptr_t>(settings.mouseSpeed)),
           SPIF_SENDCHANGE);
    int mouse[3] = {settings.threshold1, settings.threshold2, settings.acceleration};
    m_call(SPI_SETMOUSE, 0, mouse, SPIF_SENDCHANGE);
    m_call(SPI_SETDOUBLECLICKTIME, static_cast<unsigned>(settings.doubleClickTime), nullptr,
           SPIF_SENDCHANGE);
    // -1 becomes WHEEL_PAGESCROLL (all bits set): one screen per notch.
    m_call(SPI_SETWHEELSCROLLLINES, static_cast<unsigned>(settings.wheelScrollLines), nullptr,
           SPIF_UPDATEINIFILE);
  }

 private:
  SystemParametersCall m_call;
};

}  // namespace

std::unique_ptr<PointerStore> createRegistryPointerStore() {
  return std::make_unique<RegistryPointerStore>();
}

std::unique_ptr<PointerSystem> createWindowsPointerSystem(SystemParametersCall call) {
  if (!call)
    call = [](unsigned action, unsigned param, void* pointer, unsigned flags) {
      SystemParametersInfoA(action, param, pointer, flags);
    };
  return std::make_unique<WindowsPointerSystem>(std::move(call));
}

std::unique_ptr<PointerStore> createPointerStore() {
  return createRegistryPointerStore();
}

std::unique_ptr<PointerSystem> createPointerSystem() {
  return createWindowsPointerSystem();
}

}  // namespace kestrovane
