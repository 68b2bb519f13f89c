#pragma once

#include <functional>
#include <memory>
#include <string>

namespace kestrovane {

// One running copy of the program at a time. A copy is known by its main
// window's caption. On Windows a later copy finds the first one's window by
// that caption (FindWindowA); elsewhere the first copy answers on a local
// socket named after the caption and the user.
class SingleInstance {
 public:
  explicit SingleInstance(std::string mainWindowCaption);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // Program entry: if a copy runs, asks it to restore its main window and
  // bring it to the foreground, and returns true; the caller then ends
  // without creating a window.
  bool activateRunningCopy();

  // Once the main window exists: later copies reach this one, and
  // restoreAndRaise runs on the user-interface thread when one asks. False
  // when the place where later copies look cannot be claimed.
  bool listen(std::function<void()> restoreAndRaise);

  // Where later copies look: the caption on Windows, the socket elsewhere.
  std::string endpoint() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

}  // namespace kestrovane
