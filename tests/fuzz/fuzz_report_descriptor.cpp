// Parses arbitrary bytes as a HID report descriptor; the sanitizers catch any
// read outside them, and the result must stay consistent with itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "device/ReportDescriptor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto info = kestrovane::parseReportDescriptor({data, size});
  // A lone ID byte is never a length; a collection's reports are the
  // descriptor's too.
  if (info.lengths.input == 1 || info.lengths.output == 1 || info.lengths.feature == 1)
    std::abort();
  for (const auto& c : info.collections)
    if (c.lengths.input > info.lengths.input || c.lengths.output > info.lengths.output ||
        c.lengths.feature > info.lengths.feature)
      std::abort();
  return 0;
}
