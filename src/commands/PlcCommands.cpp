#include "PlcCommands.h"

#include "AlarmEditor.h"
#include "EditorLifecycle.h"
#include "FileCommands.h"
#include "History.h"
#include "ListEditing.h"
#include "PlcRead.h"
#include "VariableEditor.h"
#include "formats/ParameterFile.h"
#include "link/LinkFrame.h"
#include "model/Cp1252.h"
#include "model/ListWarnings.h"
#include "model/PlcImage.h"
#include "model/Ports.h"

#include <algorithm>
#include <memory>

namespace zelkor {

namespace {

// What a write that ended early left in the PLC, by the frames the PLC answered.
QString WrittenSoFar(const TransferOutcome& outcome) {
  if (outcome.answered == 0) return QStringLiteral("nada foi gravado");
  return QStringLiteral("a gravação ficou incompleta (%1 de %2 quadros): grave de novo")
      .arg(outcome.answered)
      .arg(outcome.total);
}

// Reads back every word a write sent, frame by frame, and compares them. The frames are named by the
// `variables` rows that were sent: rows added or removed since must not shift them.
void VerifyWrites(Editor& s, const std::vector<FrameRequest>& writes, int variables, const PlcDone& done) {
  QList<LinkRequest> reads;
  for (const FrameRequest& write : writes) reads << ReadRequest(write.address, write.words);
  auto refusal = std::make_shared<Message>();
  s.plcLink.StartTransfer(
      TransferKind::Verify, std::move(reads),
      [writes, refusal, variables](int index, const QList<quint16>& words) {
        if (WordBytes(words) == writes[static_cast<size_t>(index)].data) return true;
        const QString where = index == 0 ? QStringLiteral("o cabeçalho")
                              : index <= variables
                                  ? QStringLiteral("a linha %1 da lista de Variáveis").arg(index)
                                  : QStringLiteral("a linha %1 da lista de Alarmes").arg(index - variables);
        *refusal = Exclamation(QStringLiteral("Verificação falhou: %1 no CLP difere do que foi gravado.").arg(where),
                               MessageTitle::VerificationFailed, MessageHelp::VerificationFailed);
        return false;
      },
      [&s, refusal, done](const TransferOutcome& outcome) {
        switch (outcome.error) {
          case LinkError::None:
            s.messages.Show({QStringLiteral("Transmissão encerrada e verificada!"), MessageTitle::TransmissionOk,
                             MessageButtons::Ok, MessageIcon::Information});
            Report(done, PlcResult::Done);
            return;
          case LinkError::Abandoned:
            break;
          case LinkError::Stopped:
            s.messages.Show(*refusal);
            break;
          default:
            ShowLinkFailure(s, outcome, QStringLiteral("a gravação terminou; a verificação não"));
            break;
        }
        Report(done, PlcResult::Failed);
      });
}

// Each port tried and why it is not the PLC's; a run of ports with the same reason is one line (most of the 16
// entries have no device behind them).
QStringList PortsTriedLines(const QList<PortTried>& tried) {
  QStringList lines;
  for (qsizetype first = 0, last = 0; first < tried.size(); first = ++last) {
    const QString why = PortFindingText(tried[first]);
    while (last + 1 < tried.size() && tried[last + 1].number == tried[last].number + 1 &&
           PortFindingText(tried[last + 1]) == why)
      ++last;
    lines << PortEntryName(tried[first].number) +
                 (last > first ? QStringLiteral(" a ") + PortEntryName(tried[last].number) : QString()) +
                 QStringLiteral(": ") + why;
  }
  return lines;
}

// The port box shows `number`, and the PLC commands may use it.
void ShowPortOpen(Editor& s, int number) {
  s.link.portIndex = number - 1;
  for (ButtonState* b : {&s.link.write, &s.link.read, &s.link.compare}) b->enabled = true;
}

constexpr MessageTitle kWarningsTitle = MessageTitle::WarningsBeforeWrite;
const QString kRefusedLists = QStringLiteral("Grava CLP recusa estas listas:");

// A blank line between findings: each is a sentence of its own, often longer than the box is wide.
QString FindingsText(const QStringList& findings) { return findings.join(QStringLiteral("\r\n\r\n")); }

}  // namespace

std::vector<FrameRequest> ImageWrites(const Lists& lists) {
  std::vector<FrameRequest> writes;
  for (const ImageRecord& r : ImageRecords(lists)) {
    writes.push_back({FrameCommand::Write, r.address, static_cast<int>(r.bytes.size() / 2), r.bytes});
  }
  return writes;
}

bool RefuseWhileTransferring(Editor& s, const QString& what) {
  const std::optional<TransferKind> kind = s.plcLink.RunningKind();
  if (!kind) return false;
  const bool reading = *kind == TransferKind::Read;
  const bool searching = *kind == TransferKind::Search;
  s.messages.Show({(reading     ? QStringLiteral("Aguarde o fim da leitura do CLP ")
                    : searching ? QStringLiteral("Aguarde o fim da busca do CLP ")
                                : QStringLiteral("Aguarde o fim da transmissão ao CLP ")) +
                       what,
                   reading     ? MessageTitle::ReadRunning
                   : searching ? MessageTitle::SearchRunning
                               : MessageTitle::TransmissionRunning,
                   MessageButtons::Ok, MessageIcon::Information});
  return true;
}

void CheckLists(Editor& s) {
  QStringList findings = CheckListsBeforeWrite(s.lists);
  if (const auto refusal = WriteRefusal(s.lists)) findings.prepend(kRefusedLists + u' ' + refusal->text);
  if (findings.isEmpty()) {
    s.messages.Show({QStringLiteral("Nenhum problema encontrado nas listas."), MessageTitle::CheckLists,
                     MessageButtons::Ok, MessageIcon::Information});
    return;
  }
  s.messages.Show(Exclamation(FindingsText(findings), kWarningsTitle));
}

void WriteToPlc(Editor& s, const PlcDone& done) {
  // A second click must not cut the running transfer off: the PLC would keep
  // a header announcing rows it never got.
  if (RefuseWhileTransferring(s, QStringLiteral("em andamento."))) return Report(done, PlcResult::Failed);
  // The group check also marks the Grupo column; the printed sheet gives the same refusals.
  if (!BothListsEmpty(s) && !CheckGroupSequence(s)) return Report(done, PlcResult::Failed);
  if (const auto refusal = WriteRefusal(s.lists)) {
    s.messages.Show(*refusal);
    return Report(done, PlcResult::Failed);
  }
  if (const QStringList findings = CheckListsBeforeWrite(s.lists);
      !findings.isEmpty() && s.messages.Show({FindingsText(findings), kWarningsTitle, MessageButtons::WriteAnywayCancel,
                                              MessageIcon::Exclamation}) != Answer::Yes) {
    return Report(done, PlcResult::Warned);
  }
  std::vector<FrameRequest> writes = ImageWrites(s.lists);
  QList<LinkRequest> requests;
  for (const FrameRequest& write : writes) requests << LinkRequest{BuildFrame(write)};
  const bool verify = s.link.verifyWrites;
  const auto variables = static_cast<int>(s.lists.variables.size());
  s.plcLink.StartTransfer(TransferKind::Write, std::move(requests), {},
                          [&s, verify, variables, writes = std::move(writes), done](const TransferOutcome& outcome) {
                            if (outcome.error != LinkError::None) {
                              ShowLinkFailure(s, outcome, WrittenSoFar(outcome));
                              Report(done, PlcResult::Failed);
                            } else if (verify) {
                              VerifyWrites(s, writes, variables, done);
                            } else {
                              s.messages.Show({QStringLiteral("Transmissão encerrada!"), MessageTitle::TransmissionOk,
                                               MessageButtons::Ok, MessageIcon::Information});
                              Report(done, PlcResult::Done);
                            }
                          });
}

void ReadFromPlc(Editor& s, const PlcDone& done) {
  if (RefuseWhileTransferring(s, QStringLiteral("em andamento."))) return Report(done, PlcResult::Failed);
  // As before opening a file, and before anything is sent.
  if (!OfferToSaveLists(s, QStringLiteral("ler o CLP"))) return Report(done, PlcResult::Failed);
  StartListRead(
      s, true,
      [&s, done](const ReadBack& read) {
        RecordStep(
            s, [&] { AdoptPlcLists(s, read); }, [] { return QStringLiteral("ler o CLP"); });
        s.messages.Show(
            {QStringLiteral("Leitura encerrada!"), MessageTitle::ReadOk, MessageButtons::Ok, MessageIcon::Information});
        Report(done, PlcResult::Done);
      },
      done);
}

void FindPlc(Editor& s, const PlcDone& done) {
  if (RefuseWhileTransferring(s, QStringLiteral("para localizar o CLP."))) return Report(done, PlcResult::Failed);
  QList<int> ports;
  for (int port = 1; port <= kPortEntries; ++port) ports << port;
  static_cast<void>(s.plcLink.StartPlcSearch(ports, [&s, done](const PlcSearchOutcome& outcome) {
    if (outcome.found != 0) {
      ShowPortOpen(s, outcome.found);
      // Windows adds the adapter's description after the COM name, and knows no name for a port it does not list.
      const QString device = s.plcLink.DeviceFor(outcome.found).section(QStringLiteral(" — "), 0, 0);
      s.messages.Show(
          {QStringLiteral("CLP encontrado na %1%2.")
               .arg(PortEntryName(outcome.found), device.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(device)),
           MessageTitle::PlcFound, MessageButtons::Ok, MessageIcon::Information});
      return Report(done, PlcResult::Done);
    }
    if (outcome.portClosed) ShowPortClosed(s);
    if (!outcome.abandoned) {
      s.messages.Show(Exclamation(
          QStringLiteral("Nenhuma porta respondeu como um CLP:\r\n") + JoinLines(PortsTriedLines(outcome.tried)),
          MessageTitle::PlcNotFound, MessageHelp::PlcNotFound));
    }
    Report(done, PlcResult::Failed);
  }));
}

void CancelPlcSearch(Editor& s) {
  if (s.plcLink.RunningKind() == TransferKind::Search) s.plcLink.AbandonTransfer();
}

void ChoosePort(Editor& s, int index) {
  if (RefuseWhileTransferring(s, QStringLiteral("para trocar de porta."))) {
    // Closing the port would cut the transfer off: keep the entry in use.
    s.link.portIndex = s.plcLink.PortNumber() - 1;
    return;
  }
  if (index < 0) return;
  const OpenResult result = s.plcLink.OpenPort(index + 1);
  const auto information = [&](const char16_t* text, MessageTitle title, MessageHelp help) {
    s.messages.Show({QString::fromUtf16(text), title, MessageButtons::Ok, MessageIcon::Information, help});
  };
  switch (result.error) {
    case OpenError::None:
      ShowPortOpen(s, index + 1);
      break;
    case OpenError::InvalidPort:
      information(u"Porta inválida - tente outra!", MessageTitle::PortInvalid, MessageHelp::PortInvalid);
      break;
    case OpenError::InUse:
      information(u"Porta já está aberta - tente outra!", MessageTitle::PortInUse, MessageHelp::PortInUse);
      break;
    case OpenError::NoAccess:
    case OpenError::Other:
      s.messages.Show(SystemError(result.description, result.error == OpenError::NoAccess
                                                          ? MessageHelp::PortNoAccess
                                                          : MessageHelp::PortNotOpened));
      break;
  }
}

void ShowPortDevices(Editor& s) {
  s.link.portDevices.clear();
  for (int port = 1; port <= kPortEntries; ++port) {
    const QString device = s.plcLink.DeviceFor(port);
    s.link.portDevices << (device.isEmpty() ? QStringLiteral("Nenhum dispositivo nesta porta") : device);
  }
}

void SaveMonitorLines(Editor& s, const LinkMonitor& monitor) {
  const FileDialogResult chosen = s.dialogs.Show({true,
                                                  QStringLiteral("Salvar o monitor da comunicação"),
                                                  {QStringLiteral("Texto (*.txt) | *.txt")},
                                                  QStringLiteral("monitor.txt"),
                                                  true,
                                                  s.lastFolder});
  if (chosen.cancelled) return;
  QString text;
  for (const QString& line : monitor.Lines()) text += line + u'\n';
  QSaveFile file(chosen.fullPath);
  if (const auto error = WriteAtomically(file, text.toUtf8())) {
    ReportUnexpectedError(
        s.messages, QStringLiteral("Não foi possível gravar o arquivo \"%1\":\r\n%2").arg(chosen.fullPath, *error));
  }
}

}  // namespace zelkor
