#include "FileCommands.h"

#include "Csv.h"
#include "ParameterFile.h"
#include "core/EditorLifecycle.h"
#include "editing/History.h"
#include "editing/ListEditing.h"
#include "variables/VariableEditor.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace zelkor {

namespace {

const QString kSaveTitle = QStringLiteral("Selecione a pasta de destino para gravar o arquivo");
const QString kOpenTitle = QStringLiteral("Procure e clique no arquivo para leitura de Parâmetros para o CLP");
const QString kBeforeOpening = QStringLiteral("abrir o arquivo");

// The steps both save commands start with; false when the save must stop.
bool ReadyToSave(EditorState& s) {
  if (BothListsEmpty(s)) {
    s.messages.Show({QStringLiteral("Ambas as Listas estão vazias!"), QStringLiteral("Nada para Salvar!"),
                     MessageButtons::Ok, MessageIcon::Exclamation});
    return false;
  }
  return CheckGroupSequence(s);
}

bool HasSpreadsheetName(const QString& path) { return path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive); }

constexpr qsizetype kRecentFiles = 5;

// Newest first, each once; where the next file dialog starts.
void Remember(EditorState& s, const QString& path) {
  s.recentFiles.removeAll(path);
  s.recentFiles.prepend(path);
  while (s.recentFiles.size() > kRecentFiles) s.recentFiles.removeLast();
  s.lastFolder = QFileInfo(path).absolutePath();
}

void AdoptFile(EditorState& s, const ChosenFile& file) {
  s.currentPath = file.path;
  s.title = kWindowTitle + QStringLiteral(" - ") + file.name;
}

ChosenFile FileAt(const QString& path) {
  const QFileInfo info(path);
  return {info.absoluteFilePath(), info.fileName(),
          HasSpreadsheetName(path) ? FileKind::Spreadsheet : FileKind::Parameters};
}

void WriteCurrentFile(EditorState& s) {
  if (const auto error = WriteParameterFile(s.currentPath, s.variables, s.alarms)) {
    ReportUnexpectedError(s.messages, *error);
    return;
  }
  s.history.MarkSaved();  // undoing back to here leaves nothing to ask about on closing
  Remember(s, s.currentPath);
}

// An export is a copy, not a save: the current file, the title and the
// lists-changed flag stay as they were.
void ExportSpreadsheet(EditorState& s, const QString& path) {
  QSaveFile file(path);
  if (const auto error = WriteAtomically(file, FormatCsv(s.variables, s.alarms))) {
    ReportUnexpectedError(s.messages,
                          QStringLiteral("Não foi possível gravar a planilha \"%1\":\r\n%2").arg(path, *error));
    return;
  }
  Remember(s, path);
}

void SaveChosenFile(EditorState& s, const ChosenFile& file) {
  if (file.kind == FileKind::Spreadsheet) {
    ExportSpreadsheet(s, file.path);
    return;
  }
  AdoptFile(s, file);
  WriteCurrentFile(s);
}

// A sheet is read and checked whole before anything is asked or changed; an
// accepted one replaces the lists as an open does, but leaves no current
// file: the lists are in no parameter file yet.
void ImportSpreadsheet(EditorState& s, FileDialogService& dialogs, const ChosenFile& chosen) {
  QFile file(chosen.path);
  if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes) {
    ReportUnexpectedError(s.messages, QStringLiteral("Não foi possível ler a planilha \"%1\":\r\n%2")
                                          .arg(chosen.path, file.isOpen() ? QStringLiteral("Arquivo grande demais.")
                                                                          : file.errorString()));
    return;
  }
  const CsvImport import = ParseCsv(file.readAll());
  if (!import.Ok()) {
    s.messages.Show(import.message);
    return;
  }
  if (!OfferToSaveLists(s, dialogs, kBeforeOpening)) return;
  RecordStep(
      s,
      [&] {
        ReplaceLists(s, import.variables, import.alarms);
        UpdateReservedMemory(s);
        AdoptListsWithoutFile(s, kWindowTitle + QStringLiteral(" - ") + chosen.name + QStringLiteral(" (importada)"));
      },
      [&] { return QStringLiteral("importar a planilha %1").arg(chosen.name); });
  Remember(s, chosen.path);
}

