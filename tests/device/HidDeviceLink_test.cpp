#include "device/HidDeviceLink.h"

#include <gtest/gtest.h>

#include "tests/device/LinkRig.h"

namespace kestrovane::test {
namespace {

using Kind = Event::Kind;

std::vector<Event> firmwareQuery(HidHandle handle, std::uint8_t version) {
  return {setFeature(handle, featureBytes(0xC0)), pause(10),
          getFeature(handle, {0, 0xC0, version, 0, 0, 0, 0, 0, 0})};
}

// How the mouse's interfaces may look, and which of them the link must pick.
struct ShapeCase {
  const char* name;
  std::vector<ScriptedInterface> interfaces;
  bool found;
  const char* feature;  // path expected behind each handle ("" = invalid)
  const char* output;
  const char* input;
};

void PrintTo(const ShapeCase& c, std::ostream* os) {
  *os << c.name;
}

class InterfaceShapes : public LinkRig, public ::testing::WithParamInterface<ShapeCase> {};

TEST_P(InterfaceShapes, LinkTakesTheRightHandlesAndClosesTheRest) {
  const ShapeCase& c = GetParam();
  transport.interfaces = c.interfaces;
  link.DetectHIDDeviceCounterTimer();

  EXPECT_EQ(pathOf(link.link().featureHandle), c.feature);
  EXPECT_EQ(pathOf(link.link().outputHandle), c.output);
  EXPECT_EQ(pathOf(link.link().inputHandle), c.input);
  EXPECT_EQ(controls.enabled, c.found);
  EXPECT_EQ(controls.versionLabel, c.found ? " Ver-7" : "");
  EXPECT_EQ(link.link().vendorId, c.found ? kVendor1 : 0u);
  EXPECT_EQ(link.link().lastDeviceCount, static_cast<int>(c.interfaces.size()));
  // Only the handles in a role stay open.
  std::set<HidHandle> roles{link.link().featureHandle, link.link().outputHandle,
                            link.link().inputHandle};
  roles.erase(kInvalidHidHandle);
  EXPECT_EQ(transport.openHandles(), roles);
}

INSTANTIATE_TEST_SUITE_P(
    DeviceLink, InterfaceShapes,
    ::testing::Values(
        ShapeCase{
            "OneInterfaceAllRoles", {{"mouse", mouseShape()}}, true, "mouse", "mouse", "mouse"},
        ShapeCase{"OneRoleEach",
                  {{"in", shape(kVendor1, kProduct1, 65, 0, 0)},
                   {"feat", shape(kVendor1, kProduct1, 0, 0, 9)},
                   {"out", shape(kVendor1, kProduct1, 0, 65, 0)}},
                  true,
                  "feat",
                  "out",
                  "in"},
        ShapeCase{"RightIdsButNoUsableReport",
                  {{"kbd", shape(kVendor1, kProduct1, 8, 8, 0)}},
                  false,
                  "",
                  "",
                  ""},
        // The output interface is not the mouse without a feature interface,
        // and it must not stay open for the next identity's commands.
        ShapeCase{"OutputButNoFeature",
                  {{"out", shape(kVendor1, kProduct1, 0, 65, 0)}},
                  false,
                  "",
                  "",
                  ""},
        ShapeCase{"OtherDevicesAround",
                  {{"kbd", shape(0x046D, 0xC31C, 9, 2, 0)},
                   {"mouse", mouseShape()},
                   {"pad", shape(0x045E, 0x028E, 65, 65, 9)}},
                  true,
                  "mouse",
                  "mouse",
                  "mouse"},
        ShapeCase{
            "UnreadableAttributes", {{"mouse", mouseShape(), 0, false, true}}, false, "", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LinkRig, FailedOpenIsTriedOnceMore) {
  transport.interfaces = {{"mouse", mouseShape(), 1}};
  EXPECT_TRUE(link.OpenHidDevice(kVendor1, kProduct1));
  EXPECT_EQ(log.only({Kind::OpenFailed}).size(), 1u);
  EXPECT_EQ(pathOf(link.link().featureHandle), "mouse");

  transport.interfaces = {{"mouse2", mouseShape(), 2}};
  link.closeHandles();
  log.clear();
  EXPECT_FALSE(link.OpenHidDevice(kVendor1, kProduct1));
  EXPECT_EQ(log.only({Kind::OpenFailed}).size(), 2u);
  EXPECT_EQ(link.link().featureHandle, kInvalidHidHandle);
}

TEST_F(LinkRig, LaterInterfaceTakesRolesOverAndClosesWhatNoRoleHolds) {
  // a holds all three roles; b takes input only, so a stays open; c takes
  // feature and output, which leaves a without a role: closed, exactly once.
  transport.interfaces = {{"a", mouseShape()},
                          {"b", shape(kVendor1, kProduct1, 65, 0, 0)},
                          {"c", shape(kVendor1, kProduct1, 0, 65, 33)}};
  ASSERT_TRUE(link.OpenHidDevice(kVendor1, kProduct1));
  EXPECT_EQ(pathOf(link.link().inputHandle), "b");
  EXPECT_EQ(pathOf(link.link().featureHandle), "c");
  EXPECT_EQ(pathOf(link.link().outputHandle), "c");
  EXPECT_EQ(link.link().featureReportLength, 33);
  const std::vector<Event> closes = log.only({Kind::Close});
  ASSERT_EQ(closes.size(), 1u);
  EXPECT_EQ(closes[0].handle, 100);  // a, the first handle given out
}

TEST_F(LinkRig, SharedHandleIsClosedOnceOnRescan) {
  linkMouse();
  const HidHandle shared = link.link().featureHandle;
  EXPECT_EQ(link.link().outputHandle, shared);
  EXPECT_EQ(link.link().inputHandle, shared);
  plug("keyboard", shape(0x046D, 0xC31C, 9, 2, 0));
  link.DetectHIDDeviceCounterTimer();
  EXPECT_EQ(transport.closesOf(shared), 1);
  EXPECT_NE(link.link().featureHandle, shared);
}

TEST_F(LinkRig, FirstTickLinksAndReadsTheFirmwareVersion) {
  plug("mouse", mouseShape());
  link.DetectHIDDeviceCounterTimer();
  const HidHandle h = link.link().featureHandle;
  std::vector<Event> expected{disable()};
  for (Event& e : firmwareQuery(h, 7)) expected.push_back(e);
  expected.push_back(version(" Ver-7"));
  expected.push_back(enable());
  EXPECT_EQ(log.traffic(), expected);
  EXPECT_EQ(link.link().vendorId, kVendor1);
  EXPECT_EQ(link.link().productId, kProduct1);
  EXPECT_EQ(link.firmwareVersionText(), " Ver-7");
  EXPECT_FALSE(link.link().scanBusy);
  // Ten counts and one search.
  EXPECT_EQ(transport.enumerations(), 11);
}

TEST_F(LinkRig, FirmwareQueryWithoutFeatureHandleSendsNothing) {
  controls.versionLabel = "kept";
  link.GetFirmwareVersion();
  EXPECT_TRUE(log.all().empty());
  EXPECT_EQ(controls.versionLabel, "kept");
  EXPECT_FALSE(link.deviceWriteFailed());
}

TEST_F(LinkRig, FirmwareByteTwoIsShownAsAnUnsignedNumber) {
  for (auto [byte, text] : {std::pair<std::uint8_t, const char*>{0, " Ver-0"}, {255, " Ver-255"}}) {
    transport.featureAnswer = {0, 0xC0, byte, 0xAA};
    linkMouse("mouse" + std::to_string(byte));
    EXPECT_EQ(controls.versionLabel, text);
    transport.interfaces.clear();
    link.DetectHIDDeviceCounterTimer();
  }
  EXPECT_FALSE(link.deviceWriteFailed());
}

TEST_F(LinkRig, FailedFirmwareQuerySetsTheFlagAndShowsNoVersion) {
  plug("mouse", mouseShape());
  transport.failingTransfers = {1};
  link.DetectHIDDeviceCounterTimer();
  const HidHandle h = link.link().featureHandle;
  // No pause after the failure, and the controls still come on.
  EXPECT_EQ(log.traffic(),
            (std::vector<Event>{disable(), failed(setFeature(h, featureBytes(0xC0))), enable()}));
  EXPECT_TRUE(link.deviceWriteFailed());
  EXPECT_EQ(controls.versionLabel, "");
}

TEST_F(LinkRig, UnchangedCountDoesNotRescan) {
  linkMouse();
  link.DetectHIDDeviceCounterTimer();
  EXPECT_TRUE(log.traffic().empty());
  EXPECT_EQ(transport.enumerations(), 21);
}

TEST_F(LinkRig, NoOpenableInterfaceNeverScans) {
  plug("locked", shape(kVendor1, kProduct1, 65, 65, 9));
  transport.interfaces[0].neverOpens = true;
  link.DetectHIDDeviceCounterTimer();
  EXPECT_TRUE(log.traffic().empty());
  EXPECT_EQ(link.link().lastDeviceCount, 0);
}

// Counts flicker: the second count of each of the first `unstablePairs`
// pairs sees one interface more.
struct FlickerCase {
  int unstablePairs;
  bool rescans;
  int keptCount;
};

void PrintTo(const FlickerCase& c, std::ostream* os) {
  *os << c.unstablePairs << " unstable";
}

class Flicker : public LinkRig, public ::testing::WithParamInterface<FlickerCase> {};

TEST_P(Flicker, FewerThanFourStablePairsChangeNothing) {
  const FlickerCase c = GetParam();
  plug("mouse", mouseShape());
  transport.onEnumerate = [this, c](int n) {
    transport.interfaces.resize(1);
    const int pair = n / 2;
    const bool second = n % 2 == 1;
    if (n < 10 && second && pair < c.unstablePairs)
      transport.interfaces.push_back({"flicker" + std::to_string(n), shape(1, 2, 8, 0, 0)});
  };
  link.DetectHIDDeviceCounterTimer();
  EXPECT_EQ(!log.only({Kind::Disable}).empty(), c.rescans);
  EXPECT_EQ(controls.enabled, c.rescans);
  EXPECT_EQ(link.link().lastDeviceCount, c.keptCount);
  if (!c.rescans) EXPECT_TRUE(transport.openHandles().empty());
}

INSTANTIATE_TEST_SUITE_P(DeviceLink, Flicker,
                         ::testing::Values(FlickerCase{0, true, 1}, FlickerCase{1, true, 1},
                                           FlickerCase{2, false, 0}, FlickerCase{5, false, 0}),
                         [](const auto& info) {
                           return "Unstable" + std::to_string(info.param.unstablePairs);
                         });

TEST_F(LinkRig, CountKeptIsTheFirstOfTheFifthPair) {
  // Pairs 1-4 see one interface; the fifth pair's first count sees two, its
  // second one: four stable pairs, and the kept count is 2.
  plug("mouse", mouseShape());
  transport.onEnumerate = [this](int n) {
    transport.interfaces.resize(1);
    if (n == 8) transport.interfaces.push_back({"blip", shape(1, 2, 8, 0, 0)});
  };
  link.DetectHIDDeviceCounterTimer();
  EXPECT_EQ(link.link().lastDeviceCount, 2);
  EXPECT_TRUE(controls.enabled);
}

struct IdentityCase {
  const char* name;
  std::vector<ScriptedInterface> interfaces;
  std::uint32_t vendorId;  // linked identity, 0 for none
  int enumerations;        // ten counts + one per identity tried
};

void PrintTo(const IdentityCase& c, std::ostream* os) {
  *os << c.name;
}

class Identities : public LinkRig, public ::testing::WithParamInterface<IdentityCase> {};

TEST_P(Identities, SecondEntryIsTriedOnlyWhenTheFirstIsNotFound) {
  const IdentityCase& c = GetParam();
  transport.interfaces = c.interfaces;
  link.DetectHIDDeviceCounterTimer();
  EXPECT_EQ(link.link().vendorId, c.vendorId);
  EXPECT_EQ(transport.enumerations(), c.enumerations);
  EXPECT_EQ(controls.enabled, c.vendorId != 0);
  if (c.vendorId != 0) {
    EXPECT_EQ(controls.versionLabel, " Ver-7");
    // Every handle of the link belongs to the linked identity.
    for (HidHandle h :
         {link.link().featureHandle, link.link().outputHandle, link.link().inputHandle}) {
      if (h == kInvalidHidHandle) continue;
      HidAttributes a;
      ASSERT_TRUE(transport.attributes(h, a));
      EXPECT_EQ(a.vendorId, c.vendorId);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    DeviceLink, Identities,
    ::testing::Values(IdentityCase{"FirstOnly", {{"m1", mouseShape()}}, kVendor1, 11},
                      IdentityCase{
                          "SecondOnly", {{"m2", mouseShape(kVendor2, kProduct2)}}, kVendor2, 12},
                      IdentityCase{"BothFirstWins",
                                   {{"m2", mouseShape(kVendor2, kProduct2)}, {"m1", mouseShape()}},
                                   kVendor1,
                                   11},
                      // The first identity leaves output and input handles behind; the
                      // second, which has none of its own, must not inherit them.
                      IdentityCase{"FirstWithoutFeature",
                                   {{"m1", shape(kVendor1, kProduct1, 65, 65, 0)},
                                    {"m2", shape(kVendor2, kProduct2, 0, 0, 9)}},
                                   kVendor2,
                                   12},
                      IdentityCase{"Neither", {{"kbd", shape(1, 2, 8, 0, 0)}}, 0, 12}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LinkRig, UnrelatedDevicePluggedWhileLinkedRelinks) {
  linkMouse();
  const HidHandle old = link.link().featureHandle;
  transport.featureAnswer = {0, 0xC0, 8};
  plug("keyboard", shape(0x046D, 0xC31C, 9, 2, 0));
  link.DetectHIDDeviceCounterTimer();
  const HidHandle h = link.link().featureHandle;
  EXPECT_NE(h, old);
  EXPECT_EQ(pathOf(h), "mouse");
  std::vector<Event> expected{disable()};
  for (Event& e : firmwareQuery(h, 8)) expected.push_back(e);
  expected.push_back(version(" Ver-8"));
  expected.push_back(enable());
  EXPECT_EQ(log.traffic(), expected);
  EXPECT_EQ(transport.closesOf(old), 1);
}

TEST_F(LinkRig, UnpluggingTheMouseUnlinks) {
  linkMouse();
  plug("keyboard", shape(0x046D, 0xC31C, 9, 2, 0));
  transport.unplug("mouse");
  link.DetectHIDDeviceCounterTimer();  // same count: nothing noticed
  EXPECT_TRUE(controls.enabled);
  transport.unplug("keyboard");
  link.DetectHIDDeviceCounterTimer();
  EXPECT_EQ(log.traffic(), std::vector<Event>{disable()});
  EXPECT_FALSE(controls.enabled);
  EXPECT_EQ(controls.versionLabel, "");
  EXPECT_EQ(link.link().featureHandle, kInvalidHidHandle);
  EXPECT_EQ(link.link().outputHandle, kInvalidHidHandle);
  EXPECT_EQ(link.link().inputHandle, kInvalidHidHandle);
  EXPECT_EQ(link.link().vendorId, 0u);
  EXPECT_EQ(link.link().productId, 0u);
  EXPECT_EQ(link.link().lastDeviceCount, 0);
  EXPECT_TRUE(transport.openHandles().empty());
}

TEST_F(LinkRig, TickStartedInsideAnotherTickReturnsAtOnce) {
  plug("mouse", mouseShape());
  int nested = 0;
  duringSleep = [&](Clock::Duration) {
    if (++nested > 1) return;
    plug("keyboard", shape(1, 2, 8, 0, 0));
    link.DetectHIDDeviceCounterTimer();
  };
  link.DetectHIDDeviceCounterTimer();
  EXPECT_EQ(nested, 1);                     // the firmware query's pause
  EXPECT_EQ(transport.enumerations(), 11);  // the nested tick counted nothing
  EXPECT_TRUE(controls.enabled);
  EXPECT_EQ(controls.versionLabel, " Ver-7");
  EXPECT_FALSE(link.link().scanBusy);
}

TEST_F(LinkRig, DetectionTimerTicksEveryTwoAndAHalfSeconds) {
  plug("mouse", mouseShape());
  link.startDetectionTimer();
  clock.advance(std::chrono::milliseconds{2499});
  EXPECT_EQ(transport.enumerations(), 0);
  clock.advance(std::chrono::milliseconds{1});
  EXPECT_EQ(transport.enumerations(), 11);
  EXPECT_TRUE(controls.enabled);
  clock.advance(std::chrono::milliseconds{2500});
  EXPECT_EQ(transport.enumerations(), 21);
  link.stopDetectionTimer();
  clock.advance(std::chrono::milliseconds{10000});
  EXPECT_EQ(transport.enumerations(), 21);
}

TEST_F(LinkRig, RelinkBetweenRequestAndAnswerFailsTheQuery) {
  // File descriptors come back with the same number: the answer must not be
  // fetched from whatever now holds the number.
  transport.reuseHandles = true;
  linkMouse();
  const HidHandle h = link.link().featureHandle;
  bool plugged = false;
  duringSleep = [&](Clock::Duration) {
    if (plugged) return;
    plugged = true;
    plug("keyboard", shape(1, 2, 8, 0, 0));
    link.DetectHIDDeviceCounterTimer();
  };
  link.GetFirmwareVersion();
  EXPECT_TRUE(link.deviceWriteFailed());
  // The outer query's request went out; its answer was never fetched.
  const std::vector<Event> gets = log.only({Kind::GetFeature});
  ASSERT_EQ(gets.size(), 1u);  // the relink's own query
  EXPECT_EQ(link.link().featureHandle, h);
  EXPECT_EQ(log.only({Kind::SetFeature}).size(), 2u);
}

TEST(DeviceIdTable, FilledWithTheTwoIdentitiesOfTheMouse) {
  DeviceIdTable table;
  table.fill({7, 7});
  fillDeviceIdTable(table);
  const DeviceIdTable expected{DeviceId{0x4321, 0x6789},
                               DeviceId{0x04B4, 0x8F36},
                               DeviceId{},
                               DeviceId{},
                               DeviceId{},
                               DeviceId{}};
  EXPECT_EQ(table, expected);
  EXPECT_TRUE(matchesDeviceIdTable(table, 0x04B4, 0x8F36));
  EXPECT_FALSE(matchesDeviceIdTable(table, 0x4321, 0x8F36));
  EXPECT_FALSE(matchesDeviceIdTable(table, 0, 0));
}

}  // namespace
}  // namespace kestrovane::test
