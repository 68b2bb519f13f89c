#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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
// script. One recorder serves the whole program: the last key carries over
// from one recording to the next; the held count starts clean with each.
class MacroRecorder {
 public:
  MacroRecorder(MacroRecordingEditor& editor, Clock& clock) : m_editor(editor), m_clock(clock) {}

  // The recorder's part of a start: forgets the last tick, the releases, a
  // pending modifier and the keys held in the last recording.
  void startRecording();
  // The two parts of an end, around the editor's save: no last tick before
  // it, no pending modifier after it.
  void stopTiming() { m_lastTick = 0; }
  void clearModifierPending() { m_modifierPending = false; }
  // Once the capture has stopped: the release lines of the keys whose press
  // lines have none yet, the last pressed first, so that a recording never
  // leaves a key held on the mouse (a recording stopped with a key down, or
  // ended by a modifier's release whose line never came).
  void releaseHeldKeys();

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
  // Writes a press or release line and keeps the list of open presses.
  void appendKeyLine(char prefix, std::string_view name, std::uint16_t code);

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
  // The keys whose press line has no release line yet, in the order pressed.
  struct OpenPress {
    std::string name;
    std::uint16_t code;
  };
  std::vector<OpenPress> m_openPresses;
};

}  // namespace kestrovane
