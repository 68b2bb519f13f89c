#pragma once

#include <QString>

#include "ui/DialogFrame.h"

class QLineEdit;

namespace kestrovane {

class ImageControl;
class LabelControl;

// The mode name dialog: one edit field for a new name of the current mode,
// "OK" and "Cancel". Its pictures ("mode_conf_base", "btn_base_1") and
// texts (Form3_T, Form3_O, Form3_C) are read anew each time it is created.
// Enter in it acts as OK, Escape as Cancel.
class TForm3 : public DialogFrame {
  Q_OBJECT

 public:
  explicit TForm3(const AppPaths& paths, QWidget* parent = nullptr);

  // OK: with a text in the field the dialog is accepted (the caller renames
  // the mode to name()); with an empty field it only closes.
  void lbl_okClick();
  void lbl_cancelClick();

  // The entered name once the dialog was accepted; empty otherwise.
  QString name() const { return m_name; }

  // Creates the dialog, shows it modally and frees it: the name to give the
  // current mode, or an empty text when it keeps its name.
  static QString askName(QWidget* parent, const AppPaths& paths);

  ImageControl* img_modeconfbase = nullptr;
  LabelControl* lbl_title = nullptr;
  QLineEdit* edtmode = nullptr;
  ImageControl* img_ok = nullptr;
  LabelControl* lbl_ok = nullptr;
  ImageControl* img_cancel = nullptr;
  LabelControl* lbl_cancel = nullptr;

  static constexpr int kMaxNameLength = 15;

 protected:
  bool FormKeyDown(QKeyEvent* event) override;

 private:
  QString m_name;
};

}  // namespace kestrovane
