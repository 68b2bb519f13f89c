#include <QWidget>

#include "ui/DialogDrag.h"
#include "ui/WindowDrag.h"

namespace kestrovane {

DialogDrag::DialogDrag(QWidget* dialog)
    : QObject(dialog), m_dialog(dialog), m_follow(new WindowDrag(m_dialog)) {}

void DialogDrag::mouseDown(QWidget* surface, QPoint globalPos) {
  m_follow->begin(surface, globalPos);
}

}  // namespace kestrovane
