#include "config/ModeImages.h"

#include <stdexcept>

namespace kestrovane {

namespace {

constexpr std::array kDpiSteps{
    DpiStepEntry{16, "800"},  DpiStepEntry{24, "1200"}, DpiStepEntry{32, "1600"},
    DpiStepEntry{48, "2400"}, DpiStepEntry{64, "3200"},
};

constexpr std::uint8_t kLedLevelBits = 0x0F;
constexpr std::uint8_t kMotorOnBit = 0x80;
constexpr std::uint8_t kMotorStrongBit = 0x40;
constexpr std::uint8_t kLedOnLevel = 2;
constexpr std::uint8_t kLedOnFrequency = 2;
constexpr int kCycleColorChoice = 8;

std::size_t modeIndex(int mode) {
  if (mode < 1 || mode > kModeCount) throw std::out_of_range("mode number outside 1..5");
  return static_cast<std::size_t>(mode - 1);
}

void setBits(std::uint8_t& byte, std::uint8_t bits, bool on) {
  byte = on ? static_cast<std::uint8_t>(byte | bits) : static_cast<std::uint8_t>(byte & ~bits);
}

}  // namespace

ModeImage& ModeImages::storedImage(int mode) {
  return m_stored[modeIndex(mode)];
}

const ModeImage& ModeImages::storedImage(int mode) const {
  return m_stored[modeIndex(mode)];
}

void ModeImages::store(int mode) {
  if (mode < 1 || mode > kModeCount) return;
  ModeImage& stored = storedImage(mode);
  stored[kModeNumberByte] = static_cast<std::uint8_t>(mode);
  for (std::size_t i = kModeNumberByte + 1; i < stored.size(); ++i) stored[i] = workingImage[i];
}

std::span<const DpiStepEntry> dpiStepTable() {
  return kDpiSteps;
}

std::optional<std::uint8_t> dpiStepValue(int position) {
  if (position < 0 || static_cast<std::size_t>(position) >= kDpiSteps.size()) return std::nullopt;
  return kDpiSteps[static_cast<std::size_t>(position)].value;
}

void writeRateCode(ModeImage& image, std::uint8_t code) {
  image[kRateCodeByte] = code;
}

void writeDpiLevel(ModeImage& image, std::uint8_t level) {
  image[kDpiLevelByte] = level;
}

bool writeDpiStep(ModeImage& image, int level, int position) {
  const std::optional<std::uint8_t> value = dpiStepValue(position);
  if (level < 1 || level > kDpiLevelCount || !value) return false;
  image[kDpiStepByte + static_cast<std::size_t>(level - 1)] = *value;
  return true;
}

void writeLedLevel(ModeImage& image, std::uint8_t level) {
  std::uint8_t& byte = image[kLedLevelMotorByte];
  byte = static_cast<std::uint8_t>((byte & ~kLedLevelBits) | (level & kLedLevelBits));
}

void writeLedFrequency(ModeImage& image, std::uint8_t frequency) {
  image[kLedFrequencyByte] = frequency;
}

void writeLedSwitch(ModeImage& image, bool on) {
  writeLedLevel(image, on ? kLedOnLevel : 0);
  writeLedFrequency(image, on ? kLedOnFrequency : 0);
}

std::uint8_t ledColorCode(int choice) {
  if (choice < 1 || choice >= kCycleColorChoice) return 0;
  return static_cast<std::uint8_t>(choice);
}

void writeLedColor(ModeImage& image, int choice) {
  image[kLedColorByte] = ledColorCode(choice);
}

void writeMotor(ModeImage& image, bool on) {
  setBits(image[kLedLevelMotorByte], kMotorOnBit, on);
}

void writeMotorStrength(ModeImage& image, bool strong) {
  setBits(image[kLedLevelMotorByte], kMotorStrongBit, strong);
}

void writeKeyFunction(ModeImage& image, int n, KeyFunction function) {
  if (n < 1 || n > kKeyCount) return;
  const auto at = static_cast<std::size_t>(keyFunctionOffset(n));
  image[at] = function.Kind;
  image[at + 1] = function.Arg1;
  image[at + 2] = function.Arg2;
}

KeyFunction readKeyFunction(const ModeImage& image, int n) {
  if (n < 1 || n > kKeyCount) return {};
  const auto at = static_cast<std::size_t>(keyFunctionOffset(n));
  return {image[at], image[at + 1], image[at + 2]};
}

}  // namespace kestrovane
