#include "tools/skingen/ThemeFiles.h"

#include "tools/skingen/SkinLayout.h"

namespace kestrovane {

namespace {

QString px(int v) {
  return QString::number(v) + "px";
}

}  // namespace

QString trackBarTheme(const SkinStyle& s) {
  const int groove = s.grooveThickness;
  // The handle reaches past the groove (6 px plus its 1 px border) by the
  // negative margin on both sides.
  const int overhang = (s.handleThickness - groove - 2) / 2;
  return QString(
             "/* KestrovaneDriver theme A: the horizontal track bars of the pages. */\n"
             "QSlider:horizontal {\n"
             "  min-height: %1;\n"
             "  background: transparent;\n"
             "}\n"
             "QSlider::groove:horizontal {\n"
             "  height: %2;\n"
             "  margin: 0 2px;\n"
             "  border: 1px solid %3;\n"
             "  border-radius: 3px;\n"
             "  background: %4;\n"
             "}\n"
             "QSlider::sub-page:horizontal {\n"
             "  border: 1px solid %5;\n"
             "  border-radius: 3px;\n"
             "  background: %6;\n"
             "}\n"
             "QSlider::add-page:horizontal {\n"
             "  border: 1px solid %3;\n"
             "  border-radius: 3px;\n"
             "  background: %4;\n"
             "}\n"
             "QSlider::handle:horizontal {\n"
             "  width: %7;\n"
             "  margin: -%8 0;\n"
             "  border: 1px solid %5;\n"
             "  border-radius: 3px;\n"
             "  background: %9;\n"
             "}\n"
             "QSlider::handle:horizontal:hover {\n"
             "  border-color: %10;\n"
             "  background: %11;\n"
             "}\n"
             "QSlider::sub-page:horizontal:disabled {\n"
             "  border-color: %3;\n"
             "  background: %12;\n"
             "}\n"
             "QSlider::handle:horizontal:disabled {\n"
             "  border-color: %3;\n"
             "  background: %12;\n"
             "}\n")
      .arg(px(s.handleThickness + 2), px(groove), s.border.name(), s.grooveFill.name(),
           s.tealLight.name(), s.teal.name(), px(s.handleLength), px(overhang), s.handleFill.name())
      .arg(s.tealGlow.name(), s.handleHover.name(), s.disabledFill.name());
}

QString indicatorTheme(const SkinStyle& s) {
  const int overhang = (s.indicatorHandleWidth - s.indicatorGroove) / 2;
  return QString(
             "/* KestrovaneDriver theme B: the indicator bars of the function menu. */\n"
             "/* Position 0 at the top, level with the first row (a property is\n"
             "   only set from a rule without a pseudo-state). */\n"
             "QSlider {\n"
             "  qproperty-invertedAppearance: true;\n"
             "}\n"
             "QSlider:vertical {\n"
             "  min-width: %1;\n"
             "  max-width: %1;\n"
             "  background: transparent;\n"
             "}\n"
             "QSlider::groove:vertical {\n"
             "  width: %2;\n"
             "  border-radius: 2px;\n"
             "  background: %3;\n"
             "}\n"
             "QSlider::add-page:vertical, QSlider::sub-page:vertical {\n"
             "  border-radius: 2px;\n"
             "  background: %3;\n"
             "}\n"
             "/* 23 px with its border: one menu row. */\n"
             "QSlider::handle:vertical {\n"
             "  height: %4;\n"
             "  margin: 0 -%5;\n"
             "  border: 1px solid %6;\n"
             "  border-radius: 2px;\n"
             "  background: %7;\n"
             "}\n")
      .arg(px(layout::kMenuIndicatorWidth), px(s.indicatorGroove), s.rule.name(),
           px(layout::kMenuRowHeight - 2), px(overhang), s.tealLight.name(), s.teal.name());
}

}  // namespace kestrovane
