#include "LinkExchange.h"

#include "LinkFrame.h"

namespace zelkor {

LinkExchange::LinkExchange(SerialPort& port, Deadline& deadline, QObject* parent)
    : QObject(parent), port_(port), deadline_(deadline) {
  connect(&port_, &SerialPort::readyRead, this, [this] { consume(); });
  connect(&deadline_, &Deadline::expired, this, [this] { OnAnswerDeadline(); });
}

void LinkExchange::start(const QByteArray& frame) {
  stage_ = Stage::AwaitingAck;
  afterEtx_ = 0;
  nakEtxSeen_ = false;
  answer_.clear();
  // Armed before the write, so an answer that completes during the write
  // finds it running and stops it.
  deadline_.start(kAnswerTimeoutMs);
  QString error;
  if (!port_.write(frame, &error)) {
    finish(ExchangeOutcome::PortError, error);
    return;
  }
  consume();
}

void LinkExchange::fail(const QString& portError) { finish(ExchangeOutcome::PortLost, portError); }

void LinkExchange::cancel() {
  stage_ = Stage::Idle;
  deadline_.stop();
}

void LinkExchange::OnAnswerDeadline() {
  deadline_.stop();
  // A NAK cut short is still a NAK.
  finish(stage_ == Stage::NakTail ? ExchangeOutcome::NotAck : ExchangeOutcome::TimeOut);
}

void LinkExchange::consume() {
  char byte = 0;
  // Bytes after a complete answer, or after a wrong first byte, stay in the port.
  while (waiting() && port_.readByte(&byte)) {
    answer_.append(byte);
    switch (stage_) {
      case Stage::AwaitingAck:
        if (byte == kNak) {
          stage_ = Stage::NakTail;
          deadline_.start(kNakRestMs);
        } else if (byte != kAck) {
          finish(ExchangeOutcome::NotAck);
        } else {
          stage_ = Stage::AwaitingEtx;
          deadline_.start(kAnswerTimeoutMs);  // the ACK, and only the ACK, restarts the period
        }
        break;
      case Stage::AwaitingEtx:
        if (byte == kEtx) stage_ = Stage::AfterEtx;
        break;
      case Stage::AfterEtx:
        if (++afterEtx_ == 2) finish(ExchangeOutcome::Success);
        break;
      case Stage::NakTail:
        if (nakEtxSeen_ && ++afterEtx_ == 2) finish(ExchangeOutcome::NotAck);
        nakEtxSeen_ = nakEtxSeen_ || byte == kEtx;
        break;
      case Stage::Idle:
        break;
    }
  }
}

void LinkExchange::finish(ExchangeOutcome outcome, const QString& portError) {
  if (!waiting()) return;  // one outcome per exchange
  stage_ = Stage::Idle;
  deadline_.stop();
  Q_EMIT finished(outcome, portError, answer_);
}

}  // namespace zelkor
