#pragma once

#include <string>

namespace kestrovane {

// What the device link needs of the main window: the 46 controls that only
// work while the mouse is linked, the firmware version label and the loading
// window shown while the mouse is written. The main window implements it;
// tests give a recording one.
class DeviceControls {
 public:
  virtual ~DeviceControls() = default;

  // Disables the device-dependent controls and empties the caption of lbl_Ver.
  virtual void DisableDeviceControls() = 0;

  // Enables the device-dependent controls; lbl_Ver is left alone.
  virtual void EnableDeviceControls() = 0;

  // Moves lbl_Ver to the right edge of lbl_version and sets its caption
  // (" Ver-" and the version number).
  virtual void ShowFirmwareVersion(const std::string& text) = 0;

  // Shows the loading window (it stays until hidden by the caller's command).
  virtual void ShowLoadingWindow() = 0;
};

// Controls for a program without a window (the command line): nothing to
// turn on or off, no loading window.
class NullDeviceControls final : public DeviceControls {
 public:
  void DisableDeviceControls() override {}
  void EnableDeviceControls() override {}
  void ShowFirmwareVersion(const std::string&) override {}
  void ShowLoadingWindow() override {}
};

}  // namespace kestrovane
