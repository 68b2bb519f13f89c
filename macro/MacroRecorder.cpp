#include "macro/MacroRecorder.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "macro/KeyboardHookKey.h"

namespace kestrovane {
namespace {

// Delays shorter than this granularity's multiples are written; the design
// tests the remainder, not the size: 50 and 100 ms write no line, 49 and
// 101 ms do.
constexpr std::uint32_t kDelayGranularityMs = 50;

// The key release that ends a recording by itself; modifier releases count.
constexpr int kReleasesPerRecording = 10;

// The keys whose lines come from the watch side, which tells left from
// right: the generic Shift, Ctrl and Alt and the two Windows keys.
constexpr std::array<std::string_view, 5> kWatchedModifierNames{"Ctrl", "Alt", "Shift",
                                                                "Left Windows", "Right Windows"};

bool isWatchedModifier(std::string_view name) {
  for (std::string_view modifier : kWatchedModifierNames)
    if (modifier == name) return true;
  return false;
}

}  // namespace

void MacroRecorder::startRecording() {
  m_lastTick = 0;
  m_releaseCount = 0;
  m_modifierPending = false;
  // A press the last recording left open has its release line there; a held
  // count carried over would make this recording ignore that key's press.
  m_heldCount = 0;
  m_openPresses.clear();
}

void MacroRecorder::appendRow(std::string line, bool select) {
  m_editor.script().push_back(std::move(line));
  m_editor.addRow();
  if (select) m_editor.selectLastRow();
}

void MacroRecorder::appendKeyLine(char prefix, std::string_view name, std::uint16_t code) {
  const auto open =
      std::find_if(m_openPresses.begin(), m_openPresses.end(),
                   [&](const OpenPress& p) { return p.name == name && p.code == code; });
  if (prefix == kLinePress) {
    if (open == m_openPresses.end()) m_openPresses.push_back({std::string(name), code});
    appendRow(pressLine(name, code), true);
  } else {
    if (open != m_openPresses.end()) m_openPresses.erase(open);
    appendRow(releaseLine(name, code), true);
  }
}

void MacroRecorder::releaseHeldKeys() {
  while (!m_openPresses.empty()) {
    const OpenPress last = m_openPresses.back();
    m_openPresses.pop_back();
    appendRow(releaseLine(last.name, last.code), true);
  }
  m_heldCount = 0;
}

void MacroRecorder::onReceive(std::uint16_t key, TKeyboardHookState state) {
  char prefix = kLinePress;
  switch (state) {
    case kh_On:
      if (key == m_lastKey && m_heldCount != 0) return;
      m_lastKey = key;
      ++m_heldCount;
      break;
    case kh_Off:
      prefix = kLineRelease;
      // A key held since before the recording started is released without a
      // press counted; the count stays at 0 so that its next press counts.
      if (m_heldCount > 0) --m_heldCount;
      ++m_releaseCount;
      break;
    case kh_Repeat:
      if (key == m_lastKey) return;
      ++m_heldCount;
      m_lastKey = key;
      break;
  }
  // The header comes with the first event that is not ignored, once: a
  // modifier's event adds no row, so the row count cannot tell.
  if (m_editor.script().empty()) m_editor.script().emplace_back(kHeaderLine);

  // The system tick is a 32-bit millisecond count; differences wrap with it.
  const auto now = static_cast<std::uint32_t>(m_clock.now().count());
  if (m_lastTick != 0) {
    const std::uint32_t elapsed = now - m_lastTick;
    if (elapsed % kDelayGranularityMs > 0) appendRow(delayLine(elapsed), false);
  }
  m_lastTick = now;

  const TKeyboardHookKey hookKey = KeyFromVirtualKey(key);
  const std::string_view name = KeyDisplayName(hookKey);
  if (isWatchedModifier(name)) {
    m_modifierPending = true;
    m_modifierPrefix = prefix;
  } else {
    appendKeyLine(prefix, name, KeyDeviceCode(hookKey));
  }

  if (m_releaseCount == kReleasesPerRecording) {
    m_editor.endRecording();
    m_clock.processEvents();
  }
}

void MacroRecorder::onKeyNative(const TKeyInfo& info) {
  if (!m_modifierPending) return;
  if (const ModifierKey* modifier = findModifierByName(info.name))
    appendKeyLine(m_modifierPrefix, modifier->name, modifier->code);
  m_modifierPending = false;
}

}  // namespace kestrovane
