// The Windows backend against the HID interfaces of the machine; under wine
// these are wine's own two virtual devices (a mouse and a keyboard).
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>
#include <thread>

#include "device/PlatformHidTransport.h"

namespace kestrovane {
namespace {

// wine's two HID devices belong to its desktop process, which ends when the
// machine has been idle for a while and starts again when a program asks for
// the desktop; the devices then appear a moment later. This waits for the
// machine, not for the code under test (on Windows the desktop is always up).
std::vector<std::string> enumerateOnceTheBusIsUp(HidTransport& transport) {
  using namespace std::chrono_literals;
  (void)GetDesktopWindow();
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  auto paths = transport.enumerate();
  while (paths.empty() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(100ms);
    paths = transport.enumerate();
  }
  return paths;
}

TEST(WindowsHidTransport, EnumeratesOpensAndReportsSaneLengths) {
  const auto transport = createPlatformHidTransport();
  const auto paths = enumerateOnceTheBusIsUp(*transport);
  ASSERT_FALSE(paths.empty()) << "wine offers two HID devices";
  int opened = 0;
  for (const auto& path : paths) {
    SCOPED_TRACE(path);
    EXPECT_EQ(path.rfind("\\\\?\\", 0), 0u);
    HidOpenError error = HidOpenError::Other;
    const HidHandle h = transport->open(path, &error);
    if (h == kInvalidHidHandle) {
      EXPECT_NE(error, HidOpenError::None);
      continue;
    }
    ++opened;
    EXPECT_EQ(error, HidOpenError::None);
    HidAttributes a;
    ASSERT_TRUE(transport->attributes(h, a));
    EXPECT_GT(a.inputReportLength + a.outputReportLength + a.featureReportLength, 0);
    // Windows counts the report ID byte: a report of any kind is at least 2.
    for (const auto length : {a.inputReportLength, a.outputReportLength, a.featureReportLength})
      EXPECT_TRUE(length == 0 || (length >= 2 && length <= 4096)) << length;
    if (a.inputReportLength > 0) {
      // Nothing moves on these devices: a read with no time to wait gives up
      // at once, and the handle still works afterwards.
      std::string buffer(a.inputReportLength, '\0');
      EXPECT_FALSE(transport->read(h, reinterpret_cast<std::uint8_t*>(buffer.data()), buffer.size(),
                                   std::chrono::milliseconds(0)));
      EXPECT_TRUE(transport->attributes(h, a));
    }
    transport->close(h);
    EXPECT_FALSE(transport->attributes(h, a));
  }
  EXPECT_GT(opened, 0);
  HidOpenError error = HidOpenError::None;
  EXPECT_EQ(transport->open("\\\\?\\hid#no_such_device#0", &error), kInvalidHidHandle);
  EXPECT_EQ(error, HidOpenError::NotFound);
}

}  // namespace
}  // namespace kestrovane
