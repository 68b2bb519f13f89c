// ProgramModel: the window's texts from the language file.
#include "config/CaptionTable.h"
#include "config/CodePage.h"
#include "config/Language.h"
#include "config/ProgramModel.h"

namespace kestrovane {

namespace {

// A text read for a control whose built-in text starts with spaces (room
// for a check mark) keeps that room.
std::string withIndent(std::string_view builtIn, std::string text) {
  const std::size_t indent = builtIn.find_first_not_of(' ');
  if (indent == 0 || indent == std::string_view::npos) return text;
  return std::string(builtIn.substr(0, indent)) + text;
}

}  // namespace

std::string ProgramModel::LoadMainTexts() {
  const std::optional<LanguageTexts> texts = LanguageTexts::load(language, m_paths);
  if (!texts) return std::string(missingLanguageFileMessage(language));

  const Change change(*this, kAspectCaptions | kAspectKeyCaptions | kAspectModeNames);
  int key = 1;
  int mode = 1;
  for (const Caption& c : mainWindowTexts()) {
    switch (c.kind) {
      case CaptionKind::KeyCaption:
        setKeyCaption(key++, utf8ToCodePage(texts->text(c.key)));
        break;
      case CaptionKind::ModeName:
        setModeName(mode++, utf8ToCodePage(texts->text(c.key)));
        break;
      case CaptionKind::OptionState:
        // The option's click flips its flag: start from the negation so that
        // it ends as the file says, with the mark, the check box and the
        // pointer store following.
        if (c.control == "lbl_mse1") {
          mse1Flag = !texts->option(c.key);
          lbl_mse1Click();
        } else {
          mse2Flag = !texts->option(c.key);
          lbl_mse2Click();
        }
        break;
      default:
        setCaption(c.control, texts->text(c.key));
    }
  }
  for (const Caption& c : mainWindowExtraTexts()) {
    if (c.key.empty()) continue;
    if (std::optional<std::string> text = texts->find(c.key))
      setCaption(c.control, withIndent(c.builtIn, std::move(*text)));
  }
  return {};
}

}  // namespace kestrovane
