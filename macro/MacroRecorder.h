#pragma once

#include <cstdint>

#include "base/Clock.h"
#include "macro/KeyCapture.h"
#include "macro/MacroScript.h"

namespace kestrovane {

// What the recorder needs from the macro editor: its script, its rows (one per
// event line, the header has none) and the end of a recording as the REC
// control runs it.
class MacroRecordingEditor {
 public:
  virtual ~MacroRecordingEditor() = default;

  virtual MacroScript& script() = 0;
  virtual int rowCount() const = 0;
  // Adds the row of the script's last line.
  virtual void addRow() = 0;
  virtual void selectLastRow() = 0;
  // Ends the recording exactly as a click on REC does while recording.
  virtual void endRecording() = 0;
};

// The recording rules: turns the keyboard side's key events and the watch
// side's keystrokes into press, release and delay lines of the editor's
// script. One recorder serves the whole program: last key and held count
// carry over from one recording to the next.
class MacroRecorder {
 public:
  MacroRecorder(MacroRecordingEditor& editor, Clock& clock) : m_editor(editor), m_clock(clock) {}

  // The recorder's part of a start: forgets the last tick, the releases and
  // a pending modifier.
  void startRecording();
  // The two parts of an end, around the editor's save: no last tick before
  // it, no pending modifier after it.
  void stopTiming() { m_lastTick = 0; }
  void clearModifierPending() { m_modifierPending = false; }

  // A key event of the keyboard side (Raw Input's virtual-key code).
  void onReceive(std::uint16_t key, TKeyboardHookState state);

  // A keystroke of the watch side: writes the line of a pending modifier
  // when the key name is one of the eight modifier names.
  void onKeyNative(const TKeyInfo& info);

  int lastKey() const { return m_lastKey; }
  int heldCount() const { return m_heldCount; }
  int releaseCount() const { return m_releaseCount; }
  bool modifierPending() const { return m_modifierPending; }

 private:
  void appendRow(std::string line, bool select);

  MacroRecordingEditor& m_editor;
  Clock& m_clock;
  int m_lastKey = -1;
  int m_heldCount = 0;
  int m_releaseCount = 0;
  // The system tick of the last accepted event; 0 stands for none, as a
  // tick count that reads 0 does.
  std::uint32_t m_lastTick = 0;
  bool m_modifierPending = false;
  char m_modifierPrefix = '\0';
};

}  // namespace kestrovane
