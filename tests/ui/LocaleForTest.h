#pragma once

#include <QByteArray>
#include <QtGlobal>

#ifdef _WIN32
#include <windows.h>
#endif

namespace kestrovane::test {
// The locale the program reads at start-up: LC_ALL on Linux; on Windows the
// thread's locale, which no variable of the environment changes. Saved on
// construction, given back on destruction.
class LocaleForTest {
 public:
  LocaleForTest() = default;
  LocaleForTest(const LocaleForTest&) = delete;
  LocaleForTest& operator=(const LocaleForTest&) = delete;
  ~LocaleForTest() {
#ifdef _WIN32
    SetThreadLocale(m_thread);
#else
    qputenv("LC_ALL", m_variable);
#endif
  }
  // name as LC_ALL spells it, lcid the same locale on Windows.
  void use(const char* name, unsigned lcid) {
#ifdef _WIN32
    (void)name;
    SetThreadLocale(lcid);
#else
    (void)lcid;
    qputenv("LC_ALL", name);
#endif
  }

 private:
#ifdef _WIN32
  LCID m_thread = GetThreadLocale();
#else
  QByteArray m_variable = qgetenv("LC_ALL");
#endif
};

}  // namespace kestrovane::test
