#pragma once

#include "Editor.h"
#include "model/Ports.h"

namespace zelkor {

// The window's start-up, in its fixed order, before the user can act.
void StartUp(Editor& state);

// What emptying a list for loading leaves on its page: no selection, and a
// grid that had rows keeps no blank line.
void EmptyForLoad(ListPageState& page, bool hadRows);
// Empties both lists and everything that shows them (used before loading a file).
void ClearAllLists(Editor& state);
// Both lists become these rows, in this order, unsorted, keyed as loading keys them.
void ReplaceLists(Editor& state, Lists lists);
// The lists came from elsewhere than a parameter file (a spreadsheet, the
// PLC): none is current, Salvar waits for Salvar como, and closing asks.
void AdoptListsWithoutFile(Editor& state, ListsSource source);

enum class CloseAnswer { Close, Stay };
// Asks about unsaved changes when the lists changed; Cancel, and Yes whose
// save does not happen, keep the window. Other errors in its steps are
// ignored and the steps go on.
[[nodiscard]] CloseAnswer CloseRequest(Editor& state);

// The count displays: the count as plain decimal text, amber from 1, white at 0.
void ShowCount(FieldState& display, int count);
void ShowVariableCount(Editor& state);
void ShowAlarmCount(Editor& state);
bool BothListsEmpty(const Editor& state);

}  // namespace zelkor
