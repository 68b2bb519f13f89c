// The Linux HID backend: hidraw nodes, their ioctls and report descriptors.
#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <limits>
#include <optional>
#include <string_view>
#include <system_error>

#include "device/HidrawTransport.h"
#include "device/PlatformHidTransport.h"
#include "device/ReportDescriptor.h"

namespace kestrovane {

namespace {

namespace fs = std::filesystem;

class LinuxHidrawSystem final : public HidrawSystem {
 public:
  int open(const std::string& path, int& error) override {
    int fd;
    do {
      fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    error = fd < 0 ? errno : 0;
    return fd;
  }
  void close(int fd) override { ::close(fd); }
  bool rawInfo(int fd, HidrawDeviceInfo& info) override {
    hidraw_devinfo raw{};
    if (::ioctl(fd, HIDIOCGRAWINFO, &raw) < 0) return false;
    info.busType = raw.bustype;
    info.vendorId = static_cast<std::uint16_t>(raw.vendor);
    info.productId = static_cast<std::uint16_t>(raw.product);
    return true;
  }
  bool reportDescriptor(int fd, std::vector<std::uint8_t>& out) override {
    int size = 0;
    if (::ioctl(fd, HIDIOCGRDESCSIZE, &size) < 0 || size < 0 || size > HID_MAX_DESCRIPTOR_SIZE)
      return false;
    hidraw_report_descriptor raw{};
    raw.size = static_cast<std::uint32_t>(size);
    if (::ioctl(fd, HIDIOCGRDESC, &raw) < 0) return false;
    out.assign(raw.value, raw.value + raw.size);
    return true;
  }
  std::ptrdiff_t setFeature(int fd, const std::uint8_t* buffer, std::size_t length) override {
    return retry([&] { return ::ioctl(fd, HIDIOCSFEATURE(length), buffer); });
  }
  std::ptrdiff_t getFeature(int fd, std::uint8_t* buffer, std::size_t length) override {
    return retry([&] { return ::ioctl(fd, HIDIOCGFEATURE(length), buffer); });
  }
  std::ptrdiff_t write(int fd, const std::uint8_t* buffer, std::size_t length) override {
    return retry([&] { return ::write(fd, buffer, length); });
  }
  std::ptrdiff_t read(int fd, std::uint8_t* buffer, std::size_t length) override {
    return retry([&] { return ::read(fd, buffer, length); });
  }
  int waitReadable(int fd, int timeoutMs) override {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
      pollfd p{fd, POLLIN, 0};
      const int ready = ::poll(&p, 1, timeoutMs);
      if (ready > 0) return (p.revents & POLLIN) ? 1 : -1;  // POLLERR/POLLHUP: unplugged
      if (ready == 0) return 0;
      if (errno != EINTR) return -1;
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      timeoutMs = static_cast<int>(std::max<long long>(0, left.count()));
    }
  }

