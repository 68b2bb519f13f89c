#include <windows.h>

#include "app/SingleInstance.h"

namespace kestrovane {

namespace {

// The claim's name: per session ("Local\"), after the caption; a backslash
// would name a namespace, so none stays in it.
std::string claimNameFor(const std::string& caption) {
  std::string name = "Local\\KestrovaneDriver-";
  for (const char c : caption) name += c == '\\' ? '_' : c;
  return name;
}

}  // namespace

struct SingleInstance::Impl {
  Impl(std::string mainWindowCaption, Clock& c) : caption(std::move(mainWindowCaption)), clock(c) {}

  std::string caption;
  Clock& clock;
  HANDLE claim = nullptr;  // the named mutex, held while this copy runs

  enum class Claim { Taken, HeldByAnother, Unavailable };

  // Claims the mutex for this copy: taken when this copy created it.
  Claim takeClaim() {
    if (claim) return Claim::Taken;
    const HANDLE mutex = CreateMutexA(nullptr, FALSE, claimNameFor(caption).c_str());
    if (!mutex) return Claim::Unavailable;
    // An existing mutex is held by a running copy; closing this handle keeps
    // the claim that copy's alone, so it goes when that copy ends.
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
      CloseHandle(mutex);
      return Claim::HeldByAnother;
    }
    claim = mutex;
    return Claim::Taken;
  }

  // Any top-level window with exactly this title, whatever its class.
  bool raiseWindow() const {
    const HWND running = FindWindowA(nullptr, caption.c_str());
    if (running == nullptr) return false;
    ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(running);
    return true;
  }
};

SingleInstance::SingleInstance(std::string mainWindowCaption, Clock& clock)
    : m_impl(std::make_unique<Impl>(std::move(mainWindowCaption), clock)) {}

SingleInstance::~SingleInstance() {
  if (m_impl->claim) CloseHandle(m_impl->claim);
}

bool SingleInstance::activateRunningCopy() {
  switch (m_impl->takeClaim()) {
    case Impl::Claim::Taken:
      // A copy without the claim (an older one) is still known by its window.
      if (!m_impl->raiseWindow()) return false;
      CloseHandle(m_impl->claim);
      m_impl->claim = nullptr;
      return true;
    case Impl::Claim::Unavailable:
      // Without the mutex the window is the only sign of a running copy.
      return m_impl->raiseWindow();
    case Impl::Claim::HeldByAnother:
      break;
  }
  // The first copy makes its window only at the end of its start-up; a
  // later copy started meanwhile waits for it, and ends all the same when it
  // does not come.
  Clock& clock = m_impl->clock;
  const Clock::Duration deadline = clock.now() + kReachWait;
  while (!m_impl->raiseWindow() && clock.now() < deadline) clock.sleep(kReachRetry);
  return true;
}

// The main window's caption is what later copies find: nothing to set up
// beyond the claim.
bool SingleInstance::listen(std::function<void()>) {
  return m_impl->takeClaim() == Impl::Claim::Taken;
}

std::string SingleInstance::endpoint() const {
  return m_impl->caption;
}

}  // namespace kestrovane
