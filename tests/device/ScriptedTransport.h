#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "device/HidTransport.h"

namespace kestrovane::test {

// One HID interface as the scripted transport presents it.
struct ScriptedInterface {
  std::string path;
  HidAttributes attributes;
  int failingOpens = 0;  // this many opens fail before opens succeed
  bool neverOpens = false;
  bool attributesFail = false;
};

HidAttributes shape(std::uint16_t vendorId, std::uint16_t productId, std::uint16_t input,
                    std::uint16_t output, std::uint16_t feature);

// A HidTransport whose interfaces, open failures and transfer results a test
// sets up. A call on a handle that is not open counts as a misuse and fails.
// Handles are numbered from 100 and never reused, so closes can be counted
// per handle, unless reuseHandles asks for the lowest free number from 3, as
// file descriptors are given out.
class ScriptedTransport : public HidTransport {
 public:
  std::vector<ScriptedInterface> interfaces;
  // Runs before every enumeration with its number, from 0.
  std::function<void(int)> onEnumerate;
  // Numbers, from 1, of the transfers (feature set and get, write, read) that fail.
  std::set<int> failingTransfers;
  // The answer of every get-feature; bytes past its end read 0.
  std::vector<std::uint8_t> featureAnswer;
  // The input report delivered by every read; empty: every read times out.
  std::vector<std::uint8_t> inputReport;
  bool reuseHandles = false;

  std::vector<std::string> enumerate() override;
  HidHandle open(const std::string& path, HidOpenError* error = nullptr) override;
  bool attributes(HidHandle handle, HidAttributes& out) override;
  bool setFeature(HidHandle handle, const std::uint8_t* buffer, std::size_t length) override;
  bool getFeature(HidHandle handle, std::uint8_t* buffer, std::size_t length) override;
  bool write(HidHandle handle, const std::uint8_t* buffer, std::size_t length) override;
  bool read(HidHandle handle, std::uint8_t* buffer, std::size_t length,
            std::chrono::milliseconds timeout) override;
  void close(HidHandle handle) override;

  // Removes an interface; its open handles stay open but their transfers fail.
  void unplug(const std::string& path);
  int enumerations() const { return m_enumerations; }
  int closesOf(HidHandle handle) const;
  std::set<HidHandle> openHandles() const;
  // The path an open handle belongs to; empty for none.
  std::string pathOf(HidHandle handle) const;
  // The calls made on handles that were not open, e.g. "close h101".
  const std::vector<std::string>& misuses() const { return m_misuses; }

 private:
  const ScriptedInterface* present(HidHandle handle) const;
  bool transfer(HidHandle handle, const char* what);
  bool isOpen(HidHandle handle, const char* what);

  std::map<HidHandle, std::string> m_open;  // handle -> path
  std::map<HidHandle, int> m_closes;
  std::vector<std::string> m_misuses;
  HidHandle m_nextHandle = 100;
  int m_enumerations = 0;
  int m_transfers = 0;
};

}  // namespace kestrovane::test
