// The Windows capture source under wine with a display: a keystroke sent
// with SendInput reaches the keyboard side through Raw Input and then the
// watch side through watchdll.dll, with the system's key name.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "macro/PlatformKeyCapture.h"

namespace kestrovane {
namespace {

struct Sink final : KeyCaptureSink {
  void onKeyboardHookReceive(std::uint16_t key, TKeyboardHookState state, int) override {
    log.push_back("hook " + std::to_string(key) + (state == kh_Off ? " up" : " down"));
  }
  void onWatchKeyNative(std::uint32_t, std::uint32_t, const TKeyInfo& info) override {
    log.push_back("watch " + info.name + (info.down ? " down" : " up"));
  }
  void onCaptureMessage(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> log;
  std::vector<std::string> messages;
};

TEST(WindowsKeyCapture, RawInputThenTheWatchLibraryForEachKeystroke) {
  // watchdll.dll is looked up beside the program, as it ships.
  const std::string dll = KESTROVANE_WATCHDLL;
  ASSERT_TRUE(CopyFileA(dll.c_str(), "watchdll.dll", FALSE) ||
              GetFileAttributesA("watchdll.dll") != INVALID_FILE_ATTRIBUTES);
  HWND focus = CreateWindowExA(0, "STATIC", "focus", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                               100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(focus, nullptr);
  SetForegroundWindow(focus);
  SetFocus(focus);

  Sink sink;
  std::unique_ptr<KeyCapture> capture = makePlatformKeyCapture(sink);
  ASSERT_NE(capture, nullptr);
  capture->startWatching();
  capture->setEnabled(true);

  // Left Shift and A, down and up, as a keyboard sends them.
  INPUT inputs[4]{};
  const WORD keys[4] = {VK_SHIFT, 'A', 'A', VK_SHIFT};
  const WORD scans[4] = {0x2A, 0x1E, 0x1E, 0x2A};
  for (int i = 0; i < 4; ++i) {
    inputs[i].type = INPUT_KEYBOARD;
    inputs[i].ki.wVk = keys[i];
    inputs[i].ki.wScan = scans[i];
    inputs[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
  }
  ASSERT_EQ(SendInput(4, inputs, sizeof(INPUT)), 4u);
  for (int tries = 0; sink.log.size() < 8 && tries < 50; ++tries) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
  capture->stopWatching();
  capture->setEnabled(false);
  DestroyWindow(focus);

  EXPECT_TRUE(sink.messages.empty()) << sink.messages.front();
  EXPECT_EQ(sink.log, (std::vector<std::string>{"hook 16 down", "watch Shift down", "hook 65 down",
                                                "watch A down", "hook 65 up", "watch A up",
                                                "hook 16 up", "watch Shift up"}));
}

}  // namespace
}  // namespace kestrovane
