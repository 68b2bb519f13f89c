#pragma once

// The overlapped write of the Windows HID backend, apart so that its tests can
// drive it on handles of their own. Windows only.
#include <windows.h>

#include <chrono>
#include <cstddef>
#include <cstdint>

namespace kestrovane::detail {

// Longest wait for the mouse to take an output report: the limit an input
// report has, so that a stalled mouse cannot freeze the window.
inline constexpr std::chrono::milliseconds kHidWriteTimeout{1000};

// Writes length bytes through handle, opened with FILE_FLAG_OVERLAPPED, and
// waits on event (manual-reset) at most timeout for the driver to take them.
// On time-out cancels the write and waits for the cancel, so that the driver
// no longer reads the caller's buffer. The count of bytes written is not
// checked: the HID class driver takes a report whole or not at all.
bool writeWithin(HANDLE handle, HANDLE event, const std::uint8_t* buffer, std::size_t length,
                 std::chrono::milliseconds timeout);

}  // namespace kestrovane::detail
