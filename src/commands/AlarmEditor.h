#pragma once

#include "Editor.h"

namespace zelkor {

// Refuses an empty Texto 1 (or one longer than 8) with its message; true when
// the text is accepted. Texto 2 may be empty.
[[nodiscard]] bool ValidateAlarmText(Editor& state);
// Appends the composed alarm (refused from 255 rows on) or, while editing,
// replaces the selected row.
void StoreAlarmRow(Editor& state);

void IncludeAlarmLine(Editor& state);
void EditSelectedAlarm(Editor& state);
void RemoveSelectedAlarm(Editor& state);
void ClearAlarmFields(Editor& state);
void ClearAlarmList(Editor& state);
void SelectAlarmLine(Editor& state, int line);
void EditAlarmLine(Editor& state, int line);

}  // namespace zelkor
