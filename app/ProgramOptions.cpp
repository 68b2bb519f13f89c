#include "app/ProgramOptions.h"

#include <string_view>

namespace kestrovane {

ProgramOptions parseProgramOptions(std::span<const std::string> args) {
  constexpr std::string_view kOption = "--virtual-mouse";
  ProgramOptions options;
  for (const std::string& arg : args) {
    const std::string_view view(arg);
    if (view == kOption) {
      options.virtualMouse = true;
      options.virtualMouseDir = kDefaultVirtualMouseDir;
    } else if (view.starts_with(kOption) && view.size() > kOption.size() &&
               view[kOption.size()] == '=') {
      const std::string_view dir = view.substr(kOption.size() + 1);
      options.virtualMouse = true;
      options.virtualMouseDir = dir.empty() ? kDefaultVirtualMouseDir : std::string(dir);
    }
  }
  return options;
}

}  // namespace kestrovane
