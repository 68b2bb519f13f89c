#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "device/HidTransport.h"

namespace kestrovane {

struct HidrawDeviceInfo {
  std::uint32_t busType = 0;
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
};

// The system calls the hidraw backend makes, one each, so that a test can
// stand in for a device. Failures return -1 (or false) like the calls do.
class HidrawSystem {
 public:
  virtual ~HidrawSystem() = default;
  // open(2) for reading and writing; -1 with errno in error on failure.
  virtual int open(const std::string& path, int& error) = 0;
  virtual void close(int fd) = 0;
  // HIDIOCGRAWINFO.
  virtual bool rawInfo(int fd, HidrawDeviceInfo& info) = 0;
  // HIDIOCGRDESCSIZE and HIDIOCGRDESC.
  virtual bool reportDescriptor(int fd, std::vector<std::uint8_t>& out) = 0;
  // HIDIOCSFEATURE / HIDIOCGFEATURE: byte 0 is the report number; the bytes
  // moved, that byte included, or -1.
  virtual std::ptrdiff_t setFeature(int fd, const std::uint8_t* buffer, std::size_t length) = 0;
  virtual std::ptrdiff_t getFeature(int fd, std::uint8_t* buffer, std::size_t length) = 0;
  virtual std::ptrdiff_t write(int fd, const std::uint8_t* buffer, std::size_t length) = 0;
  virtual std::ptrdiff_t read(int fd, std::uint8_t* buffer, std::size_t length) = 0;
  // poll(2) for input: 1 readable, 0 timed out, -1 failed.
  virtual int waitReadable(int fd, int timeoutMs) = 0;
};

// The real calls (Linux only).
std::unique_ptr<HidrawSystem> createHidrawSystem();

// Linux hidraw: the interfaces are ROOT/dev/hidrawN (one per USB interface,
// all its top-level collections); IDs come from the device, report lengths
// from its report descriptor (ROOT/sys/class/hidraw/hidrawN/device/
// report_descriptor, else HIDIOCGRDESC), in the Windows convention. Reads hand
// back what Windows would: a device without numbered reports gets its 0
// report ID byte put back in front.
class HidrawTransport final : public HidTransport {
 public:
  explicit HidrawTransport(std::filesystem::path root = "/",
                           std::unique_ptr<HidrawSystem> system = createHidrawSystem());
  ~HidrawTransport() override;
  HidrawTransport(const HidrawTransport&) = delete;
  HidrawTransport& operator=(const HidrawTransport&) = delete;

  std::vector<std::string> enumerate() override;
  HidHandle open(const std::string& path, HidOpenError* error = nullptr) override;
  // From ROOT/sys/class/hidraw/hidrawN/device/uevent.
  std::optional<HidListedIds> listedIds(const std::string& path) override;
  bool attributes(HidHandle handle, HidAttributes& out) override;
  bool setFeature(HidHandle handle, const std::uint8_t* buffer, std::size_t length) override;
  bool getFeature(HidHandle handle, std::uint8_t* buffer, std::size_t length) override;
  bool write(HidHandle handle, const std::uint8_t* buffer, std::size_t length) override;
  bool read(HidHandle handle, std::uint8_t* buffer, std::size_t length,
            std::chrono::milliseconds timeout) override;
  void close(HidHandle handle) override;

 private:
  struct Device {
    int fd = -1;
    bool infoKnown = false;
    bool numberedReports = false;
    HidAttributes attributes;
  };
  Device* device(HidHandle handle);

  std::filesystem::path m_root;
  std::unique_ptr<HidrawSystem> m_system;
  std::map<HidHandle, Device> m_devices;
  HidHandle m_nextHandle = 1;
};

}  // namespace kestrovane
