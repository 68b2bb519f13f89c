#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "ui/DialogFrame.h"

class QLineEdit;

namespace kestrovane {

class ImageControl;
class LabelControl;

// The new-macro dialog: asks for the name of a new macro and refuses an
// empty name, a name the list already holds (letter case ignored) and a name
// no macro file may carry, each with a message in the user's language,
// staying open. It changes nothing itself: the caller creates the macro
// (createMacro) with the accepted name. Its picture ("other") and texts
// (Form6_T, Form2_O, Form2_C) are read anew each time it is created. Enter
// in the name field acts as OK, Escape as Cancel.
class TForm6 : public DialogFrame {
  Q_OBJECT

 public:
  // names: the sorted name list of the macro list.
  TForm6(const AppPaths& paths, std::vector<std::string> names, QWidget* parent = nullptr);

  void lbl_okClick();
  void lbl_cancelClick();

  // The accepted name in code page bytes once the dialog was accepted.
  const std::string& name() const { return m_name; }

  // Creates the dialog, shows it modally and frees it: the accepted name,
  // nullopt when it was cancelled.
  static std::optional<std::string> askName(QWidget* parent, const AppPaths& paths,
                                            std::vector<std::string> names);

  ImageControl* img_macrobase = nullptr;
  LabelControl* lbl_title = nullptr;
  QLineEdit* edt_macro = nullptr;
  LabelControl* lbl_ok = nullptr;
  LabelControl* lbl_cancel = nullptr;

 private:
  std::vector<std::string> m_names;
  AppPaths m_paths;
  std::string m_name;
};

}  // namespace kestrovane
