#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrovane {

// The press state the keyboard side reports with each key event.
enum TKeyboardHookState : std::uint8_t { kh_On = 0, kh_Off = 1, kh_Repeat = 2 };

// What a keystroke's lParam says, in the keyboard-message layout, with the
// key-name text the operating system gives for it (at most 79 characters).
struct TKeyInfo {
  std::uint16_t repeatCount = 0;  // bits 0..15
  std::uint8_t scanCode = 0;      // bits 16..23
  bool extended = false;          // bit 24
  bool altDown = false;           // bit 29 (context)
  bool previouslyDown = false;    // bit 30
  bool down = false;              // bit 31 clear
  std::string name;
};

inline constexpr std::size_t kKeyNameMaxLength = 79;

// The watch side's messages, each shown in an error box with one OK.
inline constexpr std::string_view kWatchOverriding =
    "Another instance already uses watchdll.dll.\r\nOverriding it.";
inline constexpr std::string_view kWatchCannotOverride =
    "Unable to override.\r\nSystem watching is disabled.";
inline constexpr std::string_view kWatchLibraryNotFound =
    "Library watchdll.dll not found.\r\nSystem watching is disabled.";
inline constexpr std::string_view kWatchLibraryNotValid =
    "Library watchdll.dll is not valid.\r\nSystem watching is disabled.";

// Takes an lParam apart; the name is cut to kKeyNameMaxLength characters.
TKeyInfo decodeKeyInfo(std::uint32_t lParam, std::string_view name);

// Builds the lParam of one keystroke: repeat count 1, the scan code, the
// extended bit, and for a release the previously-down and up bits.
std::uint32_t keystrokeLParam(std::uint8_t scanCode, bool extended, bool down);

// Counts key-down messages since the last key-up, as the keyboard side does
// whether or not it is enabled, and turns the count into a press state:
// kh_Off after any key-up, kh_On for the first down, kh_Repeat after that
// (auto-repeat and a second key held alike).
class KeyPressCounter {
 public:
  // Counts one key message; returns the state to report with it.
  TKeyboardHookState count(bool down);
  int value() const { return m_count; }

 private:
  int m_count = 0;
};

// Receives what a capture source sees. For one keystroke the keyboard-side
// event comes first and the watch-side event after it, so the modifier line
// finds its pending mark; a source must keep that order.
class KeyCaptureSink {
 public:
  virtual ~KeyCaptureSink() = default;

  // The keyboard side: Windows virtual-key code (Shift, Ctrl and Alt
  // generic), the press state and the press counter.
  virtual void onKeyboardHookReceive(std::uint16_t key, TKeyboardHookState state,
                                     int repeatCount) = 0;

  // The watch side: the virtual-key code, the keystroke flags in the
  // keyboard-message layout, and the key-name text derived from them.
  virtual void onWatchKeyNative(std::uint32_t wParam, std::uint32_t lParam,
                                const TKeyInfo& info) = 0;

  // A text for an error box with a single OK (a missing library, a note on
  // what can be recorded); the source shows each such text once per cause.
  virtual void onCaptureMessage(const std::string& text) = 0;
};

// One platform's way of seeing the keyboard while a macro is recorded. The
// keyboard side is registered when the source is made and reports only while
// enabled; the watch side runs between startWatching and stopWatching.
class KeyCapture {
 public:
  virtual ~KeyCapture() = default;

  // Starts the watch side (kind 1, keystrokes). A failure is reported once
  // through the sink; recording then goes on with the keyboard side alone.
  virtual void startWatching() = 0;
  virtual void stopWatching() = 0;

  // While false, the keyboard side reports nothing (it still counts).
  virtual void setEnabled(bool enabled) = 0;
  virtual bool enabled() const = 0;

  // A descriptor that becomes readable when events wait, for the program's
  // event loop to watch; -1 when they come through the window system's own
  // message queue (Windows) or from a script.
  virtual int eventDescriptor() const { return -1; }
  // Hands every waiting event to the sink; returns at once when none waits.
  virtual void dispatch() {}
};

}  // namespace kestrovane
