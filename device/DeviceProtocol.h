#pragma once

#include <cstddef>
#include <cstdint>

// The bytes of the command protocol, shared by the device link that sends
// them and the virtual mouse that answers them. Every command starts with a
// feature request: byte 0 = report ID 0, byte 1 = the command code, every
// further byte 0, sent with the interface's FeatureReportByteLength. Most
// commands are followed by one 65-byte report: report ID 0 and 64 bytes of
// payload.

namespace kestrovane {

inline constexpr std::size_t kFeatureRequestLength = 9;  // the bytes the mouse defines
inline constexpr std::size_t kReportLength = 65;
inline constexpr std::size_t kReportPayloadLength = 64;
inline constexpr std::size_t kMacroRecordLength = 128;
inline constexpr int kMacroCount = 10;

// Byte 2 of the answer is the firmware version.
inline constexpr std::uint8_t kGetFirmwareVersionCommand = 0xC0;
inline constexpr std::size_t kFirmwareVersionByte = 2;

// Mode n = 1..5: the stored image follows as an output report.
constexpr std::uint8_t writeModeCommand(int n) {
  return static_cast<std::uint8_t>(n);
}
// Mode n = 1..5: the mouse answers with an input report carrying the image.
constexpr std::uint8_t readModeCommand(int n) {
  return static_cast<std::uint8_t>(0x80 + n);
}
// Macro k = 1..10: bytes 0-63 of its record follow as an output report.
constexpr std::uint8_t macroFirstHalfCommand(int k) {
  return static_cast<std::uint8_t>(0x1F + k);
}
// Macro k = 1..10: bytes 64-127 of its record follow as an output report.
constexpr std::uint8_t macroSecondHalfCommand(int k) {
  return static_cast<std::uint8_t>(0x2F + k);
}

}  // namespace kestrovane
