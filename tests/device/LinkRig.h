#pragma once

#include <gtest/gtest.h>

#include <string>

#include "base/ManualClock.h"
#include "device/HidDeviceLink.h"
#include "tests/device/LoggingTransport.h"
#include "tests/device/ScriptedTransport.h"

namespace kestrovane::test {

// The two identities of the table.
inline constexpr std::uint16_t kVendor1 = 0x4321, kProduct1 = 0x6789;
inline constexpr std::uint16_t kVendor2 = 0x04B4, kProduct2 = 0x8F36;

// The mouse's usual shape: one interface with 65-byte input and output
// reports and a 9-byte feature report.
inline HidAttributes mouseShape(std::uint16_t vendorId = kVendor1,
                                std::uint16_t productId = kProduct1) {
  return shape(vendorId, productId, 65, 65, 9);
}

// A device link over a scripted transport, a manual clock and recording
// controls, all logging into one log; the identity table filled as start-up
// fills it. No test may call the transport on a handle that is not open.
// The expected sequences are written against the log, so the link can be
// pointed at another transport (the virtual mouse) through `logged`.
class LinkRig : public ::testing::Test {
 protected:
  LinkRig() {
    recordClock(
        clock, log,
        [this](Clock::Duration d) {
          if (duringPause) duringPause(d);
        },
        [this](Clock::Duration d) {
          if (duringSleep) duringSleep(d);
        });
    link.FillDeviceIdTable();
    transport.featureAnswer = {0, kGetFirmwareVersionCommand, 7};
  }
  void TearDown() override { EXPECT_EQ(transport.misuses(), std::vector<std::string>{}); }

  void plug(std::string path, HidAttributes attributes) {
    transport.interfaces.push_back({std::move(path), attributes});
  }
  // The path behind a handle of the link, "" for an invalid one.
  std::string pathOf(HidHandle handle) const { return transport.pathOf(handle); }

  // Plugs the usual mouse and runs the first tick.
  void linkMouse(const std::string& path = "mouse") {
    plug(path, mouseShape());
    link.DetectHIDDeviceCounterTimer();
    ASSERT_NE(link.link().featureHandle, kInvalidHidHandle);
    log.clear();
  }

  EventLog log;
  ScriptedTransport transport;
  LoggingTransport logged{transport, log};
  ManualClock clock;
  RecordingControls controls{log};
  HidDeviceLink link{logged, clock, controls};
  // Runs inside every pause of the clock (where window events run), after it
  // is logged.
  std::function<void(Clock::Duration)> duringPause;
  // Runs inside every sleep after a transfer, where the program lets nothing
  // run: only for tests of the guards against it.
  std::function<void(Clock::Duration)> duringSleep;
};

}  // namespace kestrovane::test
