#include "PlcCommands.h"

#include "alarms/AlarmEditor.h"
#include "core/Cp1252.h"
#include "core/EditorLifecycle.h"
#include "editing/ListEditing.h"
#include "paramfile/FileCommands.h"
#include "paramfile/ParameterFile.h"
#include "plclink/LinkFrame.h"
#include "plclink/PlcImage.h"
#include "variables/VariableEditor.h"

#include <algorithm>
#include <memory>

namespace zelkor {

namespace {

Message Exclamation(const QString& text, const QString& title) {
  return {text, title, MessageButtons::Ok, MessageIcon::Exclamation};
}

QString ListTooLong(const QString& list, int rows) {
  return QStringLiteral("A lista de %1 tem %2 linhas, mas o CLP aceita no máximo %3.\r\nRemova linhas antes de gravar.")
      .arg(list)
      .arg(rows)
      .arg(kMaxRows);
}

// A link error in the link's own words, under the title the technician knows it by.
void ShowLinkFailure(EditorState& s, const TransferOutcome& outcome) {
  QString title = kProgramTitle;
  switch (outcome.error) {
    case LinkError::NotAck:
      title = QStringLiteral("Comunicação encerrada!");
      break;
    case LinkError::TimeOut:
      title = QStringLiteral("CLP não responde!");
      break;
    case LinkError::BadAnswer:
      title = QStringLiteral("Leitura interrompida!");
      break;
    default:
      break;
  }
  s.messages.Show({LinkErrorText(outcome), title, MessageButtons::Ok, MessageIcon::None});
}

// Bytes a write never leaves in a text: control characters and the five
// that Windows-1252 leaves undefined. Saved, a CR or LF would split a line.
bool OnlyTypeable(const QByteArray& text) {
  const QString decoded = cp1252::Decode(text);
  return std::all_of(decoded.begin(), decoded.end(), cp1252::Typeable);
}

// What a read has brought so far; the lists change only when it is all there.
struct ReadBack {
  int variables = 0;
  int alarms = 0;
  std::vector<VariableRow> variableRows;
  QStringList alarmTexts;
  Message refusal;  // why a record stopped the read
};

// Takes one answered read: the header announces the records, each record
// decodes or stops the read with the reason kept in `read`.
bool TakeReadAnswer(ReadBack& read, PlcLink& link, int index, const QList<quint16>& words) {
  const QString nothingRead = QStringLiteral("Nada foi lido!");
  if (index == 0) {
    // Grava CLP never writes an image without rows: a PLC whose words are all zero holds no lists.
    if (words[0] != 0 || words[1] != 0 || words[2] != 0 || words[3] == 0) {
      read.refusal =
          Exclamation(QStringLiteral("O CLP não contém listas do painel (cabeçalho em D4496 a D4499 não reconhecido)."),
                      nothingRead);
      return false;
    }
    read.variables = words[3] & 0xFF;
    read.alarms = words[3] >> 8;
    for (int row = 1; row <= read.variables; ++row) {
      link.AppendRequest(ReadRequest(kImageTop - kVariableWords * row, kVariableWords));
    }
    for (int row = 1; row <= read.alarms; ++row)
      link.AppendRequest(ReadRequest(ImageStart(read.variables, row), kAlarmWords));
    return true;
  }
  const QByteArray record = WordBytes(words);
  const bool variable = index <= read.variables;
  const int row = variable ? index : index - read.variables;
  const QString list = variable ? QStringLiteral("Variáveis") : QStringLiteral("Alarmes");
  const std::optional<VariableRow> decoded = variable ? DecodeVariableRecord(record) : std::nullopt;
  if (variable && !decoded) {
    read.refusal =
        Exclamation(QStringLiteral("A linha %1 da lista de Variáveis no CLP não é um registro que o editor "
                                   "grave (tipo de endereço 3, ou bits 6 e 7 ligados no byte de tipo e grupo).")
                        .arg(row),
                    nothingRead);
    return false;
  }
  if (!OnlyTypeable(record.left(variable ? 11 : 16))) {
    read.refusal = Exclamation(
        QStringLiteral("A linha %1 da lista de %2 no CLP contém caracteres que o editor não grava.").arg(row).arg(list),
        nothingRead);
    return false;
  }
  if (variable) {
    read.variableRows.push_back(*decoded);
  } else {
    read.alarmTexts << DecodeAlarmRecord(record);
  }
  return true;
}

}  // namespace

QList<QByteArray> TransferFrames(const VariableList& variables, const AlarmList& alarms) {
  const int v = variables.Count();
  const int a = alarms.Count();
  QList<QByteArray> frames;
  const auto header = ImageHeader(v, a);
  frames << BuildFrame({FrameCommand::Write, kImageTop, 4, WordBytes({header.begin(), header.end()})});
  int address = kImageTop;
  for (int row = 1; row <= v; ++row) {
    address -= kVariableWords;
    QByteArray record;
    try {
      record = EncodeVariableRow(variables.Row(row));
    } catch (const ImageError& e) {
      throw ImageError(
          QStringLiteral("Linha %1 da lista de Variáveis: %2").arg(row).arg(QString::fromUtf8(e.what())).toStdString());
    }
    frames << BuildFrame({FrameCommand::Write, address, kVariableWords, record});
  }
  for (int row = 1; row <= a; ++row) {
    address -= kAlarmWords;
    frames << BuildFrame({FrameCommand::Write, address, kAlarmWords, EncodeAlarmRow(alarms.Text(row))});
  }
  return frames;
}

bool RefuseWhileTransferring(EditorState& s, const PlcLink& link, const QString& what) {
  const std::optional<TransferKind> kind = link.RunningKind();
  if (!kind) return false;
  const bool reading = *kind == TransferKind::Read;
  s.messages.Show({(reading ? QStringLiteral("Aguarde o fim da leitura do CLP ")
                            : QStringLiteral("Aguarde o fim da transmissão ao CLP ")) +
                       what,
                   reading ? QStringLiteral("Leitura em andamento!") : QStringLiteral("Transmissão em andamento!"),
                   MessageButtons::Ok, MessageIcon::Information});
  return true;
}

void WriteToPlc(EditorState& s, PlcLink& link) {
  // A second click must not cut the running transfer off: the PLC would keep
  // a header announcing rows it never got.
  if (RefuseWhileTransferring(s, link, QStringLiteral("em andamento."))) return;
  if (BothListsEmpty(s)) {
    s.messages.Show(Exclamation(QStringLiteral("Ambas as Listas estão vazias!"), QStringLiteral("Nada para Enviar!")));
    return;
  }
  if (!CheckGroupSequence(s)) return;
  // Lists from a file may not fit the image: refuse before anything is sent.
  const QString title = QStringLiteral("Nada foi enviado!");
  for (const auto& [list, rows] :
       {std::pair{QStringLiteral("Variáveis"), s.variables.Count()}, {QStringLiteral("Alarmes"), s.alarms.Count()}}) {
    if (rows > kMaxRows) {
      s.messages.Show(Exclamation(ListTooLong(list, rows), title));
      return;
    }
  }
  QList<LinkRequest> requests;
  try {
    for (QByteArray& frame : TransferFrames(s.variables, s.alarms)) requests << LinkRequest{std::move(frame)};
  } catch (const ImageError& e) {
    s.messages.Show(
        Exclamation(QString::fromUtf8(e.what()) + QStringLiteral("\r\nCorrija a linha antes de gravar."), title));
    return;
  }
  link.StartTransfer(TransferKind::Write, std::move(requests), {}, [&s](const TransferOutcome& outcome) {
    if (outcome.error != LinkError::None) {
      ShowLinkFailure(s, outcome);
      return;
    }
    s.messages.Show({QStringLiteral("Transmissão encerrada!"), QStringLiteral("Transmissão Ok!"), MessageButtons::Ok,
                     MessageIcon::Information});
  });
}

void ReadFromPlc(EditorState& s, PlcLink& link, FileDialogService& dialogs) {
  if (RefuseWhileTransferring(s, link, QStringLiteral("em andamento."))) return;
  // As before opening a file, and before anything is sent.
  if (!OfferToSaveLists(s, dialogs, QStringLiteral("ler o CLP"))) return;
  auto read = std::make_shared<ReadBack>();
  // Set before the start: a transfer may end before the start returns.
  s.readingPlc = true;
  link.StartTransfer(
      TransferKind::Read, {ReadRequest(kImageTop, 4)},
      [read, &link](int index, const QList<quint16>& words) { return TakeReadAnswer(*read, link, index, words); },
      [&s, &link, read](const TransferOutcome& outcome) {
        s.readingPlc = false;
        // Whatever ends a read early leaves the lists, the title and the file as they were.
        switch (outcome.error) {
          case LinkError::None:
            break;
          case LinkError::Abandoned:
            return;
          case LinkError::Stopped:
            s.messages.Show(read->refusal);
            return;
          default:
            ShowLinkFailure(s, outcome);
            return;
        }
        ReplaceLists(s, read->variableRows, read->alarmTexts);
        UpdateReservedMemory(s);
        AdoptListsWithoutFile(s, kWindowTitle + QStringLiteral(" - CLP (") + PortEntryName(link.PortNumber()) + u')');
        s.messages.Show({QStringLiteral("Leitura encerrada!"), QStringLiteral("Leitura Ok!"), MessageButtons::Ok,
                         MessageIcon::Information});
      });
}

void ChoosePort(EditorState& s, PlcLink& link, int index) {
  if (RefuseWhileTransferring(s, link, QStringLiteral("para trocar de porta."))) {
    // Closing the port would cut the transfer off: keep the entry in use.
    s.link.portIndex = link.PortNumber() - 1;
    return;
  }
  if (index < 0) return;
  const OpenResult result = link.OpenPort(index + 1);
  const auto information = [&](const char16_t* text, const char16_t* title) {
    s.messages.Show(
        {QString::fromUtf16(text), QString::fromUtf16(title), MessageButtons::Ok, MessageIcon::Information});
  };
  switch (result.error) {
    case OpenError::None:
      s.link.write.enabled = true;
      s.link.read.enabled = true;
      break;
    case OpenError::InvalidPort:
      information(u"Porta inválida - tente outra!", u"Porta inválida!");
      break;
    case OpenError::InUse:
      information(u"Porta já está aberta - tente outra!", u"Porta em uso!");
      break;
    case OpenError::Other:
      ReportUnexpectedError(s.messages, result.description);
      break;
  }
}

void ShowPortDevices(EditorState& s, const PlcLink& link) {
  s.link.portDevices.clear();
  for (int port = 1; port <= kPortEntries; ++port) {
    const QString device = link.DeviceFor(port);
    s.link.portDevices << (device.isEmpty() ? QStringLiteral("Nenhum dispositivo nesta porta") : device);
  }
}

void SaveMonitorLines(EditorState& s, const LinkMonitor& monitor, FileDialogService& dialogs) {
  const FileDialogResult chosen = dialogs.Show({true,
                                                QStringLiteral("Salvar o monitor da comunicação"),
                                                QStringLiteral("Texto (*.txt) | *.txt"),
                                                QStringLiteral("monitor.txt"),
                                                true,
                                                {}});
  if (chosen.cancelled) return;
  QString text;
  for (const QString& line : monitor.Lines()) text += line + u'\n';
  QSaveFile file(chosen.fullPath);
  if (const auto error = WriteAtomically(file, text.toUtf8())) {
    ReportUnexpectedError(
        s.messages, QStringLiteral("Não foi possível gravar o arquivo \"%1\":\r\n%2").arg(chosen.fullPath, *error));
  }
}

void WireEditor(EditorState& s, PlcLink& link, FileDialogService& dialogs) {
  s.hooks.saveFile = [&s, &dialogs] { SaveFile(s, dialogs); };
  s.hooks.clearVariableFields = [&s] { ClearVariableFields(s); };
  s.hooks.clearAlarmFields = [&s] { ClearAlarmFields(s); };
  s.hooks.closePort = [&link] { link.ClosePort(); };
  s.hooks.writingPlc = [&link] { return link.RunningKind() == TransferKind::Write; };
  s.hooks.abandonPlcRead = [&link] { link.AbandonTransfer(); };
  // What the link's own events make the editor do is one command each, with
  // its errors reported as any command's are; the window runs it its own way.
  link.runEvent = [&s](const std::function<void()>& event) { Guarded(s.messages, event); };
  QObject::connect(&link, &PlcLink::PortLost, &link,
                   [&s](const QString& description) { ReportUnexpectedError(s.messages, description); });
}

}  // namespace zelkor
