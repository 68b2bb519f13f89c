// watchdll.dll: reports keystrokes system-wide to one receiver window.
//
// It sets a WH_KEYBOARD hook, not WH_KEYBOARD_LL: the low-level hook runs
// before the system builds the Raw Input message of a keystroke, so its
// messages would reach the receiver before the WM_INPUT of the same key,
// and the program marks a pending modifier only on WM_INPUT. The ordinary
// hook runs when a thread takes the key from its queue, after WM_INPUT has
// been posted, which keeps the order the modifier lines need.
#include <windows.h>

namespace {

// The hook runs in every process that takes keyboard input; the receiver
// and the hook must be the same in all of them, so they live in a section
// that all those processes share.
__attribute__((section(".shared"), shared)) HWND g_receiver = nullptr;
__attribute__((section(".shared"), shared)) HHOOK g_keyHook = nullptr;

HINSTANCE g_module = nullptr;

constexpr int kWatchKeys = 1;

LRESULT CALLBACK keyboardProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && g_receiver) {
    static const UINT message = RegisterWindowMessageA("WATCH_KEY_EVENT");
    PostMessageA(g_receiver, message, wParam, lParam);
  }
  return CallNextHookEx(g_keyHook, code, wParam, lParam);
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_module = instance;
  return TRUE;
}

__declspec(dllexport) void __stdcall StartWatching(int kind) {
  if (kind == kWatchKeys && !g_keyHook)
    g_keyHook = SetWindowsHookExA(WH_KEYBOARD, keyboardProc, g_module, 0);
}

__declspec(dllexport) int __stdcall StopWatching(int kind) {
  if (kind != kWatchKeys || !g_keyHook) return 0;
  const BOOL removed = UnhookWindowsHookEx(g_keyHook);
  g_keyHook = nullptr;
  return removed ? 1 : 0;
}

__declspec(dllexport) BOOL __stdcall StillWatching() {
  return g_keyHook != nullptr;
}

__declspec(dllexport) void __stdcall StopAll() {
  StopWatching(kWatchKeys);
}

__declspec(dllexport) BOOL __stdcall SetReceiver(HWND window) {
  if (window && g_receiver && g_receiver != window && IsWindow(g_receiver)) return FALSE;
  g_receiver = window;
  return TRUE;
}

__declspec(dllexport) HWND __stdcall GetReceiver() {
  return g_receiver;
}

}  // extern "C"
