// skinpreview RESOURCES_DIR OUT_DIR: composes the shipped pictures, theme
// files and texts the way the windows place them and saves one picture per
// page, the dialogs and the loading animation into OUT_DIR. The window's
// outline is cut as on screen: maroon and transparent parts show the
// checkered desktop. Positions the windows do not fix are only plausible.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QSlider>
#include <cstdio>
#include <string_view>

#include "config/CaptionTable.h"
#include "tools/skingen/SkinLayout.h"
#include "tools/skingen/SkinStyle.h"

namespace {

using namespace kestrovane;

QString g_resources;
const QColor kTeal(0, 128, 128);

// The built-in text of a window control or a dialog control, as the windows
// show it; stops at a name the caption table does not know.
QString captionText(std::string_view builtIn, std::string_view control) {
  if (builtIn.empty())
    qFatal("skinpreview: no caption for %.*s", int(control.size()), control.data());
  return QString::fromUtf8(builtIn.data(), qsizetype(builtIn.size()));
}

QString caption(std::string_view control) {
  return captionText(builtInCaption(control), control);
}

QString dialogCaption(std::string_view form, std::size_t index) {
  const auto texts = dialogTexts(form);
  return captionText(index < texts.size() ? texts[index].builtIn : std::string_view{}, form);
}

QPixmap skin(const QString& name) {
  return QPixmap(g_resources + "/skins/" + name + ".png");
}

QString theme(const QString& file) {
  QFile f(g_resources + "/" + file);
  return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QFont uiFont(int px, bool bold = false) {
  QFont f("WenQuanYi Micro Hei");
  f.setPixelSize(px);
  f.setBold(bold);
  return f;
}

QFont arial(int px) {
  QFont f("Arial");
  f.setPixelSize(px);
  return f;
}

QLabel* picture(QWidget* parent, QPoint at, const QString& name) {
  auto* l = new QLabel(parent);
  l->setPixmap(skin(name));
  l->move(at);
  l->resize(l->pixmap().size());
  return l;
}

QLabel* text(QWidget* parent, QRect r, const QString& t, const QFont& f,
             Qt::Alignment a = Qt::AlignCenter, bool highlighted = false,
             QColor colour = Qt::white) {
  auto* l = new QLabel(t, parent);
  l->setGeometry(r);
  l->setFont(f);
  l->setAlignment(a);
  QPalette pal = l->palette();
  pal.setColor(QPalette::WindowText, colour);
  pal.setColor(QPalette::Window, kTeal);
  l->setPalette(pal);
  l->setAutoFillBackground(highlighted);
  return l;
}

QSlider* slider(QWidget* parent, Qt::Orientation o, QRect r, int max, int value,
                const QString& sheet) {
  auto* s = new QSlider(o, parent);
  s->setRange(0, max);
  s->setValue(value);
  s->setGeometry(r);
  s->setStyleSheet(sheet);
  return s;
}

QWidget* page(QWidget* window, const QString& background) {
  auto* p = new QWidget(window);
  p->setGeometry(layout::kPageArea);
  picture(p, {0, 0}, background);
  return p;
}

void buttonPage(QWidget* w) {
  using namespace layout;
  QWidget* p = page(w, "btn_base");
  const char* keys[] = {"Key1", "Key2", "Key3", "Key6", "Key7", "Key8", "Key5", "Key4"};
  for (std::size_t row = 0; row < 8; ++row) {
    text(p, {kRowNumberLeft, kRowTop[row], 14, 22}, QString::number(row + 1), arial(13),
         Qt::AlignLeft | Qt::AlignVCenter);
    text(p, keyLabelRect(row), caption(keys[row]), arial(13), Qt::AlignCenter, row == 2);
  }
  const char* modes[] = {"MouseMode", "Win8Mode", "GameMode", "MediaMode", "OfficeMode"};
  for (std::size_t i = 0; i < 5; ++i) {
    const QRect r = modePanelRect(i);
    text(p, r.adjusted(0, 2, 0, -10), caption(modes[i]), uiFont(12));
    picture(p, r.topLeft() + QPoint(4, 23),
            i == 0   ? "mode_base_3"
            : i == 1 ? "mode_base_2"
                     : "mode_base_1");
  }
  // The function menu opened on Key3 with the mouse-button list.
  const QString b = theme("ZQK_B.sui");
  const QPoint menuAt = kPageArea.topLeft() + keyLabelRect(2).topLeft();
  QLabel* menu = picture(w, menuAt, "10Keys");
  const char* rows[] = {"lbl_basekeys", "lbl_gaming", "lbl_office", "lbl_media", "lbl_ie",
                        "lbl_win8",     "lbl_os",     "lbl_other",  "lbl_mode",  "lbl_keyoff"};
  for (int r = 0; r < 10; ++r) {
    const int top = kMenuFirstRow + r * kMenuRowPitch;
    text(menu, {3, top, 16, 23}, QString::number(r + 1), arial(12));
    text(menu, {21, top, r == 9 ? 145 : 153, 23}, "  " + caption(rows[r]), arial(13),
         Qt::AlignLeft | Qt::AlignVCenter, r == 0);
    if (r < 8) text(menu, {156, top, 18, 23}, "^", arial(12));
  }
  slider(menu, Qt::Vertical, {217 - 18, kMenuFirstRow, 18, 10 * kMenuRowPitch - 1}, 9, 0, b);
  QLabel* sub = picture(w, menuAt + QPoint(156 + 9, kMenuFirstRow), "7Keys");
  // The design's second row is lbl_msekey_mid, its third lbl_msekey_right.
  const char* subs[] = {"lbl_msekey_left", "lbl_msekey_mid",     "lbl_msekey_right",
                        "lbl_msekey_back", "lbl_msekey_forward", "lbl_msekey_ltilt",
                        "lbl_msekey_rtilt"};
  for (int r = 0; r < 7; ++r) {
    const int top = kMenuFirstRow + r * kMenuRowPitch;
    text(sub, {3, top, 16, 23}, QString::number(r + 1), arial(12));
    text(sub, {21, top, 123, 23}, "  " + caption(subs[r]), arial(13),
         Qt::AlignLeft | Qt::AlignVCenter, r == 3);
  }
  slider(sub, Qt::Vertical, {187 - 18, kMenuFirstRow, 18, 7 * kMenuRowPitch - 1}, 6, 3, b);
}

void macroPage(QWidget* w) {
  QWidget* p = page(w, "macro_base");
  for (QRect r : {QRect(16, 16, 120, 200), QRect(150, 16, 150, 200)}) {
    auto* list = new QListWidget(p);
    list->setGeometry(r);
    list->setStyleSheet("QListWidget { background: black; color: yellow; border: none; }");
    list->setFont(arial(13));
    if (r.left() < 100) {
      list->addItems({"1. Combo", "2. Reload", "3. Jump"});
    } else {
      list->addItems({"A  Down", "50 ms", "A  Up", "B  Down", "50 ms", "B  Up"});
    }
  }
  const char* side[] = {"lbl_REC",    "lbl_MseLeft", "lbl_MseRight",
                        "lbl_MseMid", "lbl_delkey",  "lbl_Time"};
  for (int i = 0; i < 6; ++i) {
    const QString name = i == 0 ? "macro_btn2_1" : i == 2 ? "macro_btn3_2" : "macro_btn3_1";
    QLabel* img = picture(p, {312, 16 + i * 33}, i == 3 ? "macro_btn3_3" : name);
    text(img, img->rect(), caption(side[i]), uiFont(12));
  }
  const char* bottom[] = {"lbl_load", "lbl_new", "lbl_save", "lbl_delete", "lbl_cancle"};
  for (int i = 0; i < 5; ++i) {
    QLabel* img = picture(p, {16 + i * 72, 300}, i == 1 ? "macro_btn1_2" : "macro_btn1_1");
    text(img, img->rect(), caption(bottom[i]), uiFont(12));
  }
  text(p, {16, 232, 200, 20},
       QString::fromUtf8("√ ") + caption("lbl_cycle_max") + "     " + caption("lbl_cycle") + " 1",
       uiFont(13), Qt::AlignLeft | Qt::AlignVCenter);
}

void sensitivityPage(QWidget* w) {
  QWidget* p = page(w, "dpi_base");
  const QString a = theme("ZQK_A.sui");
  text(p, {20, 14, 200, 20}, caption("lbl_XY"), uiFont(14, true), Qt::AlignLeft);
  slider(p, Qt::Horizontal, {40, 42, 250, 24}, 10, 6, a);
  text(p, {300, 42, 100, 22}, "   " + caption("lbl_XY_1").trimmed(), uiFont(13), Qt::AlignLeft);
  text(p, {20, 92, 200, 20}, caption("lbl_report"), uiFont(14, true), Qt::AlignLeft);
  const char* rates[] = {"lbl_125hz", "lbl_250hz", "lbl_500hz", "lbl_1000hz"};
  for (int i = 0; i < 4; ++i) {
    QLabel* img = picture(p, {40 + i * 86, 122}, i == 2 ? "report_2" : "report_1");
    text(img, img->rect(), caption(rates[i]), arial(12));
  }
  text(p, {20, 170, 200, 20}, caption("lbl_dpi"), uiFont(14, true), Qt::AlignLeft);
  for (int i = 0; i < 4; ++i) {
    text(p, {40, 202 + i * 36, 50, 22}, caption(QString("lbl_level%1").arg(i + 1).toStdString()),
         uiFont(13), Qt::AlignLeft | Qt::AlignVCenter);
    QSlider* s = slider(p, Qt::Horizontal, {100, 202 + i * 36, 260, 24}, 4, i, a);
    s->setEnabled(i != 3);
  }
}

void lightingPage(QWidget* w) {
  QWidget* p = page(w, "led_base");
  const char* groups[][8] = {
      {"lbl_LEDOpen", "lbl_LEDClose"},
      {"lbl_LEDBre1", "lbl_LEDBre2", "lbl_LEDBre3", "lbl_LEDBre4", "lbl_LEDBre5", "lbl_LEDBre6"},
      {"lbl_LEDcolor1", "lbl_LEDcolor2", "lbl_LEDcolor3", "lbl_LEDcolor4", "lbl_LEDcolor5",
       "lbl_LEDcolor6", "lbl_LEDcolor7", "lbl_LEDcolor8"}};
  const char* titles[] = {"lbl_LEDSwitch", "lbl_LEDBre", "lbl_LEDcolor"};
  const int counts[] = {2, 6, 8};
  int y = 14;
  for (int g = 0; g < 3; ++g) {
    text(p, {20, y, 200, 20}, caption(titles[g]), uiFont(14, true), Qt::AlignLeft);
    y += 30;
    for (int i = 0; i < counts[g]; ++i) {
      const int x = 40 + (i % 4) * 90;
      const int yy = y + (i / 4) * 32;
      picture(p, {x, yy}, i == 0 ? "led_base_3" : i == 1 ? "led_base_2" : "led_base_1");
      text(p, {x + 26, yy, 60, 21}, caption(groups[g][i]), uiFont(13),
           Qt::AlignLeft | Qt::AlignVCenter);
    }
    y += ((counts[g] + 3) / 4) * 32 + 14;
  }
}

void systemPage(QWidget* w) {
  QWidget* p = page(w, "sys_base");
  const QString a = theme("ZQK_A.sui");
  const char* titles[] = {"lbl_msedbspeed", "lbl_msespeed", "lbl_msewheel_X", "lbl_msewheel"};
  const int labelY[] = {34, 108, 178, 248};
  const int barY[] = {65, 141, 208, 281};
  const int values[] = {10, 3, 3, 3};
  for (int i = 0; i < 4; ++i) {
    text(p, {30, labelY[i], 250, 22}, caption(titles[i]), uiFont(14, true),
         Qt::AlignLeft | Qt::AlignVCenter);
    slider(p, Qt::Horizontal, {40, barY[i], 330, 24}, 10, values[i], a);
    for (int t = 0; t <= 10; ++t) {
      text(p, {40 + 6 + t * 318 / 10 - 8, barY[i] + 24, 16, 14}, QString::number(t), arial(10),
           Qt::AlignCenter, false, QColor(150, 160, 170));
    }
  }
}

// Cuts the window's outline as the screen does and lays it on a checkered
// desktop.
QImage onDesktop(const QImage& shot, QColor key) {
  QImage out = shot.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < out.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) {
      if ((line[x] & 0xFFFFFFu) == (key.rgb() & 0xFFFFFFu)) {
        line[x] = ((x / 8 + y / 8) % 2) ? qRgb(210, 214, 218) : qRgb(238, 240, 242);
      }
    }
  }
  return out;
}

