#pragma once

#include "FileDialog.h"
#include "core/EditorState.h"

namespace zelkor {

inline const QString kParameterFilter = QStringLiteral("Arquivos (*.zlk) | *.zlk");
inline const QString kDefaultFileName = QStringLiteral("Parâmetros.zlk");
inline const QString kSpreadsheetFilter = QStringLiteral("Planilha (*.csv) | *.csv");

// Shows the dialog the state asks for; sets the current path and the window
// title, or the failure flag when cancelled.
void ChooseParameterFile(EditorState& state, FileDialogService& dialogs);

// Before the lists are replaced: when they have changed and are not empty,
// asks whether to save them first ("... antes de " + `before` + "?"); Yes runs
// Salvar. False when the technician cancels.
bool OfferToSaveLists(EditorState& state, FileDialogService& dialogs, const QString& before);

void BotaoAbrirArquivo_Click(EditorState& state, FileDialogService& dialogs);
// What "Abrir arquivo" does once its dialog has returned `path`; for a file
// named on the command line.
void OpenParameterFileAt(EditorState& state, const QString& path);
void BotaoSalvarArquivo_Click(EditorState& state, FileDialogService& dialogs);
void BotaoSalvarComo_Click(EditorState& state, FileDialogService& dialogs);

}  // namespace zelkor
