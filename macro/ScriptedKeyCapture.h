#pragma once

#include <bitset>
#include <cstdint>
#include <string_view>

#include "macro/KeyCapture.h"

namespace kestrovane {

// One physical key as Windows reports it: the virtual-key code of the
// keyboard side (Shift, Ctrl and Alt generic), the scan code and extended bit
// of the keystroke flags, and the key-name text the system gives for them.
struct Keystroke {
  std::uint16_t virtualKey;
  std::uint8_t scanCode;
  bool extended;
  std::string_view name;
};

// A capture source played by a script: each down or up call is one key
// message, delivered as a real keyboard delivers it (the keyboard side first,
// the watch side after it). Serves tests and demonstrations.
class ScriptedKeyCapture : public KeyCapture {
 public:
  explicit ScriptedKeyCapture(KeyCaptureSink& sink) : m_sink(sink) {}

  void startWatching() override;
  void stopWatching() override { m_watching = false; }
  void setEnabled(bool enabled) override { m_enabled = enabled; }
  bool enabled() const override { return m_enabled; }

  // Without the watch library, the first start of watching reports it
  // missing; later starts say nothing, and no watch events come.
  void setWatchLibraryPresent(bool present) { m_libraryPresent = present; }

  // A key goes down (again, for an auto-repeat) or up.
  void down(const Keystroke& key) { play(key, true); }
  void up(const Keystroke& key) { play(key, false); }

 private:
  void play(const Keystroke& key, bool down);

  KeyCaptureSink& m_sink;
  KeyPressCounter m_counter;
  std::bitset<512> m_down;  // by scan code, extended ones from 256
  bool m_enabled = false;
  bool m_watching = false;
  bool m_libraryPresent = true;
  bool m_watchDisabled = false;
};

}  // namespace kestrovane
