#pragma once

#include <cstdio>
#include <span>
#include <string>

namespace kestrovane::ctl {

// The macro command on given streams: args are the arguments after "macro".
// Writes results to out with LF line ends, messages to err; returns 0 done,
// 1 failed, 2 usage error.
int runMacroCommand(std::span<const std::string> args, std::FILE* in, std::FILE* out,
                    std::FILE* err);

}  // namespace kestrovane::ctl
