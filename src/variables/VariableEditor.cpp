#include "VariableEditor.h"

#include "VariableValidation.h"
#include "editing/History.h"
#include "editing/ListEditing.h"
#include "plclink/PlcImage.h"

#include <array>

namespace zelkor {

namespace {

VariableRow RowFromFields(const VariablePage& page) {
  return {page.entry[0].text, page.entry[1].text, page.entry[2].text, page.entry[3].text, page.editable ? kSim : kNao};
}

}  // namespace

void PaintGrupoColumn(EditorState& s, Rgb colour) {
  s.variables.Cells().SetBackground(0, varcol::Grupo, s.variables.Count(), varcol::Grupo, colour);
}

bool ValidateVariableEntry(EditorState& s) {
  std::array<FieldState, 4>& entry = s.variablePage.entry;
  for (FieldState& f : entry) f.background = colours::White;
  const VariableVerdict verdict = CheckVariableEntry({entry[0].text, entry[1].text, entry[2].text, entry[3].text});
  entry[1].text = verdict.texto;
  entry[2].text = verdict.unidade;
  if (verdict.Valid()) return true;
  const bool grupo = verdict.field == EntryField::Grupo;
  entry[grupo ? 0 : 3].background = colours::Red;
  s.focus = grupo ? Focus::VariableGrupo : Focus::VariableEndereco;
  s.messages.Show(verdict.message);
  return false;
}

void StoreVariableRow(EditorState& s) {
  VariableList& list = s.variables;
  const VariableRow row = RowFromFields(s.variablePage);
  const int written = WriteRow(
      s, VariableListEditor(s), [&] { list.Append(row); }, [&](int r) { list.Replace(r, row); });
  if (written == 0) return;
  list.FitControlWidth();
}

bool CheckGroupSequence(EditorState& s) {
  const GroupSequence sequence = GroupSequenceOf(s.variables);
  if (const int r = sequence.unreadableRow; r > 0) {
    // Only a file can bring such a cell. Reported as any unexpected error
    // is, the check ends there and lets the command go on.
    ReportUnexpectedError(s.messages, QStringLiteral("O Grupo \"%1\" da linha %2 não é um número de 0 a 255.")
                                          .arg(s.variables.Cells().Text(r, varcol::Grupo))
                                          .arg(r));
    return true;
  }
  if (!sequence.broken) return true;
  s.messages.Show(BrokenGroupSequence());
  PaintGrupoColumn(s, colours::Red);
  return false;
}

void IncludeVariableLine(EditorState& s) {
  if (s.readingPlc) return;
  const ListEditor editor = VariableListEditor(s);
  const int edited = s.variablePage.editing ? s.variables.SelectedRow() : 0;
  int included = 0;
  RecordStep(
      s,
      [&] {
        // Also takes away a red mark of the group check when the line then fails.
        if (s.variables.Count() > 0) PaintGrupoColumn(s, colours::Grey);
        if (!ValidateVariableEntry(s)) return;
        s.listsChanged = true;  // also when the row limit then refuses the row
        StoreVariableRow(s);
        const QString key = s.variables.KeyOf(s.variables.Count());  // an appended row's, before the sort moves it
        SortVariableList(s.variables);
        FinishSave(s, editor);
        // Equal keys keep their order, so the new row is the last one with its key.
        for (included = s.variables.Count(); included > 1 && s.variables.KeyOf(included) != key;) --included;
      },
      [&] { return SaveStepLabel(editor, edited, included); });
}

void EditSelectedVariable(EditorState& s) {
  if (s.readingPlc || !BeginEdit(VariableListEditor(s))) return;
  const VariableRow values = s.variables.Row(s.variables.SelectedRow());
  std::array<FieldState, 4>& entry = s.variablePage.entry;
  entry[0].text = values.grupo;
  entry[1].text = values.texto;
  entry[2].text = values.unidade;
  entry[3].text = values.endereco;
  s.variablePage.editable = values.editavel == kSim;
}

void ClearVariableFields(EditorState& s) {
  if (s.readingPlc) return;
  ClearEntryFields(s, VariableListEditor(s));
  s.variablePage.editable = false;
  if (s.variables.Count() > 0) PaintGrupoColumn(s, colours::Grey);
}

void RemoveSelectedVariable(EditorState& s) { RemoveSelectedRow(s, VariableListEditor(s), ClearVariableFields); }

void ClearVariableList(EditorState& s) { ClearWholeList(s, VariableListEditor(s), ClearVariableFields); }

void SelectVariableLine(EditorState& s, int line) { SelectRow(VariableListEditor(s), line); }

void EditVariableLine(EditorState& s, int line) {
  if (SelectRow(VariableListEditor(s), line)) EditSelectedVariable(s);
}

}  // namespace zelkor
