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

// The language code: "CHS", "CHT", "ENU", or none. Chosen whenever a window
// is created; never saved.
enum class Language { None, CHS, CHT, ENU };

std::string_view languageCode(Language language);  // "CHS", "CHT", "ENU", ""

// The language of a Windows locale identifier, by its primary language:
// Chinese of Taiwan (0x0404), Hong Kong (0x0C04), Macau (0x1404) and the
// Traditional script (0x7C04) is Traditional Chinese, every other Chinese
// Simplified; English and every other language, 0 too, English. The sort
// bits above the language identifier do not count.
Language languageForLocale(std::uint32_t lcid);

// The locale identifier a Linux session stands for: the first of LC_ALL,
// LC_MESSAGES and LANG that is set and not empty decides, whether or not that
// locale is installed. Chinese gives 0x0404 (TW), 0x0C04 (HK), 0x1404 (MO),
// 0x7C04 (script Hant, which wins over the territory), 0x0004 (script Hans)
// or 0x0804 (any other); English gives 0x0409; any other language, C, POSIX
// and nothing set give 0. Each argument is the variable's value, nullptr when
// unset.
std::uint32_t localeFromEnvironment(const char* lcAll, const char* lcMessages, const char* lang);

// The locale of the calling thread: GetThreadLocale on Windows, the
// environment (above) elsewhere.
std::uint32_t threadLocale();

// The language an option or KESTROVANE_LANGUAGE names: "en", "zh_CN" or
// "zh_TW", exactly; nullopt for anything else.
std::optional<Language> parseLanguageOption(std::string_view value);

// Makes every later ChooseLanguage of this process give code, whatever the
// environment says; Language::None removes the override.
void SetLanguageOverride(Language code);

// ChooseLanguage: the override, else the language KESTROVANE_LANGUAGE names
// (an invalid value is ignored), else the language of the thread's locale.
// Always sets a language.
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
