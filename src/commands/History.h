#pragma once

#include "Editor.h"

#include <functional>

namespace zelkor {

// The lists, their selections and their file as they stand.
ListsSnapshot TakeSnapshot(const Editor& state);

// Runs `change` as one step of the history when it changes the lists; the
// step is named by `label`, asked once the change is done ("remover a linha 3
// de Variáveis").
void RecordStep(Editor& state, const std::function<void()>& change, const std::function<QString()>& label);

// "Desfazer" and "Refazer": both lists, their order, counts, reserved memory
// and selection go back to what they were before (after) the step; the title
// and the current file too when the step changed them. An edit going on ends
// as "Limpar campos" ends it. Nothing happens while "Lê CLP" runs or when
// there is no such step.
void UndoStep(Editor& state);
void RedoStep(Editor& state);

}  // namespace zelkor
