#include "tools/skingen/SkinSet.h"

#include "tools/skingen/SkinLayout.h"
#include "tools/skingen/SkinPainting.h"
#include "tools/skingen/SkinPictures.h"

namespace kestrovane {

namespace {

// The tab underline controls are 52 to 63 wide and centre their picture:
// at the narrowest width nothing of it is cut.
constexpr int kTitleUnderlineWidth = 52;
constexpr int kModeUnderlineWidth = 60;

}  // namespace

QList<SkinPicture> drawSkinSet(const SkinStyle& s) {
  QList<SkinPicture> set;
  // Pictures whose transparent parts cut a window's outline get hard edges.
  const auto add = [&](const QString& name, const QImage& canvas, bool outline = false) {
    set.append({name, finishPicture(canvas, outline)});
  };
  const auto states = [&](const QString& stem, auto draw) {
    for (int state = 1; state <= 3; ++state) {
      add(QString("%1_%2").arg(stem).arg(state), draw(state));
    }
  };

  add("basemap", drawBasemap(s), true);
  states("title_base", [&](int st) { return drawUnderline(s, kTitleUnderlineWidth, st); });
  add("btn_base", drawButtonPage(s, {418, 362}));
  add("macro_base", drawPageBase(s, {417, 361}));
  add("dpi_base", drawPageBase(s, {417, 361}));
  add("led_base", drawPageBase(s, {418, 362}));
  add("sys_base", drawPageBase(s, {417, 361}));
  states("mode_base", [&](int st) { return drawUnderline(s, kModeUnderlineWidth, st); });
  states("macro_btn1", [&](int st) { return drawPushButton(s, {63, 25}, st, ButtonMark::None); });
  states("macro_btn2", [&](int st) { return drawPushButton(s, {91, 24}, st, ButtonMark::Record); });
  states("macro_btn3", [&](int st) { return drawPushButton(s, {91, 23}, st, ButtonMark::None); });
  states("macro_btn4", [&](int st) { return drawPushButton(s, {100, 24}, st, ButtonMark::Up); });
  states("macro_btn5", [&](int st) { return drawPushButton(s, {100, 24}, st, ButtonMark::Down); });
  add("report_1", drawReportOption(s, false));
  add("report_2", drawReportOption(s, true));
  states("led_base", [&](int st) { return drawOption(s, st); });
  add("10Keys", drawMenu(s, {217, 250}, 10));
  add("9Keys", drawMenu(s, {187, 226}, 9));
  add("8Keys", drawMenu(s, {187, 202}, 8));
  add("7Keys", drawMenu(s, {187, 178}, 7));
  add("5Keys", drawMenu(s, {187, 129}, 5));
  add("4Keys", drawMenu(s, {187, 106}, 4));
  set.append(drawDialogPictures(s));
  return set;
}

QList<SkinPicture> drawDialogPictures(const SkinStyle& s) {
  // The backgrounds' transparent corners cut the dialogs' outlines.
  return {{"other", finishPicture(drawDialogBase(s, {293, 154}), true)},
          {"mode_conf_base", finishPicture(drawDialogBase(s, {475, 229}), true)},
          {"btn_base_1", finishPicture(drawDialogButton(s, {91, 35}), false)}};
}

}  // namespace kestrovane
