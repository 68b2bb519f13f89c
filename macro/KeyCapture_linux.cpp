#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <fcntl.h>
#include <linux/input.h>
#include <sys/epoll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "macro/EvdevKeyCapture.h"
#include "macro/PlatformKeyCapture.h"

namespace kestrovane {
namespace {

// The X server's key codes are the evdev codes plus 8.
constexpr int kEvdevKeyCodeOffset = 8;

// Reads the keyboard system-wide through XInput2 raw key events on the root
// window: they reach this client whatever window has the focus, and need no
// permission. The client announces XInput 2.2: to a client of 2.0 the server
// sends no raw events while another client grabs the keyboard (a game, a
// virtual machine, an open menu), and the keys typed then would be lost.
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
  int minor = 2;
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

namespace {

// Reads the keyboards' event devices: struct input_event records, of which
// the EV_KEY ones carry a key code (value 1 down, 2 auto-repeat, 0 up). All
// devices are watched through one epoll descriptor.
class EvdevDeviceCapture final : public EvdevKeyCapture {
 public:
  EvdevDeviceCapture(KeyCaptureSink& sink, std::vector<int> devices)
      : EvdevKeyCapture(sink),
        m_devices(std::move(devices)),
        m_epoll(epoll_create1(EPOLL_CLOEXEC)) {
    for (int fd : m_devices) {
      epoll_event event{};
      event.events = EPOLLIN;
      event.data.fd = fd;
      if (m_epoll >= 0) epoll_ctl(m_epoll, EPOLL_CTL_ADD, fd, &event);
    }
  }
  ~EvdevDeviceCapture() override {
    for (int fd : m_devices) close(fd);
    if (m_epoll >= 0) close(m_epoll);
  }
  EvdevDeviceCapture(const EvdevDeviceCapture&) = delete;
  EvdevDeviceCapture& operator=(const EvdevDeviceCapture&) = delete;

  int eventDescriptor() const override { return m_epoll; }

  void dispatch() override {
    std::array<epoll_event, 8> ready{};
    const int count = epoll_wait(m_epoll, ready.data(), static_cast<int>(ready.size()), 0);
    for (int i = 0; i < count; ++i) {
      const int fd = ready[static_cast<std::size_t>(i)].data.fd;
      std::array<input_event, 64> events{};
      ssize_t bytes = 0;
      while ((bytes = read(fd, events.data(), sizeof(events))) > 0) {
        const auto n = static_cast<std::size_t>(bytes) / sizeof(input_event);
        for (std::size_t k = 0; k < n; ++k)
          if (events[k].type == EV_KEY) key(events[k].code, events[k].value != 0);
      }
    }
  }

 private:
  std::vector<int> m_devices;
  int m_epoll;
};

bool hasBit(const std::vector<unsigned long>& bits, unsigned bit) {
  constexpr unsigned kBitsPerWord = 8 * sizeof(unsigned long);
  return bit / kBitsPerWord < bits.size() &&
         ((bits[bit / kBitsPerWord] >> (bit % kBitsPerWord)) & 1UL);
}

// A keyboard: an event device with the letter keys.
bool isKeyboard(int fd) {
  std::vector<unsigned long> keys((KEY_MAX + 1) / (8 * sizeof(unsigned long)) + 1);
  const int length = static_cast<int>(keys.size() * sizeof(unsigned long));
  // The kernel's request macro mixes signed and unsigned operands.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wsign-conversion"
  const unsigned long request = EVIOCGBIT(EV_KEY, length);
#pragma GCC diagnostic pop
  if (ioctl(fd, request, keys.data()) < 0) return false;
  return hasBit(keys, KEY_A) && hasBit(keys, KEY_Z) && hasBit(keys, KEY_ENTER);
}

}  // namespace

std::unique_ptr<KeyCapture> makeEvdevKeyCapture(KeyCaptureSink& sink, std::vector<int> devices) {
  if (devices.empty()) return nullptr;
  return std::make_unique<EvdevDeviceCapture>(sink, std::move(devices));
}

std::unique_ptr<KeyCapture> makeEvdevKeyCapture(KeyCaptureSink& sink, const char* folder) {
  std::vector<int> keyboards;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.path().filename().string().rfind("event", 0) != 0) continue;
    const int fd = open(entry.path().c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;  // not readable by this user: not in the input group
    if (isKeyboard(fd))
      keyboards.push_back(fd);
    else
      close(fd);
  }
  return makeEvdevKeyCapture(sink, std::move(keyboards));
}

// The X server's keyboard where there is one; otherwise the keyboards' event
// devices the user may read (members of the group input); otherwise none, and
// the program falls back to its window's own keys.
std::unique_ptr<KeyCapture> makePlatformKeyCapture(KeyCaptureSink& sink) {
  if (std::unique_ptr<KeyCapture> x11 = makeX11KeyCapture(sink, nullptr)) return x11;
  return makeEvdevKeyCapture(sink, "/dev/input");
}

}  // namespace kestrovane
