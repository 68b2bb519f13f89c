#include "macro/PlatformKeyCapture.h"

namespace kestrovane {

// TODO: Raw Input for the keyboard side and TWatch over watchdll.dll for the
// watch side. Until then Windows records no keys.
std::unique_ptr<KeyCapture> makePlatformKeyCapture(KeyCaptureSink&) {
  return nullptr;
}

}  // namespace kestrovane
