#include "device/HidDeviceLink.h"

#include <algorithm>

namespace kestrovane {

namespace {

// Clears the re-entry guard however the tick ends.
class ScanGuard {
 public:
  explicit ScanGuard(bool& busy) : m_busy(busy) { m_busy = true; }
  ~ScanGuard() { m_busy = false; }
  ScanGuard(const ScanGuard&) = delete;
  ScanGuard& operator=(const ScanGuard&) = delete;

 private:
  bool& m_busy;
};

constexpr int kCountPairs = 5;
constexpr int kStablePairsNeeded = 4;
// The request must at least hold the report ID and the command code.
constexpr std::size_t kShortestFeatureRequest = 2;

}  // namespace

HidDeviceLink::HidDeviceLink(HidTransport& transport, Clock& clock, DeviceControls& controls)
    : m_transport(transport),
      m_clock(clock),
      m_controls(controls),
      m_featureRequest(kFeatureRequestLength, 0) {}

HidDeviceLink::~HidDeviceLink() {
  stopDetectionTimer();
  closeHandles();
}

bool HidDeviceLink::HidSetFeature(HidHandle handle, std::span<const std::uint8_t> buffer) {
  const std::size_t length = m_link.featureReportLength;
  if (handle == kInvalidHidHandle || length < kShortestFeatureRequest || buffer.size() < length)
    return false;
  if (!m_transport.setFeature(handle, buffer.data(), length)) return false;
  m_clock.sleep(kTransferPause);
  return true;
}

bool HidDeviceLink::HidSetGetFeature(HidHandle handle, std::span<std::uint8_t> buffer) {
  const std::size_t length = m_link.featureReportLength;
  if (handle == kInvalidHidHandle || length < kShortestFeatureRequest || buffer.size() < length)
    return false;
  if (!m_transport.setFeature(handle, buffer.data(), length)) return false;
  const std::uint64_t generation = m_linkGeneration;
  m_clock.sleep(kTransferPause);
  if (m_linkGeneration != generation) return false;
  return m_transport.getFeature(handle, buffer.data(), length);
}

bool HidDeviceLink::HidWriteReport(HidHandle handle, std::span<const std::uint8_t> buffer) {
  if (handle == kInvalidHidHandle || buffer.empty()) return false;
  if (!m_transport.write(handle, buffer.data(), buffer.size())) return false;
  m_clock.sleep(kTransferPause);
  return true;
}

bool HidDeviceLink::HidReadReport(HidHandle handle, std::span<std::uint8_t> buffer) {
  if (handle == kInvalidHidHandle || buffer.empty()) return false;
  if (!m_transport.read(handle, buffer.data(), buffer.size(), kReadTimeout)) return false;
  m_clock.sleep(kTransferPause);
  return true;
}

int HidDeviceLink::CountHidDevices() {
  int count = 0;
  for (const std::string& path : m_transport.enumerate()) {
    const HidHandle handle = m_transport.open(path);
    if (handle == kInvalidHidHandle) continue;
    ++count;
    m_transport.close(handle);
  }
  return count;
}

bool HidDeviceLink::holdsRole(HidHandle handle) const {
  return handle != kInvalidHidHandle &&
         (handle == m_link.featureHandle || handle == m_link.outputHandle ||
          handle == m_link.inputHandle);
}

void HidDeviceLink::takeRole(HidHandle& role, HidHandle handle) {
  const HidHandle replaced = role;
  role = handle;
  if (replaced != kInvalidHidHandle && replaced != handle && !holdsRole(replaced))
    m_transport.close(replaced);
}

bool HidDeviceLink::OpenHidDevice(std::uint32_t vendorId, std::uint32_t productId) {
  ++m_linkGeneration;
  bool found = false;
  for (const std::string& path : m_transport.enumerate()) {
    HidHandle handle = m_transport.open(path);
    if (handle == kInvalidHidHandle) handle = m_transport.open(path);
    if (handle == kInvalidHidHandle) continue;

    // An interface whose attributes cannot be read takes no role.
    HidAttributes attributes;
    if (m_transport.attributes(handle, attributes) && attributes.vendorId == vendorId &&
        attributes.productId == productId) {
      if (attributes.inputReportLength == kReportLength) takeRole(m_link.inputHandle, handle);
      if (attributes.featureReportLength != 0) {
        takeRole(m_link.featureHandle, handle);
        found = true;
        m_link.vendorId = attributes.vendorId;
        m_link.productId = attributes.productId;
        m_link.featureReportLength = attributes.featureReportLength;
        // Never shorter than the length every feature transfer moves.
        if (m_featureRequest.size() < attributes.featureReportLength)
          m_featureRequest.resize(attributes.featureReportLength, 0);
      }
      if (attributes.outputReportLength == kReportLength) takeRole(m_link.outputHandle, handle);
    }
    if (!holdsRole(handle)) m_transport.close(handle);
  }
  return found;
}

void HidDeviceLink::closeHandles() {
  const HidHandle feature = m_link.featureHandle;
  const HidHandle output = m_link.outputHandle;
  const HidHandle input = m_link.inputHandle;
  m_link.featureHandle = m_link.outputHandle = m_link.inputHandle = kInvalidHidHandle;
  if (feature != kInvalidHidHandle) m_transport.close(feature);
  if (output != kInvalidHidHandle && output != feature) m_transport.close(output);
  if (input != kInvalidHidHandle && input != feature && input != output) m_transport.close(input);
  ++m_linkGeneration;
}

void HidDeviceLink::startDetectionTimer() {
  if (!m_timer)
    m_timer = m_clock.startTimer(kDetectionInterval, [this] { DetectHIDDeviceCounterTimer(); });
}

void HidDeviceLink::stopDetectionTimer() {
  if (m_timer) m_clock.stopTimer(*m_timer);
  m_timer.reset();
}

void HidDeviceLink::DetectHIDDeviceCounterTimer() {
  if (m_link.scanBusy) return;
  const ScanGuard guard(m_link.scanBusy);

  int stablePairs = 0;
  int currentCount = 0;
  for (int pair = 0; pair < kCountPairs; ++pair) {
    const int first = CountHidDevices();
    const int second = CountHidDevices();
    if (first == second) ++stablePairs;
    if (pair == kCountPairs - 1) currentCount = first;
  }
  if (currentCount == m_link.lastDeviceCount || stablePairs < kStablePairsNeeded) return;

  m_link.vendorId = 0;
  m_link.productId = 0;
  m_controls.DisableDeviceControls();
  closeHandles();
  for (const DeviceId& id : m_deviceIds) {
    if (id.vendorId == 0 || id.productId == 0) continue;
    if (OpenHidDevice(id.vendorId, id.productId)) {
      m_link.vendorId = id.vendorId;
      m_link.productId = id.productId;
      GetFirmwareVersion();
      m_controls.EnableDeviceControls();
      break;
    }
    // An identity that was not found may have left an output or input
    // handle behind; it must not receive the commands of another identity.
    closeHandles();
  }
  m_link.lastDeviceCount = currentCount;
}

void HidDeviceLink::fillFeatureRequest(std::uint8_t command) {
  std::fill(m_featureRequest.begin(), m_featureRequest.end(), std::uint8_t{0});
  m_featureRequest[1] = command;
}

void HidDeviceLink::GetFirmwareVersion() {
  const HidHandle handle = m_link.featureHandle;
  if (handle == kInvalidHidHandle) return;
  m_versionText.clear();
  // An answer of fewer than three bytes has no version byte; asking would
  // only show a made-up " Ver-0".
  if (m_link.featureReportLength <= kFirmwareVersionByte) {
    m_deviceWriteFailed = true;
    return;
  }
  fillFeatureRequest(kGetFirmwareVersionCommand);
  if (!HidSetGetFeature(handle, m_featureRequest)) {
    m_deviceWriteFailed = true;
    return;
  }
  m_versionText = " Ver-" + std::to_string(unsigned{m_featureRequest[kFirmwareVersionByte]});
  m_controls.ShowFirmwareVersion(m_versionText);
}

}  // namespace kestrovane
