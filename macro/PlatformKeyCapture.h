#pragma once

#include <memory>
#include <vector>

#include "macro/KeyCapture.h"

namespace kestrovane {

// The capture source of this system, or nullptr where none can see the keys
// of the whole system. Windows: Raw Input for the keyboard side and
// watchdll.dll for the watch side. Linux: XInput2 raw key events of the X
// server named by DISPLAY.
std::unique_ptr<KeyCapture> makePlatformKeyCapture(KeyCaptureSink& sink);

#if defined(__linux__)
// The XInput2 source on the named X display (nullptr: DISPLAY), or nullptr
// when the display does not open or lacks XInput 2.
std::unique_ptr<KeyCapture> makeX11KeyCapture(KeyCaptureSink& sink, const char* displayName);

// The keyboards among the event devices of the folder ("/dev/input") that
// this user may read, or nullptr when there is none; and the same source over
// descriptors already open (tests hand it pipes).
std::unique_ptr<KeyCapture> makeEvdevKeyCapture(KeyCaptureSink& sink, const char* folder);
std::unique_ptr<KeyCapture> makeEvdevKeyCapture(KeyCaptureSink& sink, std::vector<int> devices);
#endif

}  // namespace kestrovane
