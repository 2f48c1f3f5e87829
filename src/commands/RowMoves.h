#pragma once

#include "ListEditing.h"

namespace zelkor {

// Swaps the selected alarm with its neighbour in that direction; the
// selection and its highlight go with the row.
void MoveAlarm(Editor& state, Direction direction);

// Swaps the selected variable with its neighbour when both have the same
// group, rewriting both order keys for their new places. Against a neighbour
// of another group the row joins that group and stays, its key unchanged.
void MoveVariable(Editor& state, Direction direction);

}  // namespace zelkor
