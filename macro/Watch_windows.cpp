#include <windows.h>

#include "macro/KeyCapture.h"
#include "macro/Watch.h"

namespace kestrovane {

struct TWatch::State {
  KeyNativeEvent onKeyNative;
  ErrorBox showError;
  std::string libraryName;
  HMODULE library = nullptr;
  HWND window = nullptr;
  bool disabled = false;
  UINT shellMessage = RegisterWindowMessageA("WATCH_SHELL_EVENT");
  UINT keyMessage = RegisterWindowMessageA("WATCH_KEY_EVENT");
  UINT mouseMessage = RegisterWindowMessageA("WATCH_MOUSE_EVENT");
  void(__stdcall* startWatching)(int) = nullptr;
  int(__stdcall* stopWatching)(int) = nullptr;
  BOOL(__stdcall* stillWatching)() = nullptr;
  void(__stdcall* stopAll)() = nullptr;
  BOOL(__stdcall* setReceiver)(HWND) = nullptr;
  HWND(__stdcall* getReceiver)() = nullptr;
};

namespace {

constexpr const char* kReceiverClass = "KestrovaneWatchReceiver";

LRESULT CALLBACK receiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<TWatch::State*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (state && message == state->keyMessage && state->onKeyNative) {
    state->onKeyNative(static_cast<std::uint32_t>(wParam), static_cast<std::uint32_t>(lParam));
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND createReceiver(TWatch::State* state) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = receiverProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kReceiverClass;
  RegisterClassA(&windowClass);  // fails harmlessly when already registered
  HWND window = CreateWindowExA(0, kReceiverClass, "", 0, 0, 0, 0, 0, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
  if (window) SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
  return window;
}

template <typename F>
void entry(HMODULE library, const char* name, F& function) {
  function = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace

TWatch::TWatch(KeyNativeEvent onKeyNative, ErrorBox showError, std::string libraryName)
    : m_state(std::make_unique<State>()) {
  m_state->onKeyNative = std::move(onKeyNative);
  m_state->showError = std::move(showError);
  m_state->libraryName = std::move(libraryName);
}

TWatch::~TWatch() {
  unload();
}

bool TWatch::loaded() const {
  return m_state->library != nullptr;
}

bool TWatch::disabled() const {
  return m_state->disabled;
}

std::uintptr_t TWatch::receiver() const {
  return reinterpret_cast<std::uintptr_t>(m_state->window);
}

void TWatch::load() {
  State& s = *m_state;
  if (s.disabled || s.library) return;
  s.library = LoadLibraryA(s.libraryName.c_str());
  if (s.library) {
    s.window = createReceiver(&s);
    entry(s.library, "StartWatching", s.startWatching);
    entry(s.library, "StopWatching", s.stopWatching);
    entry(s.library, "StillWatching", s.stillWatching);
    entry(s.library, "StopAll", s.stopAll);
    entry(s.library, "SetReceiver", s.setReceiver);
    entry(s.library, "GetReceiver", s.getReceiver);
    if (s.setReceiver && !s.setReceiver(s.window)) {
      s.showError(std::string(kWatchOverriding));
      s.setReceiver(nullptr);
      if (!s.setReceiver(s.window)) {
        s.showError(std::string(kWatchCannotOverride));
        s.disabled = true;
      }
    }
  }
  const bool complete = s.library && s.window && s.startWatching && s.stopWatching &&
                        s.stillWatching && s.stopAll && s.setReceiver && s.getReceiver;
  if (s.library && !s.disabled && complete) return;
  if (!s.disabled)
    s.showError(std::string(s.library ? kWatchLibraryNotValid : kWatchLibraryNotFound));
  s.disabled = true;
  unload();
}

void TWatch::unload() {
  State& s = *m_state;
  if (s.getReceiver && s.window && s.getReceiver() == s.window) {
    if (s.setReceiver) s.setReceiver(nullptr);
    if (s.stopAll) s.stopAll();
  }
  if (s.window) DestroyWindow(s.window);
  s.window = nullptr;
  if (s.library) FreeLibrary(s.library);
  s.library = nullptr;
  s.startWatching = nullptr;
  s.stopWatching = nullptr;
  s.stillWatching = nullptr;
  s.stopAll = nullptr;
  s.setReceiver = nullptr;
  s.getReceiver = nullptr;
}

void TWatch::startWatching(int kind) {
  load();
  if (m_state->startWatching) m_state->startWatching(kind);
}

void TWatch::stopWatching(int kind) {
  State& s = *m_state;
  if (!s.library || !s.stopWatching || !s.stillWatching) return;
  s.stopWatching(kind);
  if (!s.stillWatching()) unload();
}

}  // namespace kestrovane
