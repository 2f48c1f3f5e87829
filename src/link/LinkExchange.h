#pragma once

#include "SerialPort.h"

#include <QByteArray>
#include <QObject>
#include <QString>

namespace zelkor {

inline constexpr int kAnswerTimeoutMs = 500;
// How long the rest of a NAK frame may take once its first character came.
inline constexpr int kNakRestMs = 100;

// PortLost: the line went away under the exchange; PortError: the frame could not be written.
enum class ExchangeOutcome { Success, NotAck, TimeOut, PortLost, PortError };

// One request and its answer: ACK, anything up to ETX, two more characters.
// Driven by arriving bytes and the deadline's tick; nothing blocks or polls.
class LinkExchange : public QObject {
  Q_OBJECT

 public:
  LinkExchange(SerialPort& port, Deadline& deadline, QObject* parent = nullptr);

  // Writes the frame and waits for its answer; `finished` reports the outcome
  // and the answer's characters as far as they came, possibly before start returns.
  void Start(const QByteArray& frame);
  bool Waiting() const { return stage_ != Stage::Idle; }
  // The port failed under a waiting exchange: it ends with that error.
  void Fail(const QString& portError);
  // Stops waiting without a report.
  void Cancel();

 Q_SIGNALS:
  void Finished(zelkor::ExchangeOutcome outcome, const QString& portError, const QByteArray& answer);

 private:
  // AwaitingAck: nothing yet; AwaitingEtx: after the ACK; AfterEtx: the two
  // characters that follow ETX; NakTail: the rest of a NAK frame, whose code
  // the line monitor shows and which must not be left for the next request.
  enum class Stage { Idle, AwaitingAck, AwaitingEtx, AfterEtx, NakTail };

  void Consume();
  void OnAnswerDeadline();
  void Finish(ExchangeOutcome outcome, const QString& portError = {});

  SerialPort& port_;
  Deadline& deadline_;
  Stage stage_ = Stage::Idle;
  int afterEtx_ = 0;
  bool nakEtxSeen_ = false;
  QByteArray answer_;
};

}  // namespace zelkor
