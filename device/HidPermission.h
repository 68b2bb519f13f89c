#pragma once

#include <string>
#include <vector>

#include "device/DeviceLink.h"
#include "device/HidTransport.h"

namespace kestrovane {

// The interfaces that the system lists as the mouse (any identity of the
// table) but that this user may not open, in the transport's order. Only
// the mouse's interfaces are opened to find out; other devices are never
// touched. Always empty where the transport lists no IDs (Windows).
std::vector<std::string> findDeniedMouseInterfaces(HidTransport& transport,
                                                   const DeviceIdTable& ids);

// The file of the udev rule that lets the logged-in user open the mouse.
inline constexpr const char* kUdevRuleFile = "70-kestrovane.rules";

// How this install gets the rule, from the folder of the executables: an
// installed copy (PREFIX/lib/kestrovane) has it in PREFIX/lib/udev/rules.d,
// a program folder has it beside the executables; else the source tree's
// resources/linux holds it.
std::string udevRuleFix(const std::string& programDir);

// The one message for the user: which nodes are the mouse and how to let
// this user open them.
std::string deniedMouseMessage(const std::vector<std::string>& paths, const std::string& fix);

}  // namespace kestrovane
