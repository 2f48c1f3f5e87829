#include "LinkExchange.h"

#include "LinkFrame.h"

namespace zelkor {

LinkExchange::LinkExchange(SerialPort& port, Deadline& deadline, QObject* parent)
    : QObject(parent), port_(port), deadline_(deadline) {
  connect(&port_, &SerialPort::ReadyRead, this, [this] { Consume(); });
  connect(&deadline_, &Deadline::Expired, this, [this] { OnAnswerDeadline(); });
}

void LinkExchange::Start(const QByteArray& frame) {
  stage_ = Stage::AwaitingAck;
  afterEtx_ = 0;
  nakEtxSeen_ = false;
  answer_.clear();
  // Armed before the write, so an answer that completes during the write
  // finds it running and stops it.
  deadline_.Start(kAnswerTimeoutMs);
  QString error;
  if (!port_.Write(frame, &error)) {
    Finish(ExchangeOutcome::PortError, error);
    return;
  }
  Consume();
}

void LinkExchange::Fail(const QString& portError) { Finish(ExchangeOutcome::PortLost, portError); }

void LinkExchange::Cancel() {
  stage_ = Stage::Idle;
  deadline_.Stop();
}

void LinkExchange::OnAnswerDeadline() {
  deadline_.Stop();
  // A NAK cut short is still a NAK.
  Finish(stage_ == Stage::NakTail ? ExchangeOutcome::NotAck : ExchangeOutcome::TimeOut);
}

void LinkExchange::Consume() {
  char byte = 0;
  // Bytes after a complete answer, or after a wrong first byte, stay in the port.
  while (Waiting() && port_.ReadByte(&byte)) {
    answer_.append(byte);
    switch (stage_) {
      case Stage::AwaitingAck:
        if (byte == kNak) {
          stage_ = Stage::NakTail;
          deadline_.Start(kNakRestMs);
        } else if (byte != kAck) {
          Finish(ExchangeOutcome::NotAck);
        } else {
          stage_ = Stage::AwaitingEtx;
          deadline_.Start(kAnswerTimeoutMs);  // the ACK, and only the ACK, restarts the period
        }
        break;
      case Stage::AwaitingEtx:
        if (byte == kEtx) stage_ = Stage::AfterEtx;
        break;
      case Stage::AfterEtx:
        if (++afterEtx_ == 2) Finish(ExchangeOutcome::Success);
        break;
      case Stage::NakTail:
        if (nakEtxSeen_ && ++afterEtx_ == 2) Finish(ExchangeOutcome::NotAck);
        nakEtxSeen_ = nakEtxSeen_ || byte == kEtx;
        break;
      case Stage::Idle:
        break;
    }
  }
}

void LinkExchange::Finish(ExchangeOutcome outcome, const QString& portError) {
  if (!Waiting()) return;  // one outcome per exchange
  stage_ = Stage::Idle;
  deadline_.Stop();
  Q_EMIT Finished(outcome, portError, answer_);
}

}  // namespace zelkor
