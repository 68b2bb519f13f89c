#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/SingleInstance.h"

namespace kestrovane {
namespace {

std::string uniqueCaption(const char* what) {
  return std::string("KestrovaneDriver test ") + what + " " + std::to_string(GetCurrentProcessId());
}

TEST(SingleInstanceWindows, NoWindowWithTheCaptionMeansNoRunningCopy) {
  SingleInstance instance(uniqueCaption("absent"));
  EXPECT_FALSE(instance.activateRunningCopy());
  EXPECT_TRUE(instance.listen([] {}));
}

// The running copy is found by its caption alone, whatever its window class.
TEST(SingleInstanceWindows, AWindowWithTheCaptionIsTheRunningCopy) {
  // wine without an X display cannot create windows (and takes long to find out).
  char display[256];
  if (GetEnvironmentVariableA("WINELOADER", display, sizeof display) > 0 &&
      GetEnvironmentVariableA("DISPLAY", display, sizeof display) == 0)
    GTEST_SKIP() << "wine without a display";
  const std::string caption = uniqueCaption("present");
  HWND window = CreateWindowExA(0, "STATIC", caption.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  SingleInstance instance(caption);
  EXPECT_TRUE(instance.activateRunningCopy());
  SingleInstance other(caption + " (other)");
  EXPECT_FALSE(other.activateRunningCopy());
  DestroyWindow(window);
}

}  // namespace
}  // namespace kestrovane
