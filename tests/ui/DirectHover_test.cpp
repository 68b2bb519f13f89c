#include <QSignalSpy>
#include <QTest>

#include "tests/ui/Pointer.h"
#include "ui/ImageControl.h"
#include "ui/LabelControl.h"
#include "ui/PanelControl.h"

namespace kestrovane::test {

// A panel with a caption label on it, logging what their handlers would see.
class HoverLog : public QObject {
 public:
  HoverLog() : panel(nullptr), label(QStringLiteral("caption"), &panel) {
    panel.resize(80, 40);
    label.setGeometry(0, 0, 80, 20);
    connect(&panel, &PanelControl::mouseEntered, this, [this] { log += "P+"; });
    connect(&panel, &PanelControl::mouseLeft, this, [this] { log += "P-"; });
    connect(&label, &LabelControl::mouseEntered, this, [this] { log += "L+"; });
    connect(&label, &LabelControl::mouseLeft, this, [this] { log += "L-"; });
  }
  QString take() {
    QCoreApplication::processEvents();
    return std::exchange(log, QString());
  }
  PanelControl panel;
  LabelControl label;
  QString log;
};

class DirectHoverTest : public QObject {
  Q_OBJECT

 private slots:
  // Qt keeps the panel "entered" while the pointer is over its label; the
  // handlers expect the label to take the pointer from the panel and give it
  // back.
  void movingOntoAChildLeavesTheParentAndBackEntersIt() {
    HoverLog h;
    enter(&h.panel);
    QCOMPARE(h.take(), QStringLiteral("P+"));
    enter(&h.label);
    QCOMPARE(h.take(), QStringLiteral("P-L+"));
    leave(&h.label);
    QCOMPARE(h.take(), QStringLiteral("L-P+"));
    leave(&h.panel);
    QCOMPARE(h.take(), QStringLiteral("P-"));
  }

  // Leaving child and parent at once (Qt sends both leaves in one go) must not
  // enter the parent on the way out.
  void leavingBothAtOnceDoesNotEnterTheParent() {
    HoverLog h;
    enter(&h.panel);
    enter(&h.label);
    h.take();
    leave(&h.label);
    leave(&h.panel);
    QCOMPARE(h.take(), QStringLiteral("L-"));
    QVERIFY(!h.panel.directHover().isHovered());
  }

  // An image on a panel is part of the panel for the pointer (a tab's underline).
  void imagesDoNotTakeThePointerFromTheirPanel() {
    HoverLog h;
    ImageControl image(&h.panel, ImageControl::Placement::Centre);
    enter(&h.panel);
    enter(&image);
    QCOMPARE(h.take(), QStringLiteral("P+"));
    QVERIFY(h.panel.directHover().isHovered());
  }

  // A menu row chosen by a click closes its panel under the pointer, and no
  // Leave comes: hiding counts as leaving, so the row loses its highlight and
  // takes the pointer's next visit.
  void hidingUnderThePointerLeaves() {
    HoverLog h;
    h.panel.show();
    enter(&h.panel);
    enter(&h.label);
    h.take();
    h.panel.hide();
    QCOMPARE(h.take(), QStringLiteral("L-"));
    QVERIFY(!h.label.directHover().isHovered());
    h.panel.show();
    enter(&h.panel);
    enter(&h.label);
    QCOMPARE(h.take(), QStringLiteral("P+P-L+"));
  }

  void repeatedEnterOrLeaveCountsOnce() {
    HoverLog h;
    enter(&h.label);
    enter(&h.label);
    leave(&h.label);
    leave(&h.label);
    QCOMPARE(h.take(), QStringLiteral("L+L-"));
  }
};

}  // namespace kestrovane::test

QTEST_MAIN(kestrovane::test::DirectHoverTest)
#include "DirectHover_test.moc"
