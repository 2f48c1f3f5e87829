#include "SimLine.h"

#include <QCoreApplication>
#include <QSerialPort>

#include <windows.h>

namespace zelkor::sim {

namespace {

class SerialLine final : public SimLine {
 public:
  explicit SerialLine(const QString& port) {
    port_.setPortName(port);
    connect(&port_, &QSerialPort::readyRead, this, &SimLine::Readable);
  }
  bool Open(QString* error) {
    if (!port_.open(QIODevice::ReadWrite)) {
      *error = port_.errorString();
      return false;
    }
    port_.setBaudRate(QSerialPort::Baud19200);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    return true;
  }
  void Write(const QByteArray& bytes) override { port_.write(bytes); }
  QByteArray ReadAll() override { return port_.readAll(); }

 private:
  QSerialPort port_;
};

BOOL WINAPI OnConsoleEvent(DWORD) {
  QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit, Qt::QueuedConnection);
  return TRUE;
}

}  // namespace

std::unique_ptr<SimLine> SimLine::Open(const QString& port, QString* where, QString* error) {
  if (port.isEmpty()) {
    *error =
        QStringLiteral("--port COMNN is needed on Windows: one end of a null-modem pair, the editor opens the other");
    return nullptr;
  }
  auto line = std::make_unique<SerialLine>(port);
  if (!line->Open(error)) return nullptr;
  *where = port;
  return line;
}

void QuitOnTerminationSignals(QCoreApplication&) { SetConsoleCtrlHandler(OnConsoleEvent, TRUE); }

}  // namespace zelkor::sim
