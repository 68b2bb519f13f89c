#pragma once

#include <QImage>
#include <QRectF>

#include "tools/skingen/SkinStyle.h"

class QPainter;

namespace kestrovane {

// The painters of the single pictures. States: 1 normal, 2 pointer over,
// 3 selected or pressed. Every painter returns a canvas for finishPicture.

// What a push button carries besides its text.
enum class ButtonMark { None, Record, Up, Down };

QImage drawBasemap(const SkinStyle& s);
void paintMouseIllustration(QPainter& p, const QRectF& area, const SkinStyle& s);

QImage drawUnderline(const SkinStyle& s, int width, int state);
QImage drawOption(const SkinStyle& s, int state);
QImage drawReportOption(const SkinStyle& s, bool selected);
QImage drawPushButton(const SkinStyle& s, QSize size, int state, ButtonMark mark);
QImage drawDialogButton(const SkinStyle& s, QSize size);

QImage drawPageBase(const SkinStyle& s, QSize size);
QImage drawButtonPage(const SkinStyle& s, QSize size);
QImage drawMenu(const SkinStyle& s, QSize size, int rows);
QImage drawDialogBase(const SkinStyle& s, QSize size);

}  // namespace kestrovane
