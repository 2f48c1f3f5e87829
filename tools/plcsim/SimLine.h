#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>

class QCoreApplication;

namespace zelkor::sim {

// The simulated PLC's end of the serial line, one implementation per system:
// a pseudo-terminal on Linux, a serial port (one end of a null-modem pair,
// such as com0com's) on Windows.
class SimLine : public QObject {
  Q_OBJECT

 public:
  // `port` names the serial port on Windows; Linux makes its own line. On
  // success `*where` is what the editor opens: the pseudo-terminal's path or
  // the port's name.
  static std::unique_ptr<SimLine> Open(const QString& port, QString* where, QString* error);

  virtual void Write(const QByteArray& bytes) = 0;
  virtual QByteArray ReadAll() = 0;

 Q_SIGNALS:
  void Readable();
};

// Ctrl+C, and on Linux kill, end the event loop, so that main can tidy up.
void QuitOnTerminationSignals(QCoreApplication& app);

}  // namespace zelkor::sim
