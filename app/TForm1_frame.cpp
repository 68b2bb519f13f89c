// TForm1: the window frame, the start-up sequence, activation and closing,
// and the controls that depend on the mouse.

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPalette>
#include <QScreen>
#include <QSlider>
#include <QTimer>

#include "app/TForm1_detail.h"
#include "app/main.h"
#include "ui/ErrorReport.h"
#include "ui/SkinImages.h"
#include "ui/Style.h"
#include "ui/WindowDrag.h"
#include "ui/WindowShape.h"

namespace kestrovane {

using namespace detail;

TForm1::TForm1(Clock& clock, ProgramModel& model, StartupSteps& startup, WindowCommands& commands,
               QWidget* parent)
    : QWidget(parent), m_clock(clock), m_model(model), m_startup(startup), m_commands(commands) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QString::fromLatin1(kMainWindowCaption));
  resize(kFormWidth, kFormHeight);
  createFrame();
  createTabsAndPages();
  createKeysPage();
  createMacroPage();
  createSensitivityPage();
  createLightingPage();
  createSystemPage();
  createDevicePage();
  createFunctionMenu();
  bindOptionHandlers();
  bindKeyHandlers();
  bindModelControls();
  bindCaptions();
  bindMacroPage();
  bindThemes();
  watchWindowShape();
  m_drag = new WindowDrag(this);
  // The device-dependent controls are off until the mouse is linked.
  DisableDeviceControls();
  m_model.setObserver(this);
  modelChanged(kAspectAll);
}

TForm1::~TForm1() {
  m_model.setObserver(nullptr);
  if (m_detectionTimer != 0) m_clock.stopTimer(m_detectionTimer);
}

void TForm1::createFrame() {
  img_base = makeImage(this, QStringLiteral("img_base"), {0, 0, 905, 619},
                       ImageControl::Placement::TopLeft);
  connect(img_base, &ImageControl::mousePressed, this, &TForm1::img_baseMouseDown);
  connect(img_base, &ImageControl::clicked, this, &TForm1::page_MseKeysClick);

  TntLabel13 = makeLabel(this, QStringLiteral("TntLabel13"), QString(), {66, 107, 320, 20},
                         yaHeiFont(14, true));
  // The heading runs the factory reset too, and is never disabled.
  connect(TntLabel13, &LabelControl::clicked, this, &TForm1::DefaultSettingClick);

  btnMinimize = makePanel(this, QStringLiteral("btnMinimize"), {784, 53, 18, 18});
  btnMinimize->setCaption(QStringLiteral("-"));
  btnMinimize->setFont(arialFont(14, true));
  connect(btnMinimize, &PanelControl::clicked, this, &TForm1::btnMinimizeClick);
  btnClose = makePanel(this, QStringLiteral("btnClose"), {808, 53, 18, 18});
  btnClose->setCaption(QStringLiteral("X"));
  btnClose->setFont(arialFont(12, true));
  connect(btnClose, &PanelControl::clicked, this, &TForm1::btnCloseClick);
}

void TForm1::FormCreate() {
  // 1. The counters and option flags of the window.
  macroCount = 0;
  m_model.mse1Flag = m_model.mse2Flag = m_model.xyFlag = m_model.cycleMaxFlag = m_model.cycleFlag =
      false;
  modelChanged(kAspectChecks);

  // 2. The first page only.
  page_MseKeys->show();
  page_MseAdv->hide();
  page_Macro->hide();
  page_BreathLED->hide();
  page_About->hide();
  page_Device->hide();

  // 3. Window shape: maroon is the key colour, see-through wherever the window
  //    draws it (the outline is cut when the window has its pictures).
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kMaroon);
  setPalette(palette);
  setAutoFillBackground(true);
  m_colourKeyed = true;

  // 4. The folders under the current directory.
  fillWorkPaths(m_paths, m_startup.currentDirectory());
  m_model.setPaths(m_paths);

  // 5. Borderless, fixed size, centred on the screen.
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setFixedSize(kFormWidth, kFormHeight);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(centredTopLeft(screen->geometry(), size()));

  // 6. The mouse identities.
  m_startup.FillDeviceIdTable();

  // 7. The theme files lie in the working directory itself.
  suiFileTheme1.setThemeFile(joinPath(m_paths.workDir, "ZQK_A.sui"));
  suiFileTheme2.setThemeFile(joinPath(m_paths.workDir, "ZQK_B.sui"));

  // 8.-11. Each step that reads files stands on its own: a file that cannot
  // be read is told once, the step keeps what a missing file gives, and
  // start-up goes on, so that the mouse is still linked and the rest read.
  runGuarded([this] { LoadSkins(); });
  m_startup.ChooseLanguage();
  runGuarded([this] { m_startup.LoadMainTexts(); });
  runGuarded([this] { m_startup.ReadGeneralSettings(); });

  // 12.-14.
  m_clock.processEvents();
  pnl_pageClick(1);
  m_model.loadOnModeSelect = true;

  // 15. The first detection tick comes one interval from now.
  if (m_detectionTimer != 0) m_clock.stopTimer(m_detectionTimer);
  m_detectionTimer =
      m_clock.startTimer(kDetectionInterval, [this] { m_startup.DetectHIDDeviceCounterTimer(); });

  // 16.-17.
  runGuarded([this] { m_startup.LoadCurrentMode(); });
  m_clock.processEvents();

  // 18. The macro folder beside the executable; one level, a failure is ignored.
  fillProgramPaths(m_paths, m_startup.executableDirectory());
  m_model.setPaths(m_paths);
  QDir().mkdir(QFile::decodeName(QByteArray::fromStdString(m_paths.macroDir)));

  // 19. The macro list, first time.
  runGuarded([this] { m_startup.LoadMacroList(); });
  UpdateWindowShape();
}

