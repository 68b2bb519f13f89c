#include "config/Language.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
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

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// The texts of a language for a dialog or a message: a file that cannot be
// read (too large, not readable) was told at start-up; here the built-in
// texts serve, or the dialog or message itself would fail.
std::optional<LanguageTexts> textsOrNone(Language code, const AppPaths& paths) {
  try {
    return LanguageTexts::load(code, paths);
  } catch (const Error&) {
    return std::nullopt;
  }
}

}  // namespace

std::string_view languageCode(Language language) {
  const LanguageEntry* e = entry(language);
  return e == nullptr ? std::string_view{} : e->text;
}

Language languageForLocale(std::uint32_t lcid) {
  constexpr std::uint32_t kLangChinese = 0x04;
  const std::uint32_t languageId = lcid & 0xFFFF;
  if ((languageId & 0x3FF) != kLangChinese) return Language::ENU;
  switch (languageId) {
    case 0x0404:  // Taiwan
    case 0x0C04:  // Hong Kong SAR
    case 0x1404:  // Macao SAR
    case 0x7C04:  // zh-Hant
      return Language::CHT;
    default:
      return Language::CHS;
  }
}

std::uint32_t localeFromEnvironment(const char* lcAll, const char* lcMessages, const char* lang) {
  for (const char* value : {lcAll, lcMessages, lang}) {
    if (value == nullptr || *value == '\0') continue;
    // language[_territory][.codeset][@modifier]; a script may stand between
    // language and territory ("zh_Hant_TW", "zh-Hant").
    std::string_view locale(value);
    locale = locale.substr(0, locale.find_first_of(".@"));
    std::vector<std::string_view> parts;
    while (!locale.empty()) {
      const std::size_t end = std::min(locale.find_first_of("_-"), locale.size());
      parts.push_back(locale.substr(0, end));
      locale.remove_prefix(std::min(end + 1, locale.size()));
    }
    const auto lower = [](std::string_view text) {
      std::string result(text);
      for (char& c : result)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      return result;
    };
    const std::string language = parts.empty() ? std::string() : lower(parts[0]);
    if (language == "en") return 0x0409;
    if (language != "zh") return 0;
    for (std::size_t i = 1; i < parts.size(); ++i) {
      const std::string part = lower(parts[i]);
      if (part == "hant") return 0x7C04;
      if (part == "hans") return 0x0004;
    }
    for (std::size_t i = 1; i < parts.size(); ++i) {
      const std::string part = lower(parts[i]);
      if (part == "tw") return 0x0404;
      if (part == "hk") return 0x0C04;
      if (part == "mo") return 0x1404;
    }
    return 0x0804;
  }
  return 0;
}

std::optional<Language> parseLanguageOption(std::string_view value) {
  if (value == "en") return Language::ENU;
  if (value == "zh_CN") return Language::CHS;
  if (value == "zh_TW") return Language::CHT;
  return std::nullopt;
}

namespace {
Language g_languageOverride = Language::None;
}  // namespace

void SetLanguageOverride(Language code) {
  g_languageOverride = code;
}

void ChooseLanguage(Language& code) {
  if (g_languageOverride != Language::None) {
    code = g_languageOverride;
    return;
  }
  if (const char* value = std::getenv("KESTROVANE_LANGUAGE"); value != nullptr)
    if (const std::optional<Language> language = parseLanguageOption(value)) {
      code = *language;
      return;
    }
  code = languageForLocale(threadLocale());
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

std::string LanguageTexts::bytes(std::string_view key) const {
  return m_file.value(m_section, key).value_or(std::string());
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

std::vector<std::pair<std::string_view, std::string>> LoadDialogTexts(std::string_view form,
                                                                      Language code,
                                                                      const AppPaths& paths) {
  std::vector<std::pair<std::string_view, std::string>> result;
  const std::optional<LanguageTexts> texts = textsOrNone(code, paths);
  if (!texts) return result;
  for (const Caption& caption : dialogTexts(form))
    result.emplace_back(caption.control, texts->text(caption.key));
  return result;
}

std::string messageText(std::string_view name, Language code, const AppPaths& paths) {
  const Caption* caption = findCaption(name);
  if (caption == nullptr) return std::string(name);
  if (const std::optional<LanguageTexts> texts = textsOrNone(code, paths))
    if (std::optional<std::string> text = texts->find(caption->key); text && !text->empty())
      return *text;
  return std::string(caption->builtIn);
}

}  // namespace kestrovane
