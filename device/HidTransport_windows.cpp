// The Windows HID backend: SetupAPI finds the interfaces, the HID class
// driver answers for them.
#include <windows.h>
// clang-format off
#include <setupapi.h>
// mingw's HID headers declare no C linkage of their own.
extern "C" {
#include <hidsdi.h>
}
// clang-format on

#include <algorithm>
#include <limits>
#include <map>
#include <vector>

#include "device/HidTransport_windows.h"
#include "device/PlatformHidTransport.h"

namespace kestrovane {

namespace {

// Waits at most timeout for an overlapped transfer that ReadFile or WriteFile
// started (started: what the call returned), with its byte count in count.
// On time-out cancels it and waits for the cancel, so that the driver no
// longer uses the caller's buffer; a transfer that ended just before the
// cancel still counts.
bool completeWithin(HANDLE handle, OVERLAPPED& overlapped, BOOL started,
                    std::chrono::milliseconds timeout, DWORD& count) {
  count = 0;
  if (started) return GetOverlappedResult(handle, &overlapped, &count, FALSE);
  if (GetLastError() != ERROR_IO_PENDING) return false;
  const auto ms = std::clamp<std::chrono::milliseconds::rep>(timeout.count(), 0, INFINITE - 1);
  if (WaitForSingleObject(overlapped.hEvent, static_cast<DWORD>(ms)) == WAIT_OBJECT_0)
    return GetOverlappedResult(handle, &overlapped, &count, FALSE);
  CancelIo(handle);
  return GetOverlappedResult(handle, &overlapped, &count, TRUE);
}

class WindowsHidTransport final : public HidTransport {
 public:
  WindowsHidTransport() = default;
  WindowsHidTransport(const WindowsHidTransport&) = delete;
  WindowsHidTransport& operator=(const WindowsHidTransport&) = delete;
  ~WindowsHidTransport() override {
    for (auto& [handle, device] : m_devices) release(device);
  }

  std::vector<std::string> enumerate() override {
    std::vector<std::string> paths;
    GUID guid;
    HidD_GetHidGuid(&guid);
    const HDEVINFO set =
        SetupDiGetClassDevsA(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE) return paths;
    for (DWORD index = 0;; ++index) {
      SP_DEVICE_INTERFACE_DATA data{};
      data.cbSize = sizeof data;
      if (!SetupDiEnumDeviceInterfaces(set, nullptr, &guid, index, &data)) break;
      // First call: the size of the detail record only.
      DWORD size = 0;
      SetupDiGetDeviceInterfaceDetailA(set, &data, nullptr, 0, &size, nullptr);
      if (size == 0 || GetLastError() != ERROR_INSUFFICIENT_BUFFER) continue;
      // DWORD storage keeps the record aligned; cbSize is the size of the
      // fixed part (5 in a 32-bit build, 8 in a 64-bit one), not of the buffer.
      std::vector<DWORD> storage((size + sizeof(DWORD) - 1) / sizeof(DWORD) + 1, 0);
      auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(storage.data());
      detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
      if (!SetupDiGetDeviceInterfaceDetailA(set, &data, detail, size, nullptr, nullptr)) continue;
      paths.emplace_back(detail->DevicePath);
    }
    SetupDiDestroyDeviceInfoList(set);
    return paths;
  }

  HidHandle open(const std::string& path, HidOpenError* error) override {
    Device device;
    device.handle =
        CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    if (device.handle == INVALID_HANDLE_VALUE) {
      if (error) *error = openError(GetLastError());
      return kInvalidHidHandle;
    }
    HIDD_ATTRIBUTES attributes{};
    attributes.Size = sizeof attributes;
    if (HidD_GetAttributes(device.handle, &attributes)) {
      device.attributesKnown = true;
      device.attributes.vendorId = attributes.VendorID;
      device.attributes.productId = attributes.ProductID;
    }
    HIDP_CAPS caps{};
    PHIDP_PREPARSED_DATA preparsed = nullptr;
    if (HidD_GetPreparsedData(device.handle, &preparsed)) {
      if (HidP_GetCaps(preparsed, &caps) != HIDP_STATUS_SUCCESS) caps = HIDP_CAPS{};
      HidD_FreePreparsedData(preparsed);
    }
    device.attributes.inputReportLength = caps.InputReportByteLength;
    device.attributes.outputReportLength = caps.OutputReportByteLength;
    device.attributes.featureReportLength = caps.FeatureReportByteLength;
    // Reads and writes need a time limit, which only overlapped I/O gives;
    // the feature calls of hid.dll need a handle without it. So input and
    // output reports go through a second, overlapped handle, opened now so
    // that it queues every input report from here on.
    if (caps.InputReportByteLength > 0 || caps.OutputReportByteLength > 0) {
      device.overlappedHandle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
      device.readEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
      device.writeEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    }
    const HidHandle handle = m_nextHandle++;
    m_devices[handle] = device;
    if (error) *error = HidOpenError::None;
    return handle;
  }

