#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "base/ModeImage.h"
#include "config/KeyFunction.h"

namespace kestrovane {

// Fields of a mode image. Bytes 1-2 and 44-59 and bits 4-5 of byte 5 belong
// to the mouse's firmware: every write here leaves them as they are.
inline constexpr std::size_t kModeNumberByte = 0;
inline constexpr std::size_t kRateCodeByte = 3;
inline constexpr std::size_t kDpiLevelByte = 4;
inline constexpr std::size_t kLedLevelMotorByte = 5;
inline constexpr std::size_t kLedFrequencyByte = 6;
inline constexpr std::size_t kLedColorByte = 7;
inline constexpr std::size_t kDpiStepByte = 60;  // level 1; levels 2..4 follow
inline constexpr int kDpiLevelCount = 4;

// The working image and the five stored images of the program, all zero at
// start. Every edit writes the working image; store() then copies it into
// the current mode's stored image, which is what saving, loading and the
// mouse's write and read use.
class ModeImages {
 public:
  ModeImage workingImage{};

  // storedImages[mode], mode 1..5; throws std::out_of_range outside that.
  ModeImage& storedImage(int mode);
  const ModeImage& storedImage(int mode) const;

  // StoreCurrentMode: the stored image of mode gets byte 0 = mode and bytes
  // 1..63 of the working image (byte 0 of the working image is not copied).
  // mode 0 (no current mode) does nothing.
  void store(int mode);

 private:
  std::array<ModeImage, kModeCount> m_stored{};
};

// One position of a DPI step slider: the byte the mouse gets (resolution / 50)
// and the label shown under the slider.
struct DpiStepEntry {
  std::uint8_t value;
  std::string_view label;
};

// Slider positions 0..4 in order: 16 "800", 24 "1200", 32 "1600", 48 "2400",
// 64 "3200".
std::span<const DpiStepEntry> dpiStepTable();

// The byte of a slider position; nullopt outside 0..4.
std::optional<std::uint8_t> dpiStepValue(int position);

// The option writes. Each sets exactly the byte or bits of its option.
void writeRateCode(ModeImage& image, std::uint8_t code);   // 1 = 125 Hz .. 4 = 1000 Hz
void writeDpiLevel(ModeImage& image, std::uint8_t level);  // 1..4
// DpiStep of level 1..4 := the value of slider position 0..4; false (and
// nothing written) when either is outside its range.
bool writeDpiStep(ModeImage& image, int level, int position);
// Bits 0-3 of byte 5 := level (0 off, 1 high, 2 medium, 3 low).
void writeLedLevel(ModeImage& image, std::uint8_t level);
void writeLedFrequency(ModeImage& image, std::uint8_t frequency);  // 0 off, 1..3
// The LED has no switch bit: on is level 2 with frequency 2, off is 0 and 0.
void writeLedSwitch(ModeImage& image, bool on);
// Colour choice 1..7 (red .. white) is its own code; choice 8, the colour
// cycle, is code 0.
std::uint8_t ledColorCode(int choice);
void writeLedColor(ModeImage& image, int choice);
void writeMotor(ModeImage& image, bool on);              // bit 7 of byte 5
void writeMotorStrength(ModeImage& image, bool strong);  // bit 6 of byte 5

// Button n's (1..12) function record; n outside 1..12 writes nothing and
// reads a zero record.
void writeKeyFunction(ModeImage& image, int n, KeyFunction function);
KeyFunction readKeyFunction(const ModeImage& image, int n);

}  // namespace kestrovane
