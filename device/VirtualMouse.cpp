#include "device/VirtualMouse.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <system_error>

#include "base/Error.h"

namespace kestrovane {

namespace {

namespace fs = std::filesystem;

constexpr std::uint8_t kCmdFirmwareVersion = 0xC0;
constexpr std::uint8_t kCmdWriteMode = 0x01;    // ..0x05
constexpr std::uint8_t kCmdReadMode = 0x81;     // ..0x85
constexpr std::uint8_t kCmdMacroFirst = 0x20;   // ..0x29
constexpr std::uint8_t kCmdMacroSecond = 0x30;  // ..0x39
constexpr std::size_t kPayload = 64;

constexpr const char* kDevice = "Device";
constexpr const char* kFirmware = "Firmware";
constexpr const char* kFaults = "Faults";

bool inRange(std::uint8_t cmd, std::uint8_t first, int count) {
  return cmd >= first && cmd < first + count;
}

std::string hex(const std::uint8_t* bytes, std::size_t length) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  out.reserve(2 * length);
  for (std::size_t i = 0; i < length; ++i) {
    out += kDigits[bytes[i] >> 4];
    out += kDigits[bytes[i] & 0xF];
  }
  return out;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Exactly 2 * out.size() hex digits, or false with out untouched.
template <std::size_t N>
bool parseHex(const std::optional<std::string>& text, std::array<std::uint8_t, N>& out) {
  if (!text || text->size() != 2 * N) return false;
  std::array<std::uint8_t, N> bytes{};
  for (std::size_t i = 0; i < N; ++i) {
    const int hi = hexDigit((*text)[2 * i]), lo = hexDigit((*text)[2 * i + 1]);
    if (hi < 0 || lo < 0) return false;
    bytes[i] = static_cast<std::uint8_t>(hi * 16 + lo);
  }
  out = bytes;
  return true;
}

std::string modeSection(int n) {
  std::string name = "Mode";
  return name += std::to_string(n);
}
std::string macroSection(int k) {
  std::string name = "Macro";
  return name += std::to_string(k);
}

ModeImage defaultModeImage(int n) {
  ModeImage image{};
  image[0] = static_cast<std::uint8_t>(n);  // byte 0 of mode N's image holds N
  return image;
}

int intIn(const IniFile& ini, const char* section, const char* key, int fallback, int low,
          int high) {
  const int v = ini.getInt(section, key, fallback);
  return v < low || v > high ? fallback : v;
}

// The file as the INI model writes it, or nullopt when it is missing or
// cannot be read.
std::optional<std::string> readFile(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  try {
    return IniFile::load(path).text();
  } catch (const Error&) {
    return std::nullopt;
  }
}

const char* kindName(int kind) {
  static const char* const kNames[] = {"set-feature", "get-feature", "write", "read"};
  return kNames[kind];
}

}  // namespace

VirtualMouse::VirtualMouse(const fs::path& dir) {
  m_dir = fs::absolute(dir).lexically_normal();
  if (m_dir.filename().empty()) m_dir = m_dir.parent_path();
  std::error_code ec;
  // A folder that cannot be made shows later: the state cannot be saved, so
  // every transfer that would change it fails.
  fs::create_directories(m_dir, ec);
  refresh();
}

std::string VirtualMouse::interfacePath(int index) const {
  std::string path = kPathPrefix;
  path += m_dir.string();
  path += '#';
  return path += std::to_string(index);
}

void VirtualMouse::refresh() {
  const fs::path path = file(kStateFile);
  const std::optional<std::string> text = readFile(path);
  if (m_stateKnown && text && text == m_stateText) return;
  std::error_code ec;
  if (text) {
    m_ini = IniFile::parse(*text);
    m_stateText = text;
    readState();
  } else if (!fs::exists(path, ec) && !ec) {
    m_ini = IniFile();
    readState();
    m_ini.setInt(kDevice, "VendorId", m_identity.vendorId);
    m_ini.setInt(kDevice, "ProductId", m_identity.productId);
    m_ini.setInt(kDevice, "Interfaces", m_identity.interfaces);
    m_ini.setInt(kDevice, "FeatureLength", m_identity.featureLength);
    m_ini.setInt(kDevice, "Present", 1);
    m_ini.setInt(kFirmware, "Version", m_version);
    for (int n = 1; n <= kModeCount; ++n)
      m_ini.setString(modeSection(n), "Image",
                      hex(m_modes[static_cast<std::size_t>(n - 1)].data(), kPayload));
    for (int k = 1; k <= kMacroCount; ++k)
      m_ini.setString(macroSection(k), "Record",
                      hex(m_macros[static_cast<std::size_t>(k - 1)].data(), 2 * kPayload));
    saveState();
  } else {
    // Present but unreadable: the defaults, and the file is left alone.
    m_ini = IniFile();
    m_stateText.reset();
    readState();
  }
  m_stateKnown = true;
}

void VirtualMouse::readState() {
  Identity identity;
  identity.vendorId =
      static_cast<std::uint16_t>(intIn(m_ini, kDevice, "VendorId", kDefaultVendorId, 0, 0xFFFF));
  identity.productId =
      static_cast<std::uint16_t>(intIn(m_ini, kDevice, "ProductId", kDefaultProductId, 0, 0xFFFF));
  const int interfaces = m_ini.getInt(kDevice, "Interfaces", 1);
  identity.interfaces = interfaces == 3 ? 3 : 1;
  identity.featureLength = static_cast<std::uint16_t>(
      intIn(m_ini, kDevice, "FeatureLength", kDefaultFeatureLength, 0, 0xFFFF));
  const bool present = m_ini.getInt(kDevice, "Present", 1) != 0;

  // Unplugging or turning into another device ends every open handle and
  // restarts the firmware.
  if (m_stateKnown && (identity != m_identity || (m_present && !present))) {
    ++m_generation;
    m_command.reset();
    m_featureAnswer.clear();
  }
  m_identity = identity;
  m_present = present;
  m_version =
      static_cast<std::uint8_t>(intIn(m_ini, kFirmware, "Version", kDefaultVersion, 0, 255));
  for (int n = 1; n <= kModeCount; ++n)
    if (!parseHex(m_ini.value(modeSection(n), "Image"), m_modes[static_cast<std::size_t>(n - 1)]))
      m_modes[static_cast<std::size_t>(n - 1)] = defaultModeImage(n);
  for (int k = 1; k <= kMacroCount; ++k)
    if (!parseHex(m_ini.value(macroSection(k), "Record"),
                  m_macros[static_cast<std::size_t>(k - 1)]))
      m_macros[static_cast<std::size_t>(k - 1)] = MacroRecord{};
}

bool VirtualMouse::saveState() {
  try {
    m_ini.save(file(kStateFile));
  } catch (const Error&) {
    return false;
  }
  m_stateText = m_ini.text();
  return true;
}

bool VirtualMouse::injectedFailure(bool& stallReads) {
  stallReads = false;
  const fs::path path = file(kFaultsFile);
  const std::optional<std::string> text = readFile(path);
  if (!text) return false;
  IniFile faults = IniFile::parse(*text);
  stallReads = faults.getInt(kFaults, "StallReads", 0) != 0;
  const int countdown = faults.getInt(kFaults, "FailTransfer", 0);
  if (countdown < 1) return false;
  if (countdown == 1)
    faults.removeKey(kFaults, "FailTransfer");
  else
    faults.setInt(kFaults, "FailTransfer", countdown - 1);
  try {
    faults.save(path);
  } catch (const Error&) {
    return true;  // a fault that cannot be counted down fails the transfer rather than repeat
  }
  return countdown == 1;
}

HidAttributes VirtualMouse::interfaceAttributes(int index) const {
  HidAttributes a;
  a.vendorId = m_identity.vendorId;
  a.productId = m_identity.productId;
  const bool all = m_identity.interfaces == 1;
  if (all || index == 0) a.featureReportLength = m_identity.featureLength;
  if (all || index == 1) a.outputReportLength = kReportLength;
  if (all || index == 2) a.inputReportLength = kReportLength;
  return a;
}

std::optional<int> VirtualMouse::liveInterface(HidHandle handle) const {
  const auto it = m_handles.find(handle);
  if (it == m_handles.end() || !m_present || it->second.generation != m_generation ||
      it->second.interface >= m_identity.interfaces)
    return std::nullopt;
  return it->second.interface;
}

ModeImage VirtualMouse::modeImage(int n) {
  refresh();
  return m_modes.at(static_cast<std::size_t>(n - 1));
}

VirtualMouse::MacroRecord VirtualMouse::macroRecord(int k) {
  refresh();
  return m_macros.at(static_cast<std::size_t>(k - 1));
}

std::vector<std::string> VirtualMouse::enumerate() {
  refresh();
  std::vector<std::string> paths;
  if (!m_present) return paths;
  for (int i = 0; i < m_identity.interfaces; ++i) paths.push_back(interfacePath(i));
  return paths;
}

HidHandle VirtualMouse::open(const std::string& path, HidOpenError* error) {
  refresh();
  if (m_present) {
    for (int i = 0; i < m_identity.interfaces; ++i) {
      if (path != interfacePath(i)) continue;
      const HidHandle handle = m_nextHandle++;
      m_handles[handle] = Handle{i, m_generation};
      if (error) *error = HidOpenError::None;
      return handle;
    }
  }
  if (error) *error = HidOpenError::NotFound;
  return kInvalidHidHandle;
}

bool VirtualMouse::attributes(HidHandle handle, HidAttributes& out) {
  refresh();
  const auto interface = liveInterface(handle);
  if (!interface) return false;
  out = interfaceAttributes(*interface);
  return true;
}

bool VirtualMouse::setFeature(HidHandle handle, const std::uint8_t* buffer, std::size_t length) {
  // The firmware only reads a sent report; the cast never leads to a write.
  return transfer(Kind::SetFeature, handle, const_cast<std::uint8_t*>(buffer), length);
}

bool VirtualMouse::getFeature(HidHandle handle, std::uint8_t* buffer, std::size_t length) {
  return transfer(Kind::GetFeature, handle, buffer, length);
}

bool VirtualMouse::write(HidHandle handle, const std::uint8_t* buffer, std::size_t length) {
  return transfer(Kind::Write, handle, const_cast<std::uint8_t*>(buffer), length);
}

bool VirtualMouse::read(HidHandle handle, std::uint8_t* buffer, std::size_t length,
                        std::chrono::milliseconds) {
  return transfer(Kind::Read, handle, buffer, length);
}

void VirtualMouse::close(HidHandle handle) {
  m_handles.erase(handle);
}

bool VirtualMouse::transfer(Kind kind, HidHandle handle, std::uint8_t* buffer, std::size_t length) {
  if (m_handles.find(handle) == m_handles.end()) return false;  // never reached the mouse
  refresh();
  bool stallReads = false;
  const bool injected = injectedFailure(stallReads);
  const auto interface = liveInterface(handle);
  if (buffer == nullptr) length = 0;
  bool ignored = false;
  bool ok = false;
  if (interface && !injected && buffer != nullptr && !(kind == Kind::Read && stallReads))
    ok = firmware(kind, *interface, buffer, length, ignored);
  const std::size_t logged = ok && kind == Kind::Read ? kReportLength : length;
  const bool logOk = appendLog(kind, !ok, ignored, buffer, logged);
  return ok && logOk;
}

bool VirtualMouse::firmware(Kind kind, int interface, std::uint8_t* buffer, std::size_t length,
                            bool& ignored) {
  const HidAttributes caps = interfaceAttributes(interface);
  switch (kind) {
    case Kind::SetFeature: {
      if (caps.featureReportLength == 0 || length != caps.featureReportLength || buffer[0] != 0)
        return false;
      m_featureAnswer.clear();
      const std::uint8_t cmd = length > 1 ? buffer[1] : 0;
      if (cmd == kCmdFirmwareVersion) {
        m_command = cmd;
        m_featureAnswer.assign(length, 0);
        if (length > 1) m_featureAnswer[1] = cmd;
        if (length > 2) m_featureAnswer[2] = m_version;
      } else if (inRange(cmd, kCmdWriteMode, kModeCount) ||
                 inRange(cmd, kCmdReadMode, kModeCount) ||
                 inRange(cmd, kCmdMacroFirst, kMacroCount) ||
                 inRange(cmd, kCmdMacroSecond, kMacroCount)) {
        m_command = cmd;
      } else {
        m_command.reset();
        ignored = true;
      }
      return true;
    }
    case Kind::GetFeature: {
      if (caps.featureReportLength == 0 || length != caps.featureReportLength || buffer[0] != 0)
        return false;
      std::fill(buffer + 1, buffer + length, std::uint8_t{0});
      if (!m_featureAnswer.empty()) {
        std::copy(m_featureAnswer.begin() + 1, m_featureAnswer.end(), buffer + 1);
        m_featureAnswer.clear();
        m_command.reset();
      }
      return true;
    }
    case Kind::Write: {
      if (caps.outputReportLength == 0 || length != caps.outputReportLength || buffer[0] != 0)
        return false;
      const std::uint8_t cmd = m_command.value_or(0);
      IniFile changed = m_ini;
      if (inRange(cmd, kCmdWriteMode, kModeCount)) {
        const int n = cmd - kCmdWriteMode + 1;
        changed.setString(modeSection(n), "Image", hex(buffer + 1, kPayload));
      } else if (inRange(cmd, kCmdMacroFirst, kMacroCount) ||
                 inRange(cmd, kCmdMacroSecond, kMacroCount)) {
        const bool second = cmd >= kCmdMacroSecond;
        const int k = cmd - (second ? kCmdMacroSecond : kCmdMacroFirst) + 1;
        MacroRecord record = m_macros[static_cast<std::size_t>(k - 1)];
        std::memcpy(record.data() + (second ? kPayload : 0), buffer + 1, kPayload);
        changed.setString(macroSection(k), "Record", hex(record.data(), record.size()));
      } else {
        ignored = true;  // nothing announced it
        return true;
      }
      // The state is written before the transfer counts as done: a report
      // whose result cannot be kept fails, and the memory stays as it was.
      std::swap(changed, m_ini);
      if (!saveState()) {
        std::swap(changed, m_ini);
        return false;
      }
      readState();
      m_command.reset();
      return true;
    }
    case Kind::Read: {
      const std::uint8_t cmd = m_command.value_or(0);
      if (caps.inputReportLength == 0 || length < caps.inputReportLength ||
          !inRange(cmd, kCmdReadMode, kModeCount))
        return false;  // nothing to send: the read times out
      const ModeImage& image = m_modes[static_cast<std::size_t>(cmd - kCmdReadMode)];
      buffer[0] = 0;
      std::copy(image.begin(), image.end(), buffer + 1);
      m_command.reset();
      return true;
    }
  }
  return false;
}

bool VirtualMouse::appendLog(Kind kind, bool failed, bool ignored, const std::uint8_t* buffer,
                             std::size_t length) {
  std::string line = failed ? "fail " : "";
  line += kindName(static_cast<int>(kind));
  line += ' ';
  line += hex(buffer, length);
  if (ignored) line += " ignored";
  line += '\n';
  std::ofstream log(file(kLogFile), std::ios::binary | std::ios::app);
  log.write(line.data(), static_cast<std::streamsize>(line.size()));
  log.close();
  return !log.fail();
}

}  // namespace kestrovane