  bool attributes(HidHandle handle, HidAttributes& out) override {
    const Device* d = device(handle);
    if (!d || !d->attributesKnown) return false;
    out = d->attributes;
    return true;
  }

  bool setFeature(HidHandle handle, const std::uint8_t* buffer, std::size_t length) override {
    const Device* d = device(handle);
    // HidD_SetFeature only reads the buffer.
    return d && buffer && fits(length) &&
           HidD_SetFeature(d->handle, const_cast<std::uint8_t*>(buffer),
                           static_cast<ULONG>(length));
  }

  bool getFeature(HidHandle handle, std::uint8_t* buffer, std::size_t length) override {
    const Device* d = device(handle);
    return d && buffer && fits(length) &&
           HidD_GetFeature(d->handle, buffer, static_cast<ULONG>(length));
  }

  bool write(HidHandle handle, const std::uint8_t* buffer, std::size_t length) override {
    const Device* d = device(handle);
    return d && buffer && fits(length) && d->overlappedHandle != INVALID_HANDLE_VALUE &&
           d->writeEvent &&
           detail::writeWithin(d->overlappedHandle, d->writeEvent, buffer, length,
                               detail::kHidWriteTimeout);
  }

  bool read(HidHandle handle, std::uint8_t* buffer, std::size_t length,
            std::chrono::milliseconds timeout) override {
    const Device* d = device(handle);
    if (!d || !buffer || !fits(length) || d->overlappedHandle == INVALID_HANDLE_VALUE ||
        !d->readEvent)
      return false;
    ResetEvent(d->readEvent);
    OVERLAPPED overlapped{};
    overlapped.hEvent = d->readEvent;
    const BOOL started =
        ReadFile(d->overlappedHandle, buffer, static_cast<DWORD>(length), nullptr, &overlapped);
    DWORD count = 0;
    return completeWithin(d->overlappedHandle, overlapped, started, timeout, count) && count > 0;
  }

  void close(HidHandle handle) override {
    const auto it = m_devices.find(handle);
    if (it == m_devices.end()) return;
    release(it->second);
    m_devices.erase(it);
  }

 private:
  struct Device {
    HANDLE handle = INVALID_HANDLE_VALUE;
    HANDLE overlappedHandle = INVALID_HANDLE_VALUE;  // input and output reports
    HANDLE readEvent = nullptr;
    HANDLE writeEvent = nullptr;
    bool attributesKnown = false;
    HidAttributes attributes;
  };

  static bool fits(std::size_t length) {
    return length > 0 && length <= std::numeric_limits<ULONG>::max();
  }

  static HidOpenError openError(DWORD error) {
    switch (error) {
      case ERROR_ACCESS_DENIED:
      case ERROR_SHARING_VIOLATION:
        return HidOpenError::PermissionDenied;
      case ERROR_FILE_NOT_FOUND:
      case ERROR_PATH_NOT_FOUND:
      case ERROR_DEVICE_NOT_CONNECTED:
      case ERROR_DEV_NOT_EXIST:
        return HidOpenError::NotFound;
      default:
        return HidOpenError::Other;
    }
  }

  static void release(Device& device) {
    if (device.overlappedHandle != INVALID_HANDLE_VALUE) CloseHandle(device.overlappedHandle);
    if (device.readEvent) CloseHandle(device.readEvent);
    if (device.writeEvent) CloseHandle(device.writeEvent);
    CloseHandle(device.handle);
  }

  const Device* device(HidHandle handle) const {
    const auto it = m_devices.find(handle);
    return it == m_devices.end() ? nullptr : &it->second;
  }

  std::map<HidHandle, Device> m_devices;
  HidHandle m_nextHandle = 1;
};

}  // namespace

bool detail::writeWithin(HANDLE handle, HANDLE event, const std::uint8_t* buffer,
                         std::size_t length, std::chrono::milliseconds timeout) {
  if (handle == INVALID_HANDLE_VALUE || !event || !buffer || length == 0 ||
      length > std::numeric_limits<DWORD>::max())
    return false;
  ResetEvent(event);
  OVERLAPPED overlapped{};
  overlapped.hEvent = event;
  const BOOL started = WriteFile(handle, buffer, static_cast<DWORD>(length), nullptr, &overlapped);
  DWORD count = 0;
  return completeWithin(handle, overlapped, started, timeout, count);
}

std::unique_ptr<HidTransport> createPlatformHidTransport() {
  return std::make_unique<WindowsHidTransport>();
}

}  // namespace kestrovane
