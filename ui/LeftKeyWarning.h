#pragma once

#include "ui/DialogFrame.h"

namespace kestrovane {

class ImageControl;
class LabelControl;

// The left-key warning: shown modally when an assignment leaves none of the
// first three buttons with the left-button function. It only informs; its OK
// closes it. Its picture ("other") and texts (Form5_T, Form2_O) are read
// anew each time it is created; the built-in ones stay without them.
class TForm5 : public DialogFrame {
  Q_OBJECT

 public:
  explicit TForm5(const AppPaths& paths, QWidget* parent = nullptr);

  void lbl_okClick();

  // Creates a warning, shows it until its OK is clicked, and frees it.
  static void showWarning(QWidget* parent, const AppPaths& paths);

  ImageControl* img_leftkeybase = nullptr;
  LabelControl* lbl_title = nullptr;
  LabelControl* lbl_ok = nullptr;
};

}  // namespace kestrovane
