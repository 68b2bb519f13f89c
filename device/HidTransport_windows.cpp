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

#include "device/PlatformHidTransport.h"

namespace kestrovane {

namespace {

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
    // Reads need a time limit, which only overlapped I/O gives; the feature
    // calls of hid.dll and WriteFile need a handle without it. So input
    // reports come through a second, overlapped handle, opened now so that
    // it queues every report from here on.
    if (caps.InputReportByteLength > 0) {
      device.readHandle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_OVERLAPPED, nullptr);
      device.readEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
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
    DWORD written = 0;
    return d && buffer && fits(length) &&
           WriteFile(d->handle, buffer, static_cast<DWORD>(length), &written, nullptr);
  }

  bool read(HidHandle handle, std::uint8_t* buffer, std::size_t length,
            std::chrono::milliseconds timeout) override {
    const Device* d = device(handle);
    if (!d || !buffer || !fits(length) || d->readHandle == INVALID_HANDLE_VALUE || !d->readEvent)
      return false;
    ResetEvent(d->readEvent);
    OVERLAPPED overlapped{};
    overlapped.hEvent = d->readEvent;
    DWORD count = 0;
    if (ReadFile(d->readHandle, buffer, static_cast<DWORD>(length), nullptr, &overlapped))
      return GetOverlappedResult(d->readHandle, &overlapped, &count, FALSE) && count > 0;
    if (GetLastError() != ERROR_IO_PENDING) return false;
    const auto ms = std::clamp<std::chrono::milliseconds::rep>(timeout.count(), 0, INFINITE - 1);
    if (WaitForSingleObject(d->readEvent, static_cast<DWORD>(ms)) == WAIT_OBJECT_0)
      return GetOverlappedResult(d->readHandle, &overlapped, &count, FALSE) && count > 0;
    // Time is up: cancel, and wait for the cancel, so that the driver no
    // longer writes into the caller's buffer.
    CancelIo(d->readHandle);
    GetOverlappedResult(d->readHandle, &overlapped, &count, TRUE);
    return false;
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
    HANDLE readHandle = INVALID_HANDLE_VALUE;
    HANDLE readEvent = nullptr;
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
    if (device.readHandle != INVALID_HANDLE_VALUE) CloseHandle(device.readHandle);
    if (device.readEvent) CloseHandle(device.readEvent);
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

std::unique_ptr<HidTransport> createPlatformHidTransport() {
  return std::make_unique<WindowsHidTransport>();
}

}  // namespace kestrovane