QImage mainWindow(int pageNumber) {
  using namespace layout;
  QWidget w;
  w.resize(kWindow);
  QPalette pal = w.palette();
  pal.setColor(QPalette::Window, kMainWindowKey);
  w.setPalette(pal);
  w.setAutoFillBackground(true);
  picture(&w, {0, 0}, "basemap");
  QFont heading = arial(14);
  heading.setBold(true);
  text(&w, kHeading.adjusted(0, 0, 40, 0), caption("TntLabel13"), heading,
       Qt::AlignLeft | Qt::AlignVCenter);
  text(&w, kMinimize, "-", arial(14));
  text(&w, kClose, "X", arial(12));
  const char* tabs[] = {"lbl_title1", "lbl_title2", "lbl_title3", "lbl_title4", "lbl_title5"};
  for (std::size_t i = 0; i < 5; ++i) {
    const QRect r = tabRect(i);
    text(&w, QRect(r.left(), r.top() + 2, r.width(), 20), caption(tabs[i]), uiFont(13));
    const bool selected = int(i) + 1 == pageNumber;
    const bool hovered = !selected && int(i) + 1 == pageNumber % 5 + 1;
    const QString state = selected ? "_3" : hovered ? "_2" : "_1";
    const QPixmap under = skin("title_base" + state);
    auto* l = new QLabel(&w);
    l->setGeometry(r.left() + (r.width() - 60) / 2, r.top() + kTabUnderlineOffset, 60, 7);
    l->setAlignment(Qt::AlignCenter);
    l->setPixmap(under);
  }
  switch (pageNumber) {
    case 1:
      buttonPage(&w);
      break;
    case 2:
      macroPage(&w);
      break;
    case 3:
      sensitivityPage(&w);
      break;
    case 4:
      lightingPage(&w);
      break;
    default:
      systemPage(&w);
      break;
  }
  const char* commands[] = {"SaveConf", "Apply", "Btn_Exit", "DefaultSetting"};
  for (std::size_t i = 0; i < 4; ++i) {
    text(&w, commandRect(i), caption(commands[i]), uiFont(20), Qt::AlignCenter,
         pageNumber == 1 && i == 1);
  }
  w.show();
  return onDesktop(w.grab().toImage(), kMainWindowKey);
}

