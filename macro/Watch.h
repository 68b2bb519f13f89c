#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace kestrovane {

// The watch side on Windows: loads watchdll.dll at the first start of
// watching, gives it a hidden receiver window and hands each posted
// "WATCH_KEY_EVENT" to OnKeyNative. Once loading has failed it stays
// disabled and later starts say nothing. Windows only.
class TWatch {
 public:
  using KeyNativeEvent = std::function<void(std::uint32_t wParam, std::uint32_t lParam)>;
  using ErrorBox = std::function<void(const std::string& text)>;

  // libraryName is "watchdll.dll" in the program; tests name another.
  TWatch(KeyNativeEvent onKeyNative, ErrorBox showError, std::string libraryName = "watchdll.dll");
  ~TWatch();
  TWatch(const TWatch&) = delete;
  TWatch& operator=(const TWatch&) = delete;

  void startWatching(int kind);
  void stopWatching(int kind);

  bool loaded() const;
  bool disabled() const;
  // The receiver window's handle, 0 when none.
  std::uintptr_t receiver() const;

  struct State;

 private:
  void load();
  void unload();

  std::unique_ptr<State> m_state;
};

}  // namespace kestrovane
