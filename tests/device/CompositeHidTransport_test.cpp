#include "device/CompositeHidTransport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "device/HidTransportFactory.h"
#include "device/VirtualMouse.h"

namespace kestrovane {
namespace {

namespace fs = std::filesystem;

class CompositeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = fs::temp_directory_path() /
            ("kestrovane-composite-" +
             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(m_dir);
  }
  void TearDown() override { fs::remove_all(m_dir); }
  std::string log(const char* mouse) const {
    std::ifstream in(m_dir / mouse / VirtualMouse::kLogFile);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  fs::path m_dir;
};

// Two transports that both number their handles from 1.
TEST_F(CompositeTest, KeepsTheHandlesOfItsPartsApart) {
  CompositeHidTransport all;
  auto a = std::make_unique<VirtualMouse>(m_dir / "a");
  auto b = std::make_unique<VirtualMouse>(m_dir / "b");
  const auto pathsA = a->enumerate(), pathsB = b->enumerate();
  all.add(std::move(a));  // answers for every path the other does not claim
  all.add(std::move(b), VirtualMouse::kPathPrefix + (m_dir / "b").string());
  ASSERT_EQ(all.enumerate(), (std::vector<std::string>{pathsA[0], pathsB[0]}));

  const HidHandle ha = all.open(pathsA[0]);
  const HidHandle hb = all.open(pathsB[0]);
  ASSERT_NE(ha, kInvalidHidHandle);
  ASSERT_NE(hb, kInvalidHidHandle);
  ASSERT_NE(ha, hb);
  std::uint8_t request[9] = {0, 0xC0};
  EXPECT_TRUE(all.setFeature(hb, request, sizeof request));
  EXPECT_EQ(log("a"), "");
  EXPECT_EQ(log("b"), "set-feature 00c000000000000000\n");
  std::uint8_t out[65] = {};
  EXPECT_TRUE(all.write(ha, out, sizeof out));
  EXPECT_EQ(log("a"), "write " + std::string(130, '0') + " ignored\n");

  HidAttributes attributes;
  all.close(ha);
  EXPECT_FALSE(all.attributes(ha, attributes));
  EXPECT_TRUE(all.attributes(hb, attributes));
  HidOpenError error = HidOpenError::None;
  EXPECT_EQ(all.open("nowhere", &error), kInvalidHidHandle);
  EXPECT_EQ(error, HidOpenError::NotFound);
}

TEST_F(CompositeTest, FactoryAddsTheVirtualMouseOnlyWhenAsked) {
  TransportOptions options;
  options.platform = false;
  EXPECT_TRUE(createHidTransport(options)->enumerate().empty());
  options.virtualMouseDir = m_dir / "vm";
  const auto transport = createHidTransport(options);
  const auto paths = transport->enumerate();
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_EQ(paths[0], "virtual:" + fs::absolute(m_dir / "vm").string() + "#0");
  HidAttributes a;
  EXPECT_TRUE(transport->attributes(transport->open(paths[0]), a));
  EXPECT_EQ(a.featureReportLength, 9);
}

TEST(TransportOptions, ParsesTheVirtualMouseOption) {
  const struct {
    const char* arg;
    bool taken;
    const char* dir;
  } cases[] = {
      {"--virtual-mouse", true, "virtual-mouse"},
      {"--virtual-mouse=/tmp/vm", true, "/tmp/vm"},
      {"--virtual-mouse=", false, nullptr},
      {"--virtual-mousey", false, nullptr},
      {"--virtual", false, nullptr},
      {"-v", false, nullptr},
  };
  for (const auto& c : cases) {
    TransportOptions options;
    EXPECT_EQ(parseVirtualMouseOption(c.arg, options), c.taken) << c.arg;
    if (c.dir)
      EXPECT_EQ(options.virtualMouseDir, fs::path(c.dir)) << c.arg;
    else
      EXPECT_FALSE(options.virtualMouseDir) << c.arg;
  }
}

}  // namespace
}  // namespace kestrovane
