#include "History.h"

#include "ListEditing.h"
#include "core/EditorLifecycle.h"

namespace zelkor {

ListsSnapshot TakeSnapshot(const EditorState& s) {
  ListsSnapshot snapshot;
  for (int r = 1; r <= s.variables.Count(); ++r) {
    snapshot.variables.push_back(s.variables.Row(r));
    snapshot.variableKeys << s.variables.KeyOf(r);
  }
  for (int r = 1; r <= s.alarms.Count(); ++r) snapshot.alarms << s.alarms.Text(r);
  snapshot.selectedVariable = s.variables.SelectedRow();
  snapshot.selectedAlarm = s.alarms.SelectedRow();
  snapshot.listsChanged = s.listsChanged;
  snapshot.title = s.title;
  snapshot.currentPath = s.currentPath;
  snapshot.lastOpenedPath = s.lastOpenedPath;
  snapshot.saveEnabled = s.files.save.enabled;
  return snapshot;
}

void RecordStep(EditorState& s, const std::function<void()>& change, const std::function<QString()>& label) {
  ListsSnapshot before = TakeSnapshot(s);
  change();
  ListsSnapshot after = TakeSnapshot(s);
  if (!after.SameLists(before) || !after.SameFile(before)) s.history.Push(label(), std::move(before), std::move(after));
}

namespace {

// A list that had rows and is restored empty keeps one blank line, as after removing its last row.
void EmptyForRestore(RowList& list, bool restoredEmpty) {
  if (restoredEmpty) {
    list.Clear();
  } else {
    list.ClearForLoad();
  }
}

void Restore(EditorState& s, const ListsSnapshot& to, bool fileToo) {
  EmptyForRestore(s.variables, to.variables.empty());
  EmptyForRestore(s.alarms, to.alarms.isEmpty());
  for (size_t i = 0; i < to.variables.size(); ++i) {
    s.variables.Restore(to.variables[i], to.variableKeys[static_cast<qsizetype>(i)]);
  }
  for (const QString& text : to.alarms) s.alarms.Load(text);
  ResetGridHeaders(s.variables, s.alarms);
  s.variables.FitControlWidth();
  ShowVariableCount(s);
  ShowAlarmCount(s);
  UpdateReservedMemory(s);
  for (const auto& [editor, row, clearFields] :
       {std::tuple{VariableListEditor(s), to.selectedVariable, &s.hooks.clearVariableFields},
        {AlarmListEditor(s), to.selectedAlarm, &s.hooks.clearAlarmFields}}) {
    // The row being edited may be gone or be another one now: the edit ends as "Limpar campos" ends it, so the
    // fields cannot write the old values anywhere.
    if (editor.page.editing && *clearFields) {
      (*clearFields)();
      continue;
    }
    if (SelectRow(editor, row)) continue;
    DisableRowButtons(editor);
    editor.page.editing = false;
    PaintFields(editor, colours::White);
  }
  if (fileToo) {
    s.title = to.title;
    s.currentPath = to.currentPath;
    s.lastOpenedPath = to.lastOpenedPath;
    s.files.save.enabled = to.saveEnabled;
  }
  // The lists in their file, the ones last opened or saved, leave nothing to ask about on closing.
  s.listsChanged = !s.history.AtSaved();
}

}  // namespace

void UndoStep(EditorState& s) {
  if (s.readingPlc || !s.history.CanUndo()) return;
  const EditHistory::Move move = s.history.Undo();
  Restore(s, move.restore, !move.restore.SameFile(move.other));
}

void RedoStep(EditorState& s) {
  if (s.readingPlc || !s.history.CanRedo()) return;
  const EditHistory::Move move = s.history.Redo();
  Restore(s, move.restore, !move.restore.SameFile(move.other));
}

}  // namespace zelkor
