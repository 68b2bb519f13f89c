#include "base/ZipArchive.h"

#include <zlib.h>

#include <algorithm>
#include <limits>
#include <set>

#include "base/Error.h"

namespace kestrovane {
namespace {

constexpr std::uint32_t kLocalHeaderSignature = 0x04034b50;
constexpr std::uint32_t kCentralHeaderSignature = 0x02014b50;
constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::size_t kLocalHeaderBytes = 30;
constexpr std::size_t kCentralHeaderBytes = 46;
constexpr std::size_t kEndBytes = 22;
constexpr std::uint16_t kVersion = 20;  // 2.0: deflate, folders
constexpr std::uint16_t kStored = 0;
constexpr std::uint16_t kDeflated = 8;
constexpr std::uint16_t kUtf8Name = 1u << 11;
// Bits 1 and 2 only say how hard the deflater tried; any other bit asks for
// something this reader does not do (encryption, data descriptors, patches).
constexpr std::uint16_t kAcceptedFlags = kUtf8Name | 0x0006;
constexpr std::size_t kMaxField = 0xFFFF;
constexpr std::size_t kMaxSize = 0xFFFFFFFE;  // 0xFFFFFFFF announces ZIP64

[[noreturn]] void refuse(const std::string& reason) {
  throw Error(reason);
}

void put16(std::string& out, std::size_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void put32(std::string& out, std::size_t value) {
  put16(out, value & 0xFFFF);
  put16(out, (value >> 16) & 0xFFFF);
}

std::uint32_t crcOf(std::string_view bytes) {
  uLong crc = crc32(0L, Z_NULL, 0);
  // zlib takes at most a uInt per call.
  while (!bytes.empty()) {
    const std::size_t chunk = std::min<std::size_t>(bytes.size(), 1u << 30);
    crc = crc32(crc, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(chunk));
    bytes.remove_prefix(chunk);
  }
  return static_cast<std::uint32_t>(crc);
}

// Raw deflate (no zlib header, as ZIP wants), at the best compression.
std::string deflateRaw(std::string_view bytes) {
  z_stream stream{};
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) !=
      Z_OK)
    refuse("Cannot start the compression.");
  std::string out(deflateBound(&stream, static_cast<uLong>(bytes.size())), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  stream.avail_in = static_cast<uInt>(bytes.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  const int result = deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  if (result != Z_STREAM_END) refuse("Cannot compress the archive's content.");
  return out;
}

// Inflates exactly size bytes that use all of data, or refuses.
std::string inflateRaw(std::string_view data, std::size_t size, const std::string& name) {
  z_stream stream{};
  if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) refuse("Cannot start the decompression.");
  // One spare byte shows a stream that would give more than it announced.
  std::string out(size + 1, '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  const int result = inflate(&stream, Z_FINISH);
  const bool whole = result == Z_STREAM_END && stream.avail_in == 0 && stream.total_out == size;
  inflateEnd(&stream);
  if (!whole) refuse("The content of " + name + " is damaged.");
  out.resize(size);
  return out;
}

bool isUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t more = 0;
    std::uint32_t code = 0;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      more = 1;
      code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      more = 2;
      code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      more = 3;
      code = lead & 0x07u;
    } else {
      return false;
    }
    if (more > text.size() - i - 1) return false;
    for (std::size_t k = 1; k <= more; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3Fu);
    }
    // Overlong forms, surrogates and code points past U+10FFFF.
    if ((more == 2 && code < 0x800) || (more == 3 && (code < 0x10000 || code > 0x10FFFF)) ||
        (code >= 0xD800 && code <= 0xDFFF))
      return false;
    i += more + 1;
  }
  return true;
}

// ASCII needs no mark; other names are marked only where they are UTF-8.
bool marksUtf8(std::string_view name) {
  return std::any_of(name.begin(), name.end(), [](char c) { return (c & 0x80) != 0; }) &&
         isUtf8(name);
}

std::size_t dosTime(const ZipTime& time) {
  return static_cast<std::size_t>((time.hour << 11) | (time.minute << 5) | (time.second / 2));
}

// Years outside what ZIP can say are held at its ends.
std::size_t dosDate(const ZipTime& time) {
  const int year = std::clamp(time.year, 1980, 2107);
  return static_cast<std::size_t>(((year - 1980) << 9) | (time.month << 5) | time.day);
}

