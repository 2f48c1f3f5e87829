#include "QtSerialPort.h"

namespace zelkor {

QtSerialPort::QtSerialPort(PortDirectory directory, QObject* parent)
    : SerialPort(parent), directory_(std::move(directory)) {
  connect(&port_, &QSerialPort::readyRead, this, &SerialPort::ReadyRead);
  connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialPort::OnError);
}

void QtSerialPort::Close() {
  if (port_.isOpen()) port_.close();
}

OpenResult QtSerialPort::Open(int portNumber) {
  const QString device = directory_.DeviceFor(portNumber);
  if (device.isEmpty()) return {OpenError::InvalidPort, {}};
  device_ = device;
  port_.setPortName(device);
  if (!port_.open(QIODevice::ReadWrite)) {
    const auto error = port_.error();
    const QString description = port_.errorString();
    port_.clearError();
    if (error == QSerialPort::DeviceNotFoundError) return {OpenError::InvalidPort, {}};
    if (error == QSerialPort::PermissionError) {
      const QString problem = directory_.AccessProblem(device);
      return problem.isEmpty() ? OpenResult{OpenError::InUse, {}} : OpenResult{OpenError::NoAccess, problem};
    }
    return {OpenError::Other, QStringLiteral("Não foi possível abrir %1: %2").arg(device, description)};
  }
  port_.setBaudRate(QSerialPort::Baud19200);
  port_.setDataBits(QSerialPort::Data8);
  port_.setParity(QSerialPort::NoParity);
  port_.setStopBits(QSerialPort::OneStop);
  port_.setFlowControl(QSerialPort::NoFlowControl);
  // Qt does not flush what arrived before the port was opened.
  port_.clear(QSerialPort::Input);
  return {};
}

bool QtSerialPort::Write(const QByteArray& bytes, QString* error) {
  if (!port_.isOpen()) {
    *error = QStringLiteral("A porta de comunicação não está aberta.");
    return false;
  }
  if (port_.write(bytes) != bytes.size()) {
    *error = port_.errorString();
    return false;
  }
  return true;
}

QByteArray QtSerialPort::DiscardWaiting() {
  if (!port_.isOpen()) return {};
#ifdef Q_OS_WIN
  // Never wait on Windows: Qt 6.4's notifier hands a whole batch of completions
  // on for one count of its semaphore, so after a busy transfer a wait finds a
  // count with no result behind it and takes one from an empty queue. What the
  // driver still holds is purged unseen instead.
  const QByteArray held = port_.readAll();
  port_.clear(QSerialPort::Input);
  return held;
#else
  // Bytes the driver holds reach Qt's buffer only on its next notification.
  port_.waitForReadyRead(0);
  return port_.readAll();
#endif
}

bool QtSerialPort::ReadByte(char* byte) { return port_.isOpen() && port_.getChar(byte); }

void QtSerialPort::OnError(QSerialPort::SerialPortError error) {
  if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError && error != QSerialPort::WriteError) {
    return;
  }
  if (!port_.isOpen()) return;
  // Qt 6.4 keeps a hung-up port open and repeats the error in a tight loop:
  // close it at the first one and report it once.
  const QString description =
      QStringLiteral(
          "A comunicação pela porta %1 foi interrompida: o adaptador foi desconectado ou a linha caiu.\r\n"
          "Verifique a conexão e escolha a porta de novo.")
          .arg(device_);
  port_.clearError();
  port_.close();
  Q_EMIT Lost(description);
}

QtDeadline::QtDeadline(QObject* parent) : Deadline(parent) {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &Deadline::Expired);
  clock_.start();
}

}  // namespace zelkor
