#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

#include "device/HidTransport.h"

namespace kestrovane {

struct TransportOptions {
  // The operating system's HID interfaces.
  bool platform = true;
  // Adds the virtual mouse whose state lives in this folder.
  std::optional<std::filesystem::path> virtualMouseDir;
};

// The folder of "--virtual-mouse" without "=DIR", in the working directory.
inline constexpr const char* kDefaultVirtualMouseDir = "virtual-mouse";

// Takes one command-line argument "--virtual-mouse" or "--virtual-mouse=DIR"
// into options; false when arg is not that option (or DIR is empty).
bool parseVirtualMouseOption(std::string_view arg, TransportOptions& options);

// The transport of the program and of kestrovanectl: the platform's
// interfaces first, then the virtual mouse's.
std::unique_ptr<HidTransport> createHidTransport(const TransportOptions& options);

}  // namespace kestrovane
