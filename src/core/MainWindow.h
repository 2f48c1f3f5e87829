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
// Both lists become these rows, in this order, unsorted, as after reading a file.
void ReplaceLists(EditorState& state, const std::vector<VariableRow>& variables, const QStringList& alarmTexts);
// The lists came from elsewhere than a parameter file (a spreadsheet, the
// PLC): none is current, Salvar waits for Salvar como, and closing asks.
void AdoptListsWithoutFile(EditorState& state, const QString& title);

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
bool BothCountsShowEmpty(const EditorState& state);

}  // namespace zelkor
