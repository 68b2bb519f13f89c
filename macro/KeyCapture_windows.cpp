#include <windows.h>

#include <array>

#include "macro/PlatformKeyCapture.h"
#include "macro/Watch.h"

namespace kestrovane {

namespace {

constexpr char kWindowClass[] = "KestrovaneKeyboardHook";
constexpr USHORT kGenericDesktopPage = 0x01;
constexpr USHORT kKeyboardUsage = 0x06;

// The keyboard of the whole system as Windows gives it: Raw Input (usage
// page 1, usage 6, RIDEV_INPUTSINK, so keys typed into any program arrive)
// for the keyboard side, TKeyboardHook's part, to a hidden window of our own;
// and watchdll.dll through TWatch for the watch side, whose key names come
// from GetKeyNameTextA. The program's message loop dispatches both to the
// window procedures, the hook's message after the keystroke's WM_INPUT.
class WindowsKeyCapture final : public KeyCapture {
 public:
  explicit WindowsKeyCapture(KeyCaptureSink& sink)
      : m_sink(sink),
        m_watch([this](std::uint32_t wParam, std::uint32_t lParam) { watched(wParam, lParam); },
                [this](const std::string& text) { m_sink.onCaptureMessage(text); }) {}

  ~WindowsKeyCapture() override {
    if (m_window != nullptr) {
      RAWINPUTDEVICE device{kGenericDesktopPage, kKeyboardUsage, RIDEV_REMOVE, nullptr};
      RegisterRawInputDevices(&device, 1, sizeof(device));
      DestroyWindow(m_window);
    }
  }
  WindowsKeyCapture(const WindowsKeyCapture&) = delete;
  WindowsKeyCapture& operator=(const WindowsKeyCapture&) = delete;

  // The hidden window and the Raw Input registration; false when Windows
  // refuses either.
  bool open() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &WindowsKeyCapture::windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);  // fails harmlessly when already registered
    m_window = CreateWindowExA(0, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               instance, nullptr);
    if (m_window == nullptr) return false;
    SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    RAWINPUTDEVICE device{kGenericDesktopPage, kKeyboardUsage, RIDEV_INPUTSINK, m_window};
    return RegisterRawInputDevices(&device, 1, sizeof(device)) != FALSE;
  }

  void startWatching() override { m_watch.startWatching(1); }
  void stopWatching() override { m_watch.stopWatching(1); }
  void setEnabled(bool enabled) override { m_enabled = enabled; }
  bool enabled() const override { return m_enabled; }

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INPUT) {
      auto* self = reinterpret_cast<WindowsKeyCapture*>(GetWindowLongPtrA(window, GWLP_USERDATA));
      if (self != nullptr) self->rawInput(reinterpret_cast<HRAWINPUT>(lParam));
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }

  void rawInput(HRAWINPUT handle) {
    RAWINPUT input{};
    UINT size = sizeof(input);
    if (GetRawInputData(handle, RID_INPUT, &input, &size, sizeof(RAWINPUTHEADER)) ==
            static_cast<UINT>(-1) ||
        input.header.dwType != RIM_TYPEKEYBOARD)
      return;
    const USHORT keyMessage = static_cast<USHORT>(input.data.keyboard.Message);
    const bool down = keyMessage == WM_KEYDOWN || keyMessage == WM_SYSKEYDOWN;
    const TKeyboardHookState state = m_counter.count(down);
    if (m_enabled) m_sink.onKeyboardHookReceive(input.data.keyboard.VKey, state, m_counter.value());
  }

  void watched(std::uint32_t wParam, std::uint32_t lParam) {
    std::array<char, kKeyNameMaxLength + 1> name{};
    const int length =
        GetKeyNameTextA(static_cast<LONG>(lParam), name.data(), static_cast<int>(name.size()));
    m_sink.onWatchKeyNative(
        wParam, lParam,
        decodeKeyInfo(lParam, std::string_view(name.data(),
                                               static_cast<std::size_t>(length > 0 ? length : 0))));
  }

  KeyCaptureSink& m_sink;
  TWatch m_watch;
  HWND m_window = nullptr;
  KeyPressCounter m_counter;
  bool m_enabled = false;
};

}  // namespace

std::unique_ptr<KeyCapture> makePlatformKeyCapture(KeyCaptureSink& sink) {
  auto capture = std::make_unique<WindowsKeyCapture>(sink);
  if (!capture->open()) return nullptr;
  return capture;
}

}  // namespace kestrovane
