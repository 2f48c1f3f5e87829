#include "LinkMonitor.h"

#include "LinkFrame.h"
#include "core/MainWindow.h"

namespace zelkor {

LinkMonitor::LinkMonitor(PlcLink& link, const Deadline& clock, QObject* parent) : QObject(parent), clock_(clock) {
  connect(&link, &PlcLink::transferStarted, this, [this](TransferKind kind, int total) {
    startedAt_ = clock_.now();
    add({}, kind == TransferKind::Write ? QStringLiteral("início da gravação: %1 quadros").arg(total)
                                        : QStringLiteral("início da leitura"));
  });
  connect(&link, &PlcLink::requestSent, this, [this](int, int, const QByteArray& frame) {
    add(QStringLiteral("→ CLP"), NameControlCharacters(frame) + QStringLiteral("  ") + Meaning(frame));
  });
  connect(&link, &PlcLink::answerReceived, this,
          [this](ExchangeOutcome outcome, const QByteArray& answer, const QByteArray& rest, const QString& portError) {
            const QString chars = NameControlCharacters(answer + rest);
            add(QStringLiteral("← CLP"), (chars.isEmpty() ? chars : chars + QStringLiteral("  ")) +
                                            Meaning(outcome, answer, rest, portError));
          });
  connect(&link, &PlcLink::transferEnded, this, [this](bool complete) {
    add({}, complete ? QStringLiteral("transferência concluída") : QStringLiteral("transferência interrompida"));
  });
  connect(&link, &PlcLink::portOpened, this, [this](int number, const QString& device) {
    add({}, QStringLiteral("porta aberta: %1 (%2), 19200,N,8,1").arg(PortEntryName(number), device));
  });
  connect(&link, &PlcLink::portRefused, this, [this](int number, const QString& why) {
    add({}, QStringLiteral("porta não aberta: %1, %2").arg(PortEntryName(number), why));
  });
  connect(&link, &PlcLink::portClosed, this, [this] { add({}, QStringLiteral("porta fechada")); });
  connect(&link, &PlcLink::portLost, this, [this](const QString& why) { add({}, QStringLiteral("porta perdida: ") + why); });
}

QString LinkMonitor::Meaning(const QByteArray& frame) {
  const bool write = frame.size() > 3 && frame[3] == 'w';
  return QStringLiteral("%1 de %2 palavras em D%3")
      .arg(write ? QStringLiteral("escrita") : QStringLiteral("leitura"))
      .arg(frame.mid(16, 2).toInt(nullptr, 16))
      .arg(frame.mid(11, 5).toInt());
}

QString LinkMonitor::Meaning(ExchangeOutcome outcome, const QByteArray& answer, const QByteArray& rest,
                             const QString& portError) {
  switch (outcome) {
    case ExchangeOutcome::Success:
      return answer.size() > 3 && answer[3] == 'r' ? QStringLiteral("ACK, dados") : QStringLiteral("ACK");
    case ExchangeOutcome::NotAck:
      // A NAK carries its error code after "00", the command and "SB".
      return answer.startsWith(kNak) ? QStringLiteral("NAK, código ") + QString::fromLatin1(rest.mid(5, 4))
                                     : QStringLiteral("primeiro caractere não é ACK");
    case ExchangeOutcome::TimeOut:
      return answer.isEmpty() ? QStringLiteral("sem resposta em 500 ms") : QStringLiteral("resposta incompleta em 500 ms");
    case ExchangeOutcome::PortError:
      break;
  }
  return QStringLiteral("porta perdida: ") + portError;
}

void LinkMonitor::add(const QString& direction, const QString& text) {
  const QString time = startedAt_ < 0 ? QString(9, u' ') : QStringLiteral("%1 ms").arg(clock_.now() - startedAt_, 6);
  lines_.push_back(time + QStringLiteral("  ") + direction.leftJustified(5) + QStringLiteral("  ") + text);
  new_ << lines_.back();
  while (lines_.size() > kMaxLines) lines_.pop_front();
  if (new_.size() > kMaxLines) new_.erase(new_.begin(), new_.end() - kMaxLines);
  Q_EMIT linesAdded();
}

QStringList LinkMonitor::TakeNew() { return std::exchange(new_, {}); }

void LinkMonitor::Clear() {
  lines_.clear();
  new_.clear();
}

}  // namespace zelkor
