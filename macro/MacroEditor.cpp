#include "macro/MacroEditor.h"

#include <algorithm>

#include "base/Error.h"
#include "macro/MacroFile.h"
#include "macro/MacroFileSystem.h"
#include "macro/MacroName.h"

namespace kestrovane {

namespace {

constexpr std::uint32_t kClickDelay = 50;

}  // namespace

std::vector<std::string> MacroEditor::macroListRows() const {
  std::vector<std::string> rows;
  rows.reserve(m_names.size());
  for (std::size_t i = 0; i < m_names.size(); ++i)
    rows.push_back(std::to_string(i + 1) + ". " + m_names[i]);
  return rows;
}

// "新建" is off while the list holds exactly ten macros, one for each record
// of the mouse.
bool MacroEditor::newMacroEnabled() const {
  return newMacroAllowed(m_names);
}

void MacroEditor::LoadNames() {
  m_names = ListMacroNames(m_folder);
  sortMacroNames(m_names);
  RefreshMacroList();
}

void MacroEditor::selectRow(int row) {
  m_selectedRow = row >= 0 && row < m_rows ? row : -1;
}

std::optional<int> MacroEditor::rowIcon(int row) const {
  const auto line = static_cast<std::size_t>(row) + 1;
  if (row < 0 || line >= m_script.size()) return std::nullopt;
  const char kind = lineKind(m_script[line]);
  return kind >= '0' && kind <= '9' ? kind - '0' : 0;
}

std::optional<std::string> MacroEditor::rowText(int row) const {
  const auto line = static_cast<std::size_t>(row) + 1;
  if (row < 0 || line >= m_script.size()) return std::nullopt;
  const std::string& text = m_script[line];
  if (lineKind(text) == kLineDelay) return std::string(lineDelayText(text)) + " ms";
  return std::string(lineShownName(text));
}

void MacroEditor::Clear() {
  m_script.clear();
  m_rows = 0;
  m_selectedRow = -1;
}

void MacroEditor::setScript(MacroScript script) {
  Clear();
  if (script.empty()) return;
  m_script.push_back(std::move(script.front()));
  for (std::size_t i = 1; i < script.size(); ++i) addEventLine(std::move(script[i]));
}

void MacroEditor::OpenMacro(int row) {
  if (row < 0 || row >= static_cast<int>(m_names.size())) return;
  m_selectedMacro = row;
  Clear();
  setScript(ReadMacroFile(m_folder, m_names[static_cast<std::size_t>(row)]));
}

void MacroEditor::addEventLine(std::string line) {
  m_script.push_back(std::move(line));
  ++m_rows;
}

void MacroEditor::InsertMouseClick(const MouseButtonLine& button) {
  if (m_script.empty())
    m_script.emplace_back(kHeaderLine);
  else if (m_script.size() >= 2)
    addEventLine(delayLine(kClickDelay));
  addEventLine(pressLine(button.name, button.code));
  addEventLine(delayLine(kClickDelay));
  addEventLine(releaseLine(button.name, button.code));
  m_selectedRow = m_rows - 1;
}

void MacroEditor::deleteLines(int first, int last, int firstRow, int lastRow) {
  const int lines = static_cast<int>(m_script.size());
  const int from = std::max(first, 0);
  const int to = std::min(last, lines - 1);
  if (from <= to) m_script.erase(m_script.begin() + from, m_script.begin() + to + 1);
  const int rowFrom = std::max(firstRow, 0);
  const int rowTo = std::min(lastRow, m_rows - 1);
  if (rowFrom <= rowTo) m_rows -= rowTo - rowFrom + 1;
  m_selectedRow = -1;
}

// The table assumes the recorded shape: a press, a delay, its release, with
// a delay before the press unless it is the first event. With four rows or
// more the delay before a key, its press, the delay and its release go
// together; the first key takes the delay after its release instead.
void MacroEditor::DeleteKey() {
  const int i = m_selectedRow;
  if (i < 0) return;
  const auto line = static_cast<std::size_t>(i) + 1;
  const char kind = line < m_script.size() ? lineKind(m_script[line]) : '\0';
  const int n = m_rows;
  if (n < 4 && kind == kLinePress)
    deleteLines(i, i + 3, i, i + 2);
  else if (n < 4 && kind == kLineRelease)
    deleteLines(i - 2, i + 1, i - 2, i);
  else if (n >= 4 && kind == kLinePress && i == 0)
    deleteLines(1, 4, 0, 3);
  else if (n >= 4 && kind == kLineRelease && i == 2)
    deleteLines(1, 4, 0, 3);
  else if (n >= 4 && kind == kLinePress && i > 0)
    deleteLines(i, i + 3, i - 1, i + 2);
  else if (n >= 4 && kind == kLineRelease && i >= 3)
    deleteLines(i - 2, i + 1, i - 3, i);
  else
    return;
  WriteFile();
}

void MacroEditor::SetDelay(std::string_view boxText) {
  const int i = m_selectedRow;
  const auto line = static_cast<std::size_t>(i) + 1;
  if (i < 0 || line >= m_script.size() || lineKind(m_script[line]) != kLineDelay) return;
  const std::optional<std::int32_t> value = parseDelay(boxText);
  if (!value) throw Error("'" + std::string(boxText) + "' is not a valid integer value");
  m_script[line] = delayLine(static_cast<std::uint32_t>(*value));
  WriteFile();
}

void MacroEditor::DeleteMacro() {
  if (m_selectedMacro < 0 || m_selectedMacro >= static_cast<int>(m_names.size())) return;
  const auto row = static_cast<std::size_t>(m_selectedMacro);
  DeleteMacroFile(m_folder, m_names[row]);
  m_names.erase(m_names.begin() + static_cast<std::ptrdiff_t>(row));
  RefreshMacroList();
  Clear();
}

// The reload of the list would leave no row selected under a script still
// shown, and the next edit would go to the confirmed name's file: the macro
// shown stays selected, and is read again when the import replaced its file.
void MacroEditor::Import(const std::string& path) {
  const std::optional<std::string> shown =
      m_selectedMacro >= 0 && m_selectedMacro < static_cast<int>(m_names.size())
          ? std::optional<std::string>(m_names[static_cast<std::size_t>(m_selectedMacro)])
          : std::nullopt;
  ImportMacroFile(m_folder, path);
  LoadNames();
  if (!shown) return;
  const auto found = std::find(m_names.begin(), m_names.end(), *shown);
  if (found == m_names.end()) {
    Clear();
    return;
  }
  const auto row = static_cast<int>(found - m_names.begin());
  const std::string_view fileName = detail::MacroFileSystem::fileName(path);
  if (fileName.size() == shown->size() + kMacroFileExtension.size() &&
      fileName.substr(0, shown->size()) == *shown &&
      detail::MacroFileSystem::hasMacroExtension(fileName))
    OpenMacro(row);
  else
    m_selectedMacro = row;
}

void MacroEditor::AddNewMacro(const std::string& name) {
  Clear();
  RefreshMacroList();
  createMacro(m_folder, m_names, name);
  m_confirmedName = name;
}

void MacroEditor::AddRecordedMacro(const std::string& name) {
  RefreshMacroList();
  createMacro(m_folder, m_names, name);
  m_confirmedName = name;
  WriteFile();
}

std::optional<std::string> MacroEditor::macroName() const {
  if (m_selectedMacro >= 0 && m_selectedMacro < static_cast<int>(m_names.size()))
    return m_names[static_cast<std::size_t>(m_selectedMacro)];
  return m_confirmedName;
}

bool MacroEditor::WriteFile() {
  const std::optional<std::string> name = macroName();
  if (!name) return false;
  WriteMacroFile(m_folder, *name, m_script);
  return true;
}

std::string MacroEditor::delayBoxText(std::string_view typed) {
  std::string digits;
  for (char c : typed)
    if (c >= '0' && c <= '9' && digits.size() < 5) digits += c;
  const std::optional<std::int32_t> value = parseDelay(digits);
  if (value && *value > kMaxDelay) return std::to_string(kMaxDelay);
  return digits;
}

}  // namespace kestrovane
