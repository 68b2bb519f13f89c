#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "app/SingleInstance.h"
#include "base/ManualClock.h"

namespace kestrovane {
namespace {

using std::chrono::milliseconds;

std::string uniqueCaption(const char* what) {
  return std::string("KestrovaneDriver test ") + what + " " + std::to_string(GetCurrentProcessId());
}

// wine without an X display cannot create windows (and takes long to find out).
bool windowsCanBeMade() {
  char display[256];
  return GetEnvironmentVariableA("WINELOADER", display, sizeof display) == 0 ||
         GetEnvironmentVariableA("DISPLAY", display, sizeof display) > 0;
}

HWND makeWindow(const std::string& caption, DWORD style) {
  return CreateWindowExA(0, "STATIC", caption.c_str(), style, 0, 0, 100, 100, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

// The first copy claims the right to run and holds it until it ends; a
// later copy that finds no window waits kReachWait for one and then ends all
// the same.
TEST(SingleInstanceWindows, TheFirstCopyHoldsItsClaimForItsLife) {
  const std::string caption = uniqueCaption("claim");
  ManualClock clock;
  {
    SingleInstance first(caption, clock);
    EXPECT_FALSE(first.activateRunningCopy());
    EXPECT_TRUE(first.listen([] {}));
    SingleInstance second(caption, clock);
    EXPECT_TRUE(second.activateRunningCopy());
    EXPECT_FALSE(second.listen([] {}));
    EXPECT_EQ(clock.pauses(), std::vector<milliseconds>(50, milliseconds(100)));
    // The later copy's look left the claim with the first copy.
    SingleInstance third(caption, clock);
    EXPECT_TRUE(third.activateRunningCopy());
  }
  clock.clearRecord();
  SingleInstance next(caption, clock);
  EXPECT_FALSE(next.activateRunningCopy());
  EXPECT_TRUE(clock.pauses().empty());
}

// A window with the caption is a running copy even without a claim (a copy
// from before the claim existed), found by its caption alone, whatever its
// window class.
TEST(SingleInstanceWindows, AWindowWithTheCaptionIsTheRunningCopy) {
  if (!windowsCanBeMade()) GTEST_SKIP() << "wine without a display";
  const std::string caption = uniqueCaption("present");
  HWND window = makeWindow(caption, WS_OVERLAPPEDWINDOW);
  ASSERT_NE(window, nullptr);
  ManualClock clock;
  {
    SingleInstance instance(caption, clock);
    EXPECT_TRUE(instance.activateRunningCopy());
  }
  SingleInstance other(caption + " (other)", clock);
  EXPECT_FALSE(other.activateRunningCopy());
  // The copy that found the window gave its claim back.
  SingleInstance again(caption, clock);
  EXPECT_TRUE(again.listen([] {}));
  EXPECT_TRUE(clock.pauses().empty());
  DestroyWindow(window);
}

// A copy started while the first one is still starting (claim held, no
// window yet) waits for the window, then restores and raises it.
TEST(SingleInstanceWindows, ALaterCopyRaisesTheWindowOnceItAppears) {
  if (!windowsCanBeMade()) GTEST_SKIP() << "wine without a display";
  const std::string caption = uniqueCaption("starting");
  ManualClock clock;
  SingleInstance first(caption, clock);
  ASSERT_FALSE(first.activateRunningCopy());
  HWND window = nullptr;
  int sleeps = 0;
  clock.setSleepHook([&](milliseconds) {
    if (++sleeps == 3) window = makeWindow(caption, WS_OVERLAPPEDWINDOW | WS_MINIMIZE);
  });
  SingleInstance second(caption, clock);
  EXPECT_TRUE(second.activateRunningCopy());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(clock.pauses(), std::vector<milliseconds>(3, milliseconds(100)));
  EXPECT_FALSE(IsIconic(window));
  EXPECT_TRUE(IsWindowVisible(window));
  DestroyWindow(window);
}

}  // namespace
}  // namespace kestrovane
