#include "macro/EvdevKeyCapture.h"

#include "macro/EvdevKeyTable.h"

namespace kestrovane {

void EvdevKeyCapture::key(int evdevCode, bool down) {
  const EvdevKey* row = evdevCode > 0 && evdevCode <= 0xFFFF
                            ? findEvdevKey(static_cast<std::uint16_t>(evdevCode))
                            : nullptr;
  const EvdevKey unknown{0, 0, 0, false, ""};
  const EvdevKey& k = row ? *row : unknown;
  const TKeyboardHookState state = m_counter.count(down);
  if (m_enabled) m_sink.onKeyboardHookReceive(k.virtualKey, state, m_counter.value());
  if (m_watching) {
    const std::uint32_t lParam = keystrokeLParam(k.scanCode, k.extended, down);
    m_sink.onWatchKeyNative(k.virtualKey, lParam, decodeKeyInfo(lParam, k.name));
  }
}

}  // namespace kestrovane
