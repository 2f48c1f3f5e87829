#pragma once

#include "core/EditorState.h"

#include <QString>
#include <utility>

namespace zelkor {

inline constexpr int kAlarmHalf = 8;

// Each text blank-filled or cut to 8 characters, first text first: 16 in all.
QString ComposeAlarmText(const QString& texto1, const QString& texto2);
// Characters 1-8 and 9-16 (those that exist: a text from a file may be shorter).
std::pair<QString, QString> SplitAlarmText(const QString& alarmText);

// Refuses an empty Texto1 (or one longer than 8) with its message; leaves the
// failure flag set unless the text is accepted. Texto2 may be empty.
void ValidateAlarmText(EditorState& state);
// Appends the composed alarm (refused from 255 rows on) or, while editing,
// replaces the selected row.
void StoreAlarmRow(EditorState& state);

void BotaoSalvarAlarme_Click(EditorState& state);
void BotaoEditarAlarme_Click(EditorState& state);
void BotaoRemoverAlarme_Click(EditorState& state);
void BotaoLimparAlarme_Click(EditorState& state);
void BotaoApagaListaAlarmes_Click(EditorState& state);
void MSFlexGrid2_Click(EditorState& state, int line);
void MSFlexGrid2_DblClick(EditorState& state, int line);

}  // namespace zelkor
