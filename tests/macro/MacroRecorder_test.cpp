#include "macro/MacroRecorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/ManualClock.h"
#include "macro/ScriptedKeyCapture.h"

namespace kestrovane {
namespace {

using std::chrono::milliseconds;

// Keys as Windows reports them: virtual-key codes from the Windows
// virtual-key code list, scan codes (set 1) and the key-name texts measured
// with GetKeyNameTextA. Shift, Ctrl and Alt reach the keyboard side as the
// generic 0x10, 0x11, 0x12.
constexpr Keystroke kA{0x41, 0x1E, false, "A"};
constexpr Keystroke kB{0x42, 0x30, false, "B"};
constexpr Keystroke kC{0x43, 0x2E, false, "C"};
constexpr Keystroke kShift{0x10, 0x2A, false, "Shift"};
constexpr Keystroke kRightShift{0x10, 0x36, false, "Right Shift"};
constexpr Keystroke kCtrl{0x11, 0x1D, false, "Ctrl"};
constexpr Keystroke kRightCtrl{0x11, 0x1D, true, "Right Ctrl"};
constexpr Keystroke kAlt{0x12, 0x38, false, "Alt"};
constexpr Keystroke kRightAlt{0x12, 0x38, true, "Right Alt"};
constexpr Keystroke kLeftWindows{0x5B, 0x5B, true, "Left Windows"};
constexpr Keystroke kRightWindows{0x5C, 0x5C, true, "Right Windows"};
constexpr Keystroke kNumLock{0x90, 0x45, false, "Num Lock"};
constexpr Keystroke kVolumeUp{0xAF, 0x30, true, "Volume Up"};
constexpr Keystroke kPlayPause{0xB3, 0x22, true, "Play/Pause"};

// The editor as the recorder sees it, with the REC control's end of a
// recording: the recorder's end, the saved script, the capture stopped.
class Rig : public MacroRecordingEditor, public KeyCaptureSink {
 public:
  Rig() { clock.advance(milliseconds(5000)); }

  MacroScript& script() override { return m_script; }
  int rowCount() const override { return rows; }
  void addRow() override { ++rows; }
  void selectLastRow() override { selected = rows - 1; }
  // The program's end: the keyboard let go first, then the keys still held
  // released in the script, then the save, then pending events.
  void endRecording() override {
    recorder.stopTiming();
    recorder.clearModifierPending();
    capture.stopWatching();
    capture.setEnabled(false);
    recorder.releaseHeldKeys();
    saved.push_back(m_script);
    clock.processEvents();
    recording = false;
  }

  void onKeyboardHookReceive(std::uint16_t key, TKeyboardHookState state, int) override {
    recorder.onReceive(key, state);
  }
  void onWatchKeyNative(std::uint32_t, std::uint32_t, const TKeyInfo& info) override {
    recorder.onKeyNative(info);
  }
  void onCaptureMessage(const std::string& text) override { messages.push_back(text); }

  void startRecording() {
    recorder.startRecording();
    m_script.clear();
    rows = 0;
    selected = -1;
    capture.startWatching();
    clock.processEvents();
    capture.setEnabled(true);
    recording = true;
  }

  // Plays key messages, each at its time from the start of the script.
  struct Step {
    int atMs;
    Keystroke key;
    bool down;
  };
  void play(const std::vector<Step>& steps) {
    const milliseconds start = clock.now();
    for (const Step& step : steps) {
      clock.advance(start + milliseconds(step.atMs) - clock.now());
      if (step.down)
        capture.down(step.key);
      else
        capture.up(step.key);
    }
  }

  ManualClock clock;
  MacroRecorder recorder{*this, clock};
  ScriptedKeyCapture capture{*this};
  int rows = 0;
  int selected = -1;
  bool recording = false;
  std::vector<MacroScript> saved;
  std::vector<std::string> messages;

