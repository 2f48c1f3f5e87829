#include "RowMoves.h"

#include "History.h"

namespace zelkor {

namespace {

// The neighbour in the chosen direction, or 0 when there is no pair of rows
// to work on (the arrows' enabling keeps this from happening).
int MoveTarget(const ListEditor& e, Direction direction) {
  const int selected = e.page.selectedRow;
  const int target = direction == Direction::Up ? selected - 1 : selected + 1;
  return IsRow(e, selected) && IsRow(e, target) ? target : 0;
}

QString MoveLabel(int row, const QString& list, Direction direction) {
  return QStringLiteral("mover a linha %1 de %2 para %3")
      .arg(row)
      .arg(list, direction == Direction::Up ? QStringLiteral("cima") : QStringLiteral("baixo"));
}

void MoveAlarmRow(Editor& s, Direction direction) {
  const ListEditor editor = AlarmListEditor(s);
  const int target = MoveTarget(editor, direction);
  if (target == 0) return;
  s.lists.alarms.swapItemsAt(s.alarmPage.selectedRow - 1, target - 1);
  FollowMovedRow(s, editor, target, direction);
}

void MoveVariableRow(Editor& s, Direction direction) {
  const ListEditor editor = VariableListEditor(s);
  const int target = MoveTarget(editor, direction);
  if (target == 0) return;
  VariableRow& moving = s.lists.variables[static_cast<size_t>(s.variablePage.selectedRow - 1)];
  VariableRow& other = s.lists.variables[static_cast<size_t>(target - 1)];
  if (moving.grupo != other.grupo) {
    // The row joins the neighbour's group and keeps its key, so the next
    // sort still places it by its old group and row number.
    moving.grupo = other.grupo;
    return;
  }
  std::swap(moving, other);
  // Both keys are rewritten for their new places.
  moving.orderKey = OrderKey(FormatGroup(moving.grupo), s.variablePage.selectedRow);
  other.orderKey = OrderKey(FormatGroup(other.grupo), target);
  FollowMovedRow(s, editor, target, direction);
}

// One step of the history a click. A new order is a change like any other:
// closing asks before it is lost.
void MoveAsStep(Editor& s, void (*moveRow)(Editor&, Direction), const ListEditor& editor, Direction direction) {
  if (s.readingPlc) return;
  const int row = editor.page.selectedRow;
  RecordStep(
      s,
      [&] {
        const Lists before = s.lists;
        moveRow(s, direction);
        s.listsChanged = s.listsChanged || s.lists != before;
      },
      [&, row] { return MoveLabel(row, editor.name, direction); });
}

}  // namespace

void MoveAlarm(Editor& s, Direction direction) { MoveAsStep(s, MoveAlarmRow, AlarmListEditor(s), direction); }

void MoveVariable(Editor& s, Direction direction) { MoveAsStep(s, MoveVariableRow, VariableListEditor(s), direction); }

}  // namespace zelkor