// The question comes once the file is known (for a sheet, once it has been
// checked), so a cancelled dialog or a refused sheet asks nothing.
void OpenChosenFile(EditorState& s, FileDialogService& dialogs, const ChosenFile& chosen) {
  if (chosen.kind == FileKind::Spreadsheet) {
    ImportSpreadsheet(s, dialogs, chosen);
    return;
  }
  if (!OfferToSaveLists(s, dialogs, kBeforeOpening)) return;
  const QString previousPath = s.currentPath;
  const QString previousTitle = s.title;
  AdoptFile(s, chosen);
  if (ReadParameterFile(s, chosen.path) == ReadOutcome::Refused) {
    // A file refused as far too large is not adopted: a later save must not
    // write over it.
    s.currentPath = previousPath;
    s.title = previousTitle;
    return;
  }
  UpdateReservedMemory(s);
  s.lastOpenedPath = s.currentPath;
  s.files.save.enabled = true;
  s.history.Reset();  // the file is the new starting point
  Remember(s, chosen.path);
}

}  // namespace

std::optional<ChosenFile> ChooseFile(EditorState& s, FileDialogService& dialogs, const FileDialogRequest& request) {
  const FileDialogResult result = dialogs.Show(request);
  if (result.cancelled || result.fullPath.isEmpty()) return std::nullopt;
  ChosenFile chosen{result.fullPath, result.name, FileKind::Parameters};
  const bool spreadsheetType = !request.secondFilter.isEmpty() && result.secondFilterChosen;
  if (request.save && spreadsheetType && QFileInfo(chosen.name).suffix().isEmpty()) {
    chosen.path += QStringLiteral(".csv");
    chosen.name += QStringLiteral(".csv");
  }
  if (HasSpreadsheetName(chosen.path) || (!request.save && spreadsheetType)) chosen.kind = FileKind::Spreadsheet;
  s.dialogFileName = chosen.path;  // offered again next time
  return chosen;
}

bool OfferToSaveLists(EditorState& s, FileDialogService& dialogs, const QString& before) {
  if (!s.listsChanged || BothListsEmpty(s)) return true;
  const Answer answer =
      s.messages.Show({QStringLiteral("Você quer salvar o conteúdo das listas antes de ") + before + u'?',
                       QStringLiteral("Salvar dados atuais?"), MessageButtons::YesNoCancel, MessageIcon::None});
  if (answer == Answer::Yes) SaveFile(s, dialogs);
  return answer != Answer::Cancel;
}

void OpenFileAt(EditorState& s, FileDialogService& dialogs, const QString& path) {
  if (!s.readingPlc) OpenChosenFile(s, dialogs, FileAt(path));
}

void OpenRecentFile(EditorState& s, FileDialogService& dialogs, const QString& path) {
  if (s.readingPlc) return;
  if (!QFileInfo::exists(path)) {
    s.recentFiles.removeAll(path);
    s.messages.Show({QStringLiteral("O arquivo \"%1\" não existe mais e foi retirado da lista de arquivos recentes.").arg(path),
                     QStringLiteral("Arquivo não encontrado!"), MessageButtons::Ok, MessageIcon::Exclamation});
    return;
  }
  OpenChosenFile(s, dialogs, FileAt(path));
}

void OpenFile(EditorState& s, FileDialogService& dialogs) {
  if (s.readingPlc) return;
  const std::optional<ChosenFile> chosen =
      ChooseFile(s, dialogs, {false, kOpenTitle, kParameterFilter, s.dialogFileName, true, kSpreadsheetFilter, s.lastFolder});
  if (chosen) OpenChosenFile(s, dialogs, *chosen);
}

void SaveFile(EditorState& s, FileDialogService& dialogs) {
  if (!ReadyToSave(s)) return;
  if (!s.currentPath.isEmpty()) {
    WriteCurrentFile(s);
    return;
  }
  s.dialogFileName = kDefaultFileName;
  const std::optional<ChosenFile> chosen =
      ChooseFile(s, dialogs, {true, kSaveTitle, kParameterFilter, s.dialogFileName, true, {}, s.lastFolder});
  if (chosen) SaveChosenFile(s, *chosen);
}

void SaveFileAs(EditorState& s, FileDialogService& dialogs) {
  if (!ReadyToSave(s)) return;
  if (s.lastOpenedPath.isEmpty()) s.dialogFileName = kDefaultFileName;
  const std::optional<ChosenFile> chosen =
      ChooseFile(s, dialogs, {true, kSaveTitle, kParameterFilter, s.dialogFileName, true, kSpreadsheetFilter, s.lastFolder});
  if (!chosen) return;
  SaveChosenFile(s, *chosen);
  if (chosen->kind == FileKind::Parameters) s.files.save.enabled = true;
}

}  // namespace zelkor
