#include "VariableEditor.h"

#include "History.h"
#include "ListEditing.h"
#include "model/PlcImage.h"
#include "model/VariableValidation.h"

#include <array>

namespace zelkor {

namespace {

VariableRow RowFromFields(const VariablePage& page, int row) {
  return {page.entry[0].text, page.entry[1].text, page.entry[2].text,
          page.entry[3].text, page.editable,      OrderKey(FormatGroup(page.entry[0].text), row)};
}

}  // namespace

bool ValidateVariableEntry(Editor& s) {
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

void StoreVariableRow(Editor& s) {
  std::vector<VariableRow>& rows = s.lists.variables;
  WriteRow(
      s, VariableListEditor(s),
      [&] { rows.push_back(RowFromFields(s.variablePage, static_cast<int>(rows.size()) + 1)); },
      [&](int r) { rows[static_cast<size_t>(r - 1)] = RowFromFields(s.variablePage, r); });
}

bool CheckGroupSequence(Editor& s) {
  const GroupSequence sequence = GroupSequenceOf(s.lists.variables);
  if (const int r = sequence.unreadableRow; r > 0) {
    // Only a file can bring such a cell. Reported as any unexpected error
    // is, the check ends there and lets the command go on.
    ReportUnexpectedError(s.messages, QStringLiteral("O Grupo \"%1\" da linha %2 não é um número de 0 a 7.")
                                          .arg(s.lists.variables[static_cast<size_t>(r - 1)].grupo)
                                          .arg(r));
    return true;
  }
  if (!sequence.broken) return true;
  s.messages.Show(BrokenGroupSequence());
  s.variablePage.grupoMarked = true;
  return false;
}

void IncludeVariableLine(Editor& s) {
  if (s.readingPlc) return;
  const ListEditor editor = VariableListEditor(s);
  std::vector<VariableRow>& rows = s.lists.variables;
  const int edited = s.variablePage.editing ? s.variablePage.selectedRow : 0;
  int included = 0;
  RecordStep(
      s,
      [&] {
        // Also takes away a red mark of the group check when the line then fails.
        s.variablePage.grupoMarked = false;
        if (!ValidateVariableEntry(s)) return;
        s.listsChanged = true;  // also when the row limit then refuses the row
        StoreVariableRow(s);
        const QString key = rows.empty() ? QString() : rows.back().orderKey;  // an appended row's, before the sort
        s.variablePage.highlighted = false;
        SortByOrderKey(rows);
        FinishSave(s, editor);
        // Equal keys keep their order, so the new row is the last one with its key.
        for (included = static_cast<int>(rows.size()); included > 1 && rows[included - 1].orderKey != key;) --included;
      },
      [&] { return SaveStepLabel(editor, edited, included); });
}

void EditSelectedVariable(Editor& s) {
  if (s.readingPlc || !BeginEdit(VariableListEditor(s))) return;
  const VariableRow values = s.lists.variables[static_cast<size_t>(s.variablePage.selectedRow - 1)];
  std::array<FieldState, 4>& entry = s.variablePage.entry;
  entry[0].text = values.grupo;
  entry[1].text = values.texto;
  entry[2].text = values.unidade;
  entry[3].text = values.endereco;
  s.variablePage.editable = values.editable;
}

void ClearVariableFields(Editor& s) {
  if (s.readingPlc) return;
  ClearEntryFields(s, VariableListEditor(s));
  s.variablePage.editable = false;
  s.variablePage.grupoMarked = false;
}

void RemoveSelectedVariable(Editor& s) { RemoveSelectedRow(s, VariableListEditor(s), ClearVariableFields); }

void ClearVariableList(Editor& s) { ClearWholeList(s, VariableListEditor(s), ClearVariableFields); }

void SelectVariableLine(Editor& s, int line) { SelectRow(VariableListEditor(s), line); }

void EditVariableLine(Editor& s, int line) {
  if (SelectRow(VariableListEditor(s), line)) EditSelectedVariable(s);
}

}  // namespace zelkor
