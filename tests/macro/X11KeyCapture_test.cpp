// Types into the X server with XTEST while another window has the focus, and
// records what the XInput2 source hands over. Runs under Xvfb.
#include <gtest/gtest.h>
#include <poll.h>

// After GoogleTest: Xlib defines None as a macro.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <string>
#include <utility>
#include <vector>

#include "macro/PlatformKeyCapture.h"
#include "tests/macro/RecordingSink.h"

namespace kestrovane {
namespace {

using test::Recording;

// Types the keys with XTEST into a window of another client that has the
// focus; with grab, that client holds the keyboard grab meanwhile, as a game
// or an open menu does.
void typeIntoAnotherWindow(bool grab) {
  Recording recording;
  std::unique_ptr<KeyCapture> capture = makeX11KeyCapture(recording, nullptr);
  ASSERT_NE(capture, nullptr) << "no X display with XInput 2";
  ASSERT_GE(capture->eventDescriptor(), 0);

  Display* typist = XOpenDisplay(nullptr);
  ASSERT_NE(typist, nullptr);
  int event = 0, error = 0, major = 0, minor = 0;
  ASSERT_TRUE(XTestQueryExtension(typist, &event, &error, &major, &minor));
  const Window other =
      XCreateSimpleWindow(typist, DefaultRootWindow(typist), 0, 0, 100, 100, 0, 0, 0);
  XSelectInput(typist, other, StructureNotifyMask);
  XMapRaised(typist, other);
  for (XEvent mapped{}; mapped.type != MapNotify;)
    XWindowEvent(typist, other, StructureNotifyMask, &mapped);
  XSetInputFocus(typist, other, RevertToParent, CurrentTime);
  XSync(typist, False);
  if (grab)
    ASSERT_EQ(XGrabKeyboard(typist, other, False, GrabModeAsync, GrabModeAsync, CurrentTime),
              GrabSuccess);

  recording.recorder.startRecording();
  capture->startWatching();
  capture->setEnabled(true);

  // X key codes are the Linux key codes + 8: left Shift 50, A 38, right
  // Ctrl 105, right Alt 108, left Windows 133, Num Lock 77.
  const std::vector<std::pair<unsigned, bool>> keys{
      {50, true},  {38, true},   {38, false}, {50, false},  {105, true}, {105, false},
      {108, true}, {108, false}, {133, true}, {133, false}, {77, true},  {77, false}};
  for (const auto& [code, down] : keys) ASSERT_TRUE(XTestFakeKeyEvent(typist, code, down, 0));
  XSync(typist, False);

  // Waits for the X server's events, at most 5 s in all.
  for (int tries = 0; recording.events < static_cast<int>(keys.size()) && tries < 50; ++tries) {
    pollfd fd{capture->eventDescriptor(), POLLIN, 0};
    ASSERT_GE(poll(&fd, 1, 100), 0);
    capture->dispatch();
  }
  XTestFakeKeyEvent(typist, 77, True, 0);  // Num Lock back as it was
  XTestFakeKeyEvent(typist, 77, False, 0);
  if (grab) XUngrabKeyboard(typist, CurrentTime);
  XDestroyWindow(typist, other);
  XCloseDisplay(typist);

  EXPECT_EQ(
      recording.script(),
      (MacroScript{"1", "1 Shift CODE:3333", "1 A CODE:0004", "2 A CODE:0004", "2 Shift CODE:3333",
                   "1 Right Ctrl CODE:2222", "2 Right Ctrl CODE:2222", "1 Right Alt CODE:6666",
                   "2 Right Alt CODE:6666", "1 Left Windows CODE:7777", "2 Left Windows CODE:7777",
                   "1 Num Lock CODE:0053", "2 Num Lock CODE:0053"}));
  // The watch side's flags in the keyboard-message layout.
  ASSERT_EQ(recording.watched.size(), keys.size());
  EXPECT_EQ(recording.watched[0], std::make_pair(0x10u, 0x002A0001u));
  EXPECT_EQ(recording.watched[3], std::make_pair(0x10u, 0xC02A0001u));
  EXPECT_EQ(recording.watched[4], std::make_pair(0x11u, 0x011D0001u));
  EXPECT_EQ(recording.ends, 0);
  EXPECT_TRUE(recording.messages.empty());
}

TEST(X11KeyCapture, RecordsKeysTypedIntoAnotherWindow) {
  typeIntoAnotherWindow(false);
}

TEST(X11KeyCapture, RecordsKeysWhileAnotherClientGrabsTheKeyboard) {
  typeIntoAnotherWindow(true);
}

}  // namespace
}  // namespace kestrovane
