#include "config/ModeImages.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <stdexcept>
#include <string>

namespace kestrovane {
namespace {

// An image whose every byte differs from its neighbours, so a write to the
// wrong offset shows.
ModeImage patterned() {
  ModeImage image{};
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(0xA0 + i);
  return image;
}

// Every write changes exactly the bytes it names and leaves the rest, the
// firmware's reserved bytes included.
TEST(OptionWrites, ChangeOnlyTheirOwnBytes) {
  struct Case {
    std::string name;
    std::function<void(ModeImage&)> write;
    std::map<std::size_t, std::uint8_t> changed;
  };
  const std::vector<Case> cases{
      {"rate 1000 Hz", [](ModeImage& m) { writeRateCode(m, 4); }, {{3, 4}}},
      {"DPI level 3", [](ModeImage& m) { writeDpiLevel(m, 3); }, {{4, 3}}},
      {"step of level 1", [](ModeImage& m) { writeDpiStep(m, 1, 0); }, {{60, 16}}},
      {"step of level 3", [](ModeImage& m) { writeDpiStep(m, 3, 4); }, {{62, 64}}},
      {"step of level 4", [](ModeImage& m) { writeDpiStep(m, 4, 3); }, {{63, 48}}},
      {"LED on", [](ModeImage& m) { writeLedSwitch(m, true); }, {{5, 0xA2}, {6, 2}}},
      {"LED off", [](ModeImage& m) { writeLedSwitch(m, false); }, {{5, 0xA0}, {6, 0}}},
      {"LED level low", [](ModeImage& m) { writeLedLevel(m, 3); }, {{5, 0xA3}}},
      {"LED slow", [](ModeImage& m) { writeLedFrequency(m, 3); }, {{6, 3}}},
      {"blue", [](ModeImage& m) { writeLedColor(m, 5); }, {{7, 5}}},
      {"colour cycle", [](ModeImage& m) { writeLedColor(m, 8); }, {{7, 0}}},
      {"motor on", [](ModeImage& m) { writeMotor(m, true); }, {{5, 0xA5}}},
      {"motor off", [](ModeImage& m) { writeMotor(m, false); }, {{5, 0x25}}},
      {"strong", [](ModeImage& m) { writeMotorStrength(m, true); }, {{5, 0xE5}}},
      {"weak", [](ModeImage& m) { writeMotorStrength(m, false); }, {{5, 0xA5}}},
      {"Key5",
       [](ModeImage& m) {
         writeKeyFunction(m, 5, {3, 1, 6});
       },
       {{20, 3}, {21, 1}, {22, 6}}},
      {"Key12",
       [](ModeImage& m) {
         writeKeyFunction(m, 12, {2, 255, 0});
       },
       {{41, 2}, {42, 255}, {43, 0}}},
      {"button 13",
       [](ModeImage& m) {
         writeKeyFunction(m, 13, {1, 1, 0});
       },
       {}},
      {"step of level 5", [](ModeImage& m) { writeDpiStep(m, 5, 1); }, {}},
      {"step position 5", [](ModeImage& m) { writeDpiStep(m, 2, 5); }, {}},
  };
  for (const Case& c : cases) {
    ModeImage image = patterned();
    c.write(image);
    ModeImage expected = patterned();
    for (const auto& [at, value] : c.changed) expected[at] = value;
    EXPECT_EQ(image, expected) << c.name;
  }
}

// Byte 5 carries the LED level, two firmware bits, the motor strength and
// the motor switch: each write keeps the others.
TEST(OptionWrites, ByteFiveKeepsEveryOtherBit) {
  ModeImage image{};
  image[5] = 0xC3;  // motor on, strong, level 3 ("低")
  writeLedLevel(image, 2);
  EXPECT_EQ(image[5], 0xC2);
  writeMotor(image, false);
  EXPECT_EQ(image[5], 0x42);
  writeMotorStrength(image, false);
  EXPECT_EQ(image[5], 0x02);
  writeMotor(image, true);
  EXPECT_EQ(image[5], 0x82);

  image[5] = 0x3F;  // the firmware's bits 4-5 set
  writeLedSwitch(image, false);
  EXPECT_EQ(image[5], 0x30);
  writeLedLevel(image, 0x17);  // only the low four bits are the level
  EXPECT_EQ(image[5], 0x37);
}

TEST(DpiSteps, PositionsGiveTheResolutionOverFifty) {
  const std::vector<std::pair<std::uint8_t, std::string>> expected{
      {16, "800"}, {24, "1200"}, {32, "1600"}, {48, "2400"}, {64, "3200"}};
  ASSERT_EQ(dpiStepTable().size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(dpiStepTable()[i].value, expected[i].first);
    EXPECT_EQ(dpiStepTable()[i].label, expected[i].second);
    EXPECT_EQ(std::stoi(expected[i].second), 50 * expected[i].first);
    EXPECT_EQ(dpiStepValue(static_cast<int>(i)), expected[i].first);
  }
  EXPECT_EQ(dpiStepValue(-1), std::nullopt);
  EXPECT_EQ(dpiStepValue(5), std::nullopt);
}

TEST(StoreCurrentMode, CopiesBytesOneToSixtyThreeAndNumbersTheMode) {
  ModeImages images;
  images.workingImage = patterned();
  images.workingImage[0] = 2;  // the working image may carry another number
  images.store(4);

  ModeImage expected = patterned();
  expected[0] = 4;
  EXPECT_EQ(images.storedImage(4), expected);
  for (int other : {1, 2, 3, 5}) EXPECT_EQ(images.storedImage(other), ModeImage{}) << other;
  EXPECT_EQ(images.workingImage[0], 2);
}

TEST(StoreCurrentMode, WithoutACurrentModeNothingIsStored) {
  ModeImages images;
  images.workingImage = patterned();
  for (int mode : {0, -1, 6}) images.store(mode);
  for (int n = 1; n <= kModeCount; ++n) EXPECT_EQ(images.storedImage(n), ModeImage{}) << n;
  EXPECT_THROW(images.storedImage(0), std::out_of_range);
  EXPECT_THROW(images.storedImage(6), std::out_of_range);
}

}  // namespace
}  // namespace kestrovane
