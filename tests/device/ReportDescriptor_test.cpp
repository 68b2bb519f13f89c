#include "device/ReportDescriptor.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace kestrovane {
namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string kDir = std::string(KESTROVANE_TEST_DATA) + "/hid-descriptors/";

Bytes readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << path;
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct WindowsCollection {
  std::string name;  // VID_PID_USAGE_PAGE
  ReportLengths lengths;
};

std::vector<WindowsCollection> windowsLengths() {
  std::ifstream in(kDir + "lengths.tsv");
  std::vector<WindowsCollection> rows;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    WindowsCollection row;
    fields >> row.name >> row.lengths.input >> row.lengths.output >> row.lengths.feature;
    rows.push_back(row);
  }
  return rows;
}

// The lengths Windows computed for 25 real collections (hidapi's test data).
TEST(ReportDescriptor, MatchesWindowsOnRealDescriptors) {
  const auto rows = windowsLengths();
  ASSERT_EQ(rows.size(), 25u);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const Bytes bytes = readFile(kDir + row.name + ".bin");
    ASSERT_FALSE(bytes.empty());
    const auto info = parseReportDescriptor(bytes);
    EXPECT_TRUE(info.wellFormed);
    ASSERT_EQ(info.collections.size(), 1u);
    EXPECT_EQ(info.collections[0].lengths, row.lengths);
    EXPECT_EQ(info.lengths, row.lengths);
    const unsigned usage = std::stoul(row.name.substr(10, 4), nullptr, 16);
    const unsigned page = std::stoul(row.name.substr(15, 4), nullptr, 16);
    EXPECT_EQ(info.collections[0].usage, usage);
    EXPECT_EQ(info.collections[0].usagePage, page);
  }
}

// hidraw sees a USB interface with all its collections in one descriptor:
// the receiver 046D:C52F interface 1 holds three of the real collections.
TEST(ReportDescriptor, InterfaceWithSeveralCollectionsOffersTheLongestReports) {
  const char* parts[] = {"046D_C52F_0001_000C", "046D_C52F_0001_FF00", "046D_C52F_0002_FF00"};
  Bytes all;
  std::vector<ReportLengths> each;
  for (const char* part : parts) {
    const Bytes bytes = readFile(kDir + part + ".bin");
    all.insert(all.end(), bytes.begin(), bytes.end());
    each.push_back(parseReportDescriptor(bytes).collections.at(0).lengths);
  }
  const auto info = parseReportDescriptor(all);
  ASSERT_EQ(info.collections.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(info.collections[i].lengths, each[i]) << i;
  EXPECT_EQ(info.collections[1].usagePage, 0xFF00);
  EXPECT_EQ(info.lengths, (ReportLengths{20, 20, 0}));
  EXPECT_TRUE(info.numberedReports);
}

struct Case {
  const char* what;
  Bytes descriptor;
  ReportLengths lengths;
  bool numbered;
  bool wellFormed;
};

// Collection(Application) with usage page 0xFF00, usage 1 around the body.
Bytes app(const Bytes& body) {
  Bytes d = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01};
  for (const std::uint8_t b : body) d.push_back(b);
  d.push_back(0xC0);
  return d;
}

