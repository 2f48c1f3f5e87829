#include "LinkMonitor.h"

#include "LinkFrame.h"
#include "model/Ports.h"

namespace zelkor {

namespace {
// A port's description may run over several lines; the monitor keeps one per event.
QString OneLine(const QString& text) { return text.simplified(); }
}  // namespace

LinkMonitor::LinkMonitor(PlcLink& link, const Deadline& clock, QObject* parent) : QObject(parent), clock_(clock) {
  connect(&link, &PlcLink::TransferStarted, this, [this](TransferKind kind, int total) {
    transferStartedAt_ = clock_.Now();
    searching_ = kind == TransferKind::Search;
    Add({}, kind == TransferKind::Write    ? QStringLiteral("início da gravação: %1 quadros").arg(total)
            : kind == TransferKind::Read   ? QStringLiteral("início da leitura")
            : kind == TransferKind::Verify ? QStringLiteral("início da verificação: %1 quadros").arg(total)
                                           : QStringLiteral("início da procura do CLP: %1 portas").arg(total));
  });
  connect(&link, &PlcLink::Discarded, this,
          [this](const QByteArray& bytes) { Add({}, QStringLiteral("descartado: ") + NameControlCharacters(bytes)); });
  connect(&link, &PlcLink::RequestSent, this, [this](int, int, const QByteArray& frame) {
    Add(QStringLiteral("→ CLP"), NameControlCharacters(frame) + QStringLiteral("  ") + Meaning(frame));
  });
  connect(&link, &PlcLink::AnswerReceived, this,
          [this](ExchangeOutcome outcome, const QByteArray& answer, const QByteArray& rest, const QString& portError) {
            const QString chars = NameControlCharacters(answer + rest);
            Add(QStringLiteral("← CLP"),
                (chars.isEmpty() ? chars : chars + QStringLiteral("  ")) + Meaning(outcome, answer, rest, portError));
          });
  connect(&link, &PlcLink::TransferEnded, this, [this](bool complete) {
    Add({}, searching_ ? (complete ? QStringLiteral("CLP encontrado") : QStringLiteral("CLP não encontrado"))
            : complete ? QStringLiteral("transferência concluída")
                       : QStringLiteral("transferência interrompida"));
    transferStartedAt_ = -1;
  });
  connect(&link, &PlcLink::PortOpened, this, [this](int number, const QString& device) {
    portOpenedAt_ = clock_.Now();
    Add({}, QStringLiteral("porta aberta: %1 (%2), 19200,N,8,1").arg(PortEntryName(number), device));
  });
  connect(&link, &PlcLink::PortRefused, this, [this](int number, const QString& why) {
    Add({}, QStringLiteral("porta não aberta: %1, %2").arg(PortEntryName(number), why));
  });
  connect(&link, &PlcLink::PortClosed, this, [this] { Add({}, QStringLiteral("porta fechada")); });
  connect(&link, &PlcLink::PortLost, this,
          [this](const QString& why) { Add({}, QStringLiteral("porta perdida: ") + OneLine(why)); });
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
      if (answer.startsWith(kNak)) {
        // A NAK carries its error code after "00", the command and "SB".
        const QByteArray code = (answer + rest).mid(6, 4);
        return code.size() == 4 ? QStringLiteral("NAK, código ") + QString::fromLatin1(code)
                                : QStringLiteral("NAK incompleto");
      }
      return QStringLiteral("primeiro caractere não é ACK");
    case ExchangeOutcome::TimeOut:
      return answer.isEmpty() ? QStringLiteral("sem resposta em 500 ms")
                              : QStringLiteral("resposta incompleta em 500 ms");
    case ExchangeOutcome::PortLost:
      return QStringLiteral("porta perdida: ") + OneLine(portError);
    case ExchangeOutcome::PortError:
      break;
  }
  return QStringLiteral("erro da porta: ") + OneLine(portError);
}

void LinkMonitor::Add(const QString& direction, const QString& text) {
  // A transfer's lines count from its start; the rest from the port's opening.
  const qint64 origin = transferStartedAt_ >= 0 ? transferStartedAt_ : portOpenedAt_;
  const QString time = origin < 0 ? QString(9, u' ') : QStringLiteral("%1 ms").arg(clock_.Now() - origin, 6);
  lines_.push_back(time + QStringLiteral("  ") + direction.leftJustified(5) + QStringLiteral("  ") + text);
  new_ << lines_.back();
  while (lines_.size() > kMaxLines) lines_.pop_front();
  if (new_.size() > kMaxLines) new_.erase(new_.begin(), new_.end() - kMaxLines);
  Q_EMIT LinesAdded();
}

QStringList LinkMonitor::TakeNew() { return std::exchange(new_, {}); }

void LinkMonitor::Clear() {
  lines_.clear();
  new_.clear();
}

}  // namespace zelkor
