#pragma once

#include "EditorState.h"

namespace zelkor {

// The window's check of the typed line: carries out CheckVariableEntry's
// verdict on the fields (the failed one red, focused, its message shown).
// True when the line is valid.
[[nodiscard]] bool ValidateVariableEntry(EditorState& state);

// Appends the typed line (refused from 255 rows on) or, while editing,
// replaces the selected row.
void StoreVariableRow(EditorState& state);

// False when the group numbers do not run 0, 1, 2, ... without a gap, after
// showing its message and marking the Grupo column red.
[[nodiscard]] bool CheckGroupSequence(EditorState& state);

void IncludeVariableLine(EditorState& state);
void EditSelectedVariable(EditorState& state);
void RemoveSelectedVariable(EditorState& state);
void ClearVariableFields(EditorState& state);
void ClearVariableList(EditorState& state);
// A click on a grid line selects its row; a double-click then edits it.
void SelectVariableLine(EditorState& state, int line);
void EditVariableLine(EditorState& state, int line);

}  // namespace zelkor
