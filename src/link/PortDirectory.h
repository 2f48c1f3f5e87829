#pragma once

#include <QString>
#include <QStringList>

namespace zelkor {

// Which device stands behind "Porta # NN". One implementation per system:
//
// Linux: the NN-th serial device present now, in this order: /dev/ttyUSB0,
// 1, … (by number), /dev/ttyACM0, …, then the /dev/ttyS* ports that have a
// real UART. A symlink in the device folder with one of those names counts
// like the device, which is how a simulated PLC is plugged in. The roots are
// parameters only for tests.
//
// Windows: COMNN, whether or not it is present now (the system says so when
// it is opened), described by what Windows knows of the device.
class PortDirectory {
 public:
  explicit PortDirectory(QString deviceRoot = QStringLiteral("/dev"), QString sysRoot = QStringLiteral("/sys"));

  // What QSerialPort opens for the port; empty when there is no NN-th device.
  QString DeviceFor(int portNumber) const;
  // The device as the technician knows it (the port list's tool-tip, the
  // monitor); empty when none is present.
  QString Describe(int portNumber) const;
  // Why this user may never use `device` (on Linux, not being in the
  // "dialout" group), or empty: then a refusal means the port is busy.
  QString AccessProblem(const QString& device) const;

  QStringList Devices() const;

#ifndef Q_OS_WIN
  // "Porta # 01" is `device` and no other: a device named on the command line that is none of the usual ones (a
  // pseudo-terminal, a link of the simulated PLC elsewhere).
  static PortDirectory OnlyDevice(const QString& device);
#endif

 private:
  bool HasUart(const QString& ttyName) const;

  QString deviceRoot_;
  QString sysRoot_;
  QString only_;
};

}  // namespace zelkor
