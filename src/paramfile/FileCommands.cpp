#include "FileCommands.h"

#include "Csv.h"
#include "ParameterFile.h"
#include "core/ControlNames.h"
#include "core/MainWindow.h"
#include "plclink/PlcImage.h"
#include "variables/VariableEditor.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace zelkor {

namespace {

const QString kSaveTitle = QStringLiteral("Selecione a pasta de destino para gravar o arquivo");

// The empty check reads the count displays, as the transfer does.
bool RefuseEmptyLists(EditorState& s) {
  if (!BothCountsShowEmpty(s)) return false;
  s.messages.Show({QStringLiteral("Ambas as Listas estão vazias!"), QStringLiteral("Nada para Salvar!"),
                   MessageButtons::Ok, MessageIcon::Exclamation});
  return true;
}

// The steps both save commands start with; false when the save must stop.
bool ReadyToSave(EditorState& s) {
  if (RefuseEmptyLists(s)) return false;
  CheckGroupSequence(s);
  if (s.failure) return false;
  s.dialogTitle = kSaveTitle;
  s.dialogFilter = kParameterFilter;
  return true;
}

void AdoptParameterFile(EditorState& s, const QString& fullPath, const QString& name) {
  s.dialogFileName = fullPath;  // offered again next time
  s.currentPath = fullPath;
  s.title = kWindowTitle + QStringLiteral(" - ") + name;
}

bool IsSpreadsheet(const QString& path) { return path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive); }

// An import replaces the lists as an open does, but leaves no current file:
// the lists are in no parameter file yet. A refused one changes nothing.
void ImportAdoptedSpreadsheet(EditorState& s, const QString& previousPath, const QString& previousTitle) {
  const QString path = std::exchange(s.currentPath, previousPath);
  const QString fileName = QFileInfo(path).fileName();
  s.title = previousTitle;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes) {
    ReportUnexpectedError(s.messages, QStringLiteral("Não foi possível ler a planilha \"%1\":\r\n%2")
                                          .arg(path, file.isOpen() ? QStringLiteral("Arquivo grande demais.") : file.errorString()));
    return;
  }
  const CsvImport import = ParseCsv(file.readAll());
  ApplyCsvImport(s, import);
  if (!import.ok()) return;
  UpdateReservedMemory(s);
  AdoptListsWithoutFile(s, kWindowTitle + QStringLiteral(" - ") + fileName + QStringLiteral(" (importada)"));
}

void ReadAdoptedFile(EditorState& s, const QString& previousPath, const QString& previousTitle) {
  if (s.spreadsheetChosen) {
    ImportAdoptedSpreadsheet(s, previousPath, previousTitle);
    return;
  }
  ReadParameterFile(s);
  if (s.failure) {
    // A file refused as far too large is not adopted: a later save must not
    // write over it.
    s.currentPath = previousPath;
    s.title = previousTitle;
    return;
  }
  UpdateReservedMemory(s);
  s.lastOpenedPath = s.currentPath;
  s.button(name::BotaoSalvarArquivo).enabled = true;
}

}  // namespace

void ChooseParameterFile(EditorState& s, FileDialogService& dialogs) {
  s.failure = false;
  Guarded(s.messages, [&] {
    const FileDialogResult result =
        dialogs.Show({s.dialogSave, s.dialogTitle, s.dialogFilter, s.dialogFileName, true, s.dialogSecondFilter});
    if (result.cancelled || result.fullPath.isEmpty()) {
      s.failure = true;
      return;
    }
    s.spreadsheetChosen = !s.dialogSecondFilter.isEmpty() && (result.secondFilterChosen || IsSpreadsheet(result.fullPath));
    AdoptParameterFile(s, result.fullPath, result.name);
  });
}

void OpenParameterFileAt(EditorState& s, const QString& path) {
  Guarded(s.messages, [&] {
    const QString previousPath = s.currentPath;
    const QString previousTitle = s.title;
    const QFileInfo file(path);
    AdoptParameterFile(s, file.absoluteFilePath(), file.fileName());
    s.spreadsheetChosen = IsSpreadsheet(path);
    ReadAdoptedFile(s, previousPath, previousTitle);
  });
}

bool OfferToSaveLists(EditorState& s, FileDialogService& dialogs, const QString& before) {
  if (!s.listsChanged || BothCountsShowEmpty(s)) return true;
  const Answer answer =
      s.messages.Show({QStringLiteral("Você quer salvar o conteúdo das listas antes de ") + before + u'?',
                       QStringLiteral("Salvar dados atuais?"), MessageButtons::YesNoCancel, MessageIcon::None});
  if (answer == Answer::Yes) BotaoSalvarArquivo_Click(s, dialogs);
  return answer != Answer::Cancel;
}

void BotaoAbrirArquivo_Click(EditorState& s, FileDialogService& dialogs) {
  Guarded(s.messages, [&] {
    if (!OfferToSaveLists(s, dialogs, QStringLiteral("abrir o arquivo"))) return;
    const QString previousPath = s.currentPath;
    const QString previousTitle = s.title;
    s.dialogTitle = QStringLiteral("Procure e clique no arquivo para leitura de Parâmetros para o CLP");
    s.dialogFilter = kParameterFilter;
    s.dialogSecondFilter = kSpreadsheetFilter;
    s.dialogSave = false;
    ChooseParameterFile(s, dialogs);
    if (s.currentPath.isEmpty() || s.failure) return;
    ReadAdoptedFile(s, previousPath, previousTitle);
  });
}

void BotaoSalvarArquivo_Click(EditorState& s, FileDialogService& dialogs) {
  Guarded(s.messages, [&] {
    if (!ReadyToSave(s)) return;
    if (!s.currentPath.isEmpty()) {
      WriteParameterFile(s);
      return;
    }
    s.dialogFileName = kDefaultFileName;
    s.dialogSecondFilter.clear();
    s.dialogSave = true;
    ChooseParameterFile(s, dialogs);
    if (!s.currentPath.isEmpty() && !s.failure) WriteParameterFile(s);
  });
}

void BotaoSalvarComo_Click(EditorState& s, FileDialogService& dialogs) {
  Guarded(s.messages, [&] {
    if (!ReadyToSave(s)) return;
    if (s.lastOpenedPath.isEmpty()) s.dialogFileName = kDefaultFileName;
    s.dialogSecondFilter = kSpreadsheetFilter;
    s.dialogSave = true;
    const QString previousPath = s.currentPath;
    const QString previousTitle = s.title;
    ChooseParameterFile(s, dialogs);
    if (s.currentPath.isEmpty() || s.failure) return;
    if (s.spreadsheetChosen) {
      // An export is a copy, not a save: the current file and the title stay.
      QSaveFile file(std::exchange(s.currentPath, previousPath));
      s.title = previousTitle;
      QString error;
      if (!WriteAtomically(file, FormatCsv(s.variables, s.alarms), &error)) {
        ReportUnexpectedError(s.messages, QStringLiteral("Não foi possível gravar a planilha \"%1\":\r\n%2").arg(file.fileName(), error));
      }
      return;
    }
    WriteParameterFile(s);
    s.button(name::BotaoSalvarArquivo).enabled = true;
  });
}

}  // namespace zelkor