 private:
  template <typename Call>
  static std::ptrdiff_t retry(Call call) {
    for (;;) {
      const auto n = call();
      if (n >= 0 || errno != EINTR) return static_cast<std::ptrdiff_t>(n);
    }
  }
};

HidOpenError openError(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
      return HidOpenError::PermissionDenied;
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return HidOpenError::NotFound;
    default:
      return HidOpenError::Other;
  }
}

// N of a name "hidrawN", or -1.
long hidrawNumber(const std::string& name) {
  constexpr std::string_view kPrefix = "hidraw";
  if (!name.starts_with(kPrefix) || name.size() == kPrefix.size() || name.size() > 15) return -1;
  long n = 0;
  for (std::size_t i = kPrefix.size(); i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') return -1;
    n = n * 10 + (name[i] - '0');
  }
  return n;
}

// The value of hex digits, or none for anything else (or an empty text).
std::optional<std::uint32_t> hexValue(std::string_view text) {
  if (text.empty() || text.size() > 8) return std::nullopt;
  std::uint32_t value = 0;
  for (const char c : text) {
    const int digit = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                             : -1;
    if (digit < 0) return std::nullopt;
    value = value << 4 | static_cast<std::uint32_t>(digit);
  }
  return value;
}

// The IDs of a uevent's "HID_ID=BUS:VENDOR:PRODUCT" line (hex, the IDs
// zero-padded to 8 digits by the kernel).
std::optional<HidListedIds> hidIdLine(std::string_view uevent) {
  constexpr std::string_view kKey = "HID_ID=";
  for (std::size_t at = 0; at < uevent.size();) {
    std::size_t end = uevent.find('\n', at);
    if (end == std::string_view::npos) end = uevent.size();
    const std::string_view line = uevent.substr(at, end - at);
    at = end + 1;
    if (!line.starts_with(kKey)) continue;
    const std::string_view fields = line.substr(kKey.size());
    const std::size_t first = fields.find(':');
    const std::size_t second = fields.find(':', first == std::string_view::npos ? 0 : first + 1);
    if (first == std::string_view::npos || second == std::string_view::npos) return std::nullopt;
    const auto vendor = hexValue(fields.substr(first + 1, second - first - 1));
    const auto product = hexValue(fields.substr(second + 1));
    if (!vendor || !product || *vendor > 0xFFFF || *product > 0xFFFF) return std::nullopt;
    return HidListedIds{static_cast<std::uint16_t>(*vendor), static_cast<std::uint16_t>(*product)};
  }
  return std::nullopt;
}

std::uint16_t windowsLength(std::uint32_t length) {
  return static_cast<std::uint16_t>(length);
}

}  // namespace

std::unique_ptr<HidrawSystem> createHidrawSystem() {
  return std::make_unique<LinuxHidrawSystem>();
}

std::unique_ptr<HidTransport> createPlatformHidTransport() {
  return std::make_unique<HidrawTransport>();
}

HidrawTransport::HidrawTransport(fs::path root, std::unique_ptr<HidrawSystem> system)
    : m_root(std::move(root)), m_system(std::move(system)) {}

HidrawTransport::~HidrawTransport() {
  for (const auto& [handle, device] : m_devices) m_system->close(device.fd);
}

std::vector<std::string> HidrawTransport::enumerate() {
  std::vector<std::pair<long, std::string>> nodes;
  std::error_code ec;
  for (fs::directory_iterator it(m_root / "dev", ec), end; !ec && it != end; it.increment(ec)) {
    const long n = hidrawNumber(it->path().filename().string());
    if (n >= 0) nodes.emplace_back(n, it->path().string());
  }
  std::sort(nodes.begin(), nodes.end());
  std::vector<std::string> paths;
  for (auto& node : nodes) paths.push_back(std::move(node.second));
  return paths;
}

