// TForm1: the tab strip, the page panels, the four commands, the version
// labels, the button page and the hidden device page.

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <utility>

#include "app/TForm1_detail.h"
#include "app/main.h"
#include "base/CodePage.h"
#include "ui/ErrorReport.h"
#include "ui/ModeConfigure.h"
#include "ui/Style.h"

namespace kestrovane {

using namespace detail;

namespace {

constexpr int kTabTop = 96;
constexpr int kTabHeight = 36;
constexpr std::array kTabLeft{420, 492, 562, 640, 710};
constexpr std::array kTabWidth{69, 69, 78, 69, 69};
// The underline sits 24 px below the tab's top.
constexpr int kTitleImageTop = 24;
constexpr int kTitleImageWidth = 63;
constexpr int kTitleImageHeight = 7;

constexpr QRect kPageArea{418, 149, 418, 376};
// Page backgrounds: the button and lighting pages' pictures are 418 x 362,
// the others 417 x 361.
constexpr std::array kPageNames{"page_MseKeys", "page_Macro", "page_About", "page_BreathLED",
                                "page_MseAdv"};
constexpr std::array kPageImageNumbers{1, 3, 5, 4, 2};

// The key labels in row order (their captions are the model's).
constexpr std::array kKeyRows{1, 2, 3, 6, 7, 8, 5, 4};
constexpr std::array kKeyRowTops{49, 77, 105, 134, 162, 191, 218, 245};
constexpr int kKeyRowNine = 273;
constexpr int kKeyLeft = 122;
constexpr int kKeyWidth = 154;
constexpr int kKeyHeight = 22;
constexpr int kKeyNumberLeft = 56;

constexpr int kModeTop = 310;
constexpr std::array kModeLeft{50, 118, 186, 254, 322};
constexpr std::array kModeLabelNames{"MouseMode", "Win8Mode", "GameMode", "MediaMode",
                                     "OfficeMode"};

struct Command {
  LabelControl* TForm1::*member;
  const char* name;
  int left;
  int width;
};
constexpr std::array kCommands{
    Command{&TForm1::SaveConf, "SaveConf", 424, 68},
    Command{&TForm1::Apply, "Apply", 496, 60},
    Command{&TForm1::Btn_Exit, "Btn_Exit", 560, 64},
    Command{&TForm1::DefaultSetting, "DefaultSetting", 630, 126},
};
constexpr int kCommandTop = 540;
constexpr int kCommandHeight = 38;

// Off-window places: the version labels right of the window, the device page
// below and right of it.
constexpr QPoint kVersionLabel{912, 72};
constexpr QPoint kDevicePage{864, 692};

}  // namespace

void TForm1::createTabsAndPages() {
  for (std::size_t i = 0; i < kTabLeft.size(); ++i) {
    const int n = static_cast<int>(i) + 1;
    auto* tab =
        makePanel(this, numbered("pnl_page", n), {kTabLeft[i], kTabTop, kTabWidth[i], kTabHeight});
    auto* title = makeLabel(tab, numbered("lbl_title", n), QString(),
                            {0, 0, kTabWidth[i], kTitleImageTop}, yaHeiFont(14), Qt::AlignCenter);
    auto* underline = makeImage(tab, numbered("img_title", n),
                                {(kTabWidth[i] - kTitleImageWidth) / 2, kTitleImageTop,
                                 kTitleImageWidth, kTitleImageHeight},
                                ImageControl::Placement::Centre);
    this->*kPageTabs[i] = tab;
    this->*kPageTitles[i] = title;
    this->*kPageTitleImages[i] = underline;
    // The panel and its caption share the hover; the underline only the click.
    connect(tab, &PanelControl::clicked, this, [this, n] { pnl_pageClick(n); });
    connect(title, &LabelControl::clicked, this, [this, n] { pnl_pageClick(n); });
    connect(underline, &ImageControl::clicked, this, [this, n] { pnl_pageClick(n); });
    connect(tab, &PanelControl::mouseEntered, this, [this, n] { pnl_pageMouseEnter(n); });
    connect(title, &LabelControl::mouseEntered, this, [this, n] { pnl_pageMouseEnter(n); });
    connect(tab, &PanelControl::mouseLeft, this, [this, n] { pnl_pageMouseLeave(n); });
    connect(title, &LabelControl::mouseLeft, this, [this, n] { pnl_pageMouseLeave(n); });
  }

  for (std::size_t i = 0; i < kPageNames.size(); ++i) {
    auto* page = makePanel(this, QString::fromLatin1(kPageNames[i]), kPageArea);
    this->*kPages[i] = page;
    const int number = kPageImageNumbers[i];
    const QSize pictureSize = (number == 1 || number == 4) ? QSize(418, 362) : QSize(417, 361);
    auto* background = makeImage(page, numbered("img_page", number), {{0, 0}, pictureSize},
                                 ImageControl::Placement::Centre);
    connect(background, &ImageControl::clicked, this, &TForm1::page_MseKeysClick);
    switch (number) {
      case 1:
        img_page1 = background;
        break;
      case 2:
        img_page2 = background;
        break;
      case 3:
        img_page3 = background;
        break;
      case 4:
        img_page4 = background;
        break;
      default:
        img_page5 = background;
        break;
    }
  }
  connect(page_MseKeys, &PanelControl::clicked, this, &TForm1::page_MseKeysClick);

  for (const Command& command : kCommands) {
    this->*command.member = makeLabel(this, QString::fromLatin1(command.name), QString(),
                                      {command.left, kCommandTop, command.width, kCommandHeight},
                                      yaHeiFont(20), Qt::AlignCenter);
  }
  connect(SaveConf, &LabelControl::clicked, this, &TForm1::SaveConfClick);
  connect(Apply, &LabelControl::clicked, this, &TForm1::ApplyClick);
  connect(Btn_Exit, &LabelControl::clicked, this, &TForm1::Btn_ExitClick);
  connect(DefaultSetting, &LabelControl::clicked, this, &TForm1::DefaultSettingClick);

  lbl_version = makeLabel(this, QStringLiteral("lbl_version"), QString(),
                          {kVersionLabel, QSize(0, 16)}, yaHeiFont(12));
  lbl_version->setAutoSize(true);
  lbl_Ver = makeLabel(this, QStringLiteral("lbl_Ver"), QString(), {kVersionLabel, QSize(0, 16)},
                      yaHeiFont(12));
  lbl_Ver->setAutoSize(true);
}

void TForm1::createKeysPage() {
  for (int n = 1; n <= 9; ++n) {
    const int top = n <= 8 ? kKeyRowTops[static_cast<std::size_t>(n - 1)] : kKeyRowNine;
    this->*kKeyNumbers[static_cast<std::size_t>(n - 1)] =
        makeLabel(page_MseKeys, numbered("lbl_key", n), QString::number(n),
                  {kKeyNumberLeft, top, 24, kKeyHeight}, arialFont(14), Qt::AlignCenter);
  }
  lbl_key9->hide();

  const auto makeKey = [this](int key, QPoint at) {
    auto* label = makeLabel(page_MseKeys, numbered("Key", key), QString(),
                            {at, QSize(kKeyWidth, kKeyHeight)}, arialFont(14), Qt::AlignCenter);
    label->setColor(kTeal);
    this->*kKeys[static_cast<std::size_t>(key - 1)] = label;
    return label;
  };
  for (std::size_t row = 0; row < kKeyRows.size(); ++row)
    makeKey(kKeyRows[row], {kKeyLeft, kKeyRowTops[row]});
  // Key9 lies beyond the page's right edge and is never seen; Key10 is row 9,
  // hidden; Key11 and Key12 are hidden.
  makeKey(9, {kPageArea.width() + 12, kKeyRowNine});
  makeKey(10, {kKeyLeft, kKeyRowNine})->hide();
  makeKey(11, {kKeyLeft, kKeyRowNine})->hide();
  makeKey(12, {kKeyLeft, kKeyRowNine})->hide();

  for (std::size_t i = 0; i < kModeLeft.size(); ++i) {
    const int n = static_cast<int>(i) + 1;
    auto* panel =
        makePanel(page_MseKeys, numbered("pnl_mode", n), {kModeLeft[i], kModeTop, 68, 32});
    this->*kModePanels[i] = panel;
    this->*kModeNames[i] = makeLabel(panel, QString::fromLatin1(kModeLabelNames[i]), QString(),
                                     {0, 0, 68, 24}, yaHeiFont(12), Qt::AlignCenter);
    this->*kModeImages[i] =
        makeImage(panel, numbered("img_mode", n), {4, 25, 60, 7}, ImageControl::Placement::Centre);
  }

  ModeMenu = new QMenu(this);
  ModeMenu->setObjectName(QStringLiteral("ModeMenu"));
  MenuName = ModeMenu->addAction(QString());
  MenuName->setObjectName(QStringLiteral("MenuName"));
  connect(MenuName, &QAction::triggered, this, [this] { runGuarded([this] { MenuNameClick(); }); });
  // The design attaches the menu to nothing; a right click on a mode panel or
  // its name opens it at the pointer, where users look for a rename, and the
  // name goes to the mode the user pointed at. The click selects nothing:
  // selecting reloads the mode, which would drop the unsaved changes of the
  // current one even when the rename is then cancelled.
  for (int n = 1; n <= kModeCount; ++n) {
    for (QWidget* surface :
         {static_cast<QWidget*>(modePanel(n)), static_cast<QWidget*>(modeName(n))}) {
      surface->setContextMenuPolicy(Qt::CustomContextMenu);
      connect(surface, &QWidget::customContextMenuRequested, this, [this, n, surface](QPoint at) {
        m_renameMode = n;
        ModeMenu->popup(surface->mapToGlobal(at));
      });
    }
  }
}

void TForm1::MenuNameClick() {
  const int pointedAt = std::exchange(m_renameMode, 0);
  const QString name = m_modeNamePresenter ? m_modeNamePresenter() : TForm3::askName(this, m_paths);
  const int mode = pointedAt != 0 ? pointedAt : m_model.firstSelectedMode();
  if (name.isEmpty() || mode == 0) return;
  m_model.setModeName(mode, utf8ToCodePage(name.toStdString()));
}

void TForm1::setModeNamePresenter(std::function<QString()> presenter) {
  m_modeNamePresenter = std::move(presenter);
}

void TForm1::createDevicePage() {
  page_Device = makePanel(this, QStringLiteral("page_Device"), {kDevicePage, QSize(330, 320)});
  page_Device->hide();
  const auto makeButton = [this](const QString& name, const QString& caption, int column, int row) {
    auto* button = new QPushButton(caption, page_Device);
    button->setObjectName(name);
    button->setGeometry(8 + 160 * column, 8 + 26 * row, 150, 24);
    return button;
  };
  const std::array writeModes{&btnWriteMode1, &btnWriteMode2, &btnWriteMode3, &btnWriteMode4,
                              &btnWriteMode5};
  const std::array readModes{&btnReadMode1, &btnReadMode2, &btnReadMode3, &btnReadMode4,
                             &btnReadMode5};
  for (int n = 1; n <= 5; ++n) {
    const auto i = static_cast<std::size_t>(n - 1);
    *writeModes[i] = makeButton(numbered("btnWriteMode", n), numbered("Write Mode", n), 0, n - 1);
    *readModes[i] = makeButton(numbered("btnReadMode", n), numbered("Read Mode", n), 1, n - 1);
    connect(*writeModes[i], &QPushButton::clicked, this,
            [this, n] { runGuarded([this, n] { m_commands.WriteMode(n); }); });
    connect(*readModes[i], &QPushButton::clicked, this,
            [this, n] { runGuarded([this, n] { m_commands.ReadMode(n); }); });
  }
  const std::array macros{&TntButton1, &TntButton2, &TntButton3, &TntButton4, &TntButton5,
                          &TntButton6, &TntButton7, &TntButton8, &TntButton9, &TntButton10};
  for (int k = 1; k <= 10; ++k) {
    auto*& button = *macros[static_cast<std::size_t>(k - 1)];
    button = makeButton(numbered("TntButton", k), numbered("Write Macro", k), (k - 1) % 2,
                        5 + (k - 1) / 2);
    connect(button, &QPushButton::clicked, this,
            [this, k] { runGuarded([this, k] { m_commands.WriteMacro(k); }); });
  }
  btnGetFWVersion =
      makeButton(QStringLiteral("btnGetFWVersion"), QStringLiteral("Get Firmware Version"), 0, 10);
  btnChangeRegPro1 = makeButton(QStringLiteral("btnChangeRegPro1"),
                                QStringLiteral("Change Register Process 1"), 1, 10);
  btnChangeRegPro2 = makeButton(QStringLiteral("btnChangeRegPro2"),
                                QStringLiteral("Change Register Process 2"), 0, 11);
  connect(btnGetFWVersion, &QPushButton::clicked, this,
          [this] { runGuarded([this] { m_commands.GetFirmwareVersion(); }); });
  connect(btnChangeRegPro1, &QPushButton::clicked, this,
          [this] { runGuarded([this] { m_model.btnChangeRegPro1Click(); }); });
  connect(btnChangeRegPro2, &QPushButton::clicked, this,
          [this] { runGuarded([this] { m_model.btnChangeRegPro2Click(); }); });
}

// Select page n.
void TForm1::pnl_pageClick(int n) {
  if (n < 1 || n > 5) return;
  HideFunctionMenus();
  ResetPageTabs();
  ShowSkinImage(pageTitleImage(n), "title_base_3");
  page(n)->show();
  m_clock.processEvents();
}

// Every underline shows "title_base_1" (when it exists) and every page is
// hidden, whether or not the picture exists.
void TForm1::ResetPageTabs() {
  for (int n = 1; n <= 5; ++n) ShowSkinImage(pageTitleImage(n), "title_base_1");
  for (int n = 1; n <= 5; ++n) page(n)->hide();
}

void TForm1::pnl_pageMouseEnter(int n) {
  if (ImageControl* underline = pageTitleImage(n)) ShowSkinImage(underline, "title_base_2");
}

void TForm1::pnl_pageMouseLeave(int n) {
  ImageControl* underline = pageTitleImage(n);
  if (underline == nullptr) return;
  ShowSkinImage(underline, page(n)->isVisibleTo(this) ? "title_base_3" : "title_base_1");
}

PanelControl* TForm1::page(int n) const {
  return familyMember(*this, kPages, n);
}

PanelControl* TForm1::pageTab(int n) const {
  return familyMember(*this, kPageTabs, n);
}

LabelControl* TForm1::pageTitle(int n) const {
  return familyMember(*this, kPageTitles, n);
}

ImageControl* TForm1::pageTitleImage(int n) const {
  return familyMember(*this, kPageTitleImages, n);
}

LabelControl* TForm1::key(int n) const {
  return familyMember(*this, kKeys, n);
}

LabelControl* TForm1::keyNumber(int n) const {
  return familyMember(*this, kKeyNumbers, n);
}

PanelControl* TForm1::modePanel(int n) const {
  return familyMember(*this, kModePanels, n);
}

LabelControl* TForm1::modeName(int n) const {
  return familyMember(*this, kModeNames, n);
}

ImageControl* TForm1::modeImage(int n) const {
  return familyMember(*this, kModeImages, n);
}

}  // namespace kestrovane
