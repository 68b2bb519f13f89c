#include "device/VirtualMouse.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "base/IniFile.h"

namespace kestrovane {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::string>;

std::string hexOf(const Bytes& b) {
  std::string s;
  char two[3];
  for (auto v : b) {
    std::snprintf(two, sizeof two, "%02x", v);
    s += two;
  }
  return s;
}

Bytes feature(std::uint8_t command, std::size_t length = 9) {
  Bytes b(length, 0);
  b[1] = command;
  return b;
}

Bytes report(std::uint8_t seed) {
  Bytes b(65, 0);
  for (std::size_t i = 1; i < b.size(); ++i) b[i] = static_cast<std::uint8_t>(seed + i);
  return b;
}

class VirtualMouseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = fs::temp_directory_path() /
            ("kestrovane-vm-" +
             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(m_dir);
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(m_dir / VirtualMouse::kStateFile, fs::perms::owner_all, ec);
    fs::remove_all(m_dir, ec);
  }
  std::string read(const char* name) const {
    std::ifstream in(m_dir / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  Lines log() const {
    Lines lines;
    std::istringstream in(read(VirtualMouse::kLogFile));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  // Edits a file the way another program would: read, change, write in place.
  void edit(const char* name, const std::string& section, const std::string& key,
            const std::string& value) const {
    IniFile ini = IniFile::parse(read(name));
    ini.setString(section, key, value);
    std::ofstream(m_dir / name, std::ios::binary) << ini.text();
  }
  std::string path(int index) const {
    return "virtual:" + fs::absolute(m_dir).lexically_normal().string() + "#" +
           std::to_string(index);
  }
  fs::path m_dir;
};

TEST_F(VirtualMouseTest, CreatesItsStateFileWithTheDefaults) {
  VirtualMouse mouse(m_dir);
  std::ifstream golden(std::string(KESTROVANE_TEST_DATA) + "/virtual-mouse/default.ini",
                       std::ios::binary);
  ASSERT_TRUE(golden);
  EXPECT_EQ(read(VirtualMouse::kStateFile),
            std::string(std::istreambuf_iterator<char>(golden), std::istreambuf_iterator<char>()));
  EXPECT_EQ(mouse.modeImage(4)[0], 4);
}

TEST_F(VirtualMouseTest, OneInterfaceAnswersTheCommands) {
  VirtualMouse mouse(m_dir);
  ASSERT_EQ(mouse.enumerate(), Lines{path(0)});
  const HidHandle h = mouse.open(path(0));
  ASSERT_NE(h, kInvalidHidHandle);
  HidAttributes a;
  ASSERT_TRUE(mouse.attributes(h, a));
  EXPECT_EQ(a.vendorId, 0x4321);
  EXPECT_EQ(a.productId, 0x6789);
  EXPECT_EQ(a.inputReportLength, 65);
  EXPECT_EQ(a.outputReportLength, 65);
  EXPECT_EQ(a.featureReportLength, 9);

  Bytes query = feature(0xC0);
  EXPECT_TRUE(mouse.setFeature(h, query.data(), query.size()));
  EXPECT_TRUE(mouse.getFeature(h, query.data(), query.size()));
  EXPECT_EQ(query, (Bytes{0, 0xC0, 1, 0, 0, 0, 0, 0, 0}));

  const Bytes mode3 = report(3);
  EXPECT_TRUE(mouse.setFeature(h, feature(0x03).data(), 9));
  EXPECT_TRUE(mouse.write(h, mode3.data(), mode3.size()));
  Bytes in(65, 0xEE);
  EXPECT_TRUE(mouse.setFeature(h, feature(0x83).data(), 9));
  EXPECT_TRUE(mouse.read(h, in.data(), in.size(), std::chrono::milliseconds(100)));
  EXPECT_EQ(in, mode3);

  const Bytes first = report(0x40), second = report(0x80);
  EXPECT_TRUE(mouse.setFeature(h, feature(0x29).data(), 9));
  EXPECT_TRUE(mouse.write(h, first.data(), first.size()));
  EXPECT_TRUE(mouse.setFeature(h, feature(0x39).data(), 9));
  EXPECT_TRUE(mouse.write(h, second.data(), second.size()));

  EXPECT_EQ(log(), (Lines{
                       "set-feature 00c000000000000000",
                       "get-feature 00c001000000000000",
                       "set-feature 000300000000000000",
                       "write " + hexOf(mode3),
                       "set-feature 008300000000000000",
                       "read " + hexOf(mode3),
                       "set-feature 002900000000000000",
                       "write " + hexOf(first),
                       "set-feature 003900000000000000",
                       "write " + hexOf(second),
                   }));

  // What the mouse keeps is in its file, for any later mouse on the folder.
  const IniFile state = IniFile::load(m_dir / VirtualMouse::kStateFile);
  EXPECT_EQ(state.getString("Mode3", "Image"), hexOf(mode3).substr(2));
  EXPECT_EQ(state.getString("Macro10", "Record"), hexOf(first).substr(2) + hexOf(second).substr(2));
  VirtualMouse again(m_dir);
  EXPECT_EQ(again.modeImage(3)[63], mode3[64]);
  EXPECT_EQ(again.macroRecord(10)[64], second[1]);
  EXPECT_EQ(again.modeImage(2)[0], 2);
}

TEST_F(VirtualMouseTest, ThreeInterfacesCarryOneReportKindEach) {
  fs::create_directories(m_dir);
  std::ofstream(m_dir / VirtualMouse::kStateFile, std::ios::binary)
      << "[Device]\r\nInterfaces=3\r\nFeatureLength=17\r\nVendorId=1204\r\nProductId=36662\r\n";
  VirtualMouse mouse(m_dir);
  ASSERT_EQ(mouse.enumerate(), (Lines{path(0), path(1), path(2)}));
  HidHandle h[3];
  const std::uint16_t expected[3][3] = {{0, 0, 17}, {0, 65, 0}, {65, 0, 0}};
  for (int i = 0; i < 3; ++i) {
    h[i] = mouse.open(path(i));
    HidAttributes a;
    ASSERT_TRUE(mouse.attributes(h[i], a));
    EXPECT_EQ(a.vendorId, 0x04B4);
    EXPECT_EQ(a.productId, 0x8F36);
    EXPECT_EQ(a.inputReportLength, expected[i][0]) << i;
    EXPECT_EQ(a.outputReportLength, expected[i][1]) << i;
    EXPECT_EQ(a.featureReportLength, expected[i][2]) << i;
  }
  const Bytes image = report(1);
  Bytes in(65, 0);
  EXPECT_FALSE(mouse.setFeature(h[1], feature(0x01, 17).data(), 17));
  EXPECT_TRUE(mouse.setFeature(h[0], feature(0x01, 17).data(), 17));
  EXPECT_FALSE(mouse.write(h[0], image.data(), image.size()));
  EXPECT_FALSE(mouse.write(h[2], image.data(), image.size()));
  EXPECT_TRUE(mouse.write(h[1], image.data(), image.size()));
  EXPECT_TRUE(mouse.setFeature(h[0], feature(0x81, 17).data(), 17));
  EXPECT_FALSE(mouse.read(h[1], in.data(), in.size(), {}));
  EXPECT_TRUE(mouse.read(h[2], in.data(), in.size(), {}));
  EXPECT_EQ(in, image);
  const std::string zeros17 = std::string(34, '0');
  EXPECT_EQ(log(), (Lines{
                       "fail set-feature 0001" + zeros17.substr(4),
                       "set-feature 0001" + zeros17.substr(4),
                       "fail write " + hexOf(image),
                       "fail write " + hexOf(image),
                       "write " + hexOf(image),
                       "set-feature 0081" + zeros17.substr(4),
                       "fail read " + std::string(130, '0'),
                       "read " + hexOf(image),
                   }));
}

TEST_F(VirtualMouseTest, FirmwareRefusesOrIgnoresWhatWasNotAnnounced) {
  VirtualMouse mouse(m_dir);
  const HidHandle h = mouse.open(path(0));
  const Bytes out = report(9);
  Bytes in(65, 0);
  Bytes answer = feature(0);
  Bytes numbered = feature(0x01);
  numbered[0] = 1;
  EXPECT_TRUE(mouse.write(h, out.data(), out.size()));                  // unannounced
  EXPECT_FALSE(mouse.read(h, in.data(), in.size(), {}));                // nothing to send
  EXPECT_FALSE(mouse.setFeature(h, feature(0x01, 8).data(), 8));        // wrong length
  EXPECT_FALSE(mouse.setFeature(h, numbered.data(), numbered.size()));  // report ID 1
  EXPECT_TRUE(mouse.setFeature(h, feature(0x01).data(), 9));
  EXPECT_FALSE(mouse.write(h, out.data(), 64));                    // short report
  EXPECT_TRUE(mouse.setFeature(h, feature(0xC0).data(), 9));       // replaces 0x01
  EXPECT_TRUE(mouse.write(h, out.data(), out.size()));             // so: ignored
  EXPECT_TRUE(mouse.setFeature(h, feature(0x7F).data(), 9));       // unknown command
  EXPECT_TRUE(mouse.getFeature(h, answer.data(), answer.size()));  // nothing prepared
  EXPECT_FALSE(mouse.read(h, in.data(), 64, {}));
  EXPECT_EQ(log(), (Lines{
                       "write " + hexOf(out) + " ignored",
                       "fail read " + std::string(130, '0'),
                       "fail set-feature 0001000000000000",
                       "fail set-feature 010100000000000000",
                       "set-feature 000100000000000000",
                       "fail write " + hexOf(out).substr(0, 128),
                       "set-feature 00c000000000000000",
                       "write " + hexOf(out) + " ignored",
                       "set-feature 007f00000000000000 ignored",
                       "get-feature 000000000000000000",
                       "fail read " + std::string(128, '0'),
                   }));
  EXPECT_EQ(mouse.modeImage(1)[1], 0);  // none of the output reports became mode 1
  // A handle the mouse never gave out reaches nothing and is not logged.
  EXPECT_FALSE(mouse.write(h + 100, out.data(), out.size()));
  EXPECT_EQ(log().size(), 11u);
}

TEST_F(VirtualMouseTest, FaultsFailTheNthTransferAndStallReads) {
  VirtualMouse mouse(m_dir);
  const HidHandle h = mouse.open(path(0));
  std::ofstream(m_dir / VirtualMouse::kFaultsFile) << "[Faults]\nFailTransfer=2\n";
  const Bytes image = report(5);
  EXPECT_TRUE(mouse.setFeature(h, feature(0x02).data(), 9));
  EXPECT_EQ(IniFile::load(m_dir / VirtualMouse::kFaultsFile).getInt("Faults", "FailTransfer", 0),
            1);
  EXPECT_FALSE(mouse.write(h, image.data(), image.size()));
  EXPECT_FALSE(IniFile::load(m_dir / VirtualMouse::kFaultsFile).value("Faults", "FailTransfer"));
  EXPECT_EQ(mouse.modeImage(2), (ModeImage{2}));            // the failed report never arrived
  EXPECT_TRUE(mouse.write(h, image.data(), image.size()));  // still announced
  EXPECT_EQ(mouse.modeImage(2)[0], image[1]);

  edit(VirtualMouse::kFaultsFile, "Faults", "StallReads", "1");
  Bytes in(65, 0);
  EXPECT_TRUE(mouse.setFeature(h, feature(0x82).data(), 9));
  EXPECT_FALSE(mouse.read(h, in.data(), in.size(), std::chrono::milliseconds(50)));
  edit(VirtualMouse::kFaultsFile, "Faults", "StallReads", "0");
  EXPECT_TRUE(mouse.read(h, in.data(), in.size(), std::chrono::milliseconds(50)));
  EXPECT_EQ(in, image);
  EXPECT_EQ(log(), (Lines{
                       "set-feature 000200000000000000",
                       "fail write " + hexOf(image),
                       "write " + hexOf(image),
                       "set-feature 008200000000000000",
                       "fail read " + std::string(130, '0'),
                       "read " + hexOf(image),
                   }));
}

TEST_F(VirtualMouseTest, UnpluggedMouseLeavesTheEnumerationAndEndsItsHandles) {
  VirtualMouse mouse(m_dir);
  const HidHandle old = mouse.open(path(0));
  edit(VirtualMouse::kStateFile, "Device", "Present", "0");
  EXPECT_TRUE(mouse.enumerate().empty());
  HidOpenError error = HidOpenError::None;
  EXPECT_EQ(mouse.open(path(0), &error), kInvalidHidHandle);
  EXPECT_EQ(error, HidOpenError::NotFound);
  HidAttributes a;
  EXPECT_FALSE(mouse.attributes(old, a));
  EXPECT_FALSE(mouse.setFeature(old, feature(0xC0).data(), 9));

  edit(VirtualMouse::kStateFile, "Device", "Present", "1");
  EXPECT_EQ(mouse.enumerate().size(), 1u);
  EXPECT_FALSE(mouse.setFeature(old, feature(0xC0).data(), 9));  // plugged in again: a new device
  const HidHandle fresh = mouse.open(path(0), &error);
  EXPECT_EQ(error, HidOpenError::None);
  EXPECT_TRUE(mouse.setFeature(fresh, feature(0xC0).data(), 9));
  EXPECT_EQ(mouse.open("virtual:elsewhere#0"), kInvalidHidHandle);
  EXPECT_EQ(mouse.open(path(1)), kInvalidHidHandle);
  EXPECT_EQ(log(),
            (Lines{"fail set-feature 00c000000000000000", "fail set-feature 00c000000000000000",
                   "set-feature 00c000000000000000"}));
}

TEST_F(VirtualMouseTest, SeesItsFilesEditedBetweenTwoTransfers) {
  VirtualMouse mouse(m_dir);
  const HidHandle h = mouse.open(path(0));
  Bytes answer = feature(0xC0);
  ASSERT_TRUE(mouse.setFeature(h, answer.data(), answer.size()));
  edit(VirtualMouse::kStateFile, "Firmware", "Version", "7");  // same size, same instant
  edit(VirtualMouse::kStateFile, "Mode2", "Image", std::string(126, '0') + "ab");
  ASSERT_TRUE(mouse.setFeature(h, answer.data(), answer.size()));
  ASSERT_TRUE(mouse.getFeature(h, answer.data(), answer.size()));
  EXPECT_EQ(answer[2], 7);
  Bytes in(65, 0);
  ASSERT_TRUE(mouse.setFeature(h, feature(0x82).data(), 9));
  ASSERT_TRUE(mouse.read(h, in.data(), in.size(), {}));
  EXPECT_EQ(in[64], 0xAB);
  EXPECT_EQ(in[1], 0);
  // Another product ID is another device: the handle is gone.
  edit(VirtualMouse::kStateFile, "Device", "ProductId", "1");
  EXPECT_FALSE(mouse.setFeature(h, answer.data(), answer.size()));
}

TEST_F(VirtualMouseTest, CorruptValuesTakeTheDefaultsAndStayUntilRewritten) {
  fs::create_directories(m_dir);
  const std::string corrupt =
      "[Device]\r\nInterfaces=banana\r\nFeatureLength=-4\r\nVendorId=70000\r\ngarbage\r\n"
      "[Firmware]\r\nVersion=300\r\n[Mode1]\r\nImage=zz" +
      std::string(126, '1') +
      "\r\n[Mode2]\r\nImage=12\r\n[Macro1]\r\nRecord=" + std::string(256, 'G') + "\r\n";
  std::ofstream(m_dir / VirtualMouse::kStateFile, std::ios::binary) << corrupt;
  VirtualMouse mouse(m_dir);
  ASSERT_EQ(mouse.enumerate().size(), 1u);
  const HidHandle h = mouse.open(path(0));
  HidAttributes a;
  ASSERT_TRUE(mouse.attributes(h, a));
  EXPECT_EQ(a.vendorId, 0x4321);
  EXPECT_EQ(a.featureReportLength, 9);
  EXPECT_EQ(mouse.modeImage(1), (ModeImage{1}));
  EXPECT_EQ(mouse.modeImage(2), (ModeImage{2}));
  EXPECT_EQ(mouse.macroRecord(1), VirtualMouse::MacroRecord{});
  Bytes answer = feature(0xC0);
  ASSERT_TRUE(mouse.setFeature(h, answer.data(), answer.size()));
  ASSERT_TRUE(mouse.getFeature(h, answer.data(), answer.size()));
  EXPECT_EQ(answer[2], 1);

  const Bytes image = report(0);
  ASSERT_TRUE(mouse.setFeature(h, feature(0x02).data(), 9));
  ASSERT_TRUE(mouse.write(h, image.data(), image.size()));
  const IniFile state = IniFile::load(m_dir / VirtualMouse::kStateFile);
  EXPECT_EQ(state.getString("Mode2", "Image"), hexOf(image).substr(2));
  EXPECT_EQ(state.getString("Mode1", "Image"), "zz" + std::string(126, '1'));
  EXPECT_EQ(state.getString("Device", "Interfaces"), "banana");
}

TEST_F(VirtualMouseTest, AStateThatCannotBeSavedFailsTheTransfer) {
  VirtualMouse mouse(m_dir);
  const HidHandle h = mouse.open(path(0));
  const std::string before = read(VirtualMouse::kStateFile);
  fs::permissions(m_dir / VirtualMouse::kStateFile, fs::perms::owner_read);
  const Bytes image = report(7);
  ASSERT_TRUE(mouse.setFeature(h, feature(0x04).data(), 9));
  EXPECT_FALSE(mouse.write(h, image.data(), image.size()));
  EXPECT_EQ(mouse.modeImage(4), (ModeImage{4}));
  EXPECT_EQ(read(VirtualMouse::kStateFile), before);
  EXPECT_EQ(log().back(), "fail write " + hexOf(image));
}

}  // namespace
}  // namespace kestrovane
