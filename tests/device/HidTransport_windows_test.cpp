// The Windows backend against the HID interfaces of the machine; under wine
// these are wine's own two virtual devices (a mouse and a keyboard).
#include "device/HidTransport_windows.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

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
    std::vector<std::uint8_t> out(std::max<std::size_t>(a.outputReportLength, 2), 0);
    EXPECT_FALSE(transport->write(h, out.data(), out.size()));
  }
  EXPECT_GT(opened, 0);
  HidOpenError error = HidOpenError::None;
  EXPECT_EQ(transport->open("\\\\?\\hid#no_such_device#0", &error), kInvalidHidHandle);
  EXPECT_EQ(error, HidOpenError::NotFound);
}

// A byte pipe stands in for a mouse: its writing end takes a write only while
// the reading end has a read waiting (neither end buffers anything), so a
// write with no read is a mouse that stalls.
struct Pipe {
  HANDLE reader = INVALID_HANDLE_VALUE;
  HANDLE writer = INVALID_HANDLE_VALUE;
  HANDLE event = nullptr;
  explicit Pipe(const char* what) {
    const std::string name = "\\\\.\\pipe\\kestrovane-" + std::string(what) + "-" +
                             std::to_string(GetCurrentProcessId());
    reader = CreateNamedPipeA(name.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED,
                              PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0, 0, 0, nullptr);
    writer = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                         FILE_FLAG_OVERLAPPED, nullptr);
    event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  }
  ~Pipe() {
    if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
    if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);
    if (event) CloseHandle(event);
  }
  bool ok() const {
    return reader != INVALID_HANDLE_VALUE && writer != INVALID_HANDLE_VALUE && event;
  }
};

std::vector<std::uint8_t> report() {
  std::vector<std::uint8_t> bytes(65, 0);
  for (std::size_t i = 1; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i);
  return bytes;
}

TEST(WindowsHidWrite, AStalledWriteEndsAtItsTimeLimit) {
  using namespace std::chrono_literals;
  Pipe pipe("stalled");
  ASSERT_TRUE(pipe.ok()) << GetLastError();
  const auto bytes = report();
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(detail::writeWithin(pipe.writer, pipe.event, bytes.data(), bytes.size(), 50ms));
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_GE(took, 40ms);
  EXPECT_LT(took, 5s);
  // The cancelled write left nothing behind: a read finds the pipe empty.
  std::uint8_t in[65];
  DWORD available = 1;
  ASSERT_TRUE(PeekNamedPipe(pipe.reader, in, sizeof in, nullptr, &available, nullptr));
  EXPECT_EQ(available, 0u);
}

TEST(WindowsHidWrite, AWriteTheDeviceTakesSucceedsWhole) {
  using namespace std::chrono_literals;
  Pipe pipe("taken");
  ASSERT_TRUE(pipe.ok()) << GetLastError();
  std::vector<std::uint8_t> in(65, 0xEE);
  OVERLAPPED read{};
  read.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(read.hEvent, nullptr);
  const BOOL readDone =
      ReadFile(pipe.reader, in.data(), static_cast<DWORD>(in.size()), nullptr, &read);
  ASSERT_TRUE(readDone || GetLastError() == ERROR_IO_PENDING);
  const auto bytes = report();
  EXPECT_TRUE(detail::writeWithin(pipe.writer, pipe.event, bytes.data(), bytes.size(),
                                  detail::kHidWriteTimeout));
  DWORD count = 0;
  ASSERT_EQ(WaitForSingleObject(read.hEvent, 5000), WAIT_OBJECT_0);
  ASSERT_TRUE(GetOverlappedResult(pipe.reader, &read, &count, FALSE));
  EXPECT_EQ(count, bytes.size());
  EXPECT_EQ(in, bytes);
  CloseHandle(read.hEvent);
}

// Writes that cannot start fail at once: no handle, a closed one, a handle
// that takes no writes, nothing to write.
TEST(WindowsHidWrite, WritesWithoutAUsableHandleFailCleanly) {
  using namespace std::chrono_literals;
  EXPECT_EQ(detail::kHidWriteTimeout, 1000ms);
  const auto bytes = report();
  Pipe pipe("unusable");
  ASSERT_TRUE(pipe.ok()) << GetLastError();
  EXPECT_FALSE(detail::writeWithin(INVALID_HANDLE_VALUE, pipe.event, bytes.data(), bytes.size(),
                                   detail::kHidWriteTimeout));
  EXPECT_FALSE(detail::writeWithin(pipe.reader, pipe.event, bytes.data(), bytes.size(),
                                   detail::kHidWriteTimeout));  // the reading end
  EXPECT_FALSE(detail::writeWithin(pipe.writer, pipe.event, bytes.data(), 0, 1000ms));
  EXPECT_FALSE(detail::writeWithin(pipe.writer, nullptr, bytes.data(), bytes.size(), 1000ms));
  CloseHandle(pipe.writer);
  EXPECT_FALSE(detail::writeWithin(pipe.writer, pipe.event, bytes.data(), bytes.size(), 1000ms));
  pipe.writer = INVALID_HANDLE_VALUE;

  const auto transport = createPlatformHidTransport();
  auto buffer = report();
  EXPECT_FALSE(transport->write(kInvalidHidHandle, buffer.data(), buffer.size()));
  EXPECT_FALSE(transport->write(12345, buffer.data(), buffer.size()));
}

}  // namespace
}  // namespace kestrovane
