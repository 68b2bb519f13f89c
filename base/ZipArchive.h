#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrovane {

// A ZIP archive of whole files, as the configuration export carries them.
// ZIP because every desktop opens it without extra software (Explorer, the
// file managers, unzip), and zlib, which builds for Linux and for mingw-w64
// alike, gives its deflate and CRC-32. The framing is ours and small: one
// local header per entry, the central directory, the end record; no ZIP64,
// no encryption, no data descriptors, no spanning. The reader accepts only
// that layout, checked in full before anything is returned.

struct ZipEntry {
  std::string name;   // the entry's name, bytes as stored ('/' separates folders)
  std::string bytes;  // the file's whole content
};

// The time stamp the entries carry, local time as ZIP stores it (1980..2107;
// seconds are kept in steps of two).
struct ZipTime {
  int year = 1980;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// What the reader accepts at most.
struct ZipLimits {
  std::size_t maxEntries = 0;     // entries in the archive
  std::size_t maxEntryBytes = 0;  // the content of one entry, uncompressed
  std::size_t maxTotalBytes = 0;  // all contents together, uncompressed
};

// The archive holding the entries in their order, each deflated where that
// makes it smaller and stored as it is otherwise. A name of UTF-8 beyond
// ASCII is marked as such; other names are stored as their bytes. Throws Error when
// an entry cannot be stored in this format (empty or overlong name, more
// than 65535 entries, 4 GiB or more).
std::string writeZip(const std::vector<ZipEntry>& entries, const ZipTime& time);

// The entries of an archive that writeZip's layout describes: every entry
// exactly once in the central directory, each local header agreeing with it,
// the entries back to back from the start, the directory right after them
// and the end record last (a comment after it is allowed); stored or
// deflated contents of the announced sizes and CRC-32; no two entries of one
// name; within the limits. Throws Error with the reason otherwise; never
// allocates more than the limits allow.
std::vector<ZipEntry> readZip(std::string_view archive, const ZipLimits& limits);

}  // namespace kestrovane
