#pragma once

// Helpers shared by the files that implement TForm1: the families of
// numbered controls as lists of members, and the small makers of controls.

#include <QRect>
#include <QString>
#include <array>
#include <cstddef>

#include "app/main.h"
#include "ui/ImageControl.h"
#include "ui/LabelControl.h"
#include "ui/PanelControl.h"

namespace kestrovane::detail {

template <typename T, std::size_t N>
using Family = std::array<T * TForm1::*, N>;

// Member n (1-based) of a family; nullptr outside 1..N.
template <typename T, std::size_t N>
T* familyMember(const TForm1& form, const Family<T, N>& family, int n) {
  if (n < 1 || static_cast<std::size_t>(n) > N) return nullptr;
  return form.*family[static_cast<std::size_t>(n - 1)];
}

inline constexpr Family<PanelControl, 5> kPageTabs{&TForm1::pnl_page1, &TForm1::pnl_page2,
                                                   &TForm1::pnl_page3, &TForm1::pnl_page4,
                                                   &TForm1::pnl_page5};
inline constexpr Family<LabelControl, 5> kPageTitles{&TForm1::lbl_title1, &TForm1::lbl_title2,
                                                     &TForm1::lbl_title3, &TForm1::lbl_title4,
                                                     &TForm1::lbl_title5};
inline constexpr Family<ImageControl, 5> kPageTitleImages{&TForm1::img_title1, &TForm1::img_title2,
                                                          &TForm1::img_title3, &TForm1::img_title4,
                                                          &TForm1::img_title5};
// The page each tab shows, in tab order.
inline constexpr Family<PanelControl, 5> kPages{&TForm1::page_MseKeys, &TForm1::page_Macro,
                                                &TForm1::page_About, &TForm1::page_BreathLED,
                                                &TForm1::page_MseAdv};
inline constexpr Family<LabelControl, 12> kKeys{
    &TForm1::Key1, &TForm1::Key2, &TForm1::Key3, &TForm1::Key4,  &TForm1::Key5,  &TForm1::Key6,
    &TForm1::Key7, &TForm1::Key8, &TForm1::Key9, &TForm1::Key10, &TForm1::Key11, &TForm1::Key12};
inline constexpr Family<LabelControl, 9> kKeyNumbers{
    &TForm1::lbl_key1, &TForm1::lbl_key2, &TForm1::lbl_key3, &TForm1::lbl_key4, &TForm1::lbl_key5,
    &TForm1::lbl_key6, &TForm1::lbl_key7, &TForm1::lbl_key8, &TForm1::lbl_key9};
inline constexpr Family<PanelControl, 5> kModePanels{&TForm1::pnl_mode1, &TForm1::pnl_mode2,
                                                     &TForm1::pnl_mode3, &TForm1::pnl_mode4,
                                                     &TForm1::pnl_mode5};
inline constexpr Family<LabelControl, 5> kModeNames{&TForm1::MouseMode, &TForm1::Win8Mode,
                                                    &TForm1::GameMode, &TForm1::MediaMode,
                                                    &TForm1::OfficeMode};
inline constexpr Family<ImageControl, 5> kModeImages{&TForm1::img_mode1, &TForm1::img_mode2,
                                                     &TForm1::img_mode3, &TForm1::img_mode4,
                                                     &TForm1::img_mode5};
// gbMenu's rows 1..10.
inline constexpr Family<LabelControl, 10> kMenuRows{
    &TForm1::lbl_basekeys, &TForm1::lbl_gaming, &TForm1::lbl_office, &TForm1::lbl_media,
    &TForm1::lbl_ie,       &TForm1::lbl_win8,   &TForm1::lbl_os,     &TForm1::lbl_other,
    &TForm1::lbl_mode,     &TForm1::lbl_keyoff};
// The sub-lists of categories 1..8, their backgrounds and indicators.
inline constexpr Family<PanelControl, 8> kSubLists{
    &TForm1::gbbasekeys, &TForm1::gbgaming, &TForm1::gboffice, &TForm1::gbmedia,
    &TForm1::gbie,       &TForm1::gbwin8,   &TForm1::gbos,     &TForm1::gbother};
inline constexpr Family<ImageControl, 8> kSubListBackgrounds{
    &TForm1::img_gbbasekeys, &TForm1::img_gbgaming, &TForm1::img_gboffice, &TForm1::img_gbmedia,
    &TForm1::img_gbie,       &TForm1::img_gbwin8,   &TForm1::img_gbos,     &TForm1::img_gbother};
inline constexpr Family<QSlider, 8> kSubListIndicators{
    &TForm1::TB_basekeys, &TForm1::TB_gaming, &TForm1::TB_office, &TForm1::TB_media,
    &TForm1::TB_ie,       &TForm1::TB_win8,   &TForm1::TB_os,     &TForm1::TB_other};
inline constexpr Family<LabelControl, 8> kExtendMarkers{
    &TForm1::lbl_extend1, &TForm1::lbl_extend2, &TForm1::lbl_extend3, &TForm1::lbl_extend4,
    &TForm1::lbl_extend5, &TForm1::lbl_extend6, &TForm1::lbl_extend7, &TForm1::lbl_extend8};

// A label at its design place, white text, transparent.
LabelControl* makeLabel(QWidget* parent, const QString& name, const QString& caption,
                        QRect geometry, const QFont& font,
                        Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

// An image control at its design place and size.
ImageControl* makeImage(QWidget* parent, const QString& name, QRect geometry,
                        ImageControl::Placement placement);

// A panel at its design place.
PanelControl* makePanel(QWidget* parent, const QString& name, QRect geometry);

// A horizontal track bar of the pages, range min..max, at position.
QSlider* makeTrackBar(QWidget* parent, const QString& name, QRect geometry, int min, int max,
                      int position);

// Tick labels under a horizontal track bar: one per text, spread over its width.
void addTickLabels(QWidget* parent, const QSlider* bar, const QStringList& texts, int top);

// A hidden check box outside the window, holding a value that files and the
// registry read.
QCheckBox* makeHiddenCheckBox(QWidget* parent, const QString& name, const QString& text, QPoint at);

// The name of member n of a numbered family ("Key" + 4 = "Key4").
QString numbered(const char* stem, int n);

}  // namespace kestrovane::detail