 private:
  MacroScript m_script;
};

struct RecordingCase {
  const char* name;
  std::vector<Rig::Step> steps;
  MacroScript script;
  bool endsByItself;
};

// Whole recordings: the key messages as a keyboard sends them and the script
// the recording rules make of them.
TEST(MacroRecorder, RecordsWholeKeySequences) {
  const std::vector<RecordingCase> cases{
      {"a held key records one press; ignored repeats leave the tick alone",
       {{0, kA, true}, {37, kA, true}, {70, kA, true}, {100, kA, false}},
       {"1", "1 A CODE:0004", "2 A CODE:0004"},
       false},
      {"a second key while the first is held",
       {{0, kA, true}, {120, kB, true}, {170, kB, false}, {260, kA, false}},
       {"1", "1 A CODE:0004", "0 120", "1 B CODE:0005", "2 B CODE:0005", "0 90", "2 A CODE:0004"},
       false},
      {"a delay line only when the time leaves a remainder by 50",
       {{0, kA, true}, {100, kA, false}, {201, kB, true}, {250, kB, false}, {301, kC, true}},
       {"1", "1 A CODE:0004", "2 A CODE:0004", "0 101", "1 B CODE:0005", "0 49", "2 B CODE:0005",
        "0 51", "1 C CODE:0006"},
       false},
      {"left Shift held while typing A",
       {{0, kShift, true},
        {30, kShift, true},
        {101, kA, true},
        {151, kA, false},
        {300, kShift, false}},
       {"1", "1 Shift CODE:3333", "0 101", "1 A CODE:0004", "2 A CODE:0004", "0 149",
        "2 Shift CODE:3333"},
       false},
      {"the modifier lines tell left from right",
       {{0, kRightShift, true},
        {50, kRightShift, false},
        {100, kCtrl, true},
        {150, kCtrl, false},
        {200, kRightCtrl, true},
        {250, kRightCtrl, false},
        {300, kAlt, true},
        {350, kAlt, false},
        {400, kRightAlt, true},
        {450, kRightAlt, false},
        {500, kLeftWindows, true},
        {550, kLeftWindows, false},
        {600, kRightWindows, true}},
       {"1", "1 Right Shift CODE:4444", "2 Right Shift CODE:4444", "1 Ctrl CODE:1111",
        "2 Ctrl CODE:1111", "1 Right Ctrl CODE:2222", "2 Right Ctrl CODE:2222", "1 Alt CODE:5555",
        "2 Alt CODE:5555", "1 Right Alt CODE:6666", "2 Right Alt CODE:6666",
        "1 Left Windows CODE:7777", "2 Left Windows CODE:7777", "1 Right Windows CODE:8888"},
       false},
      {"Num Lock and media keys",
       {{0, kNumLock, true},
        {50, kNumLock, false},
        {100, kVolumeUp, true},
        {150, kVolumeUp, false},
        {200, kPlayPause, true}},
       {"1", "1 Num Lock CODE:0053", "2 Num Lock CODE:0053", "1 Volume_Up CODE:0000",
        "2 Volume_Up CODE:0000", "1 Media_Play_Pause CODE:0000"},
       false},
      // The tenth release ends the recording while its keyboard event is
      // handled: the watch event of a modifier comes too late for its line,
      // and the end releases the Shift that would stay pressed.
      {"the tenth release, a modifier's, ends the recording",
       {{0, kA, true},    {50, kA, false},  {100, kShift, true}, {150, kShift, false},
        {200, kB, true},  {250, kB, false}, {300, kShift, true}, {350, kShift, false},
        {400, kC, true},  {450, kC, false}, {500, kShift, true}, {550, kShift, false},
        {600, kA, true},  {650, kA, false}, {700, kShift, true}, {750, kShift, false},
        {800, kB, true},  {850, kB, false}, {900, kShift, true}, {950, kShift, false},
        {1000, kC, true}, {1050, kC, false}},
       {"1",
        "1 A CODE:0004",
        "2 A CODE:0004",
        "1 Shift CODE:3333",
        "2 Shift CODE:3333",
        "1 B CODE:0005",
        "2 B CODE:0005",
        "1 Shift CODE:3333",
        "2 Shift CODE:3333",
        "1 C CODE:0006",
        "2 C CODE:0006",
        "1 Shift CODE:3333",
        "2 Shift CODE:3333",
        "1 A CODE:0004",
        "2 A CODE:0004",
        "1 Shift CODE:3333",
        "2 Shift CODE:3333",
        "1 B CODE:0005",
        "2 B CODE:0005",
        "1 Shift CODE:3333",
        "2 Shift CODE:3333"},
       true},
  };
  for (const RecordingCase& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    rig.startRecording();
    rig.play(c.steps);
    EXPECT_EQ(rig.script(), c.script);
    EXPECT_EQ(rig.rows, static_cast<int>(c.script.size()) - 1);
    EXPECT_EQ(rig.selected, rig.rows - 1);
    EXPECT_EQ(rig.recording, !c.endsByItself);
    ASSERT_EQ(rig.saved.size(), c.endsByItself ? 1u : 0u);
    if (c.endsByItself) {
      EXPECT_EQ(rig.saved[0], c.script);
      EXPECT_EQ(rig.recorder.releaseCount(), 10);
      EXPECT_FALSE(rig.recorder.modifierPending());
      EXPECT_EQ(rig.clock.processEventsCount(), 3);  // start, REC's end, after it
    }
    EXPECT_TRUE(rig.messages.empty());
  }
}

// Without the watch library the first recording says so once; modifier keys
// then write no lines, and the script still has one header.
TEST(MacroRecorder, WithoutTheWatchLibraryModifiersWriteNothing) {
  Rig rig;
  rig.capture.setWatchLibraryPresent(false);
  rig.startRecording();
  rig.play({{0, kShift, true}, {50, kShift, false}, {100, kA, true}, {151, kA, false}});
  EXPECT_EQ(rig.script(), (MacroScript{"1", "1 A CODE:0004", "0 51", "2 A CODE:0004"}));
  EXPECT_EQ(rig.messages, std::vector<std::string>{std::string(kWatchLibraryNotFound)});
  EXPECT_TRUE(rig.recorder.modifierPending());

  rig.endRecording();
  EXPECT_FALSE(rig.recorder.modifierPending());
  rig.startRecording();
  rig.play({{0, kB, true}, {50, kB, false}});
  EXPECT_EQ(rig.script(), (MacroScript{"1", "1 B CODE:0005", "2 B CODE:0005"}));
  EXPECT_EQ(rig.messages.size(), 1u);
}

// Recordings one after another, with keys held across their ends. A
// recording stopped with keys down ends with their releases, the last
// pressed first; the next starts with no key counted as held, so its first
// press of such a key counts; an ignored event writes nothing, not even the
// header; and a key held from before the recording is released without its
// next press being lost.
TEST(MacroRecorder, EachRecordingStartsCleanAndEndsWithNoKeyHeld) {
  Rig rig;
  rig.startRecording();
  rig.play({{0, kShift, true}, {100, kA, true}});
  rig.endRecording();
  EXPECT_EQ(rig.saved.back(), (MacroScript{"1", "1 Shift CODE:3333", "1 A CODE:0004",
                                           "2 A CODE:0004", "2 Shift CODE:3333"}));
  EXPECT_EQ(rig.rows, 4);
  EXPECT_EQ(rig.selected, 3);
  rig.play({{0, kA, false}, {10, kShift, false}});  // let go between the recordings

  rig.clock.advance(milliseconds(1234));
  rig.startRecording();
  rig.play({{0, kA, true}, {60, kA, false}, {100, kB, true}});
  rig.endRecording();
  EXPECT_EQ(rig.saved.back(), (MacroScript{"1", "1 A CODE:0004", "0 60", "2 A CODE:0004", "0 40",
                                           "1 B CODE:0005", "2 B CODE:0005"}));

  // B is still down: its auto-repeats are ignored and write nothing.
  rig.startRecording();
  rig.play({{0, kB, true}, {33, kB, true}});
  EXPECT_TRUE(rig.script().empty());
  EXPECT_EQ(rig.rows, 0);
  rig.play({{0, kB, false}, {100, kB, true}, {150, kB, false}});
  EXPECT_EQ(rig.script(), (MacroScript{"1", "2 B CODE:0005", "1 B CODE:0005", "2 B CODE:0005"}));
  EXPECT_EQ(rig.recorder.heldCount(), 0);
  rig.endRecording();
  EXPECT_EQ(rig.saved.back(), rig.script());
}

// The lParam of a keystroke, in the keyboard-message layout, both ways.
TEST(KeyInfo, DecodesTheKeyboardMessageLayout) {
  // Measured hook lParams: 0x002A0001 left Shift down, 0xC02A0001 up.
  const TKeyInfo down = decodeKeyInfo(0x002A0001u, "Shift");
  EXPECT_EQ(down.repeatCount, 1);
  EXPECT_EQ(down.scanCode, 0x2A);
  EXPECT_FALSE(down.extended);
  EXPECT_TRUE(down.down);
  EXPECT_FALSE(down.previouslyDown);
  EXPECT_EQ(keystrokeLParam(0x2A, false, true), 0x002A0001u);
  EXPECT_EQ(keystrokeLParam(0x2A, false, false), 0xC02A0001u);

  const TKeyInfo rightAltUp = decodeKeyInfo(0xE1380001u, std::string(100, 'x'));
  EXPECT_EQ(rightAltUp.scanCode, 0x38);
  EXPECT_TRUE(rightAltUp.extended);
  EXPECT_TRUE(rightAltUp.altDown);
  EXPECT_TRUE(rightAltUp.previouslyDown);
  EXPECT_FALSE(rightAltUp.down);
  EXPECT_EQ(rightAltUp.name.size(), kKeyNameMaxLength);
}

}  // namespace
}  // namespace kestrovane
