#include "ListEditing.h"

#include "core/ControlNames.h"
#include "core/MainWindow.h"
#include "plclink/PlcImage.h"

namespace zelkor {

ListEditor VariableListEditor(EditorState& s) {
  return {s.variables,
          s.variableEditing,
          name::BotaoEditar,
          name::BotaoRemover,
          name::BotaoSetaAcima,
          name::BotaoSetaAbaixo,
          varcol::Texto,
          varcol::Editavel,
          {name::Campo(0), name::Campo(1), name::Campo(2), name::Campo(3)},
          name::TotalLinhasVariaveis};
}

ListEditor AlarmListEditor(EditorState& s) {
  return {s.alarms,          s.alarmEditing, name::BotaoEditarAlarme, name::BotaoRemoverAlarme,
          name::BotaoSetaAcimaAlarme, name::BotaoSetaAbaixoAlarme, 0, 0, {name::Texto1, name::Texto2},
          name::TotalLinhasAlarme};
}

void PaintSelection(const ListEditor& e, Rgb colour) {
  const int row = e.list.selectedRow();
  if (row >= 1 && row < e.list.grid().lineCount()) {
    e.list.grid().setBackground(row, e.highlightFirst, row, e.highlightLast, colour);
  }
}

void PaintFields(EditorState& s, const ListEditor& e, Rgb colour) {
  for (const QString& f : e.fields) s.field(f).background = colour;
}

void DisableArrows(EditorState& s, const ListEditor& e) {
  s.button(e.upButton).enabled = false;
  s.button(e.downButton).enabled = false;
}

void DisableRowButtons(EditorState& s, const ListEditor& e) {
  s.button(e.editButton) = {false, colours::Grey};
  s.button(e.removeButton) = {false, colours::Grey};
  DisableArrows(s, e);
}

void EnableArrowsFor(EditorState& s, const ListEditor& e, int row) {
  s.button(e.upButton).enabled = row != 1;
  s.button(e.downButton).enabled = row != e.list.grid().dataLineCount();
}

void ShowListCount(EditorState& s, const ListEditor& e) {
  ShowCount(s.field(e.countDisplay), e.list.count());
}

bool RefuseWhenFull(EditorState& s, const RowList& list) {
  if (!list.isFull()) return false;
  s.messages.Show({QStringLiteral("Limite máximo de 255 linhas foi atingido"), QStringLiteral("Linha não incluída!"),
                   MessageButtons::Ok, MessageIcon::Critical});
  return true;
}

namespace {
// The highlight goes with the selection.
void MoveSelection(const ListEditor& e, int row) {
  PaintSelection(e, colours::White);
  e.list.setSelectedRow(row);
  PaintSelection(e, colours::Amber);
}
}  // namespace

bool SelectRow(EditorState& s, const ListEditor& e, int line) {
  if (!e.list.isRow(line)) return false;
  MoveSelection(e, line);
  s.button(e.editButton) = {true, colours::Amber};
  s.button(e.removeButton) = {true, colours::Amber};
  EnableArrowsFor(s, e, line);
  e.editing = false;
  PaintFields(s, e, colours::White);
  return true;
}

void ClearEntryFields(EditorState& s, const ListEditor& e) {
  for (const QString& f : e.fields) s.field(f) = {};
  PaintSelection(e, colours::White);
  e.list.setSelectedRow(0);
  s.focus = e.fields.front();
  DisableRowButtons(s, e);
  e.editing = false;
}

void RemoveSelectedRow(EditorState& s, const ListEditor& e, ClearFieldsCommand clearFields) {
  e.list.removeRow(e.list.selectedRow());
  s.listsChanged = true;
  clearFields(s);
  ShowListCount(s, e);
  UpdateReservedMemory(s);
}

void ClearWholeList(EditorState& s, const ListEditor& e, ClearFieldsCommand clearFields) {
  e.list.clear();
  clearFields(s);
  ShowListCount(s, e);
  UpdateReservedMemory(s);
}

int WriteRow(EditorState& s, const ListEditor& e, const std::function<void()>& append,
             const std::function<void(int)>& replace) {
  int written = 0;
  if (!e.editing) {
    if (RefuseWhenFull(s, e.list)) return 0;
    append();
    written = e.list.count();
  } else {
    written = e.list.selectedRow();
    replace(written);
  }
  DisableArrows(s, e);
  e.editing = false;
  e.list.grid().setTopLine(written);
  return written;
}

void FinishSave(EditorState& s, const ListEditor& e) {
  DisableRowButtons(s, e);
  e.editing = false;
  PaintFields(s, e, colours::White);
  ShowListCount(s, e);
  UpdateReservedMemory(s);
}

bool BeginEdit(EditorState& s, const ListEditor& e) {
  if (!e.list.isRow(e.list.selectedRow())) return false;
  e.editing = true;
  PaintFields(s, e, colours::Amber);
  return true;
}

void DoubleClickRow(EditorState& s, const ListEditor& e, int line, EditorCommand edit) {
  if (SelectRow(s, e, line)) edit(s);
}

void FollowMovedRow(EditorState& s, const ListEditor& e, int row, bool up) {
  MoveSelection(e, row);
  e.list.grid().setTopLine(row);
  const QString& toward = up ? e.upButton : e.downButton;
  const QString& back = up ? e.downButton : e.upButton;
  s.button(back).enabled = true;
  if (row == (up ? 1 : e.list.grid().dataLineCount())) {
    s.focus = back;
    s.button(toward).enabled = false;
  }
}

}  // namespace zelkor
