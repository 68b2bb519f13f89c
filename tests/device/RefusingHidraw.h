#pragma once

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "device/HidrawTransport.h"

namespace kestrovane::test {

// hidraw's open(2) refusing every node, as for a user without the udev rule.
class RefusingHidraw final : public HidrawSystem {
 public:
  int open(const std::string&, int& error) override {
    error = EACCES;
    return -1;
  }
  void close(int) override {}
  bool rawInfo(int, HidrawDeviceInfo&) override { return false; }
  bool reportDescriptor(int, std::vector<std::uint8_t>&) override { return false; }
  std::ptrdiff_t setFeature(int, const std::uint8_t*, std::size_t) override { return -1; }
  std::ptrdiff_t getFeature(int, std::uint8_t*, std::size_t) override { return -1; }
  std::ptrdiff_t write(int, const std::uint8_t*, std::size_t) override { return -1; }
  std::ptrdiff_t read(int, std::uint8_t*, std::size_t) override { return -1; }
  int waitReadable(int, int) override { return -1; }
};

// A node ROOT/dev/NODE and its uevent as the kernel writes it ("HID_ID=%04X:%08X:%08X").
inline void addHidrawNode(const std::filesystem::path& root, const std::string& node,
                          const std::string& hidId) {
  std::filesystem::create_directories(root / "dev");
  std::filesystem::create_directories(root / "sys/class/hidraw" / node / "device");
  std::ofstream(root / "dev" / node).put('\n');
  std::ofstream(root / "sys/class/hidraw" / node / "device/uevent")
      << "DRIVER=hid-generic\nHID_ID=" << hidId
      << "\nHID_NAME=x\nHID_PHYS=usb-0000:00:14.0-1/input0\n";
}

}  // namespace kestrovane::test
