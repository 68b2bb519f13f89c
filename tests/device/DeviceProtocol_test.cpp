#include "device/DeviceProtocol.h"

#include <gtest/gtest.h>

#include <numeric>

#include "device/HidDeviceLink.h"
#include "tests/device/LinkRig.h"

namespace kestrovane::test {
namespace {

using Kind = Event::Kind;

ModeImage modeImage(int n) {
  ModeImage image;
  std::iota(image.begin(), image.end(), static_cast<std::uint8_t>(0x40));
  image[0] = static_cast<std::uint8_t>(n);  // the image of mode N starts with N
  return image;
}

std::array<std::uint8_t, 128> macroRecord() {
  std::array<std::uint8_t, 128> record;
  std::iota(record.begin(), record.end(), std::uint8_t{1});
  return record;
}

// One feature command followed by one report: the block of a mode write or
// of a macro half, with its pacing.
std::vector<Event> block(HidHandle h, std::uint8_t command, const std::uint8_t* payload) {
  return {setFeature(h, featureBytes(command)),
          pause(10),
          write(h, reportBytes(payload)),
          pause(10),
          loading(),
          pause(200),
          events()};
}

std::vector<Event> concat(std::vector<Event> a, const std::vector<Event>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST_F(LinkRig, WriteModeSendsCommandThenStoredImage) {
  linkMouse();
  const HidHandle h = link.link().featureHandle;
  const ModeImage image = modeImage(3);
  link.WriteMode(3, image);
  EXPECT_EQ(log.traffic(), block(h, 3, image.data()));
  EXPECT_EQ(log.only({Kind::Write})[0].bytes[1], 3);
  EXPECT_FALSE(link.deviceWriteFailed());
  // 10 ms after each of the two transfers, then the command pause.
  EXPECT_EQ(clock.pauses().back(), std::chrono::milliseconds{200});
}

TEST_F(LinkRig, WriteMacroSendsBothHalves) {
  linkMouse();
  const HidHandle h = link.link().featureHandle;
  const auto record = macroRecord();
  link.WriteMacro(10, record);
  EXPECT_EQ(log.traffic(),
            concat(block(h, 0x29, record.data()), block(h, 0x39, record.data() + 64)));
  EXPECT_FALSE(link.deviceWriteFailed());
}

// Which handles exist decides which steps run; a missing handle is no failure.
TEST_F(LinkRig, MissingHandlesSkipTheirStepsSilently) {
  const ModeImage image = modeImage(2);
  const auto output = shape(kVendor1, kProduct1, 0, 65, 0);
  const auto feature = shape(kVendor1, kProduct1, 0, 0, 9);

  transport.interfaces = {{"out", output}};
  link.OpenHidDevice(kVendor1, kProduct1);
  const HidHandle out = link.link().outputHandle;
  link.WriteMode(2, image);
  EXPECT_EQ(log.traffic(), (std::vector<Event>{write(out, reportBytes(image.data())), pause(10),
                                               loading(), pause(200), events()}));

  link.closeHandles();
  transport.interfaces = {{"feat", feature}};
  link.OpenHidDevice(kVendor1, kProduct1);
  const HidHandle feat = link.link().featureHandle;
  log.clear();
  link.WriteMode(2, image);
  EXPECT_EQ(log.traffic(), (std::vector<Event>{setFeature(feat, featureBytes(2)), pause(10),
                                               loading(), pause(200), events()}));

  link.closeHandles();
  log.clear();
  link.WriteMode(2, image);
  ModeImage unread = image;
  link.ReadMode(2, unread);
  EXPECT_EQ(unread, image);
  EXPECT_EQ(log.traffic(), (std::vector<Event>{loading(), pause(200), events()}));
  EXPECT_FALSE(link.deviceWriteFailed());
}

// A failed transfer sets the flag, owes no pause, and skips no later step.
// Transfers 1 and 2 are the firmware query of the link, 3 and 4 the first
// mode write, 5 and 6 the second.
TEST_F(LinkRig, FailedTransferIsRecordedAndTheSequenceGoesOn) {
  linkMouse();
  const HidHandle h = link.link().featureHandle;
  const ModeImage image = modeImage(1);
  const Event request = setFeature(h, featureBytes(1));
  const Event report = write(h, reportBytes(image.data()));
  const std::vector<std::vector<Event>> expected{
      {failed(request), report, pause(10), loading(), pause(200), events()},
      {request, pause(10), failed(report), loading(), pause(200), events()}};
  for (int failing : {3, 6}) {
    log.clear();
    link.clearDeviceWriteFailed();
    transport.failingTransfers = {failing};
    link.WriteMode(1, image);
    EXPECT_EQ(log.traffic(), expected[failing == 3 ? 0 : 1]) << failing;
    EXPECT_TRUE(link.deviceWriteFailed());
  }
}

TEST_F(LinkRig, FailedFirstMacroHalfDoesNotStopTheSecond) {
  linkMouse();
  const HidHandle h = link.link().featureHandle;
  const auto record = macroRecord();
  transport.failingTransfers = {4};  // the first half's report
  link.WriteMacro(1, record);
  std::vector<Event> first = block(h, 0x20, record.data());
  first.erase(first.begin() + 3);  // no pause after the failed report
  first[2] = failed(first[2]);
  EXPECT_EQ(log.traffic(), concat(first, block(h, 0x30, record.data() + 64)));
  EXPECT_TRUE(link.deviceWriteFailed());
  link.clearDeviceWriteFailed();
  EXPECT_FALSE(link.deviceWriteFailed());
}

TEST_F(LinkRig, ReadModeOverwritesAllSixtyFourBytes) {
  linkMouse();
  const HidHandle h = link.link().featureHandle;
  std::vector<std::uint8_t> report(65);
  std::iota(report.begin(), report.end(), std::uint8_t{0x90});
  report[0] = 0;
  transport.inputReport = report;
  ModeImage image;
  image.fill(0xEE);
  link.ReadMode(4, image);
  EXPECT_EQ(log.traffic(), (std::vector<Event>{setFeature(h, featureBytes(0x84)), pause(10),
                                               read(h, report), pause(10)}));
  EXPECT_TRUE(std::equal(image.begin(), image.end(), report.begin() + 1));
  EXPECT_FALSE(link.deviceWriteFailed());
}

TEST_F(LinkRig, ReadModeThatTimesOutKeepsTheImage) {
  linkMouse();
  transport.inputReport.clear();
  ModeImage image = modeImage(4);
  link.ReadMode(4, image);
  EXPECT_EQ(image, modeImage(4));
  EXPECT_TRUE(link.deviceWriteFailed());
  EXPECT_EQ(log.only({Kind::Pause}).size(), 1u);  // only after the feature request
}

TEST_F(LinkRig, NumbersOutsideTheRangeSendNothing) {
  linkMouse();
  ModeImage image = modeImage(1);
  const auto record = macroRecord();
  for (int n : {0, 6, -1}) {
    link.clearDeviceWriteFailed();
    link.WriteMode(n, image);
    EXPECT_TRUE(link.deviceWriteFailed()) << n;
    link.clearDeviceWriteFailed();
    link.ReadMode(n, image);
    EXPECT_TRUE(link.deviceWriteFailed()) << n;
  }
  for (int k : {0, 11}) {
    link.clearDeviceWriteFailed();
    link.WriteMacro(k, record);
    EXPECT_TRUE(link.deviceWriteFailed()) << k;
  }
  EXPECT_TRUE(log.all().empty());
}

// The feature request always moves the interface's FeatureReportByteLength,
// whatever it is, from a buffer that holds it (ASan sees an overrun).
struct LengthCase {
  std::uint16_t length;
  bool commandsGoOut;   // long enough for the command code
  const char* version;  // nullptr: the query fails
};

void PrintTo(const LengthCase& c, std::ostream* os) {
  *os << "length " << c.length;
}

class FeatureLengths : public LinkRig, public ::testing::WithParamInterface<LengthCase> {};

TEST_P(FeatureLengths, RequestHasTheReportedLength) {
  const LengthCase c = GetParam();
  std::vector<std::uint8_t> answer(c.length, 0xA5);
  answer[0] = 0;
  if (c.length > 2) answer[2] = 42;
  transport.featureAnswer = answer;
  plug("mouse", shape(kVendor1, kProduct1, 65, 65, c.length));
  link.DetectHIDDeviceCounterTimer();
  EXPECT_EQ(link.link().featureReportLength, c.length);
  EXPECT_EQ(controls.versionLabel, c.version ? c.version : "");
  EXPECT_EQ(link.deviceWriteFailed(), c.version == nullptr);
  if (c.version) {
    const std::vector<Event> gets = log.only({Kind::GetFeature});
    ASSERT_EQ(gets.size(), 1u);
    EXPECT_EQ(gets[0].bytes, answer);
  }

  link.clearDeviceWriteFailed();
  log.clear();
  link.WriteMode(5, modeImage(5));
  const std::vector<Event> sets = log.only({Kind::SetFeature});
  if (c.commandsGoOut) {
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].bytes, featureBytes(5, c.length));  // bytes past the command are 0
    EXPECT_FALSE(link.deviceWriteFailed());
  } else {
    EXPECT_TRUE(sets.empty());
    EXPECT_TRUE(link.deviceWriteFailed());
  }
  EXPECT_EQ(log.only({Kind::Write}).size(), 1u);  // the report goes out either way
}

INSTANTIATE_TEST_SUITE_P(
    DeviceLink, FeatureLengths,
    ::testing::Values(LengthCase{9, true, " Ver-42"}, LengthCase{33, true, " Ver-42"},
                      LengthCase{65, true, " Ver-42"}, LengthCase{3, true, " Ver-42"},
                      LengthCase{2, true, nullptr}, LengthCase{1, false, nullptr}),
    [](const auto& info) { return "Length" + std::to_string(info.param.length); });

TEST_F(LinkRig, LongerFeatureReportAfterARescanIsNotOverrun) {
  plug("small", shape(kVendor1, kProduct1, 65, 65, 9));
  link.DetectHIDDeviceCounterTimer();
  transport.interfaces = {{"big", shape(kVendor1, kProduct1, 65, 65, 300)}};
  plug("other", shape(1, 2, 8, 0, 0));
  link.DetectHIDDeviceCounterTimer();
  log.clear();
  link.WriteMode(1, modeImage(1));
  const std::vector<Event> sets = log.only({Kind::SetFeature});
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(sets[0].bytes, featureBytes(1, 300));
}

TEST_F(LinkRig, RelinkDuringTheCommandPauseMovesTheSecondHalfToTheNewHandles) {
  linkMouse("old");
  const HidHandle oldHandle = link.link().featureHandle;
  const auto record = macroRecord();
  bool replugged = false;
  duringPause = [&](Clock::Duration d) {
    if (d != HidDeviceLink::kCommandPause || replugged) return;
    replugged = true;
    transport.unplug("old");
    plug("new", mouseShape());
    plug("keyboard", shape(1, 2, 8, 0, 0));
    link.DetectHIDDeviceCounterTimer();
  };
  link.WriteMacro(7, record);
  const HidHandle newHandle = link.link().featureHandle;
  ASSERT_NE(newHandle, oldHandle);
  const std::vector<Event> reports = log.only({Kind::SetFeature, Kind::Write});
  const std::vector<Event> expected{
      setFeature(oldHandle, featureBytes(0x26)), write(oldHandle, reportBytes(record.data())),
      setFeature(newHandle, featureBytes(0xC0)), setFeature(newHandle, featureBytes(0x36)),
      write(newHandle, reportBytes(record.data() + 64))};
  EXPECT_EQ(reports, expected);
  EXPECT_FALSE(link.deviceWriteFailed());
}

// The detection timer falls due between a mode's feature request and its
// report: it must wait for the pause after the command, or the report would
// go to a mouse that no longer expects a mode image.
TEST_F(LinkRig, TimerDueInsideACommandWaitsForThePauseAfterIt) {
  linkMouse("old");
  const HidHandle oldHandle = link.link().featureHandle;
  link.startDetectionTimer();
  clock.advance(HidDeviceLink::kDetectionInterval - std::chrono::milliseconds{5});
  plug("keyboard", shape(1, 2, 8, 0, 0));  // the next tick re-links
  log.clear();
  const ModeImage image = modeImage(2);
  link.WriteMode(2, image);
  const std::vector<Event> reports = log.only({Kind::SetFeature, Kind::Write, Kind::Pause});
  ASSERT_GE(reports.size(), 6u);
  const std::vector<Event> command{setFeature(oldHandle, featureBytes(2)), pause(10),
                                   write(oldHandle, reportBytes(image.data())), pause(10),
                                   pause(200)};
  EXPECT_EQ(std::vector<Event>(reports.begin(), reports.begin() + 5), command);
  // The tick ran inside the 200 ms pause and linked anew.
  EXPECT_NE(link.link().featureHandle, oldHandle);
  EXPECT_EQ(reports[5], setFeature(link.link().featureHandle, featureBytes(0xC0)));
  EXPECT_FALSE(link.deviceWriteFailed());
  link.stopDetectionTimer();
}

TEST_F(LinkRig, MacroRecordChangedDuringTheFirstHalfIsSentAsItWas) {
  linkMouse();
  auto record = macroRecord();
  const auto original = record;
  duringPause = [&](Clock::Duration d) {
    if (d == HidDeviceLink::kCommandPause) record.fill(0xFF);  // a recompilation
  };
  link.WriteMacro(3, record);
  const std::vector<Event> writes = log.only({Kind::Write});
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_EQ(writes[1].bytes, reportBytes(original.data() + 64));
}

}  // namespace
}  // namespace kestrovane::test
