#pragma once

#include "Editor.h"
#include "FileDialog.h"

#include <optional>
#include <vector>

namespace zelkor {

inline const QString kDefaultFileName = QStringLiteral("Parâmetros.zlk");

// Spreadsheet and Workbook both hold the lists as one table: CSV and .xlsx.
enum class FileKind { Parameters, Spreadsheet, Workbook, Sheet };

// A type of file the dialogs offer: "Planilha (*.csv) | *.csv", csv.
struct FileType {
  QString filter;
  QString suffix;
  FileKind kind;
};
inline const FileType kParameters{QStringLiteral("Arquivos (*.zlk) | *.zlk"), QStringLiteral("zlk"),
                                  FileKind::Parameters};
inline const FileType kSpreadsheet{QStringLiteral("Planilha (*.csv) | *.csv"), QStringLiteral("csv"),
                                   FileKind::Spreadsheet};
inline const FileType kWorkbook{QStringLiteral("Planilha Excel (*.xlsx) | *.xlsx"), QStringLiteral("xlsx"),
                                FileKind::Workbook};
inline const FileType kSheet{QStringLiteral("Documento PDF (*.pdf) | *.pdf"), QStringLiteral("pdf"), FileKind::Sheet};

// What a file dialog returned.
struct ChosenFile {
  QString path;
  QString name;  // without its folder
  FileKind kind = FileKind::Parameters;
};

// Shows a file dialog offering `types`; nothing when cancelled. The dialog
// offers the name it returned last next time. A name's extension decides its
// kind; an opened file without a known one is of the type chosen in the
// dialog, a saved one is a parameter file unless a name without extension was
// typed under another type, which then gets that type's extension.
[[nodiscard]] std::optional<ChosenFile> ChooseFile(Editor& state, FileDialogRequest request,
                                                   const std::vector<FileType>& types);

// Before the lists are replaced: when they have changed and are not empty,
// asks whether to save them first ("... antes de " + `before` + "?"); Yes runs
// Salvar. False when the technician cancels, or answers Yes and the save does
// not happen: then nothing may go on.
[[nodiscard]] bool OfferToSaveLists(Editor& state, const QString& before);

// "Abrir arquivo": a parameter file, or a spreadsheet to import.
void OpenFile(Editor& state);
// What "Abrir arquivo" does once its dialog has returned `path`: for a file
// named on the command line or dropped on the window.
void OpenFileAt(Editor& state, const QString& path);
// One of the files opened or saved last: opened as "Abrir arquivo" would, or,
// when it no longer exists, said so and taken off the list.
void OpenRecentFile(Editor& state, const QString& path);
// What the recent-files list shows for each path: the file's name, followed
// by its folder when another file of the list has the same name.
QStringList RecentFileLabels(const QStringList& paths);
// The printed sheet of the lists in a parameter file (or a spreadsheet) as a
// PDF, with no window: nothing, or one line saying what went wrong.
[[nodiscard]] std::optional<QString> PrintFileToPdf(const QString& file, const QString& pdf);
// "Salvar arquivo": over the current file, asking for a name only when there
// is none. True when the lists are now in a file (a spreadsheet counts, a PDF
// does not); false when refused, cancelled or not written.
[[nodiscard]] bool SaveFile(Editor& state);
// "Salvar como": a parameter file under a chosen name, or a copy; true as Salvar's.
[[nodiscard]] bool SaveFileAs(Editor& state);

}  // namespace zelkor
