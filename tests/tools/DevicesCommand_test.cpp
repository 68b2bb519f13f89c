#include "tools/kestrovanectl/DevicesCommand.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "device/CompositeHidTransport.h"
#include "device/HidrawTransport.h"
#include "device/VirtualMouse.h"
#include "tests/device/RefusingHidraw.h"
#include "tools/kestrovanectl/Commands.h"

namespace kestrovane::ctl {
namespace {

namespace fs = std::filesystem;

// An interface that exists but is not ours to open, like a hidraw node
// without the udev rule.
class DeniedTransport final : public HidTransport {
 public:
  std::vector<std::string> enumerate() override { return {"/dev/hidraw0"}; }
  HidHandle open(const std::string&, HidOpenError* error) override {
    if (error) *error = HidOpenError::PermissionDenied;
    return kInvalidHidHandle;
  }
  bool attributes(HidHandle, HidAttributes&) override { return false; }
  bool setFeature(HidHandle, const std::uint8_t*, std::size_t) override { return false; }
  bool getFeature(HidHandle, std::uint8_t*, std::size_t) override { return false; }
  bool write(HidHandle, const std::uint8_t*, std::size_t) override { return false; }
  bool read(HidHandle, std::uint8_t*, std::size_t, std::chrono::milliseconds) override {
    return false;
  }
  void close(HidHandle) override {}
};

class DevicesCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = fs::temp_directory_path() /
            ("kestrovane-devices-" +
             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(m_dir);
  }
  void TearDown() override { fs::remove_all(m_dir); }
  // A virtual mouse folder whose [Device] section is the given text.
  void device(const std::string& section) const {
    fs::create_directories(m_dir);
    std::ofstream(m_dir / VirtualMouse::kStateFile) << "[Device]\n" << section;
  }
  std::string path(int i) const {
    return "virtual:" + fs::absolute(m_dir).lexically_normal().string() + "#" + std::to_string(i);
  }
  int list(std::unique_ptr<HidTransport> extra = nullptr) {
    CompositeHidTransport transport;
    if (extra) transport.add(std::move(extra));
    transport.add(std::make_unique<VirtualMouse>(m_dir), VirtualMouse::kPathPrefix);
    m_out.str({});
    m_err.str({});
    return listDevices(transport, m_out, m_err, "FIX");
  }
  fs::path m_dir;
  std::ostringstream m_out, m_err;
};

TEST_F(DevicesCommandTest, MarksTheMouseAndItsRoles) {
  const struct {
    const char* what;
    std::string device;
    std::string expected;  // with @0.. for the interface paths
  } cases[] = {
      {"one interface, entry 1", "",
       "@0  4321:6789  input 65  output 65  feature 9  mouse, entry 1: input, feature, output\n"
       "mouse: found (entry 1, 4321:6789)\n"},
      {"three interfaces, entry 2", "Interfaces=3\nVendorId=1204\nProductId=36662\n",
       "@0  04b4:8f36  input 0  output 0  feature 9  mouse, entry 2: feature\n"
       "@1  04b4:8f36  input 0  output 65  feature 0  mouse, entry 2: output\n"
       "@2  04b4:8f36  input 65  output 0  feature 0  mouse, entry 2: input\n"
       "mouse: found (entry 2, 04b4:8f36)\n"},
      {"no feature report: not linked", "FeatureLength=0\n",
       "@0  4321:6789  input 65  output 65  feature 0  matches entry 1, not linked (no interface "
       "with a feature report)\n"
       "mouse: not found\n"},
      {"another device", "VendorId=1\n",
       "@0  0001:6789  input 65  output 65  feature 9\nmouse: not found\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(m_dir);
    device(c.device);
    std::string expected = c.expected;
    for (int i = 0; i < 3; ++i)
      for (std::size_t at; (at = expected.find("@" + std::to_string(i))) != std::string::npos;)
        expected.replace(at, 2, path(i));
    EXPECT_EQ(list(), 0);
    EXPECT_EQ(m_out.str(), expected);
    EXPECT_EQ(m_err.str(), "");
  }
}

// Another device's node that is not ours to open is listed, and no error.
TEST_F(DevicesCommandTest, AnotherDevicesNodeThatIsNotOursToOpenIsNoError) {
  EXPECT_EQ(list(std::make_unique<DeniedTransport>()), 0);
  const std::string out = m_out.str();
  EXPECT_EQ(out.rfind("/dev/hidraw0  cannot open: ", 0), 0u) << out;
  EXPECT_TRUE(out.ends_with("\nmouse: found (entry 1, 4321:6789)\n")) << out;
  EXPECT_EQ(m_err.str(), "");
}

#ifndef _WIN32
// Two nodes in a sysfs tree, the mouse's (entry 2's IDs) and a keyboard's:
// exactly one message, naming the mouse's node.
TEST_F(DevicesCommandTest, OneMessageNamesTheMouseNodeThisUserMayNotOpen) {
  const fs::path root = m_dir / "root";
  test::addHidrawNode(root, "hidraw1", "0003:0000046D:0000C31C");
  test::addHidrawNode(root, "hidraw3", "0003:000004B4:00008F36");
  CompositeHidTransport transport;
  transport.add(std::make_unique<HidrawTransport>(root, std::make_unique<test::RefusingHidraw>()));
  EXPECT_EQ(listDevices(transport, m_out, m_err, "FIX"), 1);
  const std::string node = (root / "dev/hidraw3").string();
  EXPECT_EQ(m_err.str(),
            "kestrovanectl: " + node + " is the mouse, but this user may not open it: FIX.\n");
  EXPECT_EQ(m_out.str(), (root / "dev/hidraw1").string() + "  cannot open: permission denied\n" +
                             node +
                             "  cannot open: permission denied (the mouse)\nmouse: not found\n");
}
#endif

TEST_F(DevicesCommandTest, NothingToListIsAFailure) {
  device("Present=0\n");
  EXPECT_EQ(list(), 1);
  EXPECT_EQ(m_out.str(), "mouse: not found\n");
  EXPECT_NE(m_err.str().find("no HID interfaces found"), std::string::npos);
}

// The global option --virtual-mouse=DIR reaches the listing.
TEST_F(DevicesCommandTest, VirtualMouseOption) {
  Invocation invocation;
  invocation.options.emplace("--virtual-mouse", m_dir.string());
  ::testing::internal::CaptureStdout();
  const int rc = runDevicesCommand(invocation);
  const std::string out = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(rc, 0);
  // The platform's own interfaces may come first (wine has two).
  EXPECT_NE(out.find(path(0) + "  4321:6789  "), std::string::npos) << out;
  EXPECT_TRUE(out.ends_with("\nmouse: found (entry 1, 4321:6789)\n")) << out;
}

}  // namespace
}  // namespace kestrovane::ctl