// A little-endian reader over the archive that refuses to step outside it.
class Cursor {
 public:
  Cursor(std::string_view bytes, std::size_t at) : m_bytes(bytes), m_at(at) {}
  std::size_t at() const { return m_at; }
  bool has(std::size_t count) const {
    return m_at <= m_bytes.size() && count <= m_bytes.size() - m_at;
  }
  std::uint16_t u16() {
    need(2);
    const auto value = static_cast<std::uint16_t>(byte(0) | (byte(1) << 8));
    m_at += 2;
    return value;
  }
  std::uint32_t u32() {
    need(4);
    const std::uint32_t value =
        byte(0) | (byte(1) << 8) | (byte(2) << 16) | (static_cast<std::uint32_t>(byte(3)) << 24);
    m_at += 4;
    return value;
  }
  std::string_view take(std::size_t count) {
    need(count);
    const std::string_view part = m_bytes.substr(m_at, count);
    m_at += count;
    return part;
  }

 private:
  std::uint32_t byte(std::size_t k) const { return static_cast<unsigned char>(m_bytes[m_at + k]); }
  void need(std::size_t count) const {
    if (!has(count)) refuse("The archive is cut short.");
  }

  std::string_view m_bytes;
  std::size_t m_at;
};

// The fields that the local header repeats from the central directory.
struct EntryFields {
  std::uint16_t flags = 0;
  std::uint16_t method = 0;
  std::uint32_t crc = 0;
  std::uint32_t packedSize = 0;
  std::uint32_t size = 0;
  std::string_view name;
};

bool operator==(const EntryFields& a, const EntryFields& b) {
  return a.flags == b.flags && a.method == b.method && a.crc == b.crc &&
         a.packedSize == b.packedSize && a.size == b.size && a.name == b.name;
}

// Finds the end record: the last signature from which the record and its
// comment reach exactly to the end of the archive.
std::size_t findEnd(std::string_view archive) {
  if (archive.size() < kEndBytes) refuse("The file is too short for a ZIP archive.");
  const std::size_t lowest = archive.size() - std::min(archive.size(), kEndBytes + kMaxField);
  for (std::size_t at = archive.size() - kEndBytes + 1; at-- > lowest;) {
    Cursor cursor(archive, at);
    if (cursor.u32() != kEndSignature) continue;
    cursor.take(16);
    if (at + kEndBytes + cursor.u16() == archive.size()) return at;
  }
  refuse("The file has no ZIP end record.");
}

}  // namespace

std::string writeZip(const std::vector<ZipEntry>& entries, const ZipTime& time) {
  if (entries.size() > kMaxField) refuse("Too many files for one archive.");
  std::string archive;
  std::string directory;
  for (const ZipEntry& entry : entries) {
    if (entry.name.empty() || entry.name.size() > kMaxField)
      refuse("A file name cannot be stored in the archive.");
    if (entry.bytes.size() > kMaxSize) refuse(entry.name + " is too large for the archive.");
    const std::string packed = deflateRaw(entry.bytes);
    const bool deflated = packed.size() < entry.bytes.size();
    const std::string_view data = deflated ? std::string_view(packed) : entry.bytes;
    const std::size_t offset = archive.size();
    if (offset + kLocalHeaderBytes + entry.name.size() + data.size() > kMaxSize)
      refuse("The archive would be too large.");

    std::string fields;  // from "version needed" to "name length", shared by both headers
    put16(fields, kVersion);
    put16(fields, marksUtf8(entry.name) ? kUtf8Name : 0);
    put16(fields, deflated ? kDeflated : kStored);
    put16(fields, dosTime(time));
    put16(fields, dosDate(time));
    put32(fields, crcOf(entry.bytes));
    put32(fields, data.size());
    put32(fields, entry.bytes.size());
    put16(fields, entry.name.size());

    put32(archive, kLocalHeaderSignature);
    archive += fields;
    put16(archive, 0);  // extra field
    archive += entry.name;
    archive += data;

    put32(directory, kCentralHeaderSignature);
    put16(directory, kVersion);  // made by: MS-DOS attributes, version 2.0
    directory += fields;
    put16(directory, 0);  // extra field
    put16(directory, 0);  // comment
    put16(directory, 0);  // disk
    put16(directory, 0);  // internal attributes
    put32(directory, 0);  // external attributes: a plain file
    put32(directory, offset);
    directory += entry.name;
  }
  const std::size_t directoryOffset = archive.size();
  if (directoryOffset + directory.size() > kMaxSize) refuse("The archive would be too large.");
  archive += directory;
  put32(archive, kEndSignature);
  put16(archive, 0);  // this disk
  put16(archive, 0);  // the directory's disk
  put16(archive, entries.size());
  put16(archive, entries.size());
  put32(archive, directory.size());
  put32(archive, directoryOffset);
  put16(archive, 0);  // comment
  return archive;
}

