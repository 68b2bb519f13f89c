// TWatch with the watchdll.dll built here, under wine with a display.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "macro/KeyCapture.h"
#include "macro/Watch.h"

namespace kestrovane {
namespace {

struct Seen {
  std::vector<std::pair<std::uint32_t, std::uint32_t>> keys;
  std::vector<std::string> errors;
};

TWatch makeWatch(Seen& seen, const char* library) {
  return TWatch([&seen](std::uint32_t w, std::uint32_t l) { seen.keys.emplace_back(w, l); },
                [&seen](const std::string& text) { seen.errors.push_back(text); }, library);
}

TEST(TWatch, AMissingLibraryIsReportedOnce) {
  Seen seen;
  TWatch watch = makeWatch(seen, "Z:/nonexistent/watchdll.dll");
  watch.startWatching(1);
  watch.stopWatching(1);
  watch.startWatching(1);
  EXPECT_EQ(seen.errors, std::vector<std::string>{std::string(kWatchLibraryNotFound)});
  EXPECT_TRUE(watch.disabled());
  EXPECT_FALSE(watch.loaded());
}

// The library's own contract: one receiver holds it until it lets go, and
// StillWatching follows StartWatching, StopWatching and StopAll.
TEST(TWatch, TheLibraryHasOneReceiverAndSaysWhetherItWatches) {
  HMODULE library = LoadLibraryA(KESTROVANE_WATCHDLL);
  ASSERT_NE(library, nullptr);
  const auto setReceiver =
      reinterpret_cast<BOOL(__stdcall*)(HWND)>(GetProcAddress(library, "SetReceiver"));
  const auto getReceiver =
      reinterpret_cast<HWND(__stdcall*)()>(GetProcAddress(library, "GetReceiver"));
  const auto start =
      reinterpret_cast<void(__stdcall*)(int)>(GetProcAddress(library, "StartWatching"));
  const auto stop = reinterpret_cast<int(__stdcall*)(int)>(GetProcAddress(library, "StopWatching"));
  const auto still = reinterpret_cast<BOOL(__stdcall*)()>(GetProcAddress(library, "StillWatching"));
  const auto stopAll = reinterpret_cast<void(__stdcall*)()>(GetProcAddress(library, "StopAll"));
  ASSERT_TRUE(setReceiver && getReceiver && start && stop && still && stopAll);
  HWND first = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  HWND second = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);

  EXPECT_TRUE(setReceiver(first));
  EXPECT_EQ(getReceiver(), first);
  EXPECT_FALSE(setReceiver(second)) << "another receiver holds the library";
  EXPECT_EQ(getReceiver(), first);
  EXPECT_TRUE(setReceiver(nullptr));
  EXPECT_TRUE(setReceiver(second));
  EXPECT_EQ(getReceiver(), second);

  EXPECT_FALSE(still());
  start(1);
  EXPECT_TRUE(still());
  stop(1);
  EXPECT_FALSE(still());
  start(1);
  stopAll();
  EXPECT_FALSE(still());

  setReceiver(nullptr);
  DestroyWindow(first);
  DestroyWindow(second);
  FreeLibrary(library);
}

TEST(TWatch, LoadsTheLibraryAndReceivesInjectedKeystrokes) {
  HMODULE library = LoadLibraryA(KESTROVANE_WATCHDLL);
  ASSERT_NE(library, nullptr);
  for (const char* name :
       {"StartWatching", "StopWatching", "StillWatching", "StopAll", "SetReceiver", "GetReceiver"})
    EXPECT_NE(GetProcAddress(library, name), nullptr) << name;

  // A visible window in the foreground takes the keys.
  HWND focus = CreateWindowExA(0, "STATIC", "focus", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                               100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(focus, nullptr);
  SetForegroundWindow(focus);
  SetFocus(focus);

  Seen seen;
  {
    TWatch watch = makeWatch(seen, KESTROVANE_WATCHDLL);
    watch.startWatching(1);
    ASSERT_TRUE(watch.loaded());
    EXPECT_TRUE(seen.errors.empty());

    // Right Ctrl down and up, by scan code with the extended flag.
    INPUT inputs[2]{};
    for (INPUT& input : inputs) {
      input.type = INPUT_KEYBOARD;
      input.ki.wScan = 0x1D;
      input.ki.dwFlags = KEYEVENTF_SCANCODE | KEYEVENTF_EXTENDEDKEY;
    }
    inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    ASSERT_EQ(SendInput(2, inputs, sizeof(INPUT)), 2u);

    // Lets the posted messages arrive, at most 5 s in all.
    for (int tries = 0; seen.keys.size() < 2 && tries < 50; ++tries) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    watch.stopWatching(1);
    EXPECT_FALSE(watch.loaded());
  }
  DestroyWindow(focus);
  FreeLibrary(library);

  ASSERT_EQ(seen.keys.size(), 2u);
  const TKeyInfo down = decodeKeyInfo(seen.keys[0].second, "");
  const TKeyInfo up = decodeKeyInfo(seen.keys[1].second, "");
  EXPECT_EQ(down.scanCode, 0x1D);
  EXPECT_TRUE(down.extended);
  EXPECT_TRUE(down.down);
  EXPECT_EQ(up.scanCode, 0x1D);
  EXPECT_TRUE(up.extended);
  EXPECT_FALSE(up.down);
}

}  // namespace
}  // namespace kestrovane
