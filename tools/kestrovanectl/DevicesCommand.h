#pragma once

#include <ostream>
#include <string>

#include "device/HidTransport.h"

namespace kestrovane::ctl {

// Lists every interface of transport (path, IDs, report lengths), marks the
// ones that match the mouse identities with the roles the mouse link would
// give them, and ends with "mouse: found (entry N, VVVV:PPPP)" or
// "mouse: not found". Returns 0, or 1 with a message on err when there is
// no interface at all, or when an interface the system lists as the mouse
// may not be opened by this user (the message names it and udevFix).
int listDevices(HidTransport& transport, std::ostream& out, std::ostream& err,
                const std::string& udevFix);

}  // namespace kestrovane::ctl
