#pragma once

#include "plclink/SerialPort.h"

#include <QByteArray>
#include <QList>
#include <QMap>

#include <functional>

namespace zelkor::testing {

// An in-memory serial port with a scripted peer. Every written frame is kept;
// the peer's answer to it (if any) arrives from the event loop, as a real
// line's would, never inside write(). Tests can also Deliver() bytes.
class FakeSerialPort final : public SerialPort {
  Q_OBJECT

 public:
  using Peer = std::function<QByteArray(const QByteArray& frame)>;

  void close() override { open_ = 0; }
  OpenResult open(int portNumber) override;
  bool isOpen() const override { return open_ != 0; }
  bool write(const QByteArray& bytes, QString* error) override;
  qint64 bytesAvailable() const { return received_.size(); }
  bool readByte(char* byte) override;
  QString deviceFor(int portNumber) const override;

  void SetPeer(Peer peer) { peer_ = std::move(peer); }
  void SetOpenResult(int portNumber, OpenResult result) { openResults_[portNumber] = std::move(result); }
  // Bytes arriving from the far end.
  void Deliver(const QByteArray& bytes);
  // Runs the event loop until the peer's pending answers have arrived.
  void Settle();
  // The far end hangs up.
  void Lose(const QString& description);

  int openPort() const { return open_; }
  const QList<QByteArray>& written() const { return written_; }
  QList<int> opens;  // every port number open() was called with

 private:
  int open_ = 0;
  Peer peer_;
  QMap<int, OpenResult> openResults_;
  QByteArray received_;
  QList<QByteArray> written_;
  int inFlight_ = 0;
};

// The standard answers of a PLC to a write request.
QByteArray AckAnswer();
QByteArray NakAnswer();

// A deadline on a clock that only the test moves.
class ManualDeadline final : public Deadline {
  Q_OBJECT

 public:
  void start(int milliseconds) override { due_ = now_ + milliseconds; }
  void stop() override { due_ = -1; }
  bool isActive() const { return due_ >= 0; }

  void Advance(int milliseconds);
  qint64 now() const { return now_; }

 private:
  qint64 now_ = 0;
  qint64 due_ = -1;
};

}  // namespace zelkor::testing
