#pragma once

#include "core/EditorState.h"

namespace zelkor {

// Swaps the selected alarm with its neighbour in the direction of the alarm
// move-up flag; the selection and its highlight go with the row.
void MoveAlarmRow(EditorState& state);

// Swaps the selected variable with its neighbour when both have the same
// group, rewriting both order keys for their new places. Against a neighbour
// of another group the row joins that group and stays, its key unchanged.
void MoveVariableRow(EditorState& state);

void BotaoSetaAcima_Click(EditorState& state);
void BotaoSetaAbaixo_Click(EditorState& state);
void BotaoSetaAcimaAlarme_Click(EditorState& state);
void BotaoSetaAbaixoAlarme_Click(EditorState& state);

}  // namespace zelkor