QImage dialogs() {
  QImage sheet(820, 260, QImage::Format_RGB32);
  sheet.fill(QColor(225, 228, 232));
  QPainter painter(&sheet);
  {
    QWidget d;
    d.resize(295, 158);
    QPalette pal = d.palette();
    pal.setColor(QPalette::Window, kDialogKey);
    d.setPalette(pal);
    d.setAutoFillBackground(true);
    picture(&d, {2, 2}, "other");
    QFont title = arial(19);
    title.setBold(true);
    text(&d, {6, 40, 276, 26}, dialogCaption("TForm5", 0), title);
    QFont ok = arial(16);
    ok.setBold(true);
    text(&d, {94, 96, 80, 25}, dialogCaption("TForm5", 1), ok);
    d.show();
    painter.drawImage(10, 10, onDesktop(d.grab().toImage(), kDialogKey));
  }
  {
    QWidget d;
    d.resize(474, 230);
    QPalette pal = d.palette();
    pal.setColor(QPalette::Window, kDialogKey);
    d.setPalette(pal);
    d.setAutoFillBackground(true);
    picture(&d, {0, 0}, "mode_conf_base");
    text(&d, {20, 40, 434, 30}, dialogCaption("TForm3", 0), uiFont(20, true));
    auto* edit = text(&d, {97, 90, 280, 28}, "Office", arial(16), Qt::AlignCenter, true,
                      QColor(255, 255, 0));
    QPalette ep = edit->palette();
    ep.setColor(QPalette::Window, Qt::black);
    edit->setPalette(ep);
    for (int i = 0; i < 2; ++i) {
      QLabel* b = picture(&d, {120 + i * 144, 150}, "btn_base_1");
      text(b, b->rect(), dialogCaption("TForm3", std::size_t(i) + 1), arial(15));
    }
    d.show();
    painter.drawImage(320, 10, onDesktop(d.grab().toImage(), kDialogKey));
  }
  return sheet;
}

