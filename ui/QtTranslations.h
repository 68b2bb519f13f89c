#pragma once

#include <QString>

#include "config/Language.h"

namespace kestrovane {

// Qt's own texts (the message boxes' buttons, the edit fields' context menu)
// in the window's language: installs qtbase_zh_CN.qm for Simplified and
// qtbase_zh_TW.qm for Traditional Chinese, from the program folder's
// translations/ (which ships them), else from Qt's own translations folder.
// English needs none. A translation installed by an earlier call is removed
// first. Returns whether Qt's texts are now in the language.
bool installQtTranslations(Language language, const QString& programDir);

}  // namespace kestrovane
