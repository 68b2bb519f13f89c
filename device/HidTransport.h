#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kestrovane {

// An open interface, as the transport that opened it numbers it.
using HidHandle = std::int64_t;
inline constexpr HidHandle kInvalidHidHandle = -1;

// What an opened interface reports of itself. Report byte lengths follow the
// Windows convention everywhere: they include the report ID byte, and a device
// without numbered reports still exchanges a leading 0 byte (so a 64-byte
// report is 65). 0 means the interface has no report of that type.
struct HidAttributes {
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
  std::uint16_t inputReportLength = 0;
  std::uint16_t outputReportLength = 0;
  std::uint16_t featureReportLength = 0;
};

// The IDs the system lists for an interface without opening it.
struct HidListedIds {
  std::uint16_t vendorId = 0;
  std::uint16_t productId = 0;
};

enum class HidOpenError {
  None,
  NotFound,          // the interface went away between enumeration and open
  PermissionDenied,  // present but not ours to open (Linux: see the udev rule)
  Other,
};

// One small interface over the operating system's HID class driver, shaped
// after the calls the mouse link makes: enumerate the present interfaces,
// open one for reading and writing, ask its IDs and report lengths, move
// feature and input/output reports, close. All calls are synchronous and run
// on the caller's thread; none throws.
class HidTransport {
 public:
  virtual ~HidTransport() = default;

  // Lists the device paths of the present HID interfaces, in the system's order.
  virtual std::vector<std::string> enumerate() = 0;

  // Opens a path for reading and writing; kInvalidHidHandle on failure, with
  // the reason in *error when given.
  virtual HidHandle open(const std::string& path, HidOpenError* error = nullptr) = 0;

  // The vendor and product IDs the system lists for a path, read without
  // opening it (hidraw: the HID_ID line of the node's uevent in sysfs); none
  // where the system keeps no such list or does not know the path. Windows
  // needs none: an interface that does not open there is one that Windows
  // holds for itself, never a permission the user lacks.
  virtual std::optional<HidListedIds> listedIds(const std::string& path) {
    (void)path;
    return std::nullopt;
  }

  // Reads the IDs and report lengths of an open interface.
  virtual bool attributes(HidHandle handle, HidAttributes& out) = 0;

  // Sends length bytes of buffer as a feature report (byte 0 = report ID).
  virtual bool setFeature(HidHandle handle, const std::uint8_t* buffer, std::size_t length) = 0;

  // Fetches a feature report of length bytes into buffer; byte 0 holds the
  // report ID on entry.
  virtual bool getFeature(HidHandle handle, std::uint8_t* buffer, std::size_t length) = 0;

  // Writes one output report (byte 0 = report ID).
  virtual bool write(HidHandle handle, const std::uint8_t* buffer, std::size_t length) = 0;

  // Reads one input report, waiting at most timeout; on success buffer holds
  // the report with its ID byte in front, as Windows delivers it.
  virtual bool read(HidHandle handle, std::uint8_t* buffer, std::size_t length,
                    std::chrono::milliseconds timeout) = 0;

  virtual void close(HidHandle handle) = 0;
};

}  // namespace kestrovane
