#pragma once

#include "FileDialog.h"
#include "core/EditorState.h"

#include <optional>

namespace zelkor {

inline const QString kParameterFilter = QStringLiteral("Arquivos (*.zlk) | *.zlk");
inline const QString kDefaultFileName = QStringLiteral("Parâmetros.zlk");
inline const QString kSpreadsheetFilter = QStringLiteral("Planilha (*.csv) | *.csv");

enum class FileKind { Parameters, Spreadsheet };

// What a file dialog returned.
struct ChosenFile {
  QString path;
  QString name;  // without its folder
  FileKind kind = FileKind::Parameters;
};

// Shows a file dialog; nothing when cancelled. The dialog offers the name it
// returned last next time. An opened file is a spreadsheet when the dialog's
// spreadsheet type was chosen or its name ends in ".csv"; a saved one only by
// its name's extension (a name without one, typed under the spreadsheet type,
// gets ".csv").
[[nodiscard]] std::optional<ChosenFile> ChooseFile(EditorState& state, FileDialogService& dialogs,
                                                   const FileDialogRequest& request);

// Before the lists are replaced: when they have changed and are not empty,
// asks whether to save them first ("... antes de " + `before` + "?"); Yes runs
// Salvar. False when the technician cancels.
[[nodiscard]] bool OfferToSaveLists(EditorState& state, FileDialogService& dialogs, const QString& before);

// "Abrir arquivo": a parameter file, or a spreadsheet to import.
void OpenFile(EditorState& state, FileDialogService& dialogs);
// What "Abrir arquivo" does once its dialog has returned `path`: for a file
// named on the command line or dropped on the window.
void OpenFileAt(EditorState& state, FileDialogService& dialogs, const QString& path);
// One of the files opened or saved last: opened as "Abrir arquivo" would, or,
// when it no longer exists, said so and taken off the list.
void OpenRecentFile(EditorState& state, FileDialogService& dialogs, const QString& path);
// "Salvar arquivo": over the current file, asking for a name only when there is none.
void SaveFile(EditorState& state, FileDialogService& dialogs);
// "Salvar como": a parameter file under a chosen name, or a spreadsheet copy.
void SaveFileAs(EditorState& state, FileDialogService& dialogs);

}  // namespace zelkor
