#include "tools/skingen/ThemeFiles.h"

#include <QFile>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QtTest>

using kestrovane::SkinStyle;

namespace {

QString shipped(const char* file) {
  QFile f(QStringLiteral(KESTROVANE_SOURCE_DIR "/resources/") + file);
  return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QStringList g_warnings;

// What Qt says about a style sheet it cannot parse or a property it cannot
// set (the offscreen platform's complaints are not about the themes).
void collect(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtDebugMsg || type == QtInfoMsg) return;
  if (text.contains("stylesheet", Qt::CaseInsensitive) ||
      text.contains("property", Qt::CaseInsensitive)) {
    g_warnings << text;
  }
}

// A track bar as the program makes one, with the theme file's text as its
// style sheet; handle() is where the style puts the handle.
class ThemedSlider : public QSlider {
 public:
  ThemedSlider(Qt::Orientation o, const QString& sheet, int max, QSize size) : QSlider(o) {
    setRange(0, max);
    setStyleSheet(sheet);
    resize(size);
  }
  QRect handle() {
    ensurePolished();
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    return style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
  }
  QImage shot() { return grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

}  // namespace

class ThemeFilesTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    g_warnings.clear();
    qInstallMessageHandler(collect);
  }
  void cleanup() {
    qInstallMessageHandler(nullptr);
    QVERIFY2(g_warnings.isEmpty(), qPrintable(g_warnings.join('\n')));
  }

  void themeADrawsTheHorizontalTrackBars() {
    const SkinStyle s;
    const QString sheet = shipped("ZQK_A.sui");
    QVERIFY(!sheet.isEmpty());
    ThemedSlider bar(Qt::Horizontal, sheet, 10, {300, 24});
    bar.setValue(5);
    bar.show();
    const QRect h = bar.handle();
    QVERIFY(h.width() >= 10 && h.height() >= 16);
    QVERIFY(std::abs(h.center().x() - 150) <= 3);
    const QImage img = bar.shot();
    const int y = h.center().y();
    QCOMPARE(QColor(img.pixel(h.center())), s.handleFill);
    QCOMPARE(QColor(img.pixel(h.left() - 40, y)), s.teal);         // filled part
    QCOMPARE(QColor(img.pixel(h.right() + 40, y)), s.grooveFill);  // the rest

    bar.setValue(10);
    QCOMPARE(QColor(bar.shot().pixel(150, y)), s.teal);
    bar.setEnabled(false);
    const QImage off = bar.shot();
    QCOMPARE(QColor(off.pixel(bar.handle().center())), s.disabledFill);
    QCOMPARE(QColor(off.pixel(150, y)), s.disabledFill);
  }

  void themeBPutsTheIndicatorOnTheMenuRow() {
    const SkinStyle s;
    const QString sheet = shipped("ZQK_B.sui");
    QVERIFY(!sheet.isEmpty());
    for (int rows : {4, 5, 7, 8, 9, 10}) {
      // Placed at the first row's top, 24 x rows - 1 high.
      ThemedSlider bar(Qt::Vertical, sheet, rows - 1, {30, 24 * rows - 1});
      bar.show();
      QCOMPARE(bar.width(), 18);
      for (int row = 0; row < rows; ++row) {
        bar.setValue(row);
        const QRect h = bar.handle();
        QCOMPARE(h.top(), 24 * row);
        QCOMPARE(h.height(), 23);
        const QImage img = bar.shot();
        QCOMPARE(QColor(img.pixel(h.center())), s.teal);
        // Below and above the handle only the groove.
        const QPoint off(h.center().x(), row == 0 ? h.bottom() + 12 : h.top() - 12);
        QCOMPARE(QColor(img.pixel(off)), s.rule);
      }
    }
  }

  void shippedFilesAreWhatTheGeneratorWrites() {
    const SkinStyle s;
    QVERIFY2(shipped("ZQK_A.sui") == kestrovane::trackBarTheme(s),
             "resources/ZQK_A.sui is stale: run tools/skingen/redraw.sh");
    QVERIFY2(shipped("ZQK_B.sui") == kestrovane::indicatorTheme(s),
             "resources/ZQK_B.sui is stale: run tools/skingen/redraw.sh");
  }
};

QTEST_MAIN(ThemeFilesTest)
#include "ThemeFiles_test.moc"
