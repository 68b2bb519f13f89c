// TForm1: the function menu of the button page (gbMenu and its eight
// sub-lists), its hover handlers, and the helpers that close it.

#include <QSlider>

#include "app/TForm1_detail.h"
#include "app/main.h"
#include "config/KeyFunction.h"
#include "ui/Style.h"

namespace kestrovane {

using namespace detail;

namespace {

// Rows are 23 px high and 24 px apart, the first at y 4, each preceded by its
// row number.
constexpr int kFirstRowTop = 4;
constexpr int kRowPitch = 24;
constexpr int kRowHeight = 23;
constexpr int kRowNumberLeft = 4;
constexpr int kRowNumberWidth = 18;
constexpr int kRowLeft = 24;
constexpr int kCategoryRowWidth = 153;
constexpr int kKeyOffRowWidth = 145;
constexpr int kSubListRowWidth = 123;
// The arrow marker of a category row: x 156 of gbMenu, 18 wide.
constexpr int kMarkerLeft = 156;
constexpr int kMarkerWidth = 18;
constexpr int kIndicatorWidth = 18;
constexpr int kIndicatorMargin = 3;

// Menu backgrounds (and so the panels) by number of rows.
constexpr QSize kMainMenuSize{217, 250};
QSize subListSize(int rows) {
  switch (rows) {
    case 9:
      return {187, 226};
    case 8:
      return {187, 202};
    case 7:
      return {187, 178};
    case 5:
      return {187, 129};
    default:
      return {187, 106};
  }
}

// The panels lie outside the window until they are placed.
constexpr int kParkedLeft = 920;

int rowTop(int row) {
  return kFirstRowTop + kRowPitch * row;
}

QString fromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void TForm1::createFunctionMenu() {
  const auto categories = functionCategories();

  // One menu panel: its background, which sizes it, and its indicator.
  const auto makeMenuPanel = [this](const QString& name, const QString& indicatorName, QSize size,
                                    int rows, int parkedTop, ImageControl*& background,
                                    QSlider*& indicator) {
    auto* panel = makePanel(this, name, {{kParkedLeft, parkedTop}, size});
    panel->hide();
    background = makeImage(panel, QStringLiteral("img_") + name, {{0, 0}, size},
                           ImageControl::Placement::AutoSize);
    // A click on the background is a click on the panel's empty area.
    background->setAttribute(Qt::WA_TransparentForMouseEvents);
    indicator = new QSlider(Qt::Vertical, panel);
    indicator->setObjectName(indicatorName);
    indicator->setRange(0, rows - 1);
    indicator->setInvertedAppearance(true);  // position 0 at the top row
    indicator->setFocusPolicy(Qt::NoFocus);
    indicator->setAttribute(Qt::WA_TransparentForMouseEvents);
    indicator->setGeometry(size.width() - kIndicatorWidth - kIndicatorMargin, kFirstRowTop,
                           kIndicatorWidth, kRowPitch * rows - 1);
    connect(background, &ImageControl::pictureChanged, panel, [panel, background, indicator] {
      panel->resize(background->size());
      indicator->move(panel->width() - kIndicatorWidth - kIndicatorMargin, kFirstRowTop);
    });
    connect(panel, &PanelControl::clicked, this, &TForm1::page_MseKeysClick);
    return panel;
  };

  const auto makeRow = [this](PanelControl* panel, int row, std::string_view name, int width) {
    auto* number = makeLabel(
        panel, panel->objectName() + QStringLiteral("_no%1").arg(row + 1), QString::number(row + 1),
        {kRowNumberLeft, rowTop(row), kRowNumberWidth, kRowHeight}, arialFont(12), Qt::AlignCenter);
    number->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* label = makeLabel(panel, fromView(name), QString(),
                            {kRowLeft, rowTop(row), width, kRowHeight}, arialFont(12));
    label->setIndent(4);
    label->setColor(kTeal);
    m_menuItems.push_back(label);
    return label;
  };

  // gbMenu: ten rows; rows 1..8 carry the arrow marker of their sub-list.
  gbMenu = makeMenuPanel(QStringLiteral("gbMenu"), QStringLiteral("TB_menu"), kMainMenuSize, 10, 0,
                         img_gbMenu, TB_menu);
  for (std::size_t i = 0; i < categories.size(); ++i) {
    const int row = static_cast<int>(i);
    const int width = row == 9 ? kKeyOffRowWidth : kCategoryRowWidth;
    this->*kMenuRows[i] = makeRow(gbMenu, row, categories[i].label, width);
  }
  for (int k = 1; k <= 8; ++k) {
    auto* marker = makeLabel(gbMenu, numbered("lbl_extend", k), QStringLiteral("^"),
                             {kMarkerLeft, rowTop(k - 1), kMarkerWidth, kRowHeight},
                             arialFont(12, true), Qt::AlignCenter);
    // The marker is drawn over its row and belongs to it for the pointer.
    marker->setAttribute(Qt::WA_TransparentForMouseEvents);
    this->*kExtendMarkers[static_cast<std::size_t>(k - 1)] = marker;
  }

  // The eight sub-lists, each with the rows of its category in table order.
  int parkedTop = kMainMenuSize.height() + 8;
  for (int k = 1; k <= 8; ++k) {
    const FunctionCategory& category = categories[static_cast<std::size_t>(k - 1)];
    std::vector<const FunctionItem*> items;
    for (const FunctionItem& item : functionTable())
      if (item.panel == category.panel) items.push_back(&item);
    const auto rows = static_cast<int>(items.size());
    const auto i = static_cast<std::size_t>(k - 1);
    ImageControl*& background = this->*kSubListBackgrounds[i];
    QSlider*& indicator = this->*kSubListIndicators[i];
    auto* panel = makeMenuPanel(fromView(category.panel), fromView(category.indicator),
                                subListSize(rows), rows, parkedTop, background, indicator);
    this->*kSubLists[i] = panel;
    parkedTop += panel->height() + 8;
    for (int row = 0; row < rows; ++row) {
      auto* label =
          makeRow(panel, row, items[static_cast<std::size_t>(row)]->label, kSubListRowWidth);
      m_subListRows[i].push_back(label);
      connect(label, &LabelControl::mouseEntered, this,
              [this, k, row] { subListRowMouseEnter(k, row); });
      connect(label, &LabelControl::mouseLeft, this,
              [this, label] { lbl_msekey_leftMouseLeave(label); });
    }
  }

  for (int k = 1; k <= 8; ++k) {
    LabelControl* row = menuRow(k);
    connect(row, &LabelControl::mouseEntered, this, [this, k] { categoryMouseEnter(k); });
    connect(row, &LabelControl::mouseLeft, this, [this, k] { categoryMouseLeave(k); });
  }
  connect(lbl_mode, &LabelControl::mouseEntered, this, &TForm1::lbl_modeMouseEnter);
  connect(lbl_keyoff, &LabelControl::mouseEntered, this, &TForm1::lbl_keyoffMouseEnter);
  connect(lbl_mode, &LabelControl::mouseLeft, this, [this] { lbl_modeMouseLeave(lbl_mode); });
  connect(lbl_keyoff, &LabelControl::mouseLeft, this, [this] { lbl_modeMouseLeave(lbl_keyoff); });
}

// Hides the menu and its sub-lists in this order, then lets pending events run.
void TForm1::HideFunctionMenus() {
  gbMenu->hide();
  for (int k = 1; k <= 8; ++k) subList(k)->hide();
  m_clock.processEvents();
}

void TForm1::ResetKeyHighlights() {
  for (int n = 1; n <= kKeyCount; ++n) key(n)->setTransparent(true);
}

void TForm1::ClearKeySelection() {
  keySelected.fill(false);
}

// The eight category rows; rows 9 and 10 are left alone.
void TForm1::ResetCategoryHighlights() {
  for (int k = 1; k <= 8; ++k) menuRow(k)->setTransparent(true);
}

// Dismisses the function menu: no key highlighted, menu closed, no key selected.
void TForm1::page_MseKeysClick() {
  ResetKeyHighlights();
  HideFunctionMenus();
  ClearKeySelection();
}

// Opens sub-list k over the right part of the menu, its first row level with
// category row k.
void TForm1::categoryMouseEnter(int k) {
  if (k < 1 || k > 8) return;
  ResetCategoryHighlights();
  PanelControl* list = subList(k);
  const LabelControl* marker = extendMarker(k);
  list->move(gbMenu->x() + marker->x() + marker->width() / 2, gbMenu->y() + marker->y());
  menuRow(k)->setTransparent(false);
  gbMenu->show();
  for (int other = 1; other <= 8; ++other)
    if (other != k) subList(other)->hide();
  list->show();
  list->raise();
  TB_menu->setValue(k - 1);
}

// The category whose sub-list is open stays marked while the pointer is in it.
void TForm1::categoryMouseLeave(int k) {
  if (k < 1 || k > 8) return;
  menuRow(k)->setTransparent(!subList(k)->isVisibleTo(this));
}

void TForm1::lbl_modeMouseEnter() {
  ResetCategoryHighlights();
  lbl_mode->setTransparent(false);
  gbMenu->show();
  for (int k = 1; k <= 8; ++k) subList(k)->hide();
  TB_menu->setValue(8);
}

void TForm1::lbl_keyoffMouseEnter() {
  ResetCategoryHighlights();
  lbl_keyoff->setTransparent(false);
  gbMenu->show();
  for (int k = 1; k <= 8; ++k) subList(k)->hide();
  TB_menu->setValue(9);
}

void TForm1::lbl_modeMouseLeave(LabelControl* row) {
  row->setTransparent(true);
}

void TForm1::subListRowMouseEnter(int k, int row) {
  if (k < 1 || k > 8) return;
  const std::vector<LabelControl*>& rows = m_subListRows[static_cast<std::size_t>(k - 1)];
  if (row < 0 || static_cast<std::size_t>(row) >= rows.size()) return;
  rows[static_cast<std::size_t>(row)]->setTransparent(false);
  subListIndicator(k)->setValue(row);
}

void TForm1::lbl_msekey_leftMouseLeave(LabelControl* row) {
  row->setTransparent(true);
}

LabelControl* TForm1::menuRow(int row) const {
  return familyMember(*this, kMenuRows, row);
}

PanelControl* TForm1::subList(int k) const {
  return familyMember(*this, kSubLists, k);
}

ImageControl* TForm1::subListBackground(int k) const {
  return familyMember(*this, kSubListBackgrounds, k);
}

QSlider* TForm1::subListIndicator(int k) const {
  return familyMember(*this, kSubListIndicators, k);
}

LabelControl* TForm1::extendMarker(int k) const {
  return familyMember(*this, kExtendMarkers, k);
}

LabelControl* TForm1::menuItem(std::string_view label) const {
  const QString name = QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size()));
  for (LabelControl* item : m_menuItems)
    if (item->objectName() == name) return item;
  return nullptr;
}

}  // namespace kestrovane
