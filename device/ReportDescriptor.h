#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace kestrovane {

// Report byte lengths in the Windows convention: the longest report of each
// type over all report IDs, in whole bytes, plus one byte for the report ID
// (also when the device has no numbered reports); 0 when there is no report of
// that type. Lengths saturate at UINT32_MAX for absurd descriptors.
struct ReportLengths {
  std::uint32_t input = 0;
  std::uint32_t output = 0;
  std::uint32_t feature = 0;

  friend bool operator==(const ReportLengths&, const ReportLengths&) = default;
};

// One top-level collection, as Windows exposes it: its own interface with its
// own report lengths.
struct TopLevelCollection {
  std::uint16_t usagePage = 0;
  std::uint16_t usage = 0;
  ReportLengths lengths;
};

struct ReportDescriptorInfo {
  // In descriptor order.
  std::vector<TopLevelCollection> collections;
  // The whole descriptor, as one Linux hidraw node offers it: reports of the
  // same ID are one report wherever they are declared.
  ReportLengths lengths;
  // True when any Report ID item occurs: then every report starts with its ID
  // on the wire; otherwise hidraw drops the leading 0 on reads.
  bool numberedReports = false;
  // False when the descriptor is truncated or unbalanced (end of collection or
  // Pop without a partner, unclosed collection, main item outside any
  // collection); the lengths are then what the readable part declares.
  bool wellFormed = true;
};

// Parses a HID report descriptor (USB HID 1.11, section 6.2.2). Never reads
// outside the given bytes, whatever they hold.
ReportDescriptorInfo parseReportDescriptor(std::span<const std::uint8_t> descriptor);

}  // namespace kestrovane
