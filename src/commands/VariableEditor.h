#pragma once

#include "Editor.h"

namespace zelkor {

// The window's check of the typed line: carries out CheckVariableEntry's
// verdict on the fields (the failed one red, focused, its message shown).
// True when the line is valid.
[[nodiscard]] bool ValidateVariableEntry(Editor& state);

// Appends the typed line (refused from 255 rows on) or, while editing,
// replaces the selected row.
void StoreVariableRow(Editor& state);

// False when the group numbers do not run 0, 1, 2, ... without a gap, after
// showing its message and marking the Grupo column red.
[[nodiscard]] bool CheckGroupSequence(Editor& state);

void IncludeVariableLine(Editor& state);
void EditSelectedVariable(Editor& state);
void RemoveSelectedVariable(Editor& state);
void ClearVariableFields(Editor& state);
void ClearVariableList(Editor& state);
// A click on a grid line selects its row; a double-click then edits it.
void SelectVariableLine(Editor& state, int line);
void EditVariableLine(Editor& state, int line);

}  // namespace zelkor
