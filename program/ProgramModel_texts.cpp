// ProgramModel: the window's texts from the language file.
#include <algorithm>

#include "base/CodePage.h"
#include "base/Error.h"
#include "config/CaptionTable.h"
#include "config/Language.h"
#include "program/ProgramModel.h"

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
  m_textsFromFile = true;
  int key = 1;
  int mode = 1;
  for (const Caption& c : mainWindowTexts()) {
    switch (c.kind) {
      case CaptionKind::KeyCaption:
        setKeyCaption(key++, utf8ToCodePage(texts->text(c.key)));
        break;
      case CaptionKind::ModeName:
        m_defaultModeNames[static_cast<std::size_t>(mode - 1)] = texts->text(c.key);
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

const std::map<std::string, ProgramModel::KnownNames, std::less<>>& ProgramModel::knownNames() {
  if (m_knownNamesRead) return m_knownNames;
  m_knownNamesRead = true;
  std::vector<LanguageTexts> files;
  for (Language code : {Language::CHS, Language::CHT, Language::ENU}) {
    try {
      if (std::optional<LanguageTexts> texts = LanguageTexts::load(code, m_paths))
        files.push_back(std::move(*texts));
    } catch (const Error& error) {
      // The current language's file has been told by LoadMainTexts.
      if (code != language) m_unreadFiles.emplace_back(error.what());
    }
  }
  for (const Caption& c : mainWindowTexts()) {
    if (c.kind != CaptionKind::ModeName && findFunctionItem(c.control) == nullptr) continue;
    KnownNames& names = m_knownNames[std::string(c.control)];
    names.texts.emplace_back(c.builtIn);
    names.bytes.push_back(utf8ToCodePage(c.builtIn, TextEncoding::Gbk));
    for (const LanguageTexts& file : files) {
      if (std::string text = file.text(c.key); !text.empty())
        names.texts.push_back(std::move(text));
      if (std::string bytes = file.bytes(c.key); !bytes.empty())
        names.bytes.push_back(std::move(bytes));
    }
  }
  return m_knownNames;
}

bool ProgramModel::KnownNames::holds(const std::string& stored) const {
  return std::find(bytes.begin(), bytes.end(), stored) != bytes.end() ||
         std::find(texts.begin(), texts.end(), codePageToUtf8(stored)) != texts.end();
}

std::string ProgramModel::shownKeyCaption(const KeyFunction& code, const std::string& stored) {
  // A macro's caption is its name, whatever it looks like. Without a
  // language file the window has only the design's built-in texts, whose
  // mouse button rows name the right and middle buttons the other way round:
  // nothing is renamed to those.
  if (code.Kind == kKindMacro || !m_textsFromFile) return stored;
  const auto& names = knownNames();
  for (const FunctionItem& item : functionTable()) {
    if (item.code != code) continue;
    const auto it = names.find(item.label);
    if (it != names.end() && it->second.holds(stored) && !caption(item.label).empty())
      return utf8ToCodePage(caption(item.label));
  }
  return stored;
}

bool ProgramModel::namesLeftButtonWithoutText(const std::string& stored) {
  if (!caption(kLeftButtonItem).empty()) return false;
  const auto& names = knownNames();
  const auto it = names.find(kLeftButtonItem);
  return it != names.end() && it->second.holds(stored);
}

std::string ProgramModel::shownModeName(int n, const std::string& stored) {
  if (n < 1 || n > kModeCount || !m_textsFromFile) return stored;
  const Caption& c =
      *std::find_if(mainWindowTexts().begin(), mainWindowTexts().end(), [n](const Caption& entry) {
        return entry.kind == CaptionKind::ModeName &&
               entry.key.back() == static_cast<char>('0' + n);
      });
  const auto& names = knownNames();
  const auto it = names.find(c.control);
  const std::string& shown = m_defaultModeNames[static_cast<std::size_t>(n - 1)];
  if (shown.empty() || it == names.end() || !it->second.holds(stored)) return stored;
  return utf8ToCodePage(shown);
}

}  // namespace kestrovane
