// The ZIP unit against the format's description (PKWARE APPNOTE.TXT 4.3.7,
// 4.3.12, 4.3.16) and an archive of another writer; its reader refuses
// everything outside the layout it writes.
#include "base/ZipArchive.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/Error.h"
#include "tests/TempFolder.h"

namespace kestrovane::test {
namespace {

constexpr ZipLimits kLimits{16, 1 << 20, 1 << 22};

std::uint32_t u32At(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t k = 4; k-- > 0;)
    value = (value << 8) | static_cast<unsigned char>(bytes[at + k]);
  return value;
}

void put16At(std::string& bytes, std::size_t at, unsigned value) {
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>(value >> 8);
}

// Written by Python's zipfile (tests/data/zip/python.zip: ZipFile.writestr
// of a deflated, a stored and an empty deflated entry).
TEST(ZipArchive, ReadsTheArchiveOfAnotherWriter) {
  const std::string archive = TempFolder::readFile(KESTROVANE_TEST_DATA "/zip/python.zip");
  std::string gm;
  for (int k = 0; k < 50; ++k) gm += "[GM]\r\nMode=1\r\n";
  const std::vector<ZipEntry> entries = readZip(archive, kLimits);
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].name, "configure/GM.ini");
  EXPECT_EQ(entries[0].bytes, gm);
  EXPECT_EQ(entries[1].name, "Macro/stored.spm");
  EXPECT_EQ(entries[1].bytes, "0123456789ABCDEF\r\n");
  EXPECT_EQ(entries[2].name, "Macro/empty.spm");
  EXPECT_EQ(entries[2].bytes, "");
}

TEST(ZipArchive, WritesWhatAnotherWriterWrites) {
  // An entry that deflate cannot shrink is stored: header and data as Python
  // wrote them (its second entry starts after the first's 30 + 16 + 23 bytes).
  const std::string python = TempFolder::readFile(KESTROVANE_TEST_DATA "/zip/python.zip");
  const std::string archive =
      writeZip({{"Macro/stored.spm", "0123456789ABCDEF\r\n"}}, {2026, 12, 10, 1, 2, 4});
  EXPECT_EQ(archive.substr(0, 30 + 16 + 18), python.substr(69, 30 + 16 + 18));
  // "123456789" is the CRC-32 check string, whose CRC is 0xCBF43926.
  EXPECT_EQ(u32At(writeZip({{"check", "123456789"}}, {}), 14), 0xCBF43926u);
  // A name of UTF-8 is marked (flag bit 11), and a content that shrinks is
  // deflated (method 8).
  const std::string packed = writeZip({{"\xE5\xAE\x8F.spm", std::string(5000, 'x')}}, {});
  EXPECT_EQ(u32At(packed, 6) & 0xFFFFFFu, 0x080800u);
  const std::vector<ZipEntry> entries = readZip(packed, kLimits);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].bytes, std::string(5000, 'x'));
}

// Each change of a good archive that the reader must refuse.
TEST(ZipArchive, RefusesEverythingOutsideItsLayout) {
  const std::vector<ZipEntry> good = {{"a.ini", std::string(3000, 'a')}, {"b.spm", "b"}};
  const std::string archive = writeZip(good, {});
  ASSERT_EQ(readZip(archive, kLimits).size(), 2u);
  const std::size_t second = 30 + 5 + u32At(archive, 18);  // the local header of b.spm
  const std::size_t directory = u32At(archive, archive.size() - 6);
  const std::size_t end = archive.size() - 22;
  const auto changed = [&](const std::function<void(std::string&)>& change) {
    std::string bytes = archive;
    change(bytes);
    return bytes;
  };
  const std::vector<std::pair<const char*, std::string>> bad = {
      {"empty", ""},
      {"cut short", archive.substr(0, archive.size() - 1)},
      {"bytes after the end record", archive + "x"},
      {"encrypted", changed([&](std::string& b) {
         put16At(b, 6, 1);
         put16At(b, directory + 8, 1);
       })},
      {"a data descriptor", changed([&](std::string& b) {
         put16At(b, 6, 8);
         put16At(b, directory + 8, 8);
       })},
      {"bzip2", changed([&](std::string& b) {
         put16At(b, second + 8, 12);
         put16At(b, directory + 46 + 5 + 10, 12);
       })},
      {"headers that disagree", changed([&](std::string& b) { b[second + 30] = 'c'; })},
      {"a changed content", changed([&](std::string& b) { b[second + 35] = 'c'; })},
      {"a damaged deflate stream", changed([&](std::string& b) { b[38] = '\xFF'; })},
      {"ZIP64", changed([&](std::string& b) {
         put16At(b, end + 8, 0xFFFF);
         put16At(b, end + 10, 0xFFFF);
       })},
      {"several parts", changed([&](std::string& b) { put16At(b, end + 4, 1); })},
      {"a directory elsewhere", changed([&](std::string& b) { b[end + 16] = 0; })},
      {"a duplicate name", writeZip({good[1], good[1]}, {})},
      {"bytes before the first file", writeZip({{"a", "1"}}, {}).insert(0, "PK")},
  };
  for (const auto& [what, bytes] : bad) EXPECT_THROW(readZip(bytes, kLimits), Error) << what;

  EXPECT_THROW(readZip(archive, {1, 1 << 20, 1 << 20}), Error) << "too many entries";
  EXPECT_THROW(readZip(archive, {16, 2999, 1 << 20}), Error) << "an entry too large";
  EXPECT_THROW(readZip(archive, {16, 1 << 20, 3000}), Error) << "too large in all";
  // A deflated entry that gives more than it announces (a "bomb").
  std::string bomb = writeZip({{"a", std::string(100000, 'a')}}, {});
  const std::size_t bombDirectory = u32At(bomb, bomb.size() - 6);
  for (std::size_t at : {std::size_t{22}, bombDirectory + 24}) put16At(bomb, at, 1000);
  EXPECT_THROW(readZip(bomb, kLimits), Error) << "a bomb";
}

}  // namespace
}  // namespace kestrovane::test
