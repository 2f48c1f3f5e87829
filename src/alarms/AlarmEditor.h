#pragma once

#include "core/EditorState.h"

#include <QString>
#include <utility>

namespace zelkor {

inline constexpr int kAlarmHalf = 8;

// Each text blank-filled or cut to 8 characters, first text first: 16 in all.
QString ComposeAlarmText(const QString& texto1, const QString& texto2);
// The length rule of a half: at most 8 characters, and the first not empty.
bool AlarmHalfFits(const QString& half, bool first);
// Characters 1-8 and 9-16 (those that exist: a text from a file may be shorter).
std::pair<QString, QString> SplitAlarmText(const QString& alarmText);

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
