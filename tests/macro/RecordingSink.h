#pragma once

// A capture sink feeding the recording rules with a script of its own, for
// the tests and benchmarks of the capture sources.

#include <string>
#include <utility>
#include <vector>

#include "base/ManualClock.h"
#include "macro/KeyCapture.h"
#include "macro/MacroRecorder.h"

namespace kestrovane::test {

class Recording : public MacroRecordingEditor, public KeyCaptureSink {
 public:
  MacroScript& script() override { return m_script; }
  int rowCount() const override { return m_rows; }
  void addRow() override { ++m_rows; }
  void selectLastRow() override {}
  // The tenth release ends a recording; with restartOnEnd the next starts.
  void endRecording() override {
    ++ends;
    if (restartOnEnd) recorder.startRecording();
  }

  void onKeyboardHookReceive(std::uint16_t key, TKeyboardHookState state, int) override {
    ++events;
    recorder.onReceive(key, state);
  }
  void onWatchKeyNative(std::uint32_t wParam, std::uint32_t lParam, const TKeyInfo& info) override {
    watched.emplace_back(wParam, lParam);
    recorder.onKeyNative(info);
  }
  void onCaptureMessage(const std::string& text) override { messages.push_back(text); }

  ManualClock clock;
  MacroRecorder recorder{*this, clock};
  bool restartOnEnd = false;
  int events = 0;
  int ends = 0;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> watched;
  std::vector<std::string> messages;

 private:
  MacroScript m_script;
  int m_rows = 0;
};

}  // namespace kestrovane::test
