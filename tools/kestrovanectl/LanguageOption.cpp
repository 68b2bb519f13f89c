#include "tools/kestrovanectl/LanguageOption.h"

#include <cstdlib>

namespace kestrovane::ctl {

namespace {
std::optional<Language> g_override;
}  // namespace

std::optional<Language> parseLanguageOption(std::string_view value) {
  if (value == "en") return Language::ENU;
  if (value == "zh_CN") return Language::CHS;
  if (value == "zh_TW") return Language::CHT;
  return std::nullopt;
}

void SetLanguageOverride(Language language) {
  g_override = language;
}

void chooseLanguage(Language& code) {
  if (g_override) {
    code = *g_override;
    return;
  }
  if (const char* variable = std::getenv("KESTROVANE_LANGUAGE"))
    if (const std::optional<Language> chosen = parseLanguageOption(variable)) {
      code = *chosen;
      return;
    }
  ChooseLanguage(code);
}

}  // namespace kestrovane::ctl
