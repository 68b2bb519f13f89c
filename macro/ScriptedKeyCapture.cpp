#include "macro/ScriptedKeyCapture.h"

#include <string>

namespace kestrovane {

void ScriptedKeyCapture::startWatching() {
  if (m_watchDisabled) return;
  if (!m_libraryPresent) {
    m_sink.onCaptureMessage(std::string(kWatchLibraryNotFound));
    m_watchDisabled = true;
    return;
  }
  m_watching = true;
}

void ScriptedKeyCapture::play(const Keystroke& key, bool down) {
  const std::size_t slot = key.scanCode | (key.extended ? 0x100u : 0u);
  const bool wasDown = m_down.test(slot);
  m_down.set(slot, down);
  const TKeyboardHookState state = m_counter.count(down);
  if (m_enabled) m_sink.onKeyboardHookReceive(key.virtualKey, state, m_counter.value());
  if (m_watching) {
    // An auto-repeat says the key was down before, as Windows does.
    std::uint32_t lParam = keystrokeLParam(key.scanCode, key.extended, down);
    if (down && wasDown) lParam |= 1u << 30;
    m_sink.onWatchKeyNative(key.virtualKey, lParam, decodeKeyInfo(lParam, key.name));
  }
}

}  // namespace kestrovane
