#include "PortDirectory.h"

#include <QSerialPortInfo>

#include <utility>

namespace zelkor {

PortDirectory::PortDirectory(QString deviceRoot, QString sysRoot)
    : deviceRoot_(std::move(deviceRoot)), sysRoot_(std::move(sysRoot)) {}

QStringList PortDirectory::Devices() const {
  QStringList found;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) found << info.portName();
  return found;
}

QString PortDirectory::DeviceFor(int portNumber) const {
  if (portNumber < 1) return {};
  // Above COM9 only the device namespace's name opens the port.
  return (portNumber > 9 ? QStringLiteral("\\\\.\\COM%1") : QStringLiteral("COM%1")).arg(portNumber);
}

QString PortDirectory::Describe(int portNumber) const {
  const QString name = QStringLiteral("COM%1").arg(portNumber);
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    if (info.portName().compare(name, Qt::CaseInsensitive) != 0) continue;
    return info.description().isEmpty() ? name : name + QStringLiteral(" — ") + info.description();
  }
  return {};
}

// Windows refuses a port only because another program holds it.
QString PortDirectory::AccessProblem(const QString&) const { return {}; }

}  // namespace zelkor