std::optional<HidListedIds> HidrawTransport::listedIds(const std::string& path) {
  const std::string name = fs::path(path).filename().string();
  if (hidrawNumber(name) < 0) return std::nullopt;
  // A uevent is a few hundred bytes; more is not one.
  constexpr std::size_t kMaxUevent = 4096;
  std::ifstream in(m_root / "sys/class/hidraw" / name / "device/uevent", std::ios::binary);
  std::string text(kMaxUevent, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (in.bad()) return std::nullopt;
  text.resize(static_cast<std::size_t>(in.gcount()));
  return hidIdLine(text);
}

HidHandle HidrawTransport::open(const std::string& path, HidOpenError* error) {
  int errorNumber = 0;
  const int fd = m_system->open(path, errorNumber);
  if (fd < 0) {
    if (error) *error = openError(errorNumber);
    return kInvalidHidHandle;
  }
  Device device;
  device.fd = fd;
  HidrawDeviceInfo info;
  if (m_system->rawInfo(fd, info)) {
    device.infoKnown = true;
    device.attributes.vendorId = info.vendorId;
    device.attributes.productId = info.productId;
  }
  // sysfs holds the descriptor without opening anything else; the ioctl
  // serves where sysfs is not mounted.
  std::vector<std::uint8_t> descriptor;
  const fs::path sysfs =
      m_root / "sys/class/hidraw" / fs::path(path).filename() / "device/report_descriptor";
  std::ifstream in(sysfs, std::ios::binary);
  char chunk[HID_MAX_DESCRIPTOR_SIZE];
  while (in && descriptor.size() <= HID_MAX_DESCRIPTOR_SIZE &&
         (in.read(chunk, sizeof chunk) || in.gcount() > 0))
    descriptor.insert(descriptor.end(), chunk, chunk + in.gcount());
  if (in.bad() || descriptor.empty()) {
    descriptor.clear();
    m_system->reportDescriptor(fd, descriptor);
  }
  const ReportDescriptorInfo parsed = parseReportDescriptor(descriptor);
  device.numberedReports = parsed.numberedReports;
  constexpr std::uint32_t kMax = std::numeric_limits<std::uint16_t>::max();
  // Lengths no HID device can have leave the interface without reports, as
  // Windows leaves the capabilities zeroed when it cannot parse a descriptor.
  if (parsed.lengths.input <= kMax && parsed.lengths.output <= kMax &&
      parsed.lengths.feature <= kMax) {
    device.attributes.inputReportLength = windowsLength(parsed.lengths.input);
    device.attributes.outputReportLength = windowsLength(parsed.lengths.output);
    device.attributes.featureReportLength = windowsLength(parsed.lengths.feature);
  }
  const HidHandle handle = m_nextHandle++;
  m_devices[handle] = device;
  if (error) *error = HidOpenError::None;
  return handle;
}

HidrawTransport::Device* HidrawTransport::device(HidHandle handle) {
  const auto it = m_devices.find(handle);
  return it == m_devices.end() ? nullptr : &it->second;
}

bool HidrawTransport::attributes(HidHandle handle, HidAttributes& out) {
  const Device* d = device(handle);
  if (!d || !d->infoKnown) return false;
  out = d->attributes;
  return true;
}

bool HidrawTransport::setFeature(HidHandle handle, const std::uint8_t* buffer, std::size_t length) {
  const Device* d = device(handle);
  return d && buffer && length > 0 && m_system->setFeature(d->fd, buffer, length) >= 0;
}

bool HidrawTransport::getFeature(HidHandle handle, std::uint8_t* buffer, std::size_t length) {
  const Device* d = device(handle);
  if (!d || !buffer || length == 0) return false;
  // The answer comes with its report ID byte in front (0 for unnumbered
  // devices), as on Windows, and the count includes that byte. A shorter
  // answer is a failed transfer, as HidD_GetFeature has it: its missing bytes
  // would be taken for data.
  const std::ptrdiff_t n = m_system->getFeature(d->fd, buffer, length);
  return n == static_cast<std::ptrdiff_t>(length);
}

bool HidrawTransport::write(HidHandle handle, const std::uint8_t* buffer, std::size_t length) {
  const Device* d = device(handle);
  // Byte 0 is the report number; hidraw drops it itself for unnumbered devices.
  return d && buffer && length > 0 &&
         m_system->write(d->fd, buffer, length) == static_cast<std::ptrdiff_t>(length);
}

bool HidrawTransport::read(HidHandle handle, std::uint8_t* buffer, std::size_t length,
                           std::chrono::milliseconds timeout) {
  const Device* d = device(handle);
  const std::size_t skip = d && !d->numberedReports ? 1 : 0;
  if (!d || !buffer || length <= skip) return false;
  const auto ms = std::clamp<std::chrono::milliseconds::rep>(timeout.count(), 0,
                                                             std::numeric_limits<int>::max());
  if (m_system->waitReadable(d->fd, static_cast<int>(ms)) != 1) return false;
  const std::ptrdiff_t n = m_system->read(d->fd, buffer + skip, length - skip);
  if (n <= 0) return false;
  if (skip) buffer[0] = 0;  // hidraw leaves out the ID byte of unnumbered reports
  std::fill(buffer + skip + std::min(static_cast<std::size_t>(n), length - skip), buffer + length,
            std::uint8_t{0});
  return true;
}

void HidrawTransport::close(HidHandle handle) {
  const auto it = m_devices.find(handle);
  if (it == m_devices.end()) return;
  m_system->close(it->second.fd);
  m_devices.erase(it);
}

}  // namespace kestrovane
