#include <windows.h>

#include "app/SingleInstance.h"

namespace kestrovane {

struct SingleInstance::Impl {
  std::string caption;
};

SingleInstance::SingleInstance(std::string mainWindowCaption)
    : m_impl(std::make_unique<Impl>(Impl{std::move(mainWindowCaption)})) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::activateRunningCopy() {
  // Any top-level window with exactly this title, whatever its class.
  HWND running = FindWindowA(nullptr, m_impl->caption.c_str());
  if (running == nullptr) return false;
  ShowWindow(running, SW_RESTORE);
  SetForegroundWindow(running);
  return true;
}

// The main window's caption is what later copies find: nothing to claim.
bool SingleInstance::listen(std::function<void()>) {
  return true;
}

std::string SingleInstance::endpoint() const {
  return m_impl->caption;
}

}  // namespace kestrovane
