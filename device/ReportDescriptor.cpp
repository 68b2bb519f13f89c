#include "device/ReportDescriptor.h"

#include <array>
#include <limits>
#include <map>

namespace kestrovane {

namespace {

enum ReportType : std::size_t { kInput, kOutput, kFeature, kReportTypes };

// Item prefixes: bits 0-1 size code, bits 2-3 type, bits 4-7 tag.
constexpr std::uint8_t kLongItemPrefix = 0xFE;
constexpr unsigned kTypeMain = 0, kTypeGlobal = 1, kTypeLocal = 2;
constexpr unsigned kMainInput = 0x8, kMainOutput = 0x9, kMainFeature = 0xB, kMainCollection = 0xA,
                   kMainEndCollection = 0xC;
constexpr unsigned kGlobalUsagePage = 0x0, kGlobalReportSize = 0x7, kGlobalReportId = 0x8,
                   kGlobalReportCount = 0x9, kGlobalPush = 0xA, kGlobalPop = 0xB;
constexpr unsigned kLocalUsage = 0x0;
// Real devices push a level or two; the cap only bounds memory on hostile input.
constexpr std::size_t kMaxPushDepth = 32;

struct GlobalState {
  std::uint32_t usagePage = 0;
  std::uint32_t reportSize = 0;
  std::uint32_t reportCount = 0;
  std::uint32_t reportId = 0;
};

// Data bits per report ID and report type.
using ReportBits = std::map<std::uint32_t, std::array<std::uint64_t, kReportTypes>>;

void addBits(ReportBits& reports, std::uint32_t reportId, ReportType type, std::uint64_t bits) {
  std::uint64_t& total = reports[reportId][type];
  total = bits > std::numeric_limits<std::uint64_t>::max() - total
              ? std::numeric_limits<std::uint64_t>::max()
              : total + bits;
}

std::uint32_t byteLength(std::uint64_t bits) {
  if (bits == 0) return 0;
  // One byte for the report ID in front of the data bytes.
  const std::uint64_t bytes = bits / 8 + (bits % 8 != 0 ? 1 : 0) + 1;
  return bytes > std::numeric_limits<std::uint32_t>::max()
             ? std::numeric_limits<std::uint32_t>::max()
             : static_cast<std::uint32_t>(bytes);
}

ReportLengths lengthsOf(const ReportBits& reports) {
  std::array<std::uint64_t, kReportTypes> longest{};
  for (const auto& [id, bits] : reports)
    for (std::size_t t = 0; t < kReportTypes; ++t)
      if (bits[t] > longest[t]) longest[t] = bits[t];
  return {byteLength(longest[kInput]), byteLength(longest[kOutput]), byteLength(longest[kFeature])};
}

}  // namespace

ReportDescriptorInfo parseReportDescriptor(std::span<const std::uint8_t> d) {
  ReportDescriptorInfo info;
  GlobalState global;
  std::vector<GlobalState> stack;
  // Local state, reset by every main item: the first usage since the last one.
  bool hasUsage = false;
  std::uint32_t firstUsage = 0;
  bool firstUsageExtended = false;
  std::uint32_t depth = 0;
  ReportBits descriptorReports;
  ReportBits collectionReports;
  TopLevelCollection current;

  std::size_t i = 0;
  while (i < d.size()) {
    const std::uint8_t prefix = d[i];
    if (prefix == kLongItemPrefix) {
      // Long item: prefix, data size, tag, data. No long item tag is defined,
      // so it is skipped whole.
      if (d.size() - i < 3 || d.size() - i - 3 < d[i + 1]) {
        info.wellFormed = false;
        break;
      }
      i += 3 + std::size_t{d[i + 1]};
      continue;
    }
    const std::size_t size = (prefix & 3u) == 3u ? 4 : (prefix & 3u);
    if (d.size() - i - 1 < size) {
      info.wellFormed = false;
      break;
    }
    std::uint32_t value = 0;
    for (std::size_t b = 0; b < size; ++b) value |= std::uint32_t{d[i + 1 + b]} << (8 * b);
    i += 1 + size;

    const unsigned type = (prefix >> 2) & 3u;
    const unsigned tag = prefix >> 4;
    if (type == kTypeMain) {
      switch (tag) {
        case kMainInput:
        case kMainOutput:
        case kMainFeature: {
          const ReportType reportType =
              tag == kMainInput ? kInput : (tag == kMainOutput ? kOutput : kFeature);
          const std::uint64_t bits = std::uint64_t{global.reportSize} * global.reportCount;
          addBits(descriptorReports, global.reportId, reportType, bits);
          if (depth > 0)
            addBits(collectionReports, global.reportId, reportType, bits);
          else
            info.wellFormed = false;
          break;
        }
        case kMainCollection:
          if (depth == 0) {
            current = {};
            // A four-byte usage carries its own usage page in the high half.
            current.usagePage = static_cast<std::uint16_t>(
                hasUsage && firstUsageExtended ? firstUsage >> 16 : global.usagePage);
            current.usage = static_cast<std::uint16_t>(hasUsage ? firstUsage & 0xFFFFu : 0);
            collectionReports.clear();
          }
          if (depth < std::numeric_limits<std::uint32_t>::max()) ++depth;
          break;
        case kMainEndCollection:
          if (depth == 0) {
            info.wellFormed = false;
            break;
          }
          if (--depth == 0) {
            current.lengths = lengthsOf(collectionReports);
            info.collections.push_back(current);
          }
          break;
        default:
          break;
      }
      hasUsage = false;
    } else if (type == kTypeGlobal) {
      switch (tag) {
        case kGlobalUsagePage:
          global.usagePage = value;
          break;
        case kGlobalReportSize:
          global.reportSize = value;
          break;
        case kGlobalReportCount:
          global.reportCount = value;
          break;
        case kGlobalReportId:
          global.reportId = value;
          info.numberedReports = true;
          break;
        case kGlobalPush:
          if (stack.size() < kMaxPushDepth)
            stack.push_back(global);
          else
            info.wellFormed = false;
          break;
        case kGlobalPop:
          if (stack.empty()) {
            info.wellFormed = false;
          } else {
            global = stack.back();
            stack.pop_back();
          }
          break;
        default:
          break;
      }
    } else if (type == kTypeLocal) {
      if (tag == kLocalUsage && !hasUsage) {
        hasUsage = true;
        firstUsage = value;
        firstUsageExtended = size == 4;
      }
    }
  }
  if (depth != 0) {
    // An unclosed top-level collection still declares its reports.
    info.wellFormed = false;
    current.lengths = lengthsOf(collectionReports);
    info.collections.push_back(current);
  }
  info.lengths = lengthsOf(descriptorReports);
  return info;
}

}  // namespace kestrovane
