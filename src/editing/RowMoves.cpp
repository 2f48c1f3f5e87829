#include "RowMoves.h"

#include "History.h"

namespace zelkor {

namespace {

// The neighbour in the chosen direction, or 0 when there is no pair of rows
// to work on (the arrows' enabling keeps this from happening).
int MoveTarget(const RowList& list, Direction direction) {
  const int selected = list.SelectedRow();
  const int target = direction == Direction::Up ? selected - 1 : selected + 1;
  return list.IsRow(selected) && list.IsRow(target) ? target : 0;
}

QString MoveLabel(int row, const QString& list, Direction direction) {
  return QStringLiteral("mover a linha %1 de %2 para %3")
      .arg(row)
      .arg(list, direction == Direction::Up ? QStringLiteral("cima") : QStringLiteral("baixo"));
}

void MoveAlarmRow(EditorState& s, Direction direction) {
  AlarmList& list = s.alarms;
  const int target = MoveTarget(list, direction);
  if (target == 0) return;
  const int selected = list.SelectedRow();
  const QString held = list.Text(target);
  list.Replace(target, list.Text(selected));
  list.Replace(selected, held);
  FollowMovedRow(s, AlarmListEditor(s), target, direction);
}

void MoveVariableRow(EditorState& s, Direction direction) {
  VariableList& list = s.variables;
  Grid& grid = list.Cells();
  const int target = MoveTarget(list, direction);
  if (target == 0) return;
  const int selected = list.SelectedRow();
  const QString group = grid.Text(selected, varcol::Grupo);
  if (group != grid.Text(target, varcol::Grupo)) {
    // The row joins the neighbour's group and keeps its key, so the next
    // sort still places it by its old group and row number.
    grid.SetText(selected, varcol::Grupo, grid.Text(target, varcol::Grupo));
    return;
  }
  const VariableRow held = list.Row(target);
  const VariableRow moving = list.Row(selected);
  list.Replace(target, moving);
  list.Replace(selected, held);
  FollowMovedRow(s, VariableListEditor(s), target, direction);
}

}  // namespace

// One step of the history a click.
void MoveAlarm(EditorState& s, Direction direction) {
  if (s.readingPlc) return;
  const int row = s.alarms.SelectedRow();
  RecordStep(
      s, [&] { MoveAlarmRow(s, direction); }, [&, row] { return MoveLabel(row, AlarmListEditor(s).name, direction); });
}

void MoveVariable(EditorState& s, Direction direction) {
  if (s.readingPlc) return;
  const int row = s.variables.SelectedRow();
  RecordStep(
      s, [&] { MoveVariableRow(s, direction); },
      [&, row] { return MoveLabel(row, VariableListEditor(s).name, direction); });
}

}  // namespace zelkor
