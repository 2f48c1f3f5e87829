#pragma once

#include "PortDirectory.h"
#include "SerialPort.h"

#include <QElapsedTimer>
#include <QSerialPort>
#include <QTimer>

namespace zelkor {

// The serial port bound to QSerialPort, with the editor's port numbers mapped
// by a PortDirectory.
class QtSerialPort final : public SerialPort {
  Q_OBJECT

 public:
  explicit QtSerialPort(PortDirectory directory = PortDirectory(), QObject* parent = nullptr);

  void Close() override;
  OpenResult Open(int portNumber) override;
  bool IsOpen() const override { return port_.isOpen(); }
  bool Write(const QByteArray& bytes, QString* error) override;
  bool ReadByte(char* byte) override;
  QByteArray PeekWaiting() override { return port_.isOpen() ? port_.peek(port_.bytesAvailable()) : QByteArray(); }
  QByteArray DiscardWaiting() override;
  QString DeviceFor(int portNumber) const override { return directory_.Describe(portNumber); }

 private:
  void OnError(QSerialPort::SerialPortError error);

  PortDirectory directory_;
  QSerialPort port_;
  QString device_;
};

// The deadline bound to a single-shot QTimer.
class QtDeadline final : public Deadline {
  Q_OBJECT

 public:
  explicit QtDeadline(QObject* parent = nullptr);
  void Start(int milliseconds) override { timer_.start(milliseconds); }
  void Stop() override { timer_.stop(); }
  qint64 Now() const override { return clock_.elapsed(); }

 private:
  QTimer timer_;
  QElapsedTimer clock_;
};

}  // namespace zelkor
