#pragma once

#include "PortDirectory.h"
#include "SerialPort.h"

#include <QSerialPort>
#include <QElapsedTimer>
#include <QTimer>

namespace zelkor {

// The serial port bound to QSerialPort, with the editor's port numbers mapped
// by a PortDirectory.
class QtSerialPort final : public SerialPort {
  Q_OBJECT

 public:
  explicit QtSerialPort(PortDirectory directory = PortDirectory(), QObject* parent = nullptr);

  void close() override;
  OpenResult open(int portNumber) override;
  bool isOpen() const override { return port_.isOpen(); }
  bool write(const QByteArray& bytes, QString* error) override;
  bool readByte(char* byte) override;
  QByteArray peekWaiting() override { return port_.isOpen() ? port_.peek(port_.bytesAvailable()) : QByteArray(); }
  QByteArray discardWaiting() override;
  QString deviceFor(int portNumber) const override { return directory_.deviceFor(portNumber); }

 private:
  void onError(QSerialPort::SerialPortError error);

  PortDirectory directory_;
  QSerialPort port_;
  QString device_;
};

// The deadline bound to a single-shot QTimer.
class QtDeadline final : public Deadline {
  Q_OBJECT

 public:
  explicit QtDeadline(QObject* parent = nullptr);
  void start(int milliseconds) override { timer_.start(milliseconds); }
  void stop() override { timer_.stop(); }
  qint64 now() const override { return clock_.elapsed(); }

 private:
  QTimer timer_;
  QElapsedTimer clock_;
};

}  // namespace zelkor
