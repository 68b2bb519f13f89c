#include "config/Language.h"

#include <array>
#include <charconv>
#include <filesystem>

#include "base/Error.h"

namespace kestrovane {

namespace {

struct LanguageEntry {
  Language code;
  std::uint32_t lcid;
  std::string_view text;
  std::string_view folder;  // under languageDir
  std::string_view file;
  std::string_view section;
  std::string_view missingMessage;
  TextEncoding encoding;
};

constexpr std::array<LanguageEntry, 3> kLanguages{{
    {Language::CHS, 2052, "CHS", "2052", "Simplified Chinese.ini", "Simplified Chinese",
     "没有发现\"Simplified Chinese.ini\"文件", TextEncoding::AnsiCodePage},
    {Language::CHT, 1028, "CHT", "1028", "Traditional Chinese.ini", "Traditional Chinese", "No ",
     TextEncoding::Big5},
    {Language::ENU, 1033, "ENU", "1033", "English.ini", "English", "\"English.ini\" File No Find",
     TextEncoding::AnsiCodePage},
}};

const LanguageEntry* entry(Language code) {
  for (const LanguageEntry& e : kLanguages)
    if (e.code == code) return &e;
  return nullptr;
}

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

}  // namespace

std::string_view languageCode(Language language) {
  const LanguageEntry* e = entry(language);
  return e == nullptr ? std::string_view{} : e->text;
}

Language languageForLocale(std::uint32_t lcid) {
  for (const LanguageEntry& e : kLanguages)
    if (e.lcid == lcid) return e.code;
  return Language::None;
}

std::uint32_t localeFromEnvironment(const char* lcAll, const char* lcMessages, const char* lang) {
  for (const char* value : {lcAll, lcMessages, lang}) {
    if (value == nullptr || *value == '\0') continue;
    const std::string_view locale(value);
    if (startsWith(locale, "zh_CN")) return 2052;
    if (startsWith(locale, "zh_TW")) return 1028;
    if (startsWith(locale, "en_US")) return 1033;
    return 0;
  }
  return 0;
}

void ChooseLanguage(Language& code) {
  const Language language = languageForLocale(threadLocale());
  if (language != Language::None) code = language;
}

std::optional<LanguageFileRef> LanguageFile(Language code, const AppPaths& paths) {
  const LanguageEntry* e = entry(code);
  if (e == nullptr) return std::nullopt;
  return LanguageFileRef{joinPath(joinPath(paths.languageDir, e->folder), e->file),
                         std::string(e->section), e->encoding};
}

std::string_view missingLanguageFileMessage(Language code) {
  const LanguageEntry* e = entry(code);
  return e == nullptr ? std::string_view{} : e->missingMessage;
}

std::optional<LanguageTexts> LanguageTexts::load(Language code, const AppPaths& paths) {
  const std::optional<LanguageFileRef> file = LanguageFile(code, paths);
  if (!file) return std::nullopt;
  std::error_code error;
  if (!std::filesystem::is_regular_file(std::filesystem::path(file->path), error))
    return std::nullopt;
  LanguageTexts texts;
  texts.m_file = IniFile::load(file->path);
  texts.m_section = file->section;
  texts.m_encoding = file->encoding;
  return texts;
}

LanguageTexts LanguageTexts::parse(std::string_view fileBytes, const LanguageFileRef& file) {
  LanguageTexts texts;
  texts.m_file = IniFile::parse(fileBytes);
  texts.m_section = file.section;
  texts.m_encoding = file.encoding;
  return texts;
}

std::optional<std::string> LanguageTexts::find(std::string_view key) const {
  std::optional<std::string> value = m_file.value(m_section, key);
  if (!value) return std::nullopt;
  return codePageToUtf8(*value, m_encoding);
}

std::string LanguageTexts::text(std::string_view key) const {
  return find(key).value_or(std::string());
}

bool LanguageTexts::option(std::string_view key) const {
  const std::optional<std::string> value = m_file.value(m_section, key);
  if (!value) return false;
  std::string_view number = trimmed(*value);
  if (!number.empty() && number.front() == '+') number.remove_prefix(1);
  long long parsed = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), parsed);
  if (error != std::errc() || end != number.data() + number.size() || number.empty()) return false;
  return parsed != 0;
}

namespace {

// A language file that exists but cannot be read, for the readers that fall
// back to the built-in texts: the main window's start-up has told the user.
std::optional<LanguageTexts> loadOrNothing(Language code, const AppPaths& paths) {
  try {
    return LanguageTexts::load(code, paths);
  } catch (const Error&) {
    return std::nullopt;
  }
}

}  // namespace

std::vector<std::pair<std::string_view, std::string>> LoadDialogTexts(std::string_view form,
                                                                      Language code,
                                                                      const AppPaths& paths) {
  std::vector<std::pair<std::string_view, std::string>> result;
  const std::optional<LanguageTexts> texts = loadOrNothing(code, paths);
  if (!texts) return result;
  for (const Caption& caption : dialogTexts(form))
    result.emplace_back(caption.control, texts->text(caption.key));
  return result;
}

std::string messageText(std::string_view name, Language code, const AppPaths& paths) {
  const Caption* caption = findCaption(name);
  if (caption == nullptr) return std::string(name);
  if (const std::optional<LanguageTexts> texts = loadOrNothing(code, paths))
    if (std::optional<std::string> text = texts->find(caption->key); text && !text->empty())
      return *text;
  return std::string(caption->builtIn);
}

}  // namespace kestrovane
