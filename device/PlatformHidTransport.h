#pragma once

#include <memory>

#include "device/HidTransport.h"

namespace kestrovane {

// The operating system's HID interfaces: SetupAPI and the HID class driver on
// Windows (HidTransport_windows.cpp), hidraw on Linux (HidTransport_linux.cpp).
std::unique_ptr<HidTransport> createPlatformHidTransport();

}  // namespace kestrovane
