#include "PlcRead.h"

#include "EditorLifecycle.h"
#include "ListEditing.h"
#include "model/Cp1252.h"
#include "model/PlcImage.h"

#include <algorithm>
#include <memory>

namespace zelkor {

namespace {

// Bytes a write never leaves in a text: control characters and the five
// that Windows-1252 leaves undefined. Saved, a CR or LF would split a line.
bool OnlyTypeable(const QByteArray& text) {
  const QString decoded = cp1252::Decode(text);
  return std::all_of(decoded.begin(), decoded.end(), cp1252::Typeable);
}

}  // namespace

void ShowPortClosed(Editor& s) {
  s.link.portIndex = -1;
  for (ButtonState* b : {&s.link.write, &s.link.read, &s.link.compare}) b->enabled = false;
}

void ShowLinkFailure(Editor& s, const TransferOutcome& outcome, const QString& inPlc) {
  if (outcome.portClosed) ShowPortClosed(s);
  QString text = LinkErrorText(outcome);
  if (outcome.error == LinkError::Port && !inPlc.isEmpty()) text += QStringLiteral("\r\nNo CLP, %1.").arg(inPlc);
  Message box = SystemError(text);
  switch (outcome.error) {
    case LinkError::NotAck:
      box.title = MessageTitle::CommunicationEnded;
      box.help = MessageHelp::CommunicationEnded;
      break;
    case LinkError::TimeOut:
      box.title = MessageTitle::PlcNotResponding;
      box.help = MessageHelp::PlcNotResponding;
      break;
    case LinkError::BadAnswer:
      box.title = MessageTitle::ReadInterrupted;
      box.help = MessageHelp::ReadInterrupted;
      break;
    case LinkError::Port:
      box.help = outcome.portClosed ? MessageHelp::PortLost : MessageHelp::PortNotOpened;
      break;
    default:
      break;
  }
  s.messages.Show(box);
}

bool TakeReadAnswer(ReadBack& read, PlcLink& link, int index, const QList<quint16>& words) {
  if (index == 0) {
    // Grava CLP never writes an image without rows: a PLC whose words are all zero holds no lists.
    if (words[0] != 0 || words[1] != 0 || words[2] != 0 || words[3] == 0) {
      read.refusal =
          Exclamation(QStringLiteral("O CLP não contém listas do painel (cabeçalho em D4496 a D4499 não reconhecido)."),
                      MessageTitle::NothingRead, MessageHelp::NothingRead);
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
                    MessageTitle::NothingRead, MessageHelp::NothingRead);
    return false;
  }
  if (!OnlyTypeable(record.left(variable ? 11 : 16))) {
    read.refusal = Exclamation(
        QStringLiteral("A linha %1 da lista de %2 no CLP contém caracteres que o editor não grava.").arg(row).arg(list),
        MessageTitle::NothingRead, MessageHelp::NothingRead);
    return false;
  }
  if (variable) {
    read.lists.variables.push_back(*decoded);
    read.variableRecords.push_back(record);
  } else {
    read.lists.alarms << DecodeAlarmRecord(record);
    read.alarmRecords.push_back(record);
  }
  return true;
}

void Report(const PlcDone& done, PlcResult result) {
  if (done) done(result);
}

void StartListRead(Editor& s, bool lockLists, std::function<void(const ReadBack&)> then, PlcDone done) {
  auto read = std::make_shared<ReadBack>();
  // Set before the start: a transfer may end before the start returns.
  s.readingPlc = lockLists;
  PlcLink& link = s.plcLink;
  link.StartTransfer(
      TransferKind::Read, {ReadRequest(kImageTop, 4)},
      [read, &link](int index, const QList<quint16>& words) { return TakeReadAnswer(*read, link, index, words); },
      [&s, read, then = std::move(then), done = std::move(done)](const TransferOutcome& outcome) {
        s.readingPlc = false;
        // Whatever ends a read early leaves the lists, the title and the file as they were.
        switch (outcome.error) {
          case LinkError::None:
            then(*read);
            return;
          case LinkError::Abandoned:
            break;
          case LinkError::Stopped:
            s.messages.Show(read->refusal);
            break;
          default:
            ShowLinkFailure(s, outcome);
            break;
        }
        Report(done, PlcResult::Failed);
      });
}

void AdoptPlcLists(Editor& s, const ReadBack& read) {
  ReplaceLists(s, read.lists);
  UpdateReservedMemory(s);
  AdoptListsWithoutFile(s, ListsSource::Plc(s.plcLink.PortNumber()));
}

}  // namespace zelkor
