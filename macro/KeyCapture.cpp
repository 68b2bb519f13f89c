#include "macro/KeyCapture.h"

namespace kestrovane {

TKeyInfo decodeKeyInfo(std::uint32_t lParam, std::string_view name) {
  TKeyInfo info;
  info.repeatCount = static_cast<std::uint16_t>(lParam & 0xFFFFu);
  info.scanCode = static_cast<std::uint8_t>((lParam >> 16) & 0xFFu);
  info.extended = (lParam & (1u << 24)) != 0;
  info.altDown = (lParam & (1u << 29)) != 0;
  info.previouslyDown = (lParam & (1u << 30)) != 0;
  info.down = (lParam & (1u << 31)) == 0;
  info.name = std::string(name.substr(0, kKeyNameMaxLength));
  return info;
}

std::uint32_t keystrokeLParam(std::uint8_t scanCode, bool extended, bool down) {
  std::uint32_t lParam = 1u | (static_cast<std::uint32_t>(scanCode) << 16);
  if (extended) lParam |= 1u << 24;
  if (!down) lParam |= (1u << 30) | (1u << 31);
  return lParam;
}

TKeyboardHookState KeyPressCounter::count(bool down) {
  if (down)
    ++m_count;
  else
    m_count = 0;
  if (m_count == 0) return kh_Off;
  return m_count == 1 ? kh_On : kh_Repeat;
}

}  // namespace kestrovane
