#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "macro/MacroScript.h"

namespace kestrovane {

// The macro page without its window: the sorted name list and its numbered
// rows, the macro open in the editor as a script with its rows, the two
// selections, and the page's operations. The window shows what it holds and
// forwards the clicks; the program model owns it.
//
// Rows of the content list are a view of the script: row i shows script line
// i + 1. Every operation that empties the rows empties the script too, and
// every event line added gets a row; only the delete-key rule can part the
// two, for script shapes that recording does not produce.
//
// File errors throw Error (the user's text); the operation stops there and
// the editor keeps what it had at that point.
class MacroEditor {
 public:
  // The delay box holds at most five digits and at most this many ms.
  static constexpr int kMaxDelay = 2550;

  void setFolder(std::string folder) { m_folder = std::move(folder); }
  const std::string& folder() const { return m_folder; }

  // ---- The macro list
  const std::vector<std::string>& names() const { return m_names; }
  // "1. name", "2. name", ... in the sorted order; the tenth reads "10. ".
  std::vector<std::string> macroListRows() const;
  bool newMacroEnabled() const;
  // The selected row of the macro list, -1 for none.
  int selectedMacro() const { return m_selectedMacro; }
  // The name last accepted by the new-macro dialog in this run.
  const std::optional<std::string>& confirmedName() const { return m_confirmedName; }

  // Start-up and import: the names of the macro folder, sorted, then the
  // rows rebuilt.
  void LoadNames();
  // The rows rebuilt from the name list; no row selected.
  void RefreshMacroList() { m_selectedMacro = -1; }

  // ---- The editor
  const MacroScript& script() const { return m_script; }
  int contentRows() const { return m_rows; }
  int selectedRow() const { return m_selectedRow; }
  void selectRow(int row);
  // Whether rows are painted at all: from the second event on.
  bool paintsRows() const { return m_script.size() > 2; }
  // Row i's icon (0 delay, 1 press, 2 release) and text ("50 ms", a key's
  // shown name); nullopt for a row without its line.
  std::optional<int> rowIcon(int row) const;
  std::optional<std::string> rowText(int row) const;

  // Empties the script and its rows.
  void Clear();

  // ---- Recording: the recorder writes the script's lines itself and adds
  // the row of each event line it writes.
  MacroScript& recordingScript() { return m_script; }
  void addRecordedRow() { ++m_rows; }
  void selectLastRow() { m_selectedRow = m_rows - 1; }
  // A recording kept across the naming of its new macro: the script with a
  // row per event line.
  void setScript(MacroScript script);

  // ---- The page's operations
  // A row click on the macro list: the macro's file into the editor.
  void OpenMacro(int row);
  // lbl_MseLeft, lbl_MseRight, lbl_MseMid: a click inserted at the end; the
  // file is written by the next action that writes it.
  void InsertMouseClick(const MouseButtonLine& button);
  // lbl_delkey: the selected key with its delays, by the design's table.
  void DeleteKey();
  // lbl_Time: the selected delay line set to the box's number.
  void SetDelay(std::string_view boxText);
  // lbl_delete: the selected macro's file and row go; the editor empties.
  void DeleteMacro();
  // lbl_load after the file dialog: the file copied in, the list reloaded;
  // the macro shown stays selected (read again if the file replaced its own),
  // so an edit is only ever written into the file of the macro shown.
  void Import(const std::string& path);
  // The new-macro dialog's OK with a name it accepted: the editor empties,
  // the name joins the list (no row selected), its empty file is created and
  // it becomes the confirmed name.
  void AddNewMacro(const std::string& name);

  // A recording made with no macro to hold it, named now: the name joins the
  // list as a new macro's does (no row selected), its file is created with
  // the script, and it becomes the confirmed name. The editor keeps the
  // recording whatever fails; a refused name or a file that cannot be
  // created throws before the confirmed name changes.
  void AddRecordedMacro(const std::string& name);

  // The macro the script belongs to: the selected row's, else the confirmed
  // name; nullopt when there is neither.
  std::optional<std::string> macroName() const;
  // Writes the script to that macro's file; false (nothing written) when
  // there is no such macro.
  bool WriteFile();

  // What the delay box keeps of a typed text: digits only, a value above
  // 2550 set back to 2550.
  static std::string delayBoxText(std::string_view typed);

 private:
  void addEventLine(std::string line);
  // Deletes script lines first..last and content rows firstRow..lastRow, each
  // range clipped to what exists.
  void deleteLines(int first, int last, int firstRow, int lastRow);

  std::string m_folder;
  std::vector<std::string> m_names;
  int m_selectedMacro = -1;
  std::optional<std::string> m_confirmedName;
  MacroScript m_script;
  int m_rows = 0;
  int m_selectedRow = -1;
};

}  // namespace kestrovane
