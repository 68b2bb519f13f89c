#include <cstdlib>

#include "config/Language.h"

namespace kestrovane {

// There is no thread locale here: the session's locale variables stand for it.
std::uint32_t threadLocale() {
  return localeFromEnvironment(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                               std::getenv("LANG"));
}

}  // namespace kestrovane
