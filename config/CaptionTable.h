#pragma once

#include <span>
#include <string_view>

namespace kestrovane {

// What a language key sets.
enum class CaptionKind {
  Text,          // a label's caption
  CheckBoxText,  // the text of a check box
  MenuItem,      // the caption of a pop-up menu item
  KeyCaption,    // Key1..Key12: the program's button captions
  ModeName,      // MouseMode .. OfficeMode: the program's mode names
  OptionState,   // Mse1, Mse2: an option's state at start-up, not a text
  Message,       // a text the program shows or uses, not a control's caption
};

// One text of the program: the control it belongs to (its object name in
// its window; for a message, the message's name), the language key that
// replaces it and the text it has until a language file gives another
// (UTF-8). This table is the only place these texts are written: the windows
// are built from it, the language readers read through it and the language
// files are generated against it.
struct Caption {
  std::string_view control;
  std::string_view key;      // empty: no language file sets it
  std::string_view builtIn;  // empty for the option states
  CaptionKind kind = CaptionKind::Text;
};

// The main window's 158 language keys (156 texts and two option states), in
// the order the window reads them.
std::span<const Caption> mainWindowTexts();

// The main window's other texts. Those with a key are read after the 158 and
// keep their built-in text when a file lacks the key (the design's files do
// not have them); those without a key are never translated.
std::span<const Caption> mainWindowExtraTexts();

// A dialog's keys in reading order ("TForm2", "TForm3", "TForm5", "TForm6");
// empty for any other name.
std::span<const Caption> dialogTexts(std::string_view form);

// Texts that are no control's caption: the record command's stop text
// (Macro10) and the program's own messages.
std::span<const Caption> messageTexts();

// The entry of a main-window control in either main-window list, or of a
// message by its name; nullptr when none has that name.
const Caption* findCaption(std::string_view control);

// The built-in text of a main-window control or message; empty when unknown.
std::string_view builtInCaption(std::string_view control);

// The names of the program's own messages (Caption::control of messageTexts).
namespace message {
inline constexpr std::string_view kRecordStop = "recordStop";
inline constexpr std::string_view kApplyNoMouse = "applyNoMouse";
inline constexpr std::string_view kApplyFailed = "applyFailed";
inline constexpr std::string_view kApplyUnplugged = "applyUnplugged";
inline constexpr std::string_view kApplyStepMode = "applyStepMode";
inline constexpr std::string_view kApplyStepMacro = "applyStepMacro";
inline constexpr std::string_view kMacroNameEmpty = "macroNameEmpty";
inline constexpr std::string_view kMacroNameExists = "macroNameExists";
inline constexpr std::string_view kMacroNameRefused = "macroNameRefused";
}  // namespace message

}  // namespace kestrovane
