#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

namespace zelkor {

// InvalidPort: no device behind the number; NoAccess: this user may never open it (the description says why).
enum class OpenError { None, InvalidPort, InUse, NoAccess, Other };

struct OpenResult {
  OpenError error = OpenError::None;
  QString description;  // for NoAccess and Other: what the technician is told
};

// What the editor needs of a serial port. Port numbers are the editor's
// own 1..16; the implementation maps them to devices.
class SerialPort : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

  // Closed, open or not.
  virtual void Close() = 0;
  // Opens at 19200 baud, no parity, 8 data bits, 1 stop bit, no flow control,
  // with whatever was received before discarded.
  virtual OpenResult Open(int portNumber) = 0;
  virtual bool IsOpen() const = 0;
  // False with a description when the bytes could not be written.
  virtual bool Write(const QByteArray& bytes, QString* error) = 0;
  // One received byte; false when none is waiting.
  virtual bool ReadByte(char* byte) = 0;
  // The received bytes still waiting, left waiting (what the line monitor shows of an answer cut short).
  virtual QByteArray PeekWaiting() = 0;
  // Takes every received byte still waiting, also those the system has not
  // handed over yet, and returns them (on Windows those are dropped unseen).
  virtual QByteArray DiscardWaiting() = 0;
  // The device behind a port number as the technician knows it, or empty.
  virtual QString DeviceFor(int portNumber) const = 0;

 Q_SIGNALS:
  void ReadyRead();
  // The line went away (an unplugged adapter, a closed far end): reported
  // once, and the port is already closed when this arrives.
  void Lost(const QString& description);
};

// The 500 ms answer deadline: one single-shot period that can be restarted.
class Deadline : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;
  // Starts a new full period, also while one runs.
  virtual void Start(int milliseconds) = 0;
  virtual void Stop() = 0;
  // A monotonic clock in milliseconds, for the pace of a transfer and the monitor's times.
  virtual qint64 Now() const = 0;

 Q_SIGNALS:
  void Expired();
};

}  // namespace zelkor
