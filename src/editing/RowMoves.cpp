#include "RowMoves.h"

#include "ListEditing.h"

namespace zelkor {

namespace {

// The neighbour in the chosen direction, or 0 when there is no pair of rows
// to work on (the arrows' enabling keeps this from happening).
int MoveTarget(const RowList& list, bool up) {
  const int selected = list.selectedRow();
  const int target = up ? selected - 1 : selected + 1;
  return list.isRow(selected) && list.isRow(target) ? target : 0;
}

}  // namespace

void MoveAlarmRow(EditorState& s) {
  Guarded(s.messages, [&] {
    if (s.readingPlc) return;
    AlarmList& list = s.alarms;
    const int target = MoveTarget(list, s.alarmMoveUp);
    if (target == 0) return;
    const int selected = list.selectedRow();
    const QString held = list.text(target);
    list.replace(target, list.text(selected));
    list.replace(selected, held);
    FollowMovedRow(s, AlarmListEditor(s), target, s.alarmMoveUp);
  });
}

void MoveVariableRow(EditorState& s) {
  Guarded(s.messages, [&] {
    if (s.readingPlc) return;
    VariableList& list = s.variables;
    Grid& grid = list.grid();
    const int target = MoveTarget(list, s.variableMoveUp);
    if (target == 0) return;
    const int selected = list.selectedRow();
    const QString group = grid.text(selected, varcol::Grupo);
    if (group != grid.text(target, varcol::Grupo)) {
      // The row joins the neighbour's group and keeps its key, so the next
      // sort still places it by its old group and row number.
      grid.setText(selected, varcol::Grupo, grid.text(target, varcol::Grupo));
      return;
    }
    const VariableRow held = list.row(target);
    const VariableRow moving = list.row(selected);
    list.replace(target, moving);
    list.replace(selected, held);
    FollowMovedRow(s, VariableListEditor(s), target, s.variableMoveUp);
  });
}

void BotaoSetaAcima_Click(EditorState& s) {
  s.variableMoveUp = true;
  MoveVariableRow(s);
}

void BotaoSetaAbaixo_Click(EditorState& s) {
  s.variableMoveUp = false;
  MoveVariableRow(s);
}

void BotaoSetaAcimaAlarme_Click(EditorState& s) {
  s.alarmMoveUp = true;
  MoveAlarmRow(s);
}

void BotaoSetaAbaixoAlarme_Click(EditorState& s) {
  s.alarmMoveUp = false;
  MoveAlarmRow(s);
}

}  // namespace zelkor
