#pragma once

#include "macro/KeyCapture.h"

namespace kestrovane {

// A capture source whose keys arrive as Linux key codes (evdev codes: the X
// server's key codes and Qt's native scan codes on Linux, minus 8). Each key
// becomes what Windows reports for it: the keyboard side's event with the
// generic virtual key, then the watch side's with the scan code, extended
// bit and key name.
class EvdevKeyCapture : public KeyCapture {
 public:
  explicit EvdevKeyCapture(KeyCaptureSink& sink) : m_sink(sink) {}

  void startWatching() override { m_watching = true; }
  void stopWatching() override { m_watching = false; }
  void setEnabled(bool enabled) override { m_enabled = enabled; }
  bool enabled() const override { return m_enabled; }

 protected:
  // One key message. A key Windows would not name reaches the keyboard side
  // as virtual key 0, as an unmapped code does there.
  void key(int evdevCode, bool down);

 private:
  KeyCaptureSink& m_sink;
  KeyPressCounter m_counter;
  bool m_enabled = false;
  bool m_watching = false;
};

}  // namespace kestrovane
