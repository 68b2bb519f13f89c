#pragma once

#include <optional>
#include <string_view>

#include "config/Language.h"

namespace kestrovane::ctl {

// The language named on the command line ("en", "zh_CN", "zh_TW"), or by
// the environment variable KESTROVANE_LANGUAGE, wins over the locale's.
// These three stand in for the language override of config/Language.h until
// that is shared by both programs; then chooseLanguage is ChooseLanguage.
std::optional<Language> parseLanguageOption(std::string_view value);
void SetLanguageOverride(Language language);
void chooseLanguage(Language& code);

}  // namespace kestrovane::ctl
