#include "FileCommands.h"

#include "EditorLifecycle.h"
#include "History.h"
#include "ListEditing.h"
#include "VariableEditor.h"
#include "formats/Csv.h"
#include "formats/ListsFile.h"
#include "formats/ParameterFile.h"
#include "formats/Sheet.h"
#include "formats/Xlsx.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace zelkor {

namespace {

const QString kSaveTitle = QStringLiteral("Selecione a pasta de destino para gravar o arquivo");
const QString kOpenTitle = QStringLiteral("Procure e clique no arquivo para leitura de Parâmetros para o CLP");
const QString kBeforeOpening = QStringLiteral("abrir o arquivo");

// The steps both save commands start with; false when the save must stop.
bool ReadyToSave(Editor& s) {
  if (BothListsEmpty(s)) {
    s.messages.Show(Exclamation(QStringLiteral("Ambas as Listas estão vazias!"), MessageTitle::NothingToSave));
    return false;
  }
  return CheckGroupSequence(s);
}

constexpr qsizetype kRecentFiles = 5;

// Newest first, each once; where the next file dialog starts.
void Remember(Editor& s, const QString& path) {
  s.recentFiles.removeAll(path);
  s.recentFiles.prepend(path);
  while (s.recentFiles.size() > kRecentFiles) s.recentFiles.removeLast();
  s.lastFolder = QFileInfo(path).absolutePath();
}

void AdoptFile(Editor& s, const ChosenFile& file) { s.source = ListsSource::File(file.path); }

bool IsSpreadsheet(FileKind kind) { return kind == FileKind::Spreadsheet || kind == FileKind::Workbook; }

// A file named outside a dialog is known by its extension.
ChosenFile FileAt(const QString& path) {
  const QFileInfo info(path);
  const ListsFileKind kind = ListsFileKindOf(path);
  return {info.absoluteFilePath(), info.fileName(),
          kind == ListsFileKind::Workbook ? FileKind::Workbook
          : kind == ListsFileKind::Csv    ? FileKind::Spreadsheet
                                          : FileKind::Parameters};
}

// True once the lists are in the file.
bool WriteLists(Editor& s, const QString& path) {
  if (const auto error = WriteParameterFile(path, s.lists)) {
    ReportUnexpectedError(s.messages, *error);
    return false;
  }
  s.history.MarkSaved(path);  // undoing back to here leaves nothing to ask about on closing
  Remember(s, path);
  return true;
}

// An export is a copy, not a save: the current file, the title and the
// lists-changed flag stay as they were. True once written.
bool ExportSpreadsheet(Editor& s, const ChosenFile& chosen) {
  QByteArray bytes;
  std::optional<QString> error;
  if (chosen.kind == FileKind::Workbook) {
    error = FormatXlsx(s.lists, bytes);
  } else {
    bytes = FormatCsv(s.lists);
  }
  QSaveFile file(chosen.path);
  if (!error) error = WriteAtomically(file, bytes);
  if (error) {
    ReportUnexpectedError(s.messages,
                          QStringLiteral("Não foi possível gravar a planilha \"%1\":\r\n%2").arg(chosen.path, *error));
    return false;
  }
  Remember(s, chosen.path);
  return true;
}

// The printed sheet as a PDF: a copy too.
void ExportSheet(Editor& s, const QString& path) {
  if (const auto error = WriteSheetPdf(path, SheetOf(SheetSource(s.source), s.lists))) {
    ReportUnexpectedError(s.messages,
                          QStringLiteral("Não foi possível gravar o documento \"%1\":\r\n%2").arg(path, *error));
  }
}

// True when the lists are now in a file: a parameter file, or a spreadsheet,
// which imports back as the same lists. A printed sheet does not hold them.
bool SaveChosenFile(Editor& s, const ChosenFile& file) {
  if (IsSpreadsheet(file.kind)) return ExportSpreadsheet(s, file);
  if (file.kind == FileKind::Sheet) {
    ExportSheet(s, file.path);
    return false;
  }
  // Written first: a file that cannot be written is not the current one.
  if (!WriteLists(s, file.path)) return false;
  AdoptFile(s, file);
  return true;
}

ListsFileKind KindOfLists(FileKind kind) {
  return kind == FileKind::Workbook      ? ListsFileKind::Workbook
         : kind == FileKind::Spreadsheet ? ListsFileKind::Csv
                                         : ListsFileKind::Parameters;
}

// The file is read and checked whole before anything is asked or changed, so
// a cancelled dialog, an unreadable file or a refused sheet asks nothing and
// changes nothing. A sheet replaces the lists as an open does but leaves no
// current file: the lists are in no parameter file yet.
void OpenChosenFile(Editor& s, const ChosenFile& chosen) {
  const ListsFileContent content = ReadListsFile(chosen.path, KindOfLists(chosen.kind));
  if (!content.lists) {
    s.messages.Show(content.refusal);
    return;
  }
  if (!OfferToSaveLists(s, kBeforeOpening)) return;
  const bool sheet = IsSpreadsheet(chosen.kind);
  RecordStep(
      s,
      [&] {
        ReplaceLists(s, *content.lists);
        UpdateReservedMemory(s);
        if (sheet) {
          AdoptListsWithoutFile(s, ListsSource::ImportedSheet(chosen.name));
          return;
        }
        AdoptFile(s, chosen);
        s.lastOpenedPath = chosen.path;
        s.files.save.enabled = true;
      },
      [&] {
        return (sheet ? QStringLiteral("importar a planilha %1") : QStringLiteral("abrir o arquivo %1"))
            .arg(chosen.name);
      });
  if (!sheet) s.history.MarkSaved(chosen.path);
  Remember(s, chosen.path);
}

}  // namespace