void TForm1::FormActivate() {
  m_model.iniWriteSuppressed = false;
}

void TForm1::FormCloseQuery() {
  m_startup.WriteGeneralSettings();
  m_clock.processEvents();
}

bool TForm1::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) FormActivate();
  return QWidget::event(event);
}

void TForm1::closeEvent(QCloseEvent* event) {
  // The close goes ahead whatever happens to the settings: an error is shown
  // and the window still closes.
  runGuarded([this] { FormCloseQuery(); });
  event->accept();
}

void TForm1::btnMinimizeClick() {
  showMinimized();
}

void TForm1::btnCloseClick() {
  close();
}

void TForm1::Btn_ExitClick() {
  close();
}

void TForm1::RestoreAndRaise() {
  if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  activateWindow();
}

void TForm1::img_baseMouseDown(Qt::MouseButton, QPoint globalPos) {
  m_drag->begin(img_base, globalPos, [this] { img_base->cancelClick(); });
}

void TForm1::ApplyClick() {
  m_commands.ApplyClick();
}

void TForm1::SaveConfClick() {
  m_commands.SaveCurrentMode();
}

void TForm1::DefaultSettingClick() {
  m_commands.FactoryReset();
}

std::vector<QWidget*> TForm1::deviceDependentControls() const {
  return {lbl_title1, lbl_title2,     lbl_title3, lbl_title4, lbl_title5, pnl_page1,  pnl_page2,
          pnl_page3,  pnl_page4,      pnl_page5,  img_title1, img_title2, img_title3, img_title4,
          img_title5, Key1,           Key2,       Key3,       Key4,       Key5,       Key6,
          Key7,       Key8,           Key9,       Key10,      Key11,      Key12,      MouseMode,
          Win8Mode,   GameMode,       MediaMode,  OfficeMode, pnl_mode1,  pnl_mode2,  pnl_mode3,
          pnl_mode4,  pnl_mode5,      img_mode1,  img_mode2,  img_mode3,  img_mode4,  img_mode5,
          SaveConf,   DefaultSetting, Btn_Exit,   Apply};
}

void TForm1::DisableDeviceControls() {
  m_deviceLinked = false;
  for (QWidget* control : deviceDependentControls()) control->setEnabled(false);
  lbl_Ver->setText(QString());
}

void TForm1::EnableDeviceControls() {
  m_deviceLinked = true;
  for (QWidget* control : deviceDependentControls()) control->setEnabled(true);
  reflectDeviceLabels();
}

void TForm1::setCommandRunning(bool running) {
  m_commandRunning = running;
  reflectDeviceLabels();
}

// The four action labels: usable while the mouse is linked and no command
// runs, so a detection tick during Apply cannot start a second command.
void TForm1::reflectDeviceLabels() {
  const bool usable = m_deviceLinked && !m_commandRunning;
  for (QWidget* label : {SaveConf, DefaultSetting, Btn_Exit, Apply}) label->setEnabled(usable);
}

void TForm1::ShowFirmwareVersion(const std::string& text) {
  lbl_Ver->move(lbl_version->x() + lbl_version->width(), lbl_Ver->y());
  lbl_Ver->setText(QString::fromStdString(text));
}

void TForm1::ShowLoadingWindow() {
  m_commands.ShowLoadingWindow();
}

