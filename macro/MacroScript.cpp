#include "macro/MacroScript.h"

#include <limits>

namespace kestrovane {
namespace {

constexpr std::string_view kCodeMark = " CODE:";
constexpr std::size_t kCodeDigits = 4;
constexpr std::size_t kKindPrefix = 2;  // the kind and a blank

std::string eventLine(char kind, std::string_view name, std::uint16_t code) {
  std::string line;
  line.reserve(kKindPrefix + name.size() + kCodeMark.size() + kCodeDigits);
  line += kind;
  line += ' ';
  line += name;
  line += kCodeMark;
  line += keyCodeText(code);
  return line;
}

}  // namespace

std::string keyCodeText(std::uint16_t code) {
  constexpr std::string_view kDigits = "0123456789ABCDEF";
  std::string text(kCodeDigits, '0');
  for (std::size_t i = 0; i < kCodeDigits; ++i)
    text[kCodeDigits - 1 - i] = kDigits[(static_cast<unsigned>(code) >> (4 * i)) & 0xFu];
  return text;
}

std::string pressLine(std::string_view name, std::uint16_t code) {
  return eventLine(kLinePress, name, code);
}

std::string releaseLine(std::string_view name, std::uint16_t code) {
  return eventLine(kLineRelease, name, code);
}

std::string pressLine(TKeyboardHookKey key) {
  return pressLine(KeyDisplayName(key), KeyDeviceCode(key));
}

std::string releaseLine(TKeyboardHookKey key) {
  return releaseLine(KeyDisplayName(key), KeyDeviceCode(key));
}

std::string delayLine(std::uint32_t milliseconds) {
  return std::string{kLineDelay, ' '} + std::to_string(milliseconds);
}

char lineKind(std::string_view line) {
  return line.empty() ? '\0' : line.front();
}

std::string_view lineCode(std::string_view line) {
  return line.size() <= kCodeDigits ? line : line.substr(line.size() - kCodeDigits);
}

std::string_view lineShownName(std::string_view line) {
  constexpr std::size_t kTail = kCodeMark.size() + kCodeDigits;
  if (line.size() <= kKindPrefix + kTail) return {};
  return line.substr(kKindPrefix, line.size() - kKindPrefix - kTail);
}

std::string_view lineDelayText(std::string_view line) {
  return line.size() <= kKindPrefix ? std::string_view{} : line.substr(kKindPrefix);
}

std::optional<std::int32_t> parseDelay(std::string_view text) {
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  }
  return static_cast<std::int32_t>(value);
}

}  // namespace kestrovane
