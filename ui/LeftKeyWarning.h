#pragma once

#include <QDialog>

namespace kestrovane {

struct AppPaths;
class ImageControl;
class LabelControl;

// The left-key warning: shown modally when an assignment leaves none of the
// first three buttons with the left-button function. It only informs; its OK
// closes it. Borderless, centred on the screen, above the other windows.
// showWarning loads its skin ("other" into img_leftkeybase); its texts
// (language keys Form5_T and Form2_O) are loaded into these controls by
// whoever creates it. The built-in picture and texts stay without them.
class TForm5 : public QDialog {
  Q_OBJECT

 public:
  explicit TForm5(QWidget* parent = nullptr);

  void lbl_okClick();

  // Creates a warning with the skin of paths, shows it until its OK is
  // clicked, and frees it.
  static void showWarning(QWidget* parent, const AppPaths& paths);

  ImageControl* img_leftkeybase = nullptr;
  LabelControl* lbl_title = nullptr;
  LabelControl* lbl_ok = nullptr;
};

inline constexpr char kLeftKeyWarningText[] = "Please Keep One 'Left Key'!";
inline constexpr char kLeftKeyWarningOk[] = "OK";
inline constexpr int kLeftKeyWarningWidth = 295;
inline constexpr int kLeftKeyWarningHeight = 158;

}  // namespace kestrovane
