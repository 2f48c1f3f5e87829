#include "PlcLink.h"

#include "LinkFrame.h"
#include "model/PlcImage.h"
#include "model/Ports.h"

namespace zelkor {

LinkRequest ReadRequest(int address, int words) {
  return {BuildFrame({FrameCommand::Read, address, words, {}}), words};
}

QString LinkErrorText(const TransferOutcome& outcome) {
  switch (outcome.error) {
    case LinkError::NotAck:
      return QStringLiteral("Retorno do CLP diferente de ACK !");
    case LinkError::TimeOut:
      return QStringLiteral("Tempo esgotado!");
    case LinkError::Port:
      return outcome.portError;
    case LinkError::BadAnswer:
      return QStringLiteral("Resposta do CLP inválida.\r\n") + NameControlCharacters(outcome.answer);
    case LinkError::None:
    case LinkError::Stopped:
    case LinkError::Abandoned:
      break;
  }
  return {};
}

QString PortFindingText(const PortTried& tried) {
  switch (tried.finding) {
    case PortFinding::Plc:
      break;
    case PortFinding::NoDevice:
      return QStringLiteral("sem dispositivo");
    case PortFinding::InUse:
      return QStringLiteral("em uso por outro programa");
    case PortFinding::NoAccess:
      return QStringLiteral("sem permissão de acesso");
    case PortFinding::NoAnswer:
      return QStringLiteral("sem resposta");
    case PortFinding::NotPlc:
      return QStringLiteral("respondeu, mas não como um CLP");
    case PortFinding::PortFault:
      return QStringLiteral("erro da porta: ") + tried.portError.simplified();
  }
  return {};
}

PlcLink::PlcLink(SerialPort& port, Deadline& deadline, QObject* parent)
    : QObject(parent), port_(port), deadline_(deadline), exchange_(port, deadline) {
  connect(&exchange_, &LinkExchange::Finished, this, &PlcLink::OnExchangeFinished);
  connect(&port_, &SerialPort::Lost, this, [this](const QString& description) {
    // Reported once: by the transfer it cuts off, or here when idle.
    if (exchange_.Waiting()) {
      exchange_.Fail(description);
      return;
    }
    RunAsEvent([&] { Q_EMIT PortLost(description); });
  });
}

void PlcLink::RunAsEvent(const std::function<void()>& step) { runEvent ? runEvent(step) : step(); }

std::optional<TransferKind> PlcLink::RunningKind() const {
  return IsTransferring() ? std::optional(kind_) : std::nullopt;
}

void PlcLink::StartTransfer(TransferKind kind, QList<LinkRequest> requests, ReadHandler onRead, EndHandler onEnd) {
  pending_ = std::move(requests);
  kind_ = kind;
  sent_ = 0;
  startedAt_ = deadline_.Now();
  onRead_ = std::move(onRead);
  onEnd_ = std::move(onEnd);
  Q_EMIT TransferStarted(kind, static_cast<int>(pending_.size()));
  // A late answer or the tail of a NAK from an earlier transfer would be read
  // as the start of this one's first answer.
  if (const QByteArray stale = port_.DiscardWaiting(); !stale.isEmpty()) Q_EMIT Discarded(stale);
  SendNext();
}

void PlcLink::AbandonTransfer() {
  if (!IsTransferring()) return;
  exchange_.Cancel();
  if (search_) {
    search_->outcome.abandoned = true;
    EndSearch();
    return;
  }
  End({LinkError::Abandoned, {}, {}});
}

void PlcLink::ShowProgress() {
  TransferProgress& p = progress_;
  p = {true, sent_ - 1, sent_ + static_cast<int>(pending_.size()), {}};
  p.text = QStringLiteral("%1: quadro %2 de %3")
               .arg(kind_ == TransferKind::Write  ? QStringLiteral("Gravando")
                    : kind_ == TransferKind::Read ? QStringLiteral("Lendo")
                                                  : QStringLiteral("Verificando"))
               .arg(sent_)
               .arg(p.total);
  // The pace of the frames answered so far tells how long the rest will take.
  if (p.done > 0) {
    const qint64 left = (deadline_.Now() - startedAt_) * (p.total - p.done) / p.done;
    p.text += QStringLiteral(" — faltam %1 s").arg((left + 999) / 1000);
  }
  Q_EMIT ProgressChanged();
}

void PlcLink::SendNext() {
  if (pending_.isEmpty()) {
    End({});
    return;
  }
  current_ = pending_.takeFirst();
  ++sent_;
  ShowProgress();
  Q_EMIT RequestSent(sent_, sent_ + static_cast<int>(pending_.size()), current_.frame);
  exchange_.Start(current_.frame);
}

void PlcLink::OnExchangeFinished(ExchangeOutcome outcome, const QString& portError, const QByteArray& answer) {
  Q_EMIT AnswerReceived(outcome, answer, outcome == ExchangeOutcome::NotAck ? port_.PeekWaiting() : QByteArray(),
                        portError);
  if (search_) {
    OnSearchAnswer(outcome, portError, answer);
    return;
  }
  switch (outcome) {
    case ExchangeOutcome::Success:
      break;
    // The first failure ends the transfer; nothing is retried or undone.
    case ExchangeOutcome::NotAck:
      End({LinkError::NotAck, {}, {}});
      return;
    case ExchangeOutcome::TimeOut:
      End({LinkError::TimeOut, {}, {}});
      return;
    case ExchangeOutcome::PortLost:
    case ExchangeOutcome::PortError:
      End({LinkError::Port, portError, {}});
      return;
  }
  if (current_.readWords > 0) {
    // A write's answer is not checked; a read's data must be whole.
    const auto words = ParseReadAnswer(answer, current_.readWords);
    if (!words) {
      End({LinkError::BadAnswer, {}, answer});
      return;
    }
    if (onRead_ && !onRead_(sent_ - 1, *words)) {
      End({LinkError::Stopped, {}, {}});
      return;
    }
  }
  SendNext();
}

void PlcLink::End(TransferOutcome outcome) {
  outcome.answered = outcome.error == LinkError::None ? sent_ : sent_ - 1;
  outcome.total = sent_ + static_cast<int>(pending_.size());
  outcome.portClosed = !port_.IsOpen();
  pending_.clear();
  // Gone before whatever the end shows, however the transfer ends.
  progress_ = {};
  Q_EMIT ProgressChanged();
  Q_EMIT TransferEnded(outcome.error == LinkError::None);
  EndHandler onEnd = std::exchange(onEnd_, {});
  onRead_ = {};
  if (onEnd) RunAsEvent([&] { onEnd(outcome); });
}

bool PlcLink::StartPlcSearch(QList<int> ports, SearchEndHandler onEnd) {
  if (IsTransferring()) return false;
  kind_ = TransferKind::Search;
  search_ = PlcSearch{std::move(ports), portNumber_, port_.IsOpen(), {}, std::move(onEnd)};
  Q_EMIT TransferStarted(kind_, static_cast<int>(search_->ports.size()));
  TryNextPort();
  return true;
}

void PlcLink::TryNextPort() {
  PlcSearch& search = *search_;
  const auto tried = static_cast<int>(search.outcome.tried.size());
  const auto total = static_cast<int>(search.ports.size());
  if (tried == total) {
    EndSearch();
    return;
  }
  const int number = search.ports[tried];
  progress_ = {true, tried, total, QStringLiteral("Procurando: ") + PortEntryName(number)};
  Q_EMIT ProgressChanged();
  const OpenResult opened = OpenPort(number);
  if (opened.error != OpenError::None) {
    const PortFinding finding = opened.error == OpenError::InvalidPort ? PortFinding::NoDevice
                                : opened.error == OpenError::InUse     ? PortFinding::InUse
                                : opened.error == OpenError::NoAccess  ? PortFinding::NoAccess
                                                                       : PortFinding::PortFault;
    search.outcome.tried << PortTried{number, finding, opened.description};
    TryNextPort();
    return;
  }
  // Reading writes nothing: whatever answers, the device on this port is left as it was.
  current_ = ReadRequest(kImageTop, 4);
  Q_EMIT RequestSent(tried + 1, total, current_.frame);
  exchange_.Start(current_.frame);
}

void PlcLink::OnSearchAnswer(ExchangeOutcome outcome, const QString& portError, const QByteArray& answer) {
  // A PLC answers a read with its words or refuses it with a NAK; anything else is some other device.
  PortFinding finding = PortFinding::NotPlc;
  switch (outcome) {
    case ExchangeOutcome::Success:
      if (ParseReadAnswer(answer, current_.readWords)) finding = PortFinding::Plc;
      break;
    case ExchangeOutcome::NotAck:
      if (IsReadNak(answer)) finding = PortFinding::Plc;
      break;
    case ExchangeOutcome::TimeOut:
      if (answer.isEmpty()) finding = PortFinding::NoAnswer;
      break;
    case ExchangeOutcome::PortLost:
    case ExchangeOutcome::PortError:
      finding = PortFinding::PortFault;
      break;
  }
  search_->outcome.tried << PortTried{portNumber_, finding, portError};
  if (finding == PortFinding::Plc) {
    search_->outcome.found = portNumber_;
    EndSearch();
    return;
  }
  ClosePort();
  TryNextPort();
}

void PlcLink::EndSearch() {
  PlcSearch search = std::move(*search_);
  search_.reset();
  if (search.outcome.found == 0) {
    ClosePort();
    if (search.wasOpen) {
      static_cast<void>(OpenPort(search.portBefore));
    } else {
      portNumber_ = search.portBefore;
    }
  }
  search.outcome.portClosed = !port_.IsOpen();
  progress_ = {};
  Q_EMIT ProgressChanged();
  Q_EMIT TransferEnded(search.outcome.found != 0);
  if (search.onEnd) RunAsEvent([&] { search.onEnd(search.outcome); });
}

OpenResult PlcLink::OpenPort(int number) {
  ClosePort();
  const OpenResult result = port_.Open(number);
  portNumber_ = number;
  if (result.error == OpenError::None) {
    Q_EMIT PortOpened(number, port_.DeviceFor(number));
  } else {
    Q_EMIT PortRefused(number, result.error == OpenError::InvalidPort ? QStringLiteral("porta inválida")
                               : result.error == OpenError::InUse     ? QStringLiteral("porta em uso")
                                                                      : result.description);
  }
  return result;
}

void PlcLink::ClosePort() {
  if (port_.IsOpen()) Q_EMIT PortClosed();
  port_.Close();
}

}  // namespace zelkor
