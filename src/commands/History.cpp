#include "History.h"

#include "AlarmEditor.h"
#include "EditorLifecycle.h"
#include "ListEditing.h"
#include "VariableEditor.h"

namespace zelkor {

ListsSnapshot TakeSnapshot(const Editor& s) {
  ListsSnapshot snapshot;
  snapshot.lists = s.lists;
  snapshot.selectedVariable = s.variablePage.selectedRow;
  snapshot.selectedAlarm = s.alarmPage.selectedRow;
  snapshot.listsChanged = s.listsChanged;
  snapshot.source = s.source;
  snapshot.lastOpenedPath = s.lastOpenedPath;
  snapshot.saveEnabled = s.files.save.enabled;
  return snapshot;
}

void RecordStep(Editor& s, const std::function<void()>& change, const std::function<QString()>& label) {
  ListsSnapshot before = TakeSnapshot(s);
  change();
  ListsSnapshot after = TakeSnapshot(s);
  if (!after.SameLists(before) || !after.SameFile(before)) s.history.Push(label(), std::move(before), std::move(after));
}

namespace {

// A list that had rows and is restored empty keeps one blank line, as after removing its last row.
void EmptyForRestore(ListPageState& page, bool hadRows, bool restoredEmpty) {
  if (restoredEmpty) {
    page.blankLine = GridLines(page, hadRows ? 1 : 0) > 0;
    page.selectedRow = 0;
    page.highlighted = false;
  } else {
    EmptyForLoad(page, hadRows);
  }
}

void Restore(Editor& s, const ListsSnapshot& to, bool fileToo) {
  EmptyForRestore(s.variablePage, !s.lists.variables.empty(), to.lists.variables.empty());
  EmptyForRestore(s.alarmPage, !s.lists.alarms.empty(), to.lists.alarms.empty());
  s.variablePage.grupoMarked = false;
  s.lists = to.lists;
  ShowVariableCount(s);
  ShowAlarmCount(s);
  UpdateReservedMemory(s);
  for (const auto& [editor, row, clearFields] :
       {std::tuple{VariableListEditor(s), to.selectedVariable, &ClearVariableFields},
        {AlarmListEditor(s), to.selectedAlarm, &ClearAlarmFields}}) {
    // The row being edited may be gone or be another one now: the edit ends as "Limpar campos" ends it, so the
    // fields cannot write the old values anywhere.
    if (editor.page.editing) {
      clearFields(s);
      continue;
    }
    if (SelectRow(editor, row)) continue;
    DisableRowButtons(editor);
    editor.page.editing = false;
    PaintFields(editor, colours::White);
  }
  if (fileToo) {
    s.source = to.source;
    s.lastOpenedPath = to.lastOpenedPath;
    s.files.save.enabled = to.saveEnabled;
  }
  // The lists in their file, the ones last opened or saved, leave nothing to ask about on closing.
  s.listsChanged = !s.history.AtSaved();
}

}  // namespace

void UndoStep(Editor& s) {
  if (s.readingPlc || !s.history.CanUndo()) return;
  const EditHistory::Move move = s.history.Undo();
  Restore(s, move.restore, !move.restore.SameFile(move.other));
}

void RedoStep(Editor& s) {
  if (s.readingPlc || !s.history.CanRedo()) return;
  const EditHistory::Move move = s.history.Redo();
  Restore(s, move.restore, !move.restore.SameFile(move.other));
}

}  // namespace zelkor
