// Reads arbitrary bytes as a ZIP archive; what it accepts must survive being
// written again and read back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "base/Error.h"
#include "base/ZipArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  constexpr kestrovane::ZipLimits kLimits{64, 1 << 20, 1 << 22};
  std::vector<kestrovane::ZipEntry> entries;
  try {
    entries = kestrovane::readZip(input, kLimits);
  } catch (const kestrovane::Error&) {
    return 0;
  }
  const std::vector<kestrovane::ZipEntry> again =
      kestrovane::readZip(kestrovane::writeZip(entries, {}), kLimits);
  if (again.size() != entries.size()) std::abort();
  for (std::size_t k = 0; k < entries.size(); ++k)
    if (again[k].name != entries[k].name || again[k].bytes != entries[k].bytes) std::abort();
  return 0;
}
