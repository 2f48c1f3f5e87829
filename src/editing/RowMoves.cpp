#include "RowMoves.h"

namespace zelkor {

namespace {

// The neighbour in the chosen direction, or 0 when there is no pair of rows
// to work on (the arrows' enabling keeps this from happening).
int MoveTarget(const RowList& list, Direction direction) {
  const int selected = list.selectedRow();
  const int target = direction == Direction::Up ? selected - 1 : selected + 1;
  return list.isRow(selected) && list.isRow(target) ? target : 0;
}

}  // namespace

void MoveAlarm(EditorState& s, Direction direction) {
  if (s.readingPlc) return;
  AlarmList& list = s.alarms;
  const int target = MoveTarget(list, direction);
  if (target == 0) return;
  const int selected = list.selectedRow();
  const QString held = list.text(target);
  list.replace(target, list.text(selected));
  list.replace(selected, held);
  FollowMovedRow(s, AlarmListEditor(s), target, direction);
}

void MoveVariable(EditorState& s, Direction direction) {
  if (s.readingPlc) return;
  VariableList& list = s.variables;
  Grid& grid = list.grid();
  const int target = MoveTarget(list, direction);
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
  FollowMovedRow(s, VariableListEditor(s), target, direction);
}

}  // namespace zelkor
