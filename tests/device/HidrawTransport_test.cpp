#include "device/HidrawTransport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace kestrovane {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

// 64-byte input and output reports and an 8-byte feature report, no report
// IDs: the mouse's vendor interface.
const Bytes kMouseDescriptor = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x08, 0x95,
                                0x40, 0x81, 0x02, 0x91, 0x02, 0x95, 0x08, 0xB1, 0x02, 0xC0};

Bytes realDescriptor(const char* name) {
  std::ifstream in(std::string(KESTROVANE_TEST_DATA) + "/hid-descriptors/" + name + ".bin",
                   std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Devices behind the system calls, one per path.
struct FakeNode {
  int openError = 0;
  bool infoWorks = true;
  HidrawDeviceInfo info;
  Bytes ioctlDescriptor;
  std::deque<Bytes> input;  // what read(2) delivers, as hidraw delivers it
  std::vector<Bytes> written, featuresSent;
  Bytes featureAnswer;
};

class FakeHidraw final : public HidrawSystem {
 public:
  FakeHidraw(std::map<std::string, FakeNode>& nodes, std::vector<int>& closed)
      : m_nodes(nodes), m_closed(closed) {}
  int open(const std::string& path, int& error) override {
    // Every file of the fake /dev is a device.
    if (!fs::exists(path)) {
      error = ENOENT;
      return -1;
    }
    FakeNode& n = m_nodes[path];
    error = n.openError;
    if (error) return -1;
    m_fds[m_next] = &n;
    return m_next++;
  }
  void close(int fd) override {
    m_closed.push_back(fd);
    m_fds.erase(fd);
  }
  bool rawInfo(int fd, HidrawDeviceInfo& info) override {
    if (!node(fd).infoWorks) return false;
    info = node(fd).info;
    return true;
  }
  bool reportDescriptor(int fd, Bytes& out) override {
    out = node(fd).ioctlDescriptor;
    return !out.empty();
  }
  std::ptrdiff_t setFeature(int fd, const std::uint8_t* b, std::size_t n) override {
    node(fd).featuresSent.emplace_back(b, b + n);
    return static_cast<std::ptrdiff_t>(n);
  }
  std::ptrdiff_t getFeature(int fd, std::uint8_t* b, std::size_t n) override {
    const Bytes& answer = node(fd).featureAnswer;
    if (answer.empty()) return -1;
    const std::size_t count = std::min(n, answer.size());
    std::memcpy(b, answer.data(), count);
    return static_cast<std::ptrdiff_t>(count);
  }
  std::ptrdiff_t write(int fd, const std::uint8_t* b, std::size_t n) override {
    node(fd).written.emplace_back(b, b + n);
    return static_cast<std::ptrdiff_t>(n);
  }
  std::ptrdiff_t read(int fd, std::uint8_t* b, std::size_t n) override {
    auto& queue = node(fd).input;
    const Bytes report = queue.front();
    queue.pop_front();
    const std::size_t count = std::min(n, report.size());
    std::memcpy(b, report.data(), count);
    return static_cast<std::ptrdiff_t>(count);
  }
  int waitReadable(int fd, int timeoutMs) override {
    waits.push_back(timeoutMs);
    return node(fd).input.empty() ? 0 : 1;
  }
  std::vector<int> waits;

 private:
  FakeNode& node(int fd) { return *m_fds.at(fd); }
  std::map<std::string, FakeNode>& m_nodes;
  std::vector<int>& m_closed;
  std::map<int, FakeNode*> m_fds;
  int m_next = 3;
};

class HidrawTransportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_root = fs::temp_directory_path() /
             ("kestrovane-hidraw-" +
              std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(m_root);
    fs::create_directories(m_root / "dev");
    for (const char* name : {"hidraw10", "hidraw2", "hidraw0", "hidrawX", "null", "hidraw"})
      std::ofstream(m_root / "dev" / name).put('\0');
  }
  void TearDown() override { fs::remove_all(m_root); }
  std::string node(const char* name) const { return (m_root / "dev" / name).string(); }
  void sysfsDescriptor(const char* name, const Bytes& descriptor) const {
    const fs::path dir = m_root / "sys/class/hidraw" / name / "device";
    fs::create_directories(dir);
    std::ofstream(dir / "report_descriptor", std::ios::binary)
        .write(reinterpret_cast<const char*>(descriptor.data()),
               static_cast<std::streamsize>(descriptor.size()));
  }
  HidrawTransport transport() {
    auto fake = std::make_unique<FakeHidraw>(m_nodes, m_closed);
    m_fake = fake.get();
    return HidrawTransport(m_root, std::move(fake));
  }
  fs::path m_root;
  std::map<std::string, FakeNode> m_nodes;
  std::vector<int> m_closed;
  FakeHidraw* m_fake = nullptr;
};

TEST_F(HidrawTransportTest, ListsTheHidrawNodesInNumberOrder) {
  auto t = transport();
  EXPECT_EQ(t.enumerate(),
            (std::vector<std::string>{node("hidraw0"), node("hidraw2"), node("hidraw10")}));
  fs::remove_all(m_root / "dev");
  EXPECT_TRUE(t.enumerate().empty());
}

TEST_F(HidrawTransportTest, OpenFailuresSayWhy) {
  const struct {
    int error;
    HidOpenError expected;
  } cases[] = {{EACCES, HidOpenError::PermissionDenied},
               {EPERM, HidOpenError::PermissionDenied},
               {ENODEV, HidOpenError::NotFound},
               {EIO, HidOpenError::Other}};
  auto t = transport();
  for (const auto& c : cases) {
    m_nodes[node("hidraw0")].openError = c.error;
    HidOpenError error = HidOpenError::None;
    EXPECT_EQ(t.open(node("hidraw0"), &error), kInvalidHidHandle);
    EXPECT_EQ(error, c.expected) << c.error;
  }
  HidOpenError error = HidOpenError::None;
  EXPECT_EQ(t.open(node("hidraw7"), &error), kInvalidHidHandle);
  EXPECT_EQ(error, HidOpenError::NotFound);
}

TEST_F(HidrawTransportTest, LengthsComeFromTheReportDescriptor) {
  sysfsDescriptor("hidraw0", kMouseDescriptor);
  // The receiver's interface 1: three collections, numbered reports.
  Bytes receiver;
  for (const char* part : {"046D_C52F_0001_000C", "046D_C52F_0001_FF00", "046D_C52F_0002_FF00"}) {
    const Bytes b = realDescriptor(part);
    receiver.insert(receiver.end(), b.begin(), b.end());
  }
  sysfsDescriptor("hidraw2", receiver);
  m_nodes[node("hidraw0")].info = {3, 0x4321, 0x6789};
  m_nodes[node("hidraw2")].info = {3, 0x046D, 0xC52F};
  m_nodes[node("hidraw10")].info = {3, 0x04B4, 0x8F36};
  m_nodes[node("hidraw10")].ioctlDescriptor = realDescriptor("1532_00A3_0002_0001");
  auto t = transport();
  const struct {
    const char* name;
    HidAttributes expected;
  } cases[] = {{"hidraw0", {0x4321, 0x6789, 65, 65, 9}},
               {"hidraw2", {0x046D, 0xC52F, 20, 20, 0}},
               {"hidraw10", {0x04B4, 0x8F36, 9, 0, 91}}};  // no sysfs: HIDIOCGRDESC
  for (const auto& c : cases) {
    const HidHandle h = t.open(node(c.name));
    ASSERT_NE(h, kInvalidHidHandle) << c.name;
    HidAttributes a;
    ASSERT_TRUE(t.attributes(h, a)) << c.name;
    EXPECT_EQ(a.vendorId, c.expected.vendorId) << c.name;
    EXPECT_EQ(a.productId, c.expected.productId) << c.name;
    EXPECT_EQ(a.inputReportLength, c.expected.inputReportLength) << c.name;
    EXPECT_EQ(a.outputReportLength, c.expected.outputReportLength) << c.name;
    EXPECT_EQ(a.featureReportLength, c.expected.featureReportLength) << c.name;
  }
  // A device whose IDs cannot be read has no attributes.
  m_nodes[node("hidraw0")].infoWorks = false;
  HidAttributes a;
  EXPECT_FALSE(t.attributes(t.open(node("hidraw0")), a));
}

TEST_F(HidrawTransportTest, ReportsCrossAsWindowsMovesThem) {
  sysfsDescriptor("hidraw0", kMouseDescriptor);
  sysfsDescriptor("hidraw2", realDescriptor("046D_C52F_0001_FF00"));  // report ID 0x10
  auto t = transport();
  const HidHandle mouse = t.open(node("hidraw0"));
  const HidHandle numbered = t.open(node("hidraw2"));

  // Unnumbered: hidraw delivers 64 bytes, the caller gets 65 with ID 0 first.
  Bytes delivered(64);
  for (std::size_t i = 0; i < 64; ++i) delivered[i] = static_cast<std::uint8_t>(i + 1);
  m_nodes[node("hidraw0")].input.push_back(delivered);
  Bytes in(65, 0xEE);
  ASSERT_TRUE(t.read(mouse, in.data(), in.size(), std::chrono::milliseconds(250)));
  EXPECT_EQ(in[0], 0);
  EXPECT_EQ(Bytes(in.begin() + 1, in.end()), delivered);

  // Numbered: the ID is already in front; a short report is padded with zeros.
  m_nodes[node("hidraw2")].input.push_back({0x10, 1, 2});
  Bytes small(7, 0xEE);
  ASSERT_TRUE(t.read(numbered, small.data(), small.size(), std::chrono::milliseconds(5)));
  EXPECT_EQ(small, (Bytes{0x10, 1, 2, 0, 0, 0, 0}));

  // Nothing arrives: the read gives up after the time limit.
  EXPECT_FALSE(t.read(mouse, in.data(), in.size(), std::chrono::milliseconds(100)));
  EXPECT_FALSE(t.read(mouse, in.data(), 1, std::chrono::milliseconds(100)));
  EXPECT_EQ(m_fake->waits, (std::vector<int>{250, 5, 100}));

  // Writes and feature requests keep the report number in byte 0.
  Bytes out(65, 0);
  out[1] = 3;
  ASSERT_TRUE(t.write(mouse, out.data(), out.size()));
  EXPECT_EQ(m_nodes[node("hidraw0")].written, std::vector<Bytes>{out});
  Bytes request = {0, 0xC0, 0, 0, 0, 0, 0, 0, 0};
  ASSERT_TRUE(t.setFeature(mouse, request.data(), request.size()));
  EXPECT_EQ(m_nodes[node("hidraw0")].featuresSent, std::vector<Bytes>{request});
}

// A feature answer counts only when it fills the whole report: the count
// HIDIOCGFEATURE gives includes the report number byte, and an answer cut
// short is a failed transfer, never data padded with zeros.
TEST_F(HidrawTransportTest, AFeatureAnswerFillsTheReportOrFails) {
  sysfsDescriptor("hidraw0", kMouseDescriptor);
  const Bytes full = {0, 0xC0, 1, 2, 3, 4, 5, 6, 7};
  const struct {
    const char* what;
    Bytes answer;  // what the ioctl delivers; empty: it fails
    bool ok;
  } cases[] = {{"ioctl fails", {}, false},
               {"report number only", {0}, false},
               {"three bytes", {0, 0xC0, 7}, false},
               {"one byte short", Bytes(full.begin(), full.end() - 1), false},
               {"whole report", full, true}};
  auto t = transport();
  const HidHandle mouse = t.open(node("hidraw0"));
  ASSERT_NE(mouse, kInvalidHidHandle);
  for (const auto& c : cases) {
    m_nodes[node("hidraw0")].featureAnswer = c.answer;
    Bytes buffer = {0, 0xC0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(t.getFeature(mouse, buffer.data(), buffer.size()), c.ok) << c.what;
    if (c.ok) EXPECT_EQ(buffer, full) << c.what;
  }
}

TEST_F(HidrawTransportTest, HandlesCloseOnceAndEndWithTheTransport) {
  {
    auto t = transport();
    const HidHandle a = t.open(node("hidraw0"));
    ASSERT_NE(t.open(node("hidraw2")), kInvalidHidHandle);
    t.close(a);
    t.close(a);
    Bytes out(65, 0);
    EXPECT_FALSE(t.write(a, out.data(), out.size()));
    EXPECT_EQ(m_closed, std::vector<int>{3});
  }
  EXPECT_EQ(m_closed, (std::vector<int>{3, 4}));
}

// The real system calls on a tree of plain files: opening works, the ioctls
// fail as they do on something that is not a hidraw node.
TEST_F(HidrawTransportTest, RealCallsOnPlainFilesFailCleanly) {
  HidrawTransport t(m_root);
  HidOpenError error = HidOpenError::Other;
  EXPECT_EQ(t.open(node("hidraw7"), &error), kInvalidHidHandle);
  EXPECT_EQ(error, HidOpenError::NotFound);
  const HidHandle h = t.open(node("hidraw0"), &error);
  ASSERT_NE(h, kInvalidHidHandle);
  EXPECT_EQ(error, HidOpenError::None);
  HidAttributes a;
  EXPECT_FALSE(t.attributes(h, a));
  Bytes request(9, 0);
  EXPECT_FALSE(t.setFeature(h, request.data(), request.size()));
  EXPECT_FALSE(t.getFeature(h, request.data(), request.size()));
}

}  // namespace
}  // namespace kestrovane
