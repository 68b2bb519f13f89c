#pragma once

#include <memory>

#include "app/main.h"
#include "device/Clock.h"
#include "device/HidDeviceLink.h"
#include "device/HidTransport.h"
#include "device/Loading.h"
#include "macro/MacroDeviceRecord.h"

namespace kestrovane {

// The objects of one run and how they are bound together: the HID transport,
// the main window, the link to the mouse (which switches the window's
// device-dependent controls), the loading window and the ten compiled macro
// records. The program's entry makes one; tests make one over the virtual
// mouse and a manual clock.
class Program {
 public:
  Program(Clock& clock, std::unique_ptr<HidTransport> transport);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  TForm1& form() { return m_form; }
  HidDeviceLink& deviceLink() { return m_link; }
  TForm4& loadingWindow() { return m_loading; }
  MacroRecordTable& macroRecords() { return m_macroRecords; }

 private:
  void bindSeams();

  // Declared in the order they depend on each other: the link closes its
  // handles through the transport and switches the window's controls.
  std::unique_ptr<HidTransport> m_transport;
  TForm1 m_form;
  HidDeviceLink m_link;
  TForm4 m_loading;
  MacroRecordTable m_macroRecords{};
};

}  // namespace kestrovane
