#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "macro/KeyboardHookKey.h"

namespace kestrovane {

// One macro as text lines of single-byte (code page 936) text: line 0 is the
// header "1", every further line one event, in the order the events happen.
using MacroScript = std::vector<std::string>;

// The first character of an event line; it doubles as the editor's row icon.
inline constexpr char kLineDelay = '0';
inline constexpr char kLinePress = '1';
inline constexpr char kLineRelease = '2';

inline constexpr std::string_view kHeaderLine = "1";

// The mouse buttons the editor inserts. Their names end in a blank, so their
// lines have two blanks before CODE; the codes are those of F22, F24 and F23.
struct MouseButtonLine {
  std::string_view name;
  std::uint16_t code;
};
inline constexpr MouseButtonLine kLeftKeyLine{"Left Key ", 0x0071};
inline constexpr MouseButtonLine kRightKeyLine{"Right Key ", 0x0073};
inline constexpr MouseButtonLine kMidKeyLine{"Mid Key ", 0x0072};

// Four upper-case hexadecimal digits, zero-padded: 4 -> "0004".
std::string keyCodeText(std::uint16_t code);

// "1 " + name + " CODE:" + four digits, and the same with "2 ".
std::string pressLine(std::string_view name, std::uint16_t code);
std::string releaseLine(std::string_view name, std::uint16_t code);

// The lines of an ordinary key, from its display name and device code.
std::string pressLine(TKeyboardHookKey key);
std::string releaseLine(TKeyboardHookKey key);

// "0 " + the decimal milliseconds.
std::string delayLine(std::uint32_t milliseconds);

// Readers take a line apart by fixed positions only.

// The first character; '\0' for an empty line.
char lineKind(std::string_view line);

// The last four characters (the whole line when it is shorter).
std::string_view lineCode(std::string_view line);

// The text after the first two characters and before the last ten (" CODE:"
// and the four digits); empty when the line has twelve characters or fewer.
std::string_view lineShownName(std::string_view line);

// The text after the first two characters.
std::string_view lineDelayText(std::string_view line);

// A delay text as milliseconds: decimal digits only, at most 2^31 - 1. A sign,
// a blank or any other character gives nothing.
std::optional<std::int32_t> parseDelay(std::string_view text);

}  // namespace kestrovane
