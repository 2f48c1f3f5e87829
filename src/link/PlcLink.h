#pragma once

#include "LinkExchange.h"
#include "SerialPort.h"

#include <QByteArray>
#include <QList>
#include <QObject>

#include <functional>
#include <optional>

namespace zelkor {

// One request of a transfer: its frame, and for a read the number of words its answer carries.
struct LinkRequest {
  QByteArray frame;
  int readWords = 0;  // 0: a write, answered by ACK, anything up to ETX and two characters
};

// The read request of `words` words from `address` on.
LinkRequest ReadRequest(int address, int words);

// Verify: a read that checks what the write before it left in the PLC.
enum class TransferKind { Write, Read, Verify };

// How a transfer ended. Stopped: its read handler refused what came (and
// knows why); Abandoned: given up on purpose, nothing more was sent.
enum class LinkError { None, NotAck, TimeOut, Port, BadAnswer, Stopped, Abandoned };

struct TransferOutcome {
  LinkError error = LinkError::None;
  QString portError;  // Port: the port's own description
  QByteArray answer;  // BadAnswer: the characters that came
  // How far it got (what a write that lost its port left in the PLC), and whether the port went away under it.
  int answered = 0;  // frames answered
  int total = 0;     // frames known at the end
  bool portClosed = false;
};

// What the technician is told of a link error, in the link's words ("Tempo
// esgotado!"); empty for None, Stopped and Abandoned.
QString LinkErrorText(const TransferOutcome& outcome);

// A transfer as the link frame shows it while it runs.
struct TransferProgress {
  bool active = false;
  int done = 0;   // frames answered
  int total = 0;  // frames known so far (a read learns the rest from the header)
  QString text;   // "Gravando: quadro 37 de 511 — faltam 14 s"
  friend bool operator==(const TransferProgress&, const TransferProgress&) = default;
};

// The PLC link: the port, and transfers of requests to the PLC, one after
// the other, each after the answer to the one before. It knows frames and
// answers, not the lists nor the window: it reports progress and one outcome.
class PlcLink : public QObject {
  Q_OBJECT

 public:
  // Gets each read's words (its index counts from 0 in the order sent);
  // false stops the transfer, which then ends as Stopped.
  using ReadHandler = std::function<bool(int index, const QList<quint16>& words)>;
  using EndHandler = std::function<void(const TransferOutcome& outcome)>;

  PlcLink(SerialPort& port, Deadline& deadline, QObject* parent = nullptr);

  // Starts sending and returns at once. What waits in the port from before
  // (a late answer, the rest of a NAK) is discarded first.
  void StartTransfer(TransferKind kind, QList<LinkRequest> requests, ReadHandler onRead, EndHandler onEnd);
  // One more request at the end of the running transfer (a header tells how many records follow).
  void AppendRequest(const LinkRequest& request) { pending_ << request; }
  // Gives the running transfer up: it ends as Abandoned.
  void AbandonTransfer();

  bool IsTransferring() const { return !pending_.isEmpty() || exchange_.Waiting(); }
  // The kind of the running transfer; nothing when idle.
  std::optional<TransferKind> RunningKind() const;
  const TransferProgress& Progress() const { return progress_; }

  // Closes the port and opens port `number` (1..16).
  OpenResult OpenPort(int number);
  // Closes the port, open or not.
  void ClosePort();
  // The port opened last, 1..16; 0 before any.
  int PortNumber() const { return portNumber_; }
  QString DeviceFor(int number) const { return port_.DeviceFor(number); }

  // Runs what follows from the link's own events (a transfer's end, a lost
  // port) the way the window runs its commands, when set.
  std::function<void(const std::function<void()>&)> runEvent;

 Q_SIGNALS:
  // What the window and the line monitor follow. A transfer starts, the
  // bytes that waited are thrown away, each frame goes out (`number` from 1,
  // of `total` known so far), each answer ends (`rest`: what waits in the
  // port behind an answer that went wrong), the transfer ends.
  void TransferStarted(zelkor::TransferKind kind, int total);
  void Discarded(const QByteArray& bytes);
  void RequestSent(int number, int total, const QByteArray& frame);
  void AnswerReceived(zelkor::ExchangeOutcome outcome, const QByteArray& answer, const QByteArray& rest,
                      const QString& portError);
  void ProgressChanged();
  void TransferEnded(bool complete);
  // The port: opened, refused, closed, or lost while idle.
  void PortOpened(int number, const QString& device);
  void PortRefused(int number, const QString& why);
  void PortClosed();
  void PortLost(const QString& description);

 private:
  void SendNext();
  void OnExchangeFinished(ExchangeOutcome outcome, const QString& portError, const QByteArray& answer);
  void End(TransferOutcome outcome);
  void ShowProgress();
  void RunAsEvent(const std::function<void()>& step);

  SerialPort& port_;
  Deadline& deadline_;
  TransferKind kind_ = TransferKind::Write;
  qint64 startedAt_ = 0;
  LinkExchange exchange_;
  QList<LinkRequest> pending_;
  LinkRequest current_;
  int sent_ = 0;
  ReadHandler onRead_;
  EndHandler onEnd_;
  TransferProgress progress_;
  int portNumber_ = 0;
};

}  // namespace zelkor
