#include "ListEditing.h"

#include "History.h"
#include "core/EditorLifecycle.h"
#include "plclink/PlcImage.h"

namespace zelkor {

ListEditor VariableListEditor(EditorState& s) {
  return {
      s.variables,         s.variablePage, s.variablePage.entry, Focus::VariableGrupo,  Focus::VariableUp,
      Focus::VariableDown, varcol::Texto,  varcol::Editavel,     s.files.variableCount, QStringLiteral("Variáveis")};
}

ListEditor AlarmListEditor(EditorState& s) {
  return {s.alarms, s.alarmPage, s.alarmPage.entry,  Focus::AlarmText1,        Focus::AlarmUp, Focus::AlarmDown,
          0,        0,           s.files.alarmCount, QStringLiteral("Alarmes")};
}

void PaintSelection(const ListEditor& e, Rgb colour) {
  const int row = e.list.SelectedRow();
  if (row >= 1 && row < e.list.Cells().LineCount()) {
    e.list.Cells().SetBackground(row, e.highlightFirst, row, e.highlightLast, colour);
  }
}

void PaintFields(const ListEditor& e, Rgb colour) {
  for (FieldState& f : e.fields) f.background = colour;
}

void DisableArrows(const ListEditor& e) {
  e.page.rows.up.enabled = false;
  e.page.rows.down.enabled = false;
}

void DisableRowButtons(const ListEditor& e) {
  e.page.rows.edit = {false, colours::Grey};
  e.page.rows.remove = {false, colours::Grey};
  DisableArrows(e);
}

void EnableArrowsFor(const ListEditor& e, int row) {
  e.page.rows.up.enabled = row != 1;
  e.page.rows.down.enabled = row != e.list.Cells().DataLineCount();
}

void ShowListCount(const ListEditor& e) { ShowCount(e.countDisplay, e.list.Count()); }

void UpdateReservedMemory(EditorState& s) {
  const int v = s.variables.Count();
  const int a = s.alarms.Count();
  if (v == 0 && a == 0) {
    s.files.firstWord.text.clear();
    s.files.lastWord.text.clear();
    return;
  }
  s.files.lastWord.text = QStringLiteral("D%1").arg(kImageEnd);
  s.files.firstWord.text = QStringLiteral("D%1").arg(ImageStart(v, a), 4, 10, QLatin1Char('0'));
}

bool RefuseWhenFull(EditorState& s, const RowList& list) {
  if (!list.IsFull()) return false;
  s.messages.Show({QStringLiteral("Limite máximo de 255 linhas foi atingido"), QStringLiteral("Linha não incluída!"),
                   MessageButtons::Ok, MessageIcon::Critical});
  return true;
}

namespace {
// The highlight goes with the selection.
void MoveSelection(const ListEditor& e, int row) {
  PaintSelection(e, colours::White);
  e.list.SetSelectedRow(row);
  PaintSelection(e, colours::Amber);
}
}  // namespace

bool SelectRow(const ListEditor& e, int line) {
  if (!e.list.IsRow(line)) return false;
  MoveSelection(e, line);
  e.page.rows.edit = {true, colours::Amber};
  e.page.rows.remove = {true, colours::Amber};
  EnableArrowsFor(e, line);
  e.page.editing = false;
  PaintFields(e, colours::White);
  return true;
}

void ClearEntryFields(EditorState& s, const ListEditor& e) {
  for (FieldState& f : e.fields) f = {};
  PaintSelection(e, colours::White);
  e.list.SetSelectedRow(0);
  s.focus = e.firstField;
  DisableRowButtons(e);
  e.page.editing = false;
}

void RemoveSelectedRow(EditorState& s, const ListEditor& e, EditorCommand clearFields) {
  if (s.readingPlc) return;
  const int row = e.list.SelectedRow();
  RecordStep(
      s,
      [&] {
        e.list.RemoveRow(row);
        s.listsChanged = true;
        clearFields(s);
        ShowListCount(e);
        UpdateReservedMemory(s);
      },
      [&] { return QStringLiteral("remover a linha %1 de %2").arg(row).arg(e.name); });
}

void ClearWholeList(EditorState& s, const ListEditor& e, EditorCommand clearFields) {
  if (s.readingPlc) return;
  RecordStep(
      s,
      [&] {
        e.list.Clear();
        clearFields(s);
        ShowListCount(e);
        UpdateReservedMemory(s);
      },
      [&] { return QStringLiteral("apagar a lista de ") + e.name; });
}

int WriteRow(EditorState& s, const ListEditor& e, const std::function<void()>& append,
             const std::function<void(int)>& replace) {
  int written = 0;
  if (!e.page.editing) {
    if (RefuseWhenFull(s, e.list)) return 0;
    append();
    written = e.list.Count();
  } else {
    written = e.list.SelectedRow();
    replace(written);
  }
  DisableArrows(e);
  e.page.editing = false;
  e.list.Cells().SetTopLine(written);
  return written;
}

QString SaveStepLabel(const ListEditor& e, int edited, int included) {
  return QStringLiteral("%1 a linha %2 de %3")
      .arg(edited > 0 ? QStringLiteral("alterar") : QStringLiteral("incluir"))
      .arg(edited > 0 ? edited : included)
      .arg(e.name);
}

void FinishSave(EditorState& s, const ListEditor& e) {
  DisableRowButtons(e);
  e.page.editing = false;
  PaintFields(e, colours::White);
  ShowListCount(e);
  UpdateReservedMemory(s);
}

bool BeginEdit(const ListEditor& e) {
  if (!e.list.IsRow(e.list.SelectedRow())) return false;
  e.page.editing = true;
  PaintFields(e, colours::Amber);
  return true;
}

void FollowMovedRow(EditorState& s, const ListEditor& e, int row, Direction direction) {
  const bool up = direction == Direction::Up;
  MoveSelection(e, row);
  e.list.Cells().SetTopLine(row);
  ButtonState& toward = up ? e.page.rows.up : e.page.rows.down;
  ButtonState& back = up ? e.page.rows.down : e.page.rows.up;
  back.enabled = true;
  if (row == (up ? 1 : e.list.Cells().DataLineCount())) {
    s.focus = up ? e.downArrow : e.upArrow;
    toward.enabled = false;
  }
}

}  // namespace zelkor
