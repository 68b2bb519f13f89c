#pragma once

#include <string_view>

namespace kestrovane {

// Built-in texts of the messages that a subsystem raises itself, where it
// cannot reach the caption table; the caption table gives them their
// language keys and is where the windows read them.
inline constexpr std::string_view kMacroNameRefusedText =
    "A macro name cannot contain \\ / : * ? \" < > | or control characters, cannot "
    "end in a dot or a space and cannot be a device name.";

}  // namespace kestrovane
