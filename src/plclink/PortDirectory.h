#pragma once

#include <QString>
#include <QStringList>

namespace zelkor {

// Which device stands behind "Porta # NN" on Linux: the NN-th serial device
// present now, in this order: /dev/ttyUSB0, 1, … (by number), /dev/ttyACM0, …,
// then the /dev/ttyS* ports that have a real UART. A symlink in the device
// folder with one of those names counts like the device, which is how a
// simulated PLC is plugged in. The roots are parameters only for tests.
class PortDirectory {
 public:
  explicit PortDirectory(QString deviceRoot = QStringLiteral("/dev"), QString sysRoot = QStringLiteral("/sys"));

  QStringList Devices() const;
  // Empty when there is no NN-th device.
  QString DeviceFor(int portNumber) const;

 private:
  bool HasUart(const QString& ttyName) const;

  QString deviceRoot_;
  QString sysRoot_;
};

}  // namespace zelkor
