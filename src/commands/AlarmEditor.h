#pragma once

#include "EditorState.h"

namespace zelkor {

// Refuses an empty Texto 1 (or one longer than 8) with its message; true when
// the text is accepted. Texto 2 may be empty.
[[nodiscard]] bool ValidateAlarmText(EditorState& state);
// Appends the composed alarm (refused from 255 rows on) or, while editing,
// replaces the selected row.
void StoreAlarmRow(EditorState& state);

void IncludeAlarmLine(EditorState& state);
void EditSelectedAlarm(EditorState& state);
void RemoveSelectedAlarm(EditorState& state);
void ClearAlarmFields(EditorState& state);
void ClearAlarmList(EditorState& state);
void SelectAlarmLine(EditorState& state, int line);
void EditAlarmLine(EditorState& state, int line);

}  // namespace zelkor
