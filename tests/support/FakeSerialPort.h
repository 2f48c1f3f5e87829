#pragma once

#include "link/LinkFrame.h"
#include "link/SerialPort.h"

#include <QCoreApplication>
#include <QMap>
#include <QTimer>

#include <functional>
#include <stdexcept>

namespace zelkor::testing {

// An in-memory serial port. Every written frame is kept; the peer's answer to
// it (if any) arrives from the event loop, as a real line's would, never inside write().
class FakeSerialPort final : public SerialPort {
 public:
  void Close() override {
    if (closeFails) throw std::runtime_error("porta");
    openPort = 0;
  }
  OpenResult Open(int n) override {
    opens << n;
    if (openResults.value(n).error != OpenError::None) return openResults.value(n);
    openPort = n;
    received_.clear();
    return {};
  }
  bool IsOpen() const override { return openPort != 0; }
  bool Write(const QByteArray& bytes, QString* error) override {
    *error = QStringLiteral("A porta de comunicação não está aberta.");
    if (!IsOpen()) return false;
    written << bytes;
    if (answersLeft == 0) return true;
    if (answersLeft > 0) --answersLeft;
    if (const QByteArray answer = peer ? peer(bytes) : QByteArray(); !answer.isEmpty()) {
      ++inFlight_;
      QTimer::singleShot(0, this, [this, answer] {
        --inFlight_;
        if (IsOpen()) Deliver(answer);
      });
    }
    return true;
  }
  QByteArray PeekWaiting() override { return received_; }
  QByteArray DiscardWaiting() override { return std::exchange(received_, {}); }
  bool ReadByte(char* byte) override {
    if (received_.isEmpty()) return false;
    *byte = received_.front();
    received_.remove(0, 1);
    return true;
  }
  QString DeviceFor(int n) const override { return n <= 2 ? QStringLiteral("/dev/ttyUSB%1").arg(n - 1) : QString(); }

  // Bytes arriving from the far end; the far end hanging up.
  void Deliver(const QByteArray& bytes) {
    received_.append(bytes);
    Q_EMIT ReadyRead();
  }
  void Lose(const QString& description) {
    openPort = 0;
    Q_EMIT Lost(description);
  }
  // Runs the event loop until the peer's pending answers have arrived (each may bring another).
  void Settle() {
    for (int round = 0; inFlight_ > 0 && round < 100000; ++round) QCoreApplication::processEvents();
  }

  std::function<QByteArray(const QByteArray& frame)> peer;
  int answersLeft = -1;  // the peer answers only so many more frames, then nothing; -1: every frame
  QMap<int, OpenResult> openResults;
  QList<int> opens;  // every port number open() was called with
  QList<QByteArray> written;
  int openPort = 0;
  bool closeFails = false;

 private:
  QByteArray received_;
  int inFlight_ = 0;
};

// The standard answers of a PLC to a write request.
inline QByteArray AckAnswer() { return QByteArray(1, kAck) + "00wSB" + kEtx + "75"; }
inline QByteArray NakAnswer() { return QByteArray(1, kNak) + "00wSB1234" + kEtx + "4E"; }

// A deadline on a clock that only the test moves.
class ManualDeadline final : public Deadline {
 public:
  void Start(int milliseconds) override { due_ = now_ + milliseconds; }
  void Stop() override { due_ = -1; }
  qint64 Now() const override { return now_; }
  void Advance(int milliseconds) {
    now_ += milliseconds;
    if (due_ < 0 || now_ < due_) return;
    due_ = -1;
    Q_EMIT Expired();
  }

 private:
  qint64 now_ = 0;
  qint64 due_ = -1;
};

}  // namespace zelkor::testing
