#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <array>
#include <cstdint>

#include "macro/EvdevKeyCapture.h"
#include "macro/PlatformKeyCapture.h"

namespace kestrovane {
namespace {

// The X server's key codes are the evdev codes plus 8.
constexpr int kEvdevKeyCodeOffset = 8;

// Reads the keyboard system-wide through XInput2 raw key events on the root
// window: they reach this client whatever window has the focus, and need no
// permission.
class X11KeyCapture final : public EvdevKeyCapture {
 public:
  X11KeyCapture(KeyCaptureSink& sink, Display* display, int xiOpcode)
      : EvdevKeyCapture(sink), m_display(display), m_xiOpcode(xiOpcode) {}
  ~X11KeyCapture() override { XCloseDisplay(m_display); }
  X11KeyCapture(const X11KeyCapture&) = delete;
  X11KeyCapture& operator=(const X11KeyCapture&) = delete;

  int eventDescriptor() const override { return ConnectionNumber(m_display); }

  void dispatch() override {
    while (XPending(m_display) > 0) {
      XEvent event;
      XNextEvent(m_display, &event);
      XGenericEventCookie& cookie = event.xcookie;
      if (cookie.type != GenericEvent || cookie.extension != m_xiOpcode) continue;
      if (!XGetEventData(m_display, &cookie)) continue;
      if (cookie.evtype == XI_RawKeyPress || cookie.evtype == XI_RawKeyRelease) {
        const auto* raw = static_cast<const XIRawEvent*>(cookie.data);
        key(raw->detail - kEvdevKeyCodeOffset, cookie.evtype == XI_RawKeyPress);
      }
      XFreeEventData(m_display, &cookie);
    }
  }

 private:
  Display* m_display;
  int m_xiOpcode;
};

}  // namespace

std::unique_ptr<KeyCapture> makeX11KeyCapture(KeyCaptureSink& sink, const char* displayName) {
  Display* display = XOpenDisplay(displayName);
  if (!display) return nullptr;
  int opcode = 0;
  int firstEvent = 0;
  int firstError = 0;
  int major = 2;
  int minor = 0;
  std::array<unsigned char, XIMaskLen(XI_LASTEVENT)> bits{};
  XISetMask(bits.data(), XI_RawKeyPress);
  XISetMask(bits.data(), XI_RawKeyRelease);
  XIEventMask mask{XIAllMasterDevices, static_cast<int>(bits.size()), bits.data()};
  if (!XQueryExtension(display, "XInputExtension", &opcode, &firstEvent, &firstError) ||
      XIQueryVersion(display, &major, &minor) != Success ||
      XISelectEvents(display, DefaultRootWindow(display), &mask, 1) != Success) {
    XCloseDisplay(display);
    return nullptr;
  }
  XFlush(display);
  return std::make_unique<X11KeyCapture>(sink, display, opcode);
}

std::unique_ptr<KeyCapture> makePlatformKeyCapture(KeyCaptureSink& sink) {
  // TODO: without an X display, evdev (/dev/input/event*, for members of the
  // input group) and then the window's own keys, with a note saying so.
  return makeX11KeyCapture(sink, nullptr);
}

}  // namespace kestrovane
