#include "PlcLink.h"

#include "LinkFrame.h"
#include "core/ControlNames.h"
#include "core/MainWindow.h"

namespace zelkor {

namespace {

Message Information(const QString& text, const QString& title) {
  return {text, title, MessageButtons::Ok, MessageIcon::Information};
}

Message Plain(const QString& text, const QString& title) { return {text, title, MessageButtons::Ok, MessageIcon::None}; }

}  // namespace

LinkRequest ReadRequest(int address, int words) {
  return {BuildFrame({false, DeviceName(address), WordCountText(words), {}, false}), words};
}

PlcLink::PlcLink(EditorState& state, SerialPort& port, Deadline& deadline, QObject* parent)
    : QObject(parent), state_(state), port_(port), deadline_(deadline), exchange_(port, deadline) {
  connect(&exchange_, &LinkExchange::finished, this, &PlcLink::onExchangeFinished);
  connect(&port_, &SerialPort::lost, this, [this](const QString& description) {
    // Reported once: by the transfer it cuts off, or here when idle.
    if (exchange_.waiting()) {
      exchange_.fail(description);
      return;
    }
    Q_EMIT portLost(description);
    state_.messages.Show(Plain(description, kProgramTitle));
  });
}

bool PlcLink::RefuseWhileTransferring(const QString& what) {
  if (!transferring()) return false;
  state_.messages.Show(Information(QStringLiteral("Aguarde o fim da transmissão ao CLP ") + what,
                                   QStringLiteral("Transmissão em andamento!")));
  return true;
}

void PlcLink::Transfer(TransferKind kind, QList<LinkRequest> requests, ReadHandler onRead, EndHandler onEnd) {
  pending_ = std::move(requests);
  kind_ = kind;
  sent_ = 0;
  startedAt_ = deadline_.now();
  onRead_ = std::move(onRead);
  onEnd_ = std::move(onEnd);
  Q_EMIT transferStarted(kind, static_cast<int>(pending_.size()));
  sendNext();
}

void PlcLink::showProgress() {
  TransferProgress& p = state_.progress;
  p = {true, sent_ - 1, sent_ + static_cast<int>(pending_.size()), {}};
  p.text = QStringLiteral("%1: quadro %2 de %3")
               .arg(kind_ == TransferKind::Write ? QStringLiteral("Gravando") : QStringLiteral("Lendo"))
               .arg(sent_)
               .arg(p.total);
  // The pace of the frames answered so far tells how long the rest will take.
  if (p.done > 0) {
    const qint64 left = (deadline_.now() - startedAt_) * (p.total - p.done) / p.done;
    p.text += QStringLiteral(" — faltam %1 s").arg((left + 999) / 1000);
  }
  Q_EMIT progressChanged();
}

void PlcLink::sendNext() {
  if (pending_.isEmpty()) {
    end(true);
    return;
  }
  current_ = pending_.takeFirst();
  ++sent_;
  showProgress();
  Q_EMIT requestSent(sent_, sent_ + static_cast<int>(pending_.size()), current_.frame);
  exchange_.start(current_.frame);
}

void PlcLink::onExchangeFinished(ExchangeOutcome outcome, const QString& portError, const QByteArray& answer) {
  Q_EMIT answerReceived(outcome, answer, outcome == ExchangeOutcome::NotAck ? port_.peekWaiting() : QByteArray(),
                        portError);
  if (outcome == ExchangeOutcome::Success) {
    bool goOn = true;
    const bool ran = Guarded(state_.messages, [&] {
      if (current_.readWords > 0) {
        const auto words = ParseReadAnswer(answer, current_.readWords);
        if (!words) {
          // A write's answer is not checked; a read's data must be whole.
          state_.messages.Show(Plain(QStringLiteral("Resposta do CLP inválida.\r\n") + NameControlCharacters(answer),
                                     QStringLiteral("Leitura interrompida!")));
          goOn = false;
        } else if (onRead_) {
          goOn = onRead_(sent_ - 1, *words);
        }
      }
      if (goOn) sendNext();
    });
    if (!ran || !goOn) end(false);
    return;
  }
  // The first failure ends the transfer; nothing is retried or undone.
  switch (outcome) {
    case ExchangeOutcome::NotAck:
      state_.messages.Show(Plain(QStringLiteral("Retorno do CLP diferente de ACK !"), QStringLiteral("Comunicação encerrada!")));
      break;
    case ExchangeOutcome::TimeOut:
      state_.messages.Show(Plain(QStringLiteral("Tempo esgotado!"), QStringLiteral("CLP não responde!")));
      break;
    default:
      state_.messages.Show(Plain(portError, kProgramTitle));
      break;
  }
  end(false);
}

void PlcLink::end(bool complete) {
  pending_.clear();
  state_.progress = {};  // gone however the transfer ends
  Q_EMIT progressChanged();
  EndHandler onEnd = std::exchange(onEnd_, {});
  onRead_ = {};
  const auto finish = [&] { Guarded(state_.messages, [&] { if (onEnd) onEnd(complete); }); };
  runEnd ? runEnd(finish) : finish();
  Q_EMIT transferEnded(complete);
}

void PlcLink::ComboPorta_Click(int index) {
  Guarded(state_.messages, [&] {
    if (RefuseWhileTransferring(QStringLiteral("para trocar de porta."))) {
      // Closing the port would cut the transfer off: keep the entry in use.
      state_.portIndex = chosenIndex_;
      return;
    }
    if (index < 0) return;
    chosenIndex_ = index;
    if (port_.isOpen()) Q_EMIT portClosed();
    port_.close();
    const OpenResult result = port_.open(index + 1);
    if (result.error == OpenError::None) {
      Q_EMIT portOpened(index + 1, port_.deviceFor(index + 1));
    } else {
      Q_EMIT portRefused(index + 1, result.error == OpenError::InvalidPort ? QStringLiteral("porta inválida")
                                    : result.error == OpenError::InUse    ? QStringLiteral("porta em uso")
                                                                          : result.description);
    }
    switch (result.error) {
      case OpenError::None:
        state_.button(name::BotaoGravaCLP).enabled = true;
        state_.button(name::BotaoLeCLP).enabled = true;
        break;
      case OpenError::InvalidPort:
        state_.messages.Show(Information(QStringLiteral("Porta inválida - tente outra!"), QStringLiteral("Porta inválida!")));
        break;
      case OpenError::InUse:
        state_.messages.Show(Information(QStringLiteral("Porta já está aberta - tente outra!"), QStringLiteral("Porta em uso!")));
        break;
      case OpenError::Other:
        state_.messages.Show(Plain(result.description, kProgramTitle));
        break;
    }
  });
}

void PlcLink::ClosePort() {
  if (port_.isOpen()) Q_EMIT portClosed();
  port_.close();
}

void PlcLink::RefreshPortDevices() {
  state_.portDevices.clear();
  for (int port = 1; port <= kPortEntries; ++port) {
    const QString device = port_.deviceFor(port);
    state_.portDevices << (device.isEmpty() ? QStringLiteral("Nenhum dispositivo nesta porta") : device);
  }
}

}  // namespace zelkor