TEST(ReportDescriptor, ItemHandling) {
  const Case cases[] = {
      // The virtual mouse's shape: 64-byte input and output, 8-byte feature,
      // no report IDs: Windows still counts the ID byte.
      {"unnumbered 64/64/8",
       app({0x75, 0x08, 0x95, 0x40, 0x81, 0x02, 0x91, 0x02, 0x95, 0x08, 0xB1, 0x02}),
       {65, 65, 9},
       false,
       true},
      {"bits round up to whole bytes",
       app({0x75, 0x01, 0x95, 0x03, 0x81, 0x02}),
       {2, 0, 0},
       false,
       true},
      {"items of one report add up, reports of two IDs do not",
       app({0x85, 0x01, 0x75, 0x08, 0x95, 0x02, 0x81, 0x02, 0x95, 0x03, 0x81, 0x02, 0x85, 0x02,
            0x95, 0x04, 0x81, 0x02}),
       {6, 0, 0},
       true,
       true},
      {"report count 0 declares nothing",
       app({0x75, 0x08, 0x95, 0x00, 0x81, 0x02}),
       {0, 0, 0},
       false,
       true},
      {"push and pop restore size and count",
       app({0x75, 0x08, 0x95, 0x04, 0xA4, 0x95, 0x10, 0x91, 0x02, 0xB4, 0x81, 0x02}),
       {5, 17, 0},
       false,
       true},
      {"pop without push",
       app({0xB4, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02}),
       {2, 0, 0},
       false,
       false},
      {"long item skipped whole",
       app({0xFE, 0x03, 0x10, 0x81, 0x02, 0x91, 0x75, 0x08, 0x95, 0x01, 0xB1, 0x02}),
       {0, 0, 2},
       false,
       true},
      {"four-byte report count",
       app({0x75, 0x08, 0x97, 0x00, 0x00, 0x01, 0x00, 0x81, 0x02}),
       {65537, 0, 0},
       false,
       true},
      {"truncated item stops the parse",
       {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x02, 0x81, 0x02, 0x96, 0x01},
       {3, 0, 0},
       false,
       false},
      {"truncated long item", {0xFE, 0x20, 0x00, 0x01}, {0, 0, 0}, false, false},
      {"main item outside any collection",
       {0x75, 0x08, 0x95, 0x02, 0x81, 0x02},
       {3, 0, 0},
       false,
       false},
      {"end collection without collection", {0xC0, 0xC0}, {0, 0, 0}, false, false},
      {"absurd sizes saturate",
       app({0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97, 0xFF, 0xFF, 0xFF, 0xFF, 0x81, 0x02, 0x81, 0x02}),
       {0xFFFFFFFFu, 0, 0},
       false,
       true},
      {"empty descriptor", {}, {0, 0, 0}, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto info = parseReportDescriptor(c.descriptor);
    EXPECT_EQ(info.lengths, c.lengths);
    EXPECT_EQ(info.numberedReports, c.numbered);
    EXPECT_EQ(info.wellFormed, c.wellFormed);
  }
}

TEST(ReportDescriptor, CollectionUsages) {
  // Nested collections belong to their top-level one; a four-byte usage
  // brings its own page; local state is not carried past a main item.
  const Bytes d = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00, 0x75, 0x08, 0x95,
                   0x03, 0x81, 0x06, 0xC0, 0xC0, 0x0B, 0x01, 0x00, 0x0C, 0x00, 0xA1, 0x01, 0x75,
                   0x10, 0x95, 0x01, 0x81, 0x00, 0xC0, 0xA1, 0x01, 0xC0, 0xA1, 0x01};
  const auto info = parseReportDescriptor(d);
  ASSERT_EQ(info.collections.size(), 4u);
  EXPECT_EQ(info.collections[0].usagePage, 0x01);
  EXPECT_EQ(info.collections[0].usage, 0x02);
  EXPECT_EQ(info.collections[0].lengths, (ReportLengths{4, 0, 0}));
  EXPECT_EQ(info.collections[1].usagePage, 0x0C);
  EXPECT_EQ(info.collections[1].usage, 0x01);
  EXPECT_EQ(info.collections[1].lengths, (ReportLengths{3, 0, 0}));
  EXPECT_EQ(info.collections[2].usage, 0);
  EXPECT_EQ(info.collections[2].lengths, (ReportLengths{}));
  // The last one is never closed.
  EXPECT_FALSE(info.wellFormed);
  // Without report IDs both collections send report 0: on one hidraw node
  // that is a single 5-byte report.
  EXPECT_FALSE(info.numberedReports);
  EXPECT_EQ(info.lengths, (ReportLengths{6, 0, 0}));
}

// Every prefix of a real descriptor parses without reading past its end (the
// sanitizer build checks the reads).
TEST(ReportDescriptor, EveryTruncationIsSafe) {
  Bytes bytes = readFile(kDir + "17CC_1130_0000_FF01.bin");
  ASSERT_FALSE(bytes.empty());
  const auto full = parseReportDescriptor(bytes);
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    const Bytes prefix(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
    const auto info = parseReportDescriptor(prefix);
    EXPECT_LE(info.lengths.input, full.lengths.input) << n;
    EXPECT_LE(info.lengths.output, full.lengths.output) << n;
    EXPECT_LE(info.lengths.feature, full.lengths.feature) << n;
  }
}

}  // namespace
}  // namespace kestrovane
