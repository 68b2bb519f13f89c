#pragma once

#include <QString>
#include <string>

#include "ui/DialogFrame.h"

class QComboBox;

namespace kestrovane {

class ImageControl;
class LabelControl;

// The macro assignment dialog: a drop-down of the macro folder's names in
// the order of the macro list, so that position k is row k of the list and
// record k of the mouse. OK with a name chosen accepts; without one it
// stays open. Its picture ("other") and texts (Form2_T, Form2_O, Form2_C)
// are read anew each time it is created. Enter acts as OK, Escape as Cancel.
class TForm2 : public DialogFrame {
  Q_OBJECT

 public:
  // Creates the macro folder when it does not exist yet, then lists it.
  explicit TForm2(const AppPaths& paths, QWidget* parent = nullptr);

  void lbl_okClick();
  void lbl_cancelClick();

  // The chosen position (0-based) and name once the dialog was accepted;
  // -1 and empty otherwise.
  int chosenIndex() const { return m_index; }
  const QString& chosenName() const { return m_name; }

  ImageControl* img_macrobase = nullptr;
  LabelControl* lbl_title = nullptr;
  QComboBox* cb_macro_list = nullptr;
  LabelControl* lbl_ok = nullptr;
  LabelControl* lbl_cancel = nullptr;

 protected:
  bool FormKeyDown(QKeyEvent* event) override;

 private:
  int m_index = -1;
  QString m_name;
};

}  // namespace kestrovane