void TForm1::ShowSkinImage(ImageControl* control, std::string_view imageName) {
  if (kestrovane::ShowSkinImage(m_paths, control, imageName))
    m_shownPicture[control] = std::string(imageName);
}

// The views show the model's state after every change of it; a picture the
// control already shows is not read and decoded again.
void TForm1::showStatePicture(ImageControl* control, std::string_view imageName) {
  if (m_paths.skinsDir.empty()) return;
  const auto shown = m_shownPicture.find(control);
  if (shown != m_shownPicture.end() && shown->second == imageName) return;
  ShowSkinImage(control, imageName);
}

void TForm1::watchWindowShape() {
  for (QWidget* surface :
       {page_MseKeys, page_Macro, page_About, page_BreathLED, page_MseAdv, gbMenu, gbbasekeys,
        gbgaming, gboffice, gbmedia, gbie, gbwin8, gbos, gbother})
    surface->installEventFilter(this);
  for (ImageControl* image : findChildren<ImageControl*>())
    connect(image, &ImageControl::pictureChanged, this, &TForm1::scheduleWindowShape);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show || event->type() == QEvent::Hide) scheduleWindowShape();
  return QWidget::eventFilter(watched, event);
}

// Many changes come together (a page switch hides five pages and changes
// five pictures): the outline is recomputed once, after them.
void TForm1::scheduleWindowShape() {
  if (!m_colourKeyed || m_shapePending) return;
  m_shapePending = true;
  QTimer::singleShot(0, this, [this] {
    m_shapePending = false;
    UpdateWindowShape();
  });
}

void TForm1::UpdateWindowShape() {
  if (!m_colourKeyed) return;
  QRegion visible = colourKeyRegion(this, kMaroon);
  // An empty mask would mean no mask at all: keep one pixel instead of
  // showing the whole key-coloured window.
  if (visible.isEmpty()) visible = QRegion(0, 0, 1, 1);
  setMask(visible);
}

namespace detail {

LabelControl* makeLabel(QWidget* parent, const QString& name, const QString& caption,
                        QRect geometry, const QFont& font, Qt::Alignment alignment) {
  auto* label = new LabelControl(caption, parent);
  label->setObjectName(name);
  label->setFont(font);
  label->setAlignment(alignment);
  label->setGeometry(geometry);
  return label;
}

ImageControl* makeImage(QWidget* parent, const QString& name, QRect geometry,
                        ImageControl::Placement placement) {
  auto* image = new ImageControl(parent, placement);
  image->setObjectName(name);
  image->setGeometry(geometry);
  return image;
}

PanelControl* makePanel(QWidget* parent, const QString& name, QRect geometry) {
  auto* panel = new PanelControl(parent);
  panel->setObjectName(name);
  panel->setGeometry(geometry);
  return panel;
}

QSlider* makeTrackBar(QWidget* parent, const QString& name, QRect geometry, int min, int max,
                      int position) {
  auto* bar = new QSlider(Qt::Horizontal, parent);
  bar->setObjectName(name);
  bar->setRange(min, max);
  bar->setValue(position);
  bar->setPageStep(1);
  bar->setTickPosition(QSlider::TicksBelow);
  bar->setTickInterval(1);
  bar->setGeometry(geometry);
  return bar;
}

void addTickLabels(QWidget* parent, const QSlider* bar, const QStringList& texts, int top) {
  if (texts.size() < 2) return;
  // The slider's handle travels about its own width less one handle width;
  // the labels centre on the tick positions.
  constexpr int kHandleAllowance = 12;
  constexpr int kLabelWidth = 36;
  const int first = bar->x() + kHandleAllowance / 2;
  const int span = bar->width() - kHandleAllowance;
  const auto count = static_cast<int>(texts.size());
  for (int i = 0; i < count; ++i) {
    const int centre = first + span * i / (count - 1);
    auto* label =
        makeLabel(parent, bar->objectName() + QStringLiteral("_tick%1").arg(i), texts[i],
                  {centre - kLabelWidth / 2, top, kLabelWidth, 14}, arialFont(10), Qt::AlignCenter);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
  }
}

QCheckBox* makeHiddenCheckBox(QWidget* parent, const QString& name, const QString& text,
                              QPoint at) {
  auto* box = new QCheckBox(text, parent);
  box->setObjectName(name);
  box->move(at);
  box->hide();
  return box;
}

QString numbered(const char* stem, int n) {
  return QString::fromLatin1(stem) + QString::number(n);
}

}  // namespace detail

}  // namespace kestrovane
