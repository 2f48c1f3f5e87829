#include "PlcLink.h"

#include "LinkFrame.h"
#include "PlcImage.h"
#include "core/ControlNames.h"
#include "core/MainWindow.h"
#include "variables/VariableEditor.h"

namespace zelkor {

namespace {

Message Information(const QString& text, const QString& title) {
  return {text, title, MessageButtons::Ok, MessageIcon::Information};
}

Message Plain(const QString& text, const QString& title) {
  return {text, title, MessageButtons::Ok, MessageIcon::None};
}

QString ListTooLong(const QString& list, int rows) {
  return QStringLiteral("A lista de %1 tem %2 linhas, mas o CLP aceita no máximo %3.\r\n"
                        "Remova linhas antes de gravar.")
      .arg(list)
      .arg(rows)
      .arg(kMaxRows);
}

}  // namespace

QList<QByteArray> TransferFrames(const VariableList& variables, const AlarmList& alarms) {
  const int v = variables.count();
  const int a = alarms.count();
  QList<QByteArray> frames;
  frames.reserve(1 + v + a);
  QByteArray header;
  for (const std::uint16_t word : ImageHeader(v, a)) header += QByteArray::number(word, 16).toUpper().rightJustified(4, '0');
  frames << BuildFrame({true, DeviceName(kImageTop), WordCountText(4), header, false});
  int address = kImageTop;
  for (int row = 1; row <= v; ++row) {
    address -= kVariableWords;
    QByteArray record;
    try {
      record = EncodeVariableRow(variables.row(row));
    } catch (const ImageError& e) {
      throw ImageError(QStringLiteral("Linha %1 da lista de Variáveis: %2").arg(row).arg(QString::fromUtf8(e.what()))
                           .toStdString());
    }
    frames << BuildFrame({true, DeviceName(address), WordCountText(kVariableWords), record, true});
  }
  for (int row = 1; row <= a; ++row) {
    address -= kAlarmWords;
    frames << BuildFrame({true, DeviceName(address), WordCountText(kAlarmWords), EncodeAlarmRow(alarms.text(row)), true});
  }
  return frames;
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

void PlcLink::refuseWhileTransferring(const QString& text) {
  state_.messages.Show(Information(text, QStringLiteral("Transmissão em andamento!")));
}

void PlcLink::BotaoGravaCLP_Click() {
  Guarded(state_.messages, [&] {
    // Choice left to us: the running transfer goes on undisturbed.
    if (transferring()) {
      refuseWhileTransferring(QStringLiteral("Aguarde o fim da transmissão ao CLP em andamento."));
      return;
    }
    if (CountDisplayShowsEmpty(state_.field(name::TotalLinhasVariaveis)) &&
        CountDisplayShowsEmpty(state_.field(name::TotalLinhasAlarme))) {
      state_.messages.Show({QStringLiteral("Ambas as Listas estão vazias!"), QStringLiteral("Nada para Enviar!"),
                            MessageButtons::Ok, MessageIcon::Exclamation});
      return;
    }
    CheckGroupSequence(state_);
    if (state_.failure) return;

    // Lists from a file may not fit the image: refuse before anything is sent.
    const QString title = QStringLiteral("Nada foi enviado!");
    if (state_.variables.count() > kMaxRows) {
      state_.messages.Show({ListTooLong(QStringLiteral("Variáveis"), state_.variables.count()), title,
                            MessageButtons::Ok, MessageIcon::Exclamation});
      return;
    }
    if (state_.alarms.count() > kMaxRows) {
      state_.messages.Show({ListTooLong(QStringLiteral("Alarmes"), state_.alarms.count()), title, MessageButtons::Ok,
                            MessageIcon::Exclamation});
      return;
    }
    try {
      pending_ = TransferFrames(state_.variables, state_.alarms);
    } catch (const ImageError& e) {
      state_.messages.Show(
          {QString::fromUtf8(e.what()) + QStringLiteral("\r\nCorrija a linha antes de gravar."), title,
           MessageButtons::Ok, MessageIcon::Exclamation});
      return;
    }
    sendNext();
  });
}

void PlcLink::sendNext() {
  if (pending_.isEmpty()) {
    state_.messages.Show(Information(QStringLiteral("Transmissão encerrada!"), QStringLiteral("Transmissão Ok!")));
    Q_EMIT transferEnded();
    return;
  }
  exchange_.start(pending_.takeFirst());
}

void PlcLink::onExchangeFinished(ExchangeOutcome outcome, const QString& portError) {
  if (outcome == ExchangeOutcome::Success) {
    if (!Guarded(state_.messages, [&] { sendNext(); })) {
      pending_.clear();
      Q_EMIT transferEnded();
    }
    return;
  }
  // The first failure ends the transfer; nothing is retried or undone.
  pending_.clear();
  switch (outcome) {
    case ExchangeOutcome::NotAck:
      state_.messages.Show(Plain(QStringLiteral("Retorno do CLP diferente de ACK !"),
                                 QStringLiteral("Comunicação encerrada!")));
      break;
    case ExchangeOutcome::TimeOut:
      state_.messages.Show(Plain(QStringLiteral("Tempo esgotado!"), QStringLiteral("CLP não responde!")));
      break;
    default:
      state_.messages.Show(Plain(portError, kProgramTitle));
      break;
  }
  Q_EMIT transferEnded();
}

void PlcLink::ComboPorta_Click(int index) {
  Guarded(state_.messages, [&] {
    if (transferring()) {
      // Closing the port would cut the transfer off: keep the entry in use.
      state_.portIndex = chosenIndex_;
      refuseWhileTransferring(QStringLiteral("Aguarde o fim da transmissão ao CLP para trocar de porta."));
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
        state_.messages.Show(
            Information(QStringLiteral("Porta já está aberta - tente outra!"), QStringLiteral("Porta em uso!")));
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
