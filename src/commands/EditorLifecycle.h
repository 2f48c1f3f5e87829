#pragma once

#include "EditorState.h"
#include "model/Ports.h"

namespace zelkor {

inline const QString kWindowTitle = QStringLiteral("Zelkor Editor");

// The window's start-up, in its fixed order, before the user can act.
void StartUp(EditorState& state);

// What emptying a list for loading leaves on its page: no selection, and a
// grid that had rows keeps no blank line.
void EmptyForLoad(ListPageState& page, bool hadRows);
// Empties both lists and everything that shows them (used before loading a file).
void ClearAllLists(EditorState& state);
// Both lists become these rows, in this order, unsorted, keyed as loading keys them.
void ReplaceLists(EditorState& state, Lists lists);
// The lists came from elsewhere than a parameter file (a spreadsheet, the
// PLC): none is current, Salvar waits for Salvar como, and closing asks.
void AdoptListsWithoutFile(EditorState& state, const QString& title);

enum class CloseAnswer { Close, Stay };
// Asks about unsaved changes when the lists changed; Cancel, and Yes whose
// save does not happen, keep the window. Other errors in its steps are
// ignored and the steps go on.
[[nodiscard]] CloseAnswer CloseRequest(EditorState& state);

// The count displays: the count as plain decimal text, amber from 1, white at 0.
void ShowCount(FieldState& display, int count);
void ShowVariableCount(EditorState& state);
void ShowAlarmCount(EditorState& state);
bool BothListsEmpty(const EditorState& state);

}  // namespace zelkor
