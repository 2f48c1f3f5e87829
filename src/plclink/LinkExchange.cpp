#include "LinkExchange.h"

#include "LinkFrame.h"

namespace zelkor {

LinkExchange::LinkExchange(SerialPort& port, Deadline& deadline, QObject* parent)
    : QObject(parent), port_(port), deadline_(deadline) {
  connect(&port_, &SerialPort::readyRead, this, [this] { consume(); });
  connect(&deadline_, &Deadline::expired, this, [this] { Timer1_Timer(); });
}

void LinkExchange::start(const QByteArray& frame) {
  waiting_ = true;
  ackSeen_ = false;
  etxSeen_ = false;
  afterEtx_ = 0;
  answer_.clear();
  // Armed before the write, so an answer that completes during the write
  // finds it running and stops it.
  deadline_.start(kAnswerTimeoutMs);
  QString error;
  if (!port_.write(frame, &error)) {
    finish(ExchangeOutcome::PortError, error);
    return;
  }
  // A byte left waiting from earlier is read as the first answer byte.
  consume();
}

void LinkExchange::fail(const QString& portError) {
  if (waiting_) finish(ExchangeOutcome::PortError, portError);
}

void LinkExchange::Timer1_Timer() {
  deadline_.stop();
  if (waiting_) finish(ExchangeOutcome::TimeOut);
}

void LinkExchange::consume() {
  char byte = 0;
  // Bytes after a complete answer, or after a wrong first byte, stay in the port.
  while (waiting_ && port_.readByte(&byte)) {
    answer_.append(byte);
    if (!ackSeen_) {
      if (byte != kAck) {
        finish(ExchangeOutcome::NotAck);
        return;
      }
      ackSeen_ = true;
      deadline_.start(kAnswerTimeoutMs);  // the ACK, and only the ACK, restarts the period
    } else if (etxSeen_) {
      if (++afterEtx_ == 2) {
        finish(ExchangeOutcome::Success);
        return;
      }
    } else if (byte == kEtx) {
      etxSeen_ = true;
    }
  }
}

void LinkExchange::finish(ExchangeOutcome outcome, const QString& portError) {
  if (!waiting_) return;  // one outcome per exchange
  waiting_ = false;
  deadline_.stop();
  Q_EMIT finished(outcome, portError, answer_);
}

}  // namespace zelkor
