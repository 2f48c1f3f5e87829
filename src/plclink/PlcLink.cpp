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
    : QObject(parent), state_(state), port_(port), exchange_(port, deadline) {
  connect(&exchange_, &LinkExchange::finished, this, &PlcLink::onExchangeFinished);
  connect(&port_, &SerialPort::lost, this, [this](const QString& description) {
    // Reported once: by the transfer it cuts off, or here when idle.
    if (exchange_.waiting()) {
      exchange_.fail(description);
      return;
    }
    state_.messages.Show(Plain(description, kProgramTitle));
    Q_EMIT portLost();
  });
}

bool PlcLink::RefuseWhileTransferring(const QString& what) {
  if (!transferring()) return false;
  state_.messages.Show(Information(QStringLiteral("Aguarde o fim da transmissão ao CLP ") + what,
                                   QStringLiteral("Transmissão em andamento!")));
  return true;
}

void PlcLink::Transfer(QList<LinkRequest> requests, ReadHandler onRead, EndHandler onEnd) {
  pending_ = std::move(requests);
  sent_ = 0;
  onRead_ = std::move(onRead);
  onEnd_ = std::move(onEnd);
  sendNext();
}

void PlcLink::sendNext() {
  if (pending_.isEmpty()) {
    end(true);
    return;
  }
  current_ = pending_.takeFirst();
  ++sent_;
  Q_EMIT requestSent(sent_, sent_ + static_cast<int>(pending_.size()), current_.frame, current_.readWords);
  exchange_.start(current_.frame);
}

void PlcLink::onExchangeFinished(ExchangeOutcome outcome, const QString& portError, const QByteArray& answer) {
  Q_EMIT answerReceived(outcome, answer, portError);
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
  if (EndHandler onEnd = std::exchange(onEnd_, {})) Guarded(state_.messages, [&] { onEnd(complete); });
  onRead_ = {};
  Q_EMIT transferEnded();
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
    port_.close();
    const OpenResult result = port_.open(index + 1);
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

void PlcLink::ClosePort() { port_.close(); }

void PlcLink::RefreshPortDevices() {
  state_.portDevices.clear();
  for (int port = 1; port <= kPortEntries; ++port) {
    const QString device = port_.deviceFor(port);
    state_.portDevices << (device.isEmpty() ? QStringLiteral("Nenhum dispositivo nesta porta") : device);
  }
}

}  // namespace zelkor
