#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/AppPaths.h"
#include "base/CodePage.h"
#include "base/IniFile.h"
#include "config/CaptionTable.h"

namespace kestrovane {

// The language code: "CHS", "CHT", "ENU", or none. Derived from the locale
// whenever a window is created; never saved.
enum class Language { None, CHS, CHT, ENU };

std::string_view languageCode(Language language);  // "CHS", "CHT", "ENU", ""

// The three locale identifiers that have a language file: 2052 (Chinese,
// PRC), 1028 (Chinese, Taiwan) and 1033 (English, United States). Every
// other identifier, 3076 and 2057 included, has none.
Language languageForLocale(std::uint32_t lcid);

// The locale identifier a Linux session stands for: the first of LC_ALL,
// LC_MESSAGES and LANG that is set and not empty decides, whether or not that
// locale is installed. "zh_CN..." is 2052, "zh_TW..." 1028, "en_US..." 1033;
// anything else (zh_HK, en_GB, C, POSIX, nothing set) is 0, which has no
// language. Each argument is the variable's value, nullptr when unset.
std::uint32_t localeFromEnvironment(const char* lcAll, const char* lcMessages, const char* lang);

// The locale of the calling thread: GetThreadLocale on Windows, the
// environment (above) elsewhere.
std::uint32_t threadLocale();

// ChooseLanguage: the language of the thread's locale; a locale without a
// language leaves code as it was.
void ChooseLanguage(Language& code);

// Where a language's texts lie: its file under languageDir and the one
// section the program reads.
struct LanguageFileRef {
  std::string path;
  std::string section;
  TextEncoding encoding = TextEncoding::AnsiCodePage;
};

// LanguageFile: the one mapping every reader of a language file uses;
// nullopt for no language.
std::optional<LanguageFileRef> LanguageFile(Language code, const AppPaths& paths);

// The message shown at start-up when the language's file is missing (the
// design's texts, exactly); empty for no language.
std::string_view missingLanguageFileMessage(Language code);

// The section of one language file, read once: values as UTF-8.
class LanguageTexts {
 public:
  // nullopt when the language has no file or the file does not exist. A
  // file that cannot be read or is larger than IniFile::kMaxFileBytes
  // throws Error naming it.
  static std::optional<LanguageTexts> load(Language code, const AppPaths& paths);
  // From the file's bytes (tests, kestrovanectl).
  static LanguageTexts parse(std::string_view fileBytes, const LanguageFileRef& file);

  // The key's value; a key that is absent reads as the empty text.
  std::string text(std::string_view key) const;
  std::optional<std::string> find(std::string_view key) const;
  // The key's value as the file holds it, in the file's own code page.
  std::string bytes(std::string_view key) const;
  // An option key: 0 is false, any other whole number true; absent or not a
  // number is false.
  bool option(std::string_view key) const;

 private:
  IniFile m_file;
  std::string m_section;
  TextEncoding m_encoding = TextEncoding::AnsiCodePage;
};

// LoadDialogTexts: the texts of one dialog ("TForm2", "TForm3", "TForm5",
// "TForm6") in reading order, as (control name, text). Empty when the
// language has no file or the file is missing or cannot be read: the dialog
// keeps its built-in texts and shows nothing, and never fails to open.
std::vector<std::pair<std::string_view, std::string>> LoadDialogTexts(std::string_view form,
                                                                      Language code,
                                                                      const AppPaths& paths);

// One of the program's own messages (messageTexts) in the language, its
// built-in text when the language's file lacks it, cannot be read or there
// is none.
std::string messageText(std::string_view name, Language code, const AppPaths& paths);

}  // namespace kestrovane
