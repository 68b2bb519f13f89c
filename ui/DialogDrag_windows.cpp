#include <windows.h>

#include <QWidget>

#include "ui/DialogDrag.h"

namespace kestrovane {

DialogDrag::DialogDrag(QWidget* dialog) : QObject(dialog), m_dialog(dialog) {}

// SC_MOVE (0xF010) combined with the caption hit code (HTCAPTION, 2): the
// system's move loop runs until the button is released. The capture the
// press gave the background must go first, or the loop never starts.
void DialogDrag::mouseDown(QWidget*, QPoint) {
  ReleaseCapture();
  SendMessageW(reinterpret_cast<HWND>(m_dialog->winId()), WM_SYSCOMMAND, 0xF012, 0);
}

}  // namespace kestrovane
