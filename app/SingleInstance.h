#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "base/Clock.h"

namespace kestrovane {

// One running copy of the program at a time. A copy is known by its main
// window's caption. The first copy claims a per-user claim named after the
// caption at program entry and holds it for its whole life (Windows: a named
// mutex in the session; elsewhere: an exclusive lock on a file in the user's
// runtime folder); a copy that cannot claim it is a later copy. On Windows a
// later copy raises the first one's window, found by that caption
// (FindWindowA); elsewhere the first copy answers on a local socket named after
// the caption and the user, which only the claim's holder may set up.
class SingleInstance {
 public:
  // How long a later copy waits for the first one to be reachable (its window
  // on Windows, its socket elsewhere) while that one is still starting, and
  // how often it looks. The waits go through clock.sleep.
  static constexpr std::chrono::milliseconds kReachWait{5000};
  static constexpr std::chrono::milliseconds kReachRetry{100};

  SingleInstance(std::string mainWindowCaption, Clock& clock);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // Program entry: claims the right to run. A copy that cannot is a later
  // copy: it asks the running one to restore its main window and bring it to
  // the foreground, waiting up to kReachWait for that one to be reachable,
  // and returns true (also when the wait ran out); the caller then ends
  // without creating a window.
  bool activateRunningCopy();

  // Once the main window exists: later copies reach this one, and
  // restoreAndRaise runs on the user-interface thread when one asks. False
  // when this copy does not hold the claim (it then takes it here if it can)
  // or the place where later copies look cannot be set up.
  bool listen(std::function<void()> restoreAndRaise);

  // Where later copies look: the caption on Windows, the socket elsewhere.
  std::string endpoint() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

}  // namespace kestrovane