QImage loadingFrames() {
  QImageReader reader(g_resources + "/WaitGif.gif");
  QImage sheet(12 * 140 + 10, 150, QImage::Format_RGB32);
  sheet.fill(QColor(24, 28, 33));
  QPainter painter(&sheet);
  int i = 0;
  QImage frame;
  while (reader.read(&frame)) {
    painter.drawImage(10 + i * 140, 12, onDesktop(frame, kDialogKey));
    ++i;
  }
  return sheet;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc != 3 || argv[1][0] == '-' || argv[2][0] == '-') {
    std::fprintf(stderr, "usage: skinpreview RESOURCES_DIR OUT_DIR\n");
    return 2;
  }
  g_resources = QString::fromLocal8Bit(argv[1]);
  const QDir out(QString::fromLocal8Bit(argv[2]));
  if (!out.mkpath(".")) return 1;
  bool ok = true;
  for (int n = 1; n <= 5; ++n) {
    ok = mainWindow(n).save(out.filePath(QString("page%1.png").arg(n))) && ok;
  }
  ok = dialogs().save(out.filePath("dialogs.png")) && ok;
  ok = loadingFrames().save(out.filePath("loading.png")) && ok;
  if (!ok) std::fprintf(stderr, "skinpreview: cannot write into %s\n", argv[2]);
  return ok ? 0 : 1;
}
