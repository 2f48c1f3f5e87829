#include "FakeSerialPort.h"

#include "plclink/LinkFrame.h"

#include <QCoreApplication>
#include <QTimer>

namespace zelkor::testing {

OpenResult FakeSerialPort::open(int portNumber) {
  opens << portNumber;
  const OpenResult result = openResults_.value(portNumber);
  if (result.error == OpenError::None) {
    open_ = portNumber;
    received_.clear();
  }
  return result;
}

bool FakeSerialPort::write(const QByteArray& bytes, QString* error) {
  if (!isOpen()) {
    *error = QStringLiteral("A porta de comunicação não está aberta.");
    return false;
  }
  written_ << bytes;
  if (peer_) {
    const QByteArray answer = peer_(bytes);
    if (!answer.isEmpty()) {
      ++inFlight_;
      QTimer::singleShot(0, this, [this, answer] {
        --inFlight_;
        if (isOpen()) Deliver(answer);
      });
    }
  }
  return true;
}

bool FakeSerialPort::readByte(char* byte) {
  if (received_.isEmpty()) return false;
  *byte = received_.front();
  received_.remove(0, 1);
  return true;
}

QString FakeSerialPort::deviceFor(int portNumber) const {
  return portNumber <= 2 ? QStringLiteral("/dev/ttyUSB%1").arg(portNumber - 1) : QString();
}

void FakeSerialPort::Deliver(const QByteArray& bytes) {
  received_.append(bytes);
  Q_EMIT readyRead();
}

void FakeSerialPort::Settle() {
  // Each answer may lead to another frame and its answer: bounded, never endless.
  for (int round = 0; inFlight_ > 0 && round < 100000; ++round) QCoreApplication::processEvents();
}

void FakeSerialPort::Lose(const QString& description) {
  open_ = 0;
  Q_EMIT lost(description);
}

QByteArray AckAnswer() {
  QByteArray body = QByteArray(1, kAck) + "00wSB" + QByteArray(1, kEtx);
  return body + FrameChecksum(body);
}

QByteArray NakAnswer() {
  QByteArray body = QByteArray(1, kNak) + "00wSB1234" + QByteArray(1, kEtx);
  return body + FrameChecksum(body);
}

void ManualDeadline::Advance(int milliseconds) {
  now_ += milliseconds;
  if (due_ >= 0 && now_ >= due_) {
    due_ = -1;
    Q_EMIT expired();
  }
}

}  // namespace zelkor::testing
