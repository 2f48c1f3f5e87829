#pragma once

#include "EditorState.h"

namespace zelkor {

inline const QString kWindowTitle = QStringLiteral("Zelkor Editor");
inline constexpr int kPortEntries = 16;

// "Porta # 01" .. "Porta # 16".
QString PortEntryName(int portNumber);

// The window's start-up, in its fixed order, before the user can act.
void StartUp(EditorState& state);

// Empties both lists and everything that shows them (used before loading a file).
void ClearAllLists(EditorState& state);

enum class CloseAnswer { Close, Stay };
// Asks about unsaved changes when the lists changed; Cancel keeps the window.
// Errors in its steps are ignored and the steps go on.
CloseAnswer CloseRequest(EditorState& state);

// The count displays: the count as plain decimal text, amber from 1, white at 0.
void ShowCount(FieldState& display, int count);
void ShowVariableCount(EditorState& state);
void ShowAlarmCount(EditorState& state);
// Commands that need to know whether a list is empty read its display back.
bool CountDisplayShowsEmpty(const FieldState& display);

}  // namespace zelkor
