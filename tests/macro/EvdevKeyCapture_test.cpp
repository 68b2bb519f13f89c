// The keyboards' event devices as a capture source, fed through a pipe with
// the kernel's input_event records.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/input.h>
#include <poll.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "macro/PlatformKeyCapture.h"
#include "tests/TempFolder.h"

namespace kestrovane {
namespace {

struct Sink final : KeyCaptureSink {
  void onKeyboardHookReceive(std::uint16_t key, TKeyboardHookState, int) override {
    log.push_back("hook " + std::to_string(key));
  }
  void onWatchKeyNative(std::uint32_t, std::uint32_t, const TKeyInfo& info) override {
    log.push_back("watch " + info.name + (info.down ? " down" : " up"));
  }
  void onCaptureMessage(const std::string&) override {}
  std::vector<std::string> log;
};

TEST(EvdevKeyCapture, KeyRecordsBecomeWhatWindowsReports) {
  int ends[2];
  ASSERT_EQ(pipe2(ends, O_NONBLOCK | O_CLOEXEC), 0);
  Sink sink;
  std::unique_ptr<KeyCapture> capture = makeEvdevKeyCapture(sink, std::vector<int>{ends[0]});
  ASSERT_NE(capture, nullptr);
  capture->startWatching();
  capture->setEnabled(true);

  // Right Ctrl, A held (one auto-repeat), their releases; a sync record and
  // a relative motion between them are no keys.
  const std::vector<input_event> records{
      {{}, EV_KEY, KEY_RIGHTCTRL, 1}, {{}, EV_SYN, SYN_REPORT, 0}, {{}, EV_KEY, KEY_A, 1},
      {{}, EV_REL, REL_X, 3},         {{}, EV_KEY, KEY_A, 2},      {{}, EV_KEY, KEY_A, 0},
      {{}, EV_KEY, KEY_RIGHTCTRL, 0}};
  const auto bytes = static_cast<ssize_t>(records.size() * sizeof(input_event));
  ASSERT_EQ(write(ends[1], records.data(), static_cast<std::size_t>(bytes)), bytes);
  pollfd ready{capture->eventDescriptor(), POLLIN, 0};
  ASSERT_EQ(poll(&ready, 1, 1000), 1);
  capture->dispatch();
  close(ends[1]);

  EXPECT_EQ(sink.log,
            (std::vector<std::string>{"hook 17", "watch Right Ctrl down", "hook 65", "watch A down",
                                      "hook 65", "watch A down", "hook 65", "watch A up", "hook 17",
                                      "watch Right Ctrl up"}));
  // No keyboard the user may read: no source (the window's keys serve then).
  test::TempFolder empty;
  EXPECT_EQ(makeEvdevKeyCapture(sink, empty.str().c_str()), nullptr);
}

}  // namespace
}  // namespace kestrovane
