#include "app/Program.h"

#include <cstddef>

namespace kestrovane {

Program::Program(Clock& clock, std::unique_ptr<HidTransport> transport)
    : m_transport(std::move(transport)), m_form(clock), m_link(*m_transport, clock, m_form) {
  bindSeams();
}

void Program::bindSeams() {
  TForm1::Seams& seams = m_form.seams();
  seams.fillDeviceIdTable = [this] { m_link.FillDeviceIdTable(); };
  seams.detectHidDeviceCounterTimer = [this] { m_link.DetectHIDDeviceCounterTimer(); };
  seams.getFirmwareVersion = [this] { m_link.GetFirmwareVersion(); };
  seams.writeMode = [this](int n) {
    if (n >= 1 && n <= kModeCount) m_link.WriteMode(n, m_form.modeImages.storedImage(n));
  };
  seams.readMode = [this](int n) {
    if (n >= 1 && n <= kModeCount) m_link.ReadMode(n, m_form.modeImages.storedImage(n));
  };
  seams.writeMacro = [this](int k) {
    if (k >= 1 && k <= static_cast<int>(m_macroRecords.size()))
      m_link.WriteMacro(k, m_macroRecords[static_cast<std::size_t>(k - 1)]);
  };
  seams.showLoadingWindow = [this] { m_loading.show(); };
}

}  // namespace kestrovane
