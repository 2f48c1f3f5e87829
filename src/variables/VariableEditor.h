#pragma once

#include "core/EditorState.h"

namespace zelkor {

// The window's check of the typed line: carries out CheckVariableEntry's
// verdict on the fields and leaves the failure flag set unless the line is valid.
void ValidateVariableEntry(EditorState& state);

// Appends the typed line (refused from 255 rows on) or, while editing,
// replaces the selected row.
void StoreVariableRow(EditorState& state);

// Sets the failure flag when the group numbers do not run 0, 1, 2, ... without
// a gap, after showing its message and colouring the Grupo column red.
void CheckGroupSequence(EditorState& state);

// Colours column 0 from the header down to the last row.
void PaintGrupoColumn(EditorState& state, Rgb colour);

void BotaoSalvar_Click(EditorState& state);
void BotaoEditar_Click(EditorState& state);
void BotaoRemover_Click(EditorState& state);
void BotaoLimpar_Click(EditorState& state);
void BotaoApagaListaVariaveis_Click(EditorState& state);
void MSFlexGrid1_Click(EditorState& state, int line);
void MSFlexGrid1_DblClick(EditorState& state, int line);

}  // namespace zelkor
