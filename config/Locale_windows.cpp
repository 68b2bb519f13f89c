#include <windows.h>

#include "config/Language.h"

namespace kestrovane {

std::uint32_t threadLocale() {
  return static_cast<std::uint32_t>(GetThreadLocale());
}

}  // namespace kestrovane
