#include "macro/MacroEditor.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/Error.h"
#include "macro/MacroFile.h"
#include "tests/TempFolder.h"

namespace kestrovane {
namespace {

using test::TempFolder;

struct EditorRig {
  EditorRig() { editor.setFolder(folder.str() + "/"); }
  // Opens a macro of these lines through the list, as a row click does.
  void open(const MacroScript& script) {
    WriteMacroFile(editor.folder(), "M", script);
    editor.LoadNames();
    editor.OpenMacro(0);
  }
  MacroScript file() const { return ReadMacroFile(editor.folder(), "M"); }

  TempFolder folder;
  MacroEditor editor;
};

// Three keys as recording writes them: a press, a delay, the release, and a
// delay before every key but the first.
const MacroScript kThreeKeys{"1",     "1 A CODE:0004", "0 50", "2 A CODE:0004",
                             "0 100", "1 B CODE:0005", "0 60", "2 B CODE:0005",
                             "0 80",  "1 C CODE:0006", "0 70", "2 C CODE:0006"};
const MacroScript kOneKey{"1", "1 A CODE:0004", "0 50", "2 A CODE:0004"};

// The design's table, each case with what stays of the script and how many
// rows; every deletion writes the file.
TEST(MacroEditor, DeleteKeyTakesAKeyWithItsDelays) {
  struct Case {
    MacroScript script;
    int row;
    MacroScript left;
    int rows;
  };
  const MacroScript withoutA{"1",    "1 B CODE:0005", "0 60", "2 B CODE:0005",
                             "0 80", "1 C CODE:0006", "0 70", "2 C CODE:0006"};
  const MacroScript withoutB{"1",    "1 A CODE:0004", "0 50", "2 A CODE:0004",
                             "0 80", "1 C CODE:0006", "0 70", "2 C CODE:0006"};
  const Case cases[] = {
      {kThreeKeys, 0, withoutA, 7},     // the first press takes the delay after its release
      {kThreeKeys, 2, withoutA, 7},     // and so does the first release
      {kThreeKeys, 4, withoutB, 7},     // a later press takes the delay before it
      {kThreeKeys, 6, withoutB, 7},     // and so does its release
      {kThreeKeys, 1, kThreeKeys, 11},  // a delay row: nothing
      {kOneKey, 0, {}, 0},              // fewer than four rows: the header goes too
      {kOneKey, 2, {}, 0},
      {kOneKey, 1, kOneKey, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("row " + std::to_string(c.row) + " of " + std::to_string(c.script.size()));
    EditorRig rig;
    rig.open(c.script);
    ASSERT_EQ(rig.editor.contentRows(), static_cast<int>(c.script.size()) - 1);
    rig.editor.selectRow(c.row);
    rig.editor.DeleteKey();
    EXPECT_EQ(rig.editor.script(), c.left);
    EXPECT_EQ(rig.editor.contentRows(), c.rows);
    // Only a deletion writes the file.
    EXPECT_EQ(rig.file(), c.left == c.script ? c.script : c.left);
  }
}

TEST(MacroEditor, MouseClicksDelaysAndRows) {
  EditorRig rig;
  MacroEditor& e = rig.editor;
  // Into an empty script: the header, then press, "0 50", release.
  e.InsertMouseClick(kLeftKeyLine);
  EXPECT_EQ(e.script(),
            (MacroScript{"1", "1 Left Key  CODE:0071", "0 50", "2 Left Key  CODE:0071"}));
  EXPECT_EQ(e.contentRows(), 3);
  EXPECT_EQ(e.selectedRow(), 2);
  // Into a script with events: "0 50" first.
  e.InsertMouseClick(kMidKeyLine);
  EXPECT_EQ(e.contentRows(), 7);
  EXPECT_EQ(e.script()[4], "0 50");
  EXPECT_EQ(e.script()[5], "1 Mid Key  CODE:0072");
  EXPECT_EQ(*e.rowText(4), "Mid Key ");
  EXPECT_EQ(*e.rowIcon(4), 1);
  EXPECT_EQ(*e.rowText(3), "50 ms");
  EXPECT_EQ(*e.rowIcon(3), 0);
  EXPECT_EQ(*e.rowIcon(6), 2);
  EXPECT_FALSE(e.rowText(7));

  // 3000 typed in the box stays 2550; a press row takes no delay.
  EXPECT_EQ(MacroEditor::delayBoxText("3000"), "2550");
  EXPECT_EQ(MacroEditor::delayBoxText("12a3"), "123");
  EXPECT_EQ(MacroEditor::delayBoxText("2550"), "2550");
  EXPECT_EQ(MacroEditor::delayBoxText(""), "");
  e.AddNewMacro("Clicks");  // empties the editor, confirms the name
  EXPECT_EQ(e.contentRows(), 0);
  e.InsertMouseClick(kRightKeyLine);
  e.selectRow(1);
  e.SetDelay(MacroEditor::delayBoxText("3000"));
  EXPECT_EQ(e.script()[2], "0 2550");
  EXPECT_EQ(e.selectedRow(), 1);
  EXPECT_EQ(ReadMacroFile(e.folder(), "Clicks"), e.script());
  e.selectRow(0);
  e.SetDelay("10");
  EXPECT_EQ(e.script()[1], "1 Right Key  CODE:0073");

  // Rows are painted from the second event on.
  EditorRig one;
  one.open({"1", "1 A CODE:0004"});
  EXPECT_EQ(one.editor.contentRows(), 1);
  EXPECT_FALSE(one.editor.paintsRows());
}

// The list's numbering, the ten-macro rule, opening and deleting the tenth,
// and the file name rule when nothing is selected.
TEST(MacroEditor, TheListHoldsTenMacrosAndItsRowsOpenTheirFiles) {
  EditorRig rig;
  MacroEditor& e = rig.editor;
  EXPECT_FALSE(e.WriteFile()) << "no row selected and no name confirmed";
  for (const char* name : {"b", "C", "a", "d", "e", "f", "g", "h", "i"})
    WriteMacroFile(e.folder(), name, {"1", std::string("1 ") + name + " CODE:0004"});
  e.LoadNames();
  EXPECT_TRUE(e.newMacroEnabled());
  e.AddNewMacro("zz");
  EXPECT_FALSE(e.newMacroEnabled());
  const std::vector<std::string> rows = e.macroListRows();
  ASSERT_EQ(rows.size(), 10u);
  EXPECT_EQ(rows.front(), "1. a");
  EXPECT_EQ(rows[2], "3. C");
  EXPECT_EQ(rows.back(), "10. zz");
  EXPECT_EQ(e.selectedMacro(), -1);

  e.OpenMacro(2);
  EXPECT_EQ(e.script(), (MacroScript{"1", "1 C CODE:0004"}));
  e.OpenMacro(9);
  EXPECT_TRUE(e.script().empty()) << "a new macro's file has no lines";
  e.DeleteMacro();
  EXPECT_FALSE(std::filesystem::exists(macroFilePath(e.folder(), "zz")));
  EXPECT_EQ(e.names().size(), 9u);
  EXPECT_TRUE(e.newMacroEnabled());

  // An eleventh file put into the folder from outside: listed, "新建" on.
  for (const char* name : {"x", "y"}) WriteMacroFile(e.folder(), name, {});
  e.LoadNames();
  EXPECT_EQ(e.names().size(), 11u);
  EXPECT_TRUE(e.newMacroEnabled());
}

// An import reloads the list under the script still shown: a delay set
// afterwards goes into the file of the macro shown, never into another (the
// confirmed name's) or nowhere. An import that replaces the shown macro's
// own file shows the imported script.
TEST(MacroEditor, AnEditAfterAnImportGoesToTheMacroShown) {
  struct Case {
    const char* imported;  // file name of the import
    MacroScript shownAfter;
    MacroScript fireAfter;  // Fire's file after the delay is set
  };
  const MacroScript fire{"1", "1 F CODE:0009", "0 70", "2 F CODE:0009"};
  const MacroScript other{"1", "1 O CODE:0012", "0 30", "2 O CODE:0012"};
  const MacroScript fireSet{"1", "1 F CODE:0009", "0 500", "2 F CODE:0009"};
  const MacroScript otherSet{"1", "1 O CODE:0012", "0 500", "2 O CODE:0012"};
  const Case cases[] = {
      {"Alpha.spm", fire, fireSet},  // sorts before Fire: Fire's row moves
      {"Zulu.spm", fire, fireSet},   // sorts after it
      {"Fire.spm", other, otherSet},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.imported);
    TempFolder outside;
    EditorRig rig;
    MacroEditor& e = rig.editor;
    e.AddNewMacro("Newest");  // the confirmed name, which must not get the edit
    WriteMacroFile(e.folder(), "Fire", fire);
    e.LoadNames();
    e.OpenMacro(0);
    ASSERT_EQ(e.names()[0], "Fire");
    const std::string importPath = outside.str() + "/" + c.imported;
    writeMacroScriptFile(importPath, other);
    e.Import(importPath);
    ASSERT_GE(e.selectedMacro(), 0);
    EXPECT_EQ(e.names()[static_cast<std::size_t>(e.selectedMacro())], "Fire");
    EXPECT_EQ(e.script(), c.shownAfter);
    e.selectRow(1);
    e.SetDelay("500");
    EXPECT_EQ(ReadMacroFile(e.folder(), "Fire"), c.fireAfter);
    EXPECT_EQ(ReadMacroFile(e.folder(), "Newest"), MacroScript{});
  }
}

// A recording named when it stops: its file holds it; when the name is
// refused or the file cannot be created, the editor keeps the recording and
// the confirmed name stays as it was.
TEST(MacroEditor, ARecordingNamedAtItsEndIsKeptWhenItsFileFails) {
  const MacroScript recorded{"1", "1 A CODE:0004", "0 51", "2 A CODE:0004"};
  EditorRig rig;
  MacroEditor& e = rig.editor;
  e.setScript(recorded);
  e.AddRecordedMacro("Combo");
  EXPECT_EQ(ReadMacroFile(e.folder(), "Combo"), recorded);
  EXPECT_EQ(e.script(), recorded);
  EXPECT_EQ(e.confirmedName(), std::optional<std::string>("Combo"));

  for (const std::string& folder : {rig.folder.str() + "/missing/", rig.folder.str() + "/"}) {
    SCOPED_TRACE(folder);
    MacroEditor kept;
    kept.setFolder(folder);
    kept.setScript(recorded);
    // A folder that is not there, then a name that is refused.
    const std::string name = folder == rig.folder.str() + "/" ? "a:b" : "Combo";
    EXPECT_THROW(kept.AddRecordedMacro(name), Error);
    EXPECT_EQ(kept.script(), recorded);
    EXPECT_EQ(kept.contentRows(), 3);
    EXPECT_FALSE(kept.confirmedName());
  }
}

}  // namespace
}  // namespace kestrovane