std::optional<ChosenFile> ChooseFile(Editor& s, FileDialogRequest request, const std::vector<FileType>& types) {
  for (const FileType& type : types) request.filters << type.filter;
  request.folder = s.lastFolder;
  const FileDialogResult result = s.dialogs.Show(request);
  if (result.cancelled || result.fullPath.isEmpty()) return std::nullopt;
  const FileType& chosenType =
      types[static_cast<size_t>(std::clamp(result.filter, 0, static_cast<int>(types.size()) - 1))];
  ChosenFile chosen{result.fullPath, result.name, request.save ? FileKind::Parameters : chosenType.kind};
  const QString suffix = QFileInfo(chosen.name).suffix();
  if (request.save && suffix.isEmpty() && chosenType.kind != FileKind::Parameters) {
    chosen.path += u'.' + chosenType.suffix;
    chosen.name += u'.' + chosenType.suffix;
    chosen.kind = chosenType.kind;
  }
  // A saved name is known by every extension the editor writes, whatever the dialog offered.
  const std::vector<FileType> known =
      request.save ? std::vector<FileType>{kParameters, kSpreadsheet, kWorkbook, kSheet} : types;
  for (const FileType& type : known) {
    if (suffix.compare(type.suffix, Qt::CaseInsensitive) == 0) chosen.kind = type.kind;
  }
  s.dialogFileName = chosen.path;  // offered again next time
  return chosen;
}

bool OfferToSaveLists(Editor& s, const QString& before) {
  if (!s.listsChanged || BothListsEmpty(s)) return true;
  const Answer answer =
      s.messages.Show({QStringLiteral("Você quer salvar o conteúdo das listas antes de ") + before + u'?',
                       MessageTitle::SaveCurrentData, MessageButtons::YesNoCancel, MessageIcon::None});
  // Yes goes on only once the lists are in a file.
  return answer == Answer::Yes ? SaveFile(s) : answer == Answer::No;
}

void OpenFileAt(Editor& s, const QString& path) {
  if (!s.readingPlc) OpenChosenFile(s, FileAt(path));
}

std::optional<QString> PrintFileToPdf(const QString& path, const QString& pdf) {
  const ListsFileContent content = ReadListsFile(path, ListsFileKindOf(path));
  if (!content.lists) return OneLine(content.refusal);
  if (const auto error = WriteSheetPdf(pdf, SheetOf(QFileInfo(path).fileName(), *content.lists))) {
    return QStringLiteral("não foi possível gravar \"%1\": %2").arg(pdf, *error);
  }
  return std::nullopt;
}

void OpenRecentFile(Editor& s, const QString& path) {
  if (s.readingPlc) return;
  if (!QFileInfo::exists(path)) {
    s.recentFiles.removeAll(path);
    s.messages.Show(Exclamation(
        QStringLiteral("O arquivo \"%1\" não existe mais e foi retirado da lista de arquivos recentes.").arg(path),
        MessageTitle::FileNotFound));
    return;
  }
  OpenChosenFile(s, FileAt(path));
}

QStringList RecentFileLabels(const QStringList& paths) {
  QStringList names;
  for (const QString& path : paths) names << QFileInfo(path).fileName();
  QStringList labels;
  for (qsizetype i = 0; i < paths.size(); ++i) {
    // Case aside, as Windows sees names.
    const auto same = [&](const QString& name) { return name.compare(names[i], Qt::CaseInsensitive) == 0; };
    labels << (std::count_if(names.begin(), names.end(), same) > 1
                   ? names[i] + QStringLiteral(" — ") + QDir::toNativeSeparators(QFileInfo(paths[i]).path())
                   : names[i]);
  }
  return labels;
}

void OpenFile(Editor& s) {
  if (s.readingPlc) return;
  const std::optional<ChosenFile> chosen =
      ChooseFile(s, {false, kOpenTitle, {}, s.dialogFileName, true, {}}, {kParameters, kSpreadsheet, kWorkbook});
  if (chosen) OpenChosenFile(s, *chosen);
}

bool SaveFile(Editor& s) {
  if (!ReadyToSave(s)) return false;
  if (const QString path = s.source.SavePath(); !path.isEmpty()) return WriteLists(s, path);
  s.dialogFileName = kDefaultFileName;
  const std::optional<ChosenFile> chosen =
      ChooseFile(s, {true, kSaveTitle, {}, s.dialogFileName, true, {}}, {kParameters});
  return chosen && SaveChosenFile(s, *chosen);
}

bool SaveFileAs(Editor& s) {
  if (!ReadyToSave(s)) return false;
  if (s.lastOpenedPath.isEmpty()) s.dialogFileName = kDefaultFileName;
  const std::optional<ChosenFile> chosen =
      ChooseFile(s, {true, kSaveTitle, {}, s.dialogFileName, true, {}}, {kParameters, kSpreadsheet, kWorkbook, kSheet});
  if (!chosen || !SaveChosenFile(s, *chosen)) return false;
  if (chosen->kind == FileKind::Parameters) s.files.save.enabled = true;
  return true;
}

}  // namespace zelkor
