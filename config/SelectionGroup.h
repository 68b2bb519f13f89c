#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestrovane {

// A hidden selection group (gb1 "ReportRate" ... gb10 "Motor Strong"): the
// current choice of one setting, held for the files and the image. Choice n
// (1-based) is the radio button rbG_n; at most one is on, and all may be off.
class SelectionGroup {
 public:
  SelectionGroup(std::string_view caption, int count)
      : m_caption(caption), m_checked(static_cast<std::size_t>(count), false) {}

  const std::string& caption() const { return m_caption; }
  int count() const { return static_cast<int>(m_checked.size()); }

  // Choice n is on (false for an n outside 1..count).
  bool checked(int n) const { return inRange(n) && m_checked[index(n)]; }

  // Turning one choice on turns the others off; an n outside 1..count is ignored.
  void setChecked(int n, bool on) {
    if (!inRange(n)) return;
    if (on) m_checked.assign(m_checked.size(), false);
    m_checked[index(n)] = on;
  }

  // The first choice that is on, 1-based; 0 when none is.
  int checkedChoice() const {
    for (int n = 1; n <= count(); ++n)
      if (m_checked[index(n)]) return n;
    return 0;
  }

  void clear() { m_checked.assign(m_checked.size(), false); }

 private:
  bool inRange(int n) const { return n >= 1 && n <= count(); }
  static std::size_t index(int n) { return static_cast<std::size_t>(n - 1); }

  std::string m_caption;
  std::vector<bool> m_checked;
};

}  // namespace kestrovane
