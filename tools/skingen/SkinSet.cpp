#include "tools/skingen/SkinSet.h"

#include <QPainter>
#include <QPolygonF>

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

QList<SkinPicture> drawRowIcons(const SkinStyle& s) {
  const auto canvas = [] {
    QImage image(24, 24, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
  };
  QImage delay = canvas();
  {
    QPainter p(&delay);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(s.tealGlow, 2));
    p.setBrush(s.tealDark);
    p.drawEllipse(QRectF(3, 3, 18, 18));
    p.drawLine(QPointF(12, 12), QPointF(12, 6.5));
    p.drawLine(QPointF(12, 12), QPointF(16, 14));
  }
  // A key cap with an arrow: down for a press, up for a release.
  const auto keyArrow = [&](bool down) {
    QImage image = canvas();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(s.borderLight, 1.5));
    p.setBrush(s.panelRaised);
    p.drawRoundedRect(QRectF(2.5, 2.5, 19, 19), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(down ? s.tealGlow : s.tealLight);
    const qreal tip = down ? 18 : 6;
    const qreal base = down ? 11 : 13;
    p.drawPolygon(QPolygonF{{6, base}, {18, base}, {12, tip}});
    p.drawRect(QRectF(10, down ? 6 : 13, 4, 5));
    return image;
  };
  return {{"row_delay", finishPicture(delay, false)},
          {"row_press", finishPicture(keyArrow(true), false)},
          {"row_release", finishPicture(keyArrow(false), false)}};
}

}  // namespace kestrovane