std::vector<ZipEntry> readZip(std::string_view archive, const ZipLimits& limits) {
  const std::size_t end = findEnd(archive);
  Cursor record(archive, end + 4);
  const std::uint16_t disk = record.u16();
  const std::uint16_t directoryDisk = record.u16();
  const std::uint16_t entriesHere = record.u16();
  const std::uint16_t entryCount = record.u16();
  const std::uint32_t directorySize = record.u32();
  const std::uint32_t directoryOffset = record.u32();
  if (disk != 0 || directoryDisk != 0 || entriesHere != entryCount)
    refuse("The archive spans several parts.");
  if (entryCount == kMaxField || directorySize == 0xFFFFFFFF || directoryOffset == 0xFFFFFFFF)
    refuse("The archive uses ZIP64, which this program does not read.");
  if (entryCount > limits.maxEntries) refuse("The archive holds too many files.");
  if (static_cast<std::size_t>(directoryOffset) + directorySize != end)
    refuse("The archive's directory is not where its end record says.");

  std::vector<ZipEntry> entries;
  entries.reserve(entryCount);
  std::set<std::string_view> names;
  std::size_t total = 0;
  std::size_t nextLocal = 0;  // entries lie back to back from the start
  Cursor central(archive, directoryOffset);
  for (std::size_t k = 0; k < entryCount; ++k) {
    if (central.u32() != kCentralHeaderSignature) refuse("The archive's directory is damaged.");
    central.u16();  // made by
    EntryFields listed;
    central.u16();  // version needed: the method and flags below tell what matters
    listed.flags = central.u16();
    listed.method = central.u16();
    central.u32();  // time and date
    listed.crc = central.u32();
    listed.packedSize = central.u32();
    listed.size = central.u32();
    const std::uint16_t nameLength = central.u16();
    const std::uint16_t extraLength = central.u16();
    const std::uint16_t commentLength = central.u16();
    central.take(8);  // disk, internal and external attributes
    const std::uint32_t localOffset = central.u32();
    listed.name = central.take(nameLength);
    central.take(std::size_t{extraLength} + commentLength);
    if (central.at() > end) refuse("The archive's directory is damaged.");

    const std::string name(listed.name);
    if (name.empty()) refuse("The archive holds a file without a name.");
    if ((listed.flags & ~kAcceptedFlags) != 0)
      refuse(name + " is encrypted or stored in a way this program does not read.");
    if (listed.method != kStored && listed.method != kDeflated)
      refuse(name + " is compressed with a method this program does not read.");
    if (listed.method == kStored && listed.packedSize != listed.size)
      refuse("The sizes of " + name + " disagree.");
    if (listed.size > limits.maxEntryBytes) refuse(name + " is too large.");
    if (listed.size > limits.maxTotalBytes - total) refuse("The archive's content is too large.");
    total += listed.size;
    if (!names.insert(listed.name).second) refuse("The archive holds " + name + " twice.");

    if (localOffset != nextLocal) refuse("The archive's files are not where its directory says.");
    Cursor local(archive, localOffset);
    if (local.u32() != kLocalHeaderSignature) refuse("The header of " + name + " is damaged.");
    EntryFields stored;
    local.u16();  // version needed
    stored.flags = local.u16();
    stored.method = local.u16();
    local.u32();  // time and date
    stored.crc = local.u32();
    stored.packedSize = local.u32();
    stored.size = local.u32();
    const std::uint16_t localNameLength = local.u16();
    const std::uint16_t localExtraLength = local.u16();
    stored.name = local.take(localNameLength);
    local.take(localExtraLength);
    if (!(stored == listed)) refuse("The header of " + name + " disagrees with the directory.");
    const std::string_view data = local.take(listed.packedSize);
    nextLocal = local.at();
    if (nextLocal > directoryOffset) refuse("The archive's files overlap its directory.");

    std::string bytes =
        listed.method == kStored ? std::string(data) : inflateRaw(data, listed.size, name);
    if (crcOf(bytes) != listed.crc) refuse("The content of " + name + " is damaged.");
    entries.push_back({name, std::move(bytes)});
  }
  if (central.at() != end) refuse("The archive's directory is damaged.");
  if (nextLocal != directoryOffset) refuse("The archive holds data outside its files.");
  return entries;
}

}  // namespace kestrovane
