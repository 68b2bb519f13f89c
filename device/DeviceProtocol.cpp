// The mode and macro commands of HidDeviceLink.
#include "device/DeviceProtocol.h"

#include <algorithm>

#include "device/HidDeviceLink.h"

namespace kestrovane {

void HidDeviceLink::sendBlock(std::uint8_t command,
                              std::span<const std::uint8_t, kReportPayloadLength> payload) {
  // Each step takes its handle from the link as it starts: a re-scan during
  // the pause after the previous command may have replaced it.
  if (m_link.featureHandle != kInvalidHidHandle) {
    fillFeatureRequest(command);
    if (!HidSetFeature(m_link.featureHandle, m_featureRequest)) m_deviceWriteFailed = true;
  }
  if (m_link.outputHandle != kInvalidHidHandle) {
    m_report[0] = 0;
    std::copy(payload.begin(), payload.end(), m_report.begin() + 1);
    if (!HidWriteReport(m_link.outputHandle, m_report)) m_deviceWriteFailed = true;
  }
}

void HidDeviceLink::finishBlock() {
  m_controls.ShowLoadingWindow();
  m_clock.pause(kCommandPause);
  m_clock.processEvents();
}

void HidDeviceLink::WriteMode(int n, const ModeImage& image) {
  // Another number would be another command to the mouse.
  if (n < 1 || n > kModeCount) {
    m_deviceWriteFailed = true;
    return;
  }
  sendBlock(writeModeCommand(n), image);
  finishBlock();
}

void HidDeviceLink::ReadMode(int n, ModeImage& image) {
  if (n < 1 || n > kModeCount) {
    m_deviceWriteFailed = true;
    return;
  }
  if (m_link.featureHandle != kInvalidHidHandle) {
    fillFeatureRequest(readModeCommand(n));
    if (!HidSetFeature(m_link.featureHandle, m_featureRequest)) m_deviceWriteFailed = true;
  }
  const HidHandle input = m_link.inputHandle;
  if (input == kInvalidHidHandle) return;
  // Not the shared report: a command run during the pause after the read
  // would overwrite it before it is stored.
  std::array<std::uint8_t, kReportLength> report{};
  if (!HidReadReport(input, report)) {
    m_deviceWriteFailed = true;
    return;
  }
  std::copy(report.begin() + 1, report.end(), image.begin());
}

void HidDeviceLink::WriteMacro(int k, std::span<const std::uint8_t, kMacroRecordLength> record) {
  if (k < 1 || k > kMacroCount) {
    m_deviceWriteFailed = true;
    return;
  }
  std::array<std::uint8_t, kMacroRecordLength> copy{};
  std::copy(record.begin(), record.end(), copy.begin());
  const std::span<const std::uint8_t, kMacroRecordLength> bytes(copy);
  sendBlock(macroFirstHalfCommand(k), bytes.first<kReportPayloadLength>());
  finishBlock();
  sendBlock(macroSecondHalfCommand(k), bytes.last<kReportPayloadLength>());
  finishBlock();
}

}  // namespace kestrovane
