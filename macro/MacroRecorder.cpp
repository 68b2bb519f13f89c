#include "macro/MacroRecorder.h"

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
}

void MacroRecorder::appendRow(std::string line, bool select) {
  m_editor.script().push_back(std::move(line));
  m_editor.addRow();
  if (select) m_editor.selectLastRow();
}

void MacroRecorder::onReceive(std::uint16_t key, TKeyboardHookState state) {
  if (m_editor.rowCount() == 0) m_editor.script().emplace_back(kHeaderLine);

  char prefix = kLinePress;
  switch (state) {
    case kh_On:
      if (key == m_lastKey && m_heldCount != 0) return;
      m_lastKey = key;
      ++m_heldCount;
      break;
    case kh_Off:
      prefix = kLineRelease;
      --m_heldCount;
      ++m_releaseCount;
      break;
    case kh_Repeat:
      if (key == m_lastKey) return;
      ++m_heldCount;
      m_lastKey = key;
      break;
  }

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
    const std::uint8_t code = KeyDeviceCode(hookKey);
    appendRow(prefix == kLinePress ? pressLine(name, code) : releaseLine(name, code), true);
  }

  if (m_releaseCount == kReleasesPerRecording) {
    m_editor.endRecording();
    m_clock.processEvents();
  }
}

void MacroRecorder::onKeyNative(const TKeyInfo& info) {
  if (!m_modifierPending) return;
  if (const ModifierKey* modifier = findModifierByName(info.name)) {
    appendRow(m_modifierPrefix == kLinePress ? pressLine(modifier->name, modifier->code)
                                             : releaseLine(modifier->name, modifier->code),
              true);
  }
  m_modifierPending = false;
}

}  // namespace kestrovane
