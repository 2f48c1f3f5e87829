#pragma once

#include "Editor.h"

#include <functional>
#include <span>

namespace zelkor {

// How one list's editor is wired to its page. The Variable and the Alarm
// editor share selection, highlight, button states, removal and clearing;
// what differs between them stays in their own commands.
struct ListEditor {
  // The list's own rows: how many, and erasing rows [first, last) (0 = the first row).
  std::function<int()> rowCount;
  std::function<void(int first, int last)> eraseRows;
  ListPageState& page;
  std::span<FieldState> fields;  // the entry fields, the first one takes the focus
  Focus firstField;
  Focus upArrow;
  Focus downArrow;
  FieldState& countDisplay;
  QString name;  // "Variáveis", "Alarmes": how a step of the history names the list
};

ListEditor VariableListEditor(Editor& state);
ListEditor AlarmListEditor(Editor& state);

int RowCount(const ListEditor& editor);
bool IsRow(const ListEditor& editor, int row);
// The data lines its grid shows: the rows, or the blank line an emptied grid keeps.
int GridLines(const ListPageState& page, int rows);

// The row below moves up; keys are not renumbered. Removing the only row
// leaves one blank line under the header. Throws ListError for a row that is
// not there.
void RemoveRow(const ListEditor& editor, int row);

void PaintFields(const ListEditor& editor, Rgb colour);
// Editar and Remover disabled on grey, both arrows disabled.
void DisableRowButtons(const ListEditor& editor);
void DisableArrows(const ListEditor& editor);
// Enables both arrows, then disables the one that would leave the grid.
void EnableArrowsFor(const ListEditor& editor, int row);
void ShowListCount(const ListEditor& editor);

// Shows the image's first and last word in the reserved-memory displays;
// both empty when both lists are.
void UpdateReservedMemory(Editor& state);

// The 255-row refusal of an append; true when the list is full and the
// message was shown.
bool RefuseWhenFull(Editor& state, const ListEditor& editor);

// Picking a grid line. Lines that are not rows of the list (the header, the
// blank line an emptied grid keeps) select nothing and enable nothing, so no
// command can later edit, remove or replace a line that is not counted.
// Returns whether a row was selected.
bool SelectRow(const ListEditor& editor, int line);

// The common part of Clear fields: empty fields on white, no selection, focus
// on the first field, row buttons disabled, edit ended.
void ClearEntryFields(Editor& state, const ListEditor& editor);

// Appends (refused from 255 rows on) or, while editing, replaces the selected
// row; then ends the edit, disables the arrows and asks the grid to show the
// written row at its top. Returns the row written, 0 when the append was refused.
int WriteRow(Editor& state, const ListEditor& editor, const std::function<void()>& append,
             const std::function<void(int row)>& replace);

// How the history names a Save, alike for both lists: "alterar a linha 2 de Variáveis" while editing row 2,
// otherwise "incluir a linha 5 de Alarmes" with the row where the new one stands.
QString SaveStepLabel(const ListEditor& editor, int edited, int included);

// What every Save does after storing: row buttons disabled, edit ended,
// fields white, count display and reserved memory shown anew.
void FinishSave(Editor& state, const ListEditor& editor);

// Starts editing the selected row: false (nothing changes) when no row is
// selected; otherwise the edit flag is set and the fields turn amber.
bool BeginEdit(const ListEditor& editor);

enum class Direction { Up, Down };
// After a move: the highlight and the selection follow the row to `row`, the
// grid scrolls to it, and at either end the focus goes to the opposite arrow
// before the one that would leave the grid is disabled.
void FollowMovedRow(Editor& state, const ListEditor& editor, int row, Direction direction);

using EditorCommand = void (*)(Editor&);
// Removes the selected row, then runs the list's own Clear fields (the
// Variable list's also takes the group check's red mark away). One step of
// the history; nothing while "Lê CLP" runs.
void RemoveSelectedRow(Editor& state, const ListEditor& editor, EditorCommand clearFields);
// Clears the whole list, then runs its Clear fields as above; the
// lists-changed flag stays as it was. One step of the history; nothing while
// "Lê CLP" runs.
void ClearWholeList(Editor& state, const ListEditor& editor, EditorCommand clearFields);

}  // namespace zelkor
