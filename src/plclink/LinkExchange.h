#pragma once

#include "SerialPort.h"

#include <QByteArray>
#include <QObject>
#include <QString>

namespace zelkor {

inline constexpr int kAnswerTimeoutMs = 500;

enum class ExchangeOutcome { Success, NotAck, TimeOut, PortError };

// One request and its answer: ACK, anything up to ETX, two more characters.
// Driven by arriving bytes and the deadline's tick; nothing blocks or polls.
class LinkExchange : public QObject {
  Q_OBJECT

 public:
  LinkExchange(SerialPort& port, Deadline& deadline, QObject* parent = nullptr);

  // ExchangeFrame: writes the frame and waits for its answer; `finished`
  // reports the outcome and the answer's characters as far as they came,
  // possibly before start returns.
  void start(const QByteArray& frame);
  bool waiting() const { return waiting_; }
  // The port failed under a waiting exchange: it ends with that error.
  void fail(const QString& portError);

  // The deadline's tick: a single tick is a time-out.
  void Timer1_Timer();

 Q_SIGNALS:
  void finished(zelkor::ExchangeOutcome outcome, const QString& portError, const QByteArray& answer);

 private:
  void consume();
  void finish(ExchangeOutcome outcome, const QString& portError = {});

  SerialPort& port_;
  Deadline& deadline_;
  bool waiting_ = false;
  bool ackSeen_ = false;
  bool etxSeen_ = false;
  int afterEtx_ = 0;
  QByteArray answer_;
};

}  // namespace zelkor
