#pragma once

#include <QColor>
#include <QDialog>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <functional>
#include <string_view>

#include "base/AppPaths.h"
#include "config/Language.h"

class QKeyEvent;

namespace kestrovane {

class DialogDrag;
class ImageControl;
class LabelControl;

// What sets one small dialog apart from the others.
struct DialogDesign {
  std::string_view form;  // "TForm2", "TForm3", "TForm5", "TForm6": whose texts it loads
  QSize size;
  QColor keyColour;  // every pixel of this colour is see-through
  bool keyPreview;   // the dialog sees key presses before its controls do
};

inline const DialogDesign kForm2Design{"TForm2", {295, 158}, {192, 220, 192}, true};
inline const DialogDesign kForm3Design{"TForm3", {474, 230}, {192, 220, 192}, true};
inline const DialogDesign kForm5Design{"TForm5", {295, 158}, {192, 220, 192}, true};
inline const DialogDesign kForm6Design{"TForm6", {295, 158}, {128, 0, 0}, false};

// The frame the small dialogs share: borderless and see-through wherever it
// shows its key colour (also where its background picture is transparent),
// of a fixed size, centred on the screen, above the other windows, dragged
// by its background with any mouse button, its pictures from the skin and
// its texts from the user's language.
//
// A dialog builds its controls in its constructor and then calls
// FormCreate, which finishes the creation in the design's order.
class DialogFrame : public QDialog {
  Q_OBJECT

 public:
  DialogFrame(const DialogDesign& design, const AppPaths& paths, QWidget* parent);
  ~DialogFrame() override;

  const DialogDesign& design() const { return m_design; }
  Language language() const { return m_language; }

  // Recomputes the see-through outline from what the dialog now draws; runs
  // by itself (once pending events are done) whenever a picture changes.
  void UpdateWindowShape();

 protected:
  // Makes background the dialog's background: it shows the built-in
  // picture of this name until the skin replaces it, a press of any mouse
  // button on it drags the dialog, and its picture changes reshape the
  // dialog.
  void setBackground(ImageControl* background, const QString& builtInPicture);

  // A label of the dialog with its built-in text: white, bold, centred.
  LabelControl* addLabel(std::string_view name, QRect geometry, int pixelSize);

  // The rest of the creation: loads the skin (loadDialogSkin), chooses the
  // language and sets each text of the dialog's language keys on the child
  // of that object name. Without skin or language files the built-in
  // pictures and texts stay.
  void FormCreate(const std::function<void(const AppPaths&)>& loadDialogSkin);

  // With key preview, every key press within the dialog comes here first;
  // true when the dialog handled it (the focused control then never sees it).
  virtual bool FormKeyDown(QKeyEvent* event);

  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void scheduleWindowShape();

  DialogDesign m_design;
  AppPaths m_paths;
  Language m_language = Language::None;
  DialogDrag* m_drag = nullptr;
  bool m_shapePending = false;
};

// A built-in picture of the dialogs by its skin name ("other",
// "mode_conf_base", "btn_base_1"), compiled into the program.
QPixmap builtInDialogPicture(const QString& name);

}  // namespace kestrovane
