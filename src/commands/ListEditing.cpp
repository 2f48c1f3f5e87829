#include "ListEditing.h"

#include "EditorLifecycle.h"
#include "History.h"
#include "model/PlcImage.h"

namespace zelkor {

ListEditor VariableListEditor(Editor& s) {
  std::vector<VariableRow>& rows = s.lists.variables;
  return {[&rows] { return static_cast<int>(rows.size()); },
          [&rows](int first, int last) { rows.erase(rows.begin() + first, rows.begin() + last); },
          s.variablePage,
          s.variablePage.entry,
          Focus::VariableGrupo,
          Focus::VariableUp,
          Focus::VariableDown,
          s.files.variableCount,
          QStringLiteral("Variáveis")};
}

ListEditor AlarmListEditor(Editor& s) {
  QStringList& rows = s.lists.alarms;
  return {[&rows] { return static_cast<int>(rows.size()); },
          [&rows](int first, int last) { rows.remove(first, last - first); },
          s.alarmPage,
          s.alarmPage.entry,
          Focus::AlarmText1,
          Focus::AlarmUp,
          Focus::AlarmDown,
          s.files.alarmCount,
          QStringLiteral("Alarmes")};
}

int RowCount(const ListEditor& e) { return e.rowCount(); }

bool IsRow(const ListEditor& e, int row) { return row >= 1 && row <= RowCount(e); }

int GridLines(const ListPageState& page, int rows) { return rows > 0 ? rows : (page.blankLine ? 1 : 0); }

namespace {
// Empties the list; a grid that showed a line keeps one blank line, its colours plain.
void ClearRows(const ListEditor& e) {
  e.page.blankLine = GridLines(e.page, RowCount(e)) > 0;
  e.eraseRows(0, RowCount(e));
  e.page.selectedRow = 0;
  e.page.highlighted = false;
}
}  // namespace

void RemoveRow(const ListEditor& e, int row) {
  if (RowCount(e) == 1) {
    ClearRows(e);
    return;
  }
  if (!IsRow(e, row)) throw ListError("Linha inexistente na grade.");
  e.eraseRows(row - 1, row);
  e.page.selectedRow = 0;
  e.page.highlighted = false;  // it was on the row removed
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
  e.page.rows.down.enabled = row != GridLines(e.page, RowCount(e));
}

void ShowListCount(const ListEditor& e) { ShowCount(e.countDisplay, RowCount(e)); }

void UpdateReservedMemory(Editor& s) {
  const int v = static_cast<int>(s.lists.variables.size());
  const int a = static_cast<int>(s.lists.alarms.size());
  if (v == 0 && a == 0) {
    s.files.firstWord.text.clear();
    s.files.lastWord.text.clear();
    return;
  }
  s.files.lastWord.text = QStringLiteral("D%1").arg(kImageEnd);
  s.files.firstWord.text = QStringLiteral("D%1").arg(ImageStart(v, a), 4, 10, QLatin1Char('0'));
}

bool RefuseWhenFull(Editor& s, const ListEditor& e) {
  if (RowCount(e) < kMaxRows) return false;
  s.messages.Show({QStringLiteral("Limite máximo de 255 linhas foi atingido"), MessageTitle::LineNotIncluded,
                   MessageButtons::Ok, MessageIcon::Critical});
  return true;
}

namespace {
// The highlight goes with the selection.
void MoveSelection(const ListEditor& e, int row) {
  e.page.selectedRow = row;
  e.page.highlighted = true;
}
}  // namespace

bool SelectRow(const ListEditor& e, int line) {
  if (!IsRow(e, line)) return false;
  MoveSelection(e, line);
  e.page.rows.edit = {true, colours::Amber};
  e.page.rows.remove = {true, colours::Amber};
  EnableArrowsFor(e, line);
  e.page.editing = false;
  PaintFields(e, colours::White);
  return true;
}

void ClearEntryFields(Editor& s, const ListEditor& e) {
  for (FieldState& f : e.fields) f = {};
  e.page.highlighted = false;
  e.page.selectedRow = 0;
  s.focus = e.firstField;
  DisableRowButtons(e);
  e.page.editing = false;
}

void RemoveSelectedRow(Editor& s, const ListEditor& e, EditorCommand clearFields) {
  if (s.readingPlc) return;
  const int row = e.page.selectedRow;
  RecordStep(
      s,
      [&] {
        RemoveRow(e, row);
        s.listsChanged = true;
        clearFields(s);
        ShowListCount(e);
        UpdateReservedMemory(s);
      },
      [&] { return QStringLiteral("remover a linha %1 de %2").arg(row).arg(e.name); });
}

void ClearWholeList(Editor& s, const ListEditor& e, EditorCommand clearFields) {
  if (s.readingPlc) return;
  RecordStep(
      s,
      [&] {
        ClearRows(e);
        clearFields(s);
        ShowListCount(e);
        UpdateReservedMemory(s);
      },
      [&] { return QStringLiteral("apagar a lista de ") + e.name; });
}

int WriteRow(Editor& s, const ListEditor& e, const std::function<void()>& append,
             const std::function<void(int)>& replace) {
  int written = 0;
  if (!e.page.editing) {
    if (RefuseWhenFull(s, e)) return 0;
    append();
    written = RowCount(e);
  } else {
    written = e.page.selectedRow;
    replace(written);
  }
  DisableArrows(e);
  e.page.editing = false;
  e.page.scrollTo = written;
  return written;
}

QString SaveStepLabel(const ListEditor& e, int edited, int included) {
  return QStringLiteral("%1 a linha %2 de %3")
      .arg(edited > 0 ? QStringLiteral("alterar") : QStringLiteral("incluir"))
      .arg(edited > 0 ? edited : included)
      .arg(e.name);
}

void FinishSave(Editor& s, const ListEditor& e) {
  DisableRowButtons(e);
  e.page.editing = false;
  PaintFields(e, colours::White);
  ShowListCount(e);
  UpdateReservedMemory(s);
}

bool BeginEdit(const ListEditor& e) {
  if (!IsRow(e, e.page.selectedRow)) return false;
  e.page.editing = true;
  PaintFields(e, colours::Amber);
  return true;
}

void FollowMovedRow(Editor& s, const ListEditor& e, int row, Direction direction) {
  const bool up = direction == Direction::Up;
  MoveSelection(e, row);
  e.page.scrollTo = row;
  ButtonState& toward = up ? e.page.rows.up : e.page.rows.down;
  ButtonState& back = up ? e.page.rows.down : e.page.rows.up;
  back.enabled = true;
  if (row == (up ? 1 : GridLines(e.page, RowCount(e)))) {
    s.focus = up ? e.downArrow : e.upArrow;
    toward.enabled = false;
  }
}

}  // namespace zelkor
