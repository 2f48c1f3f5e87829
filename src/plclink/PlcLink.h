#pragma once

#include "LinkExchange.h"
#include "SerialPort.h"
#include "core/EditorState.h"

#include <QByteArray>
#include <QList>
#include <QObject>

#include <functional>

namespace zelkor {

// One request of a transfer: its frame, and for a read the number of words its answer carries.
struct LinkRequest {
  QByteArray frame;
  int readWords = 0;  // 0: a write, answered by ACK, anything up to ETX and two characters
};

// The read request of `words` words from `address` on.
LinkRequest ReadRequest(int address, int words);

enum class TransferKind { Write, Read };

// The PLC link of the window: the port choice, and transfers of requests to
// the PLC, one after the other, each after the answer to the one before. It
// knows frames and answers, not the lists.
class PlcLink : public QObject {
  Q_OBJECT

 public:
  // Gets each read's words (its index counts from 0 in the order sent);
  // false stops the transfer, after the handler has shown why.
  using ReadHandler = std::function<bool(int index, const QList<quint16>& words)>;
  // Learns whether every request was answered. A failure of the link has
  // shown its message already.
  using EndHandler = std::function<void(bool complete)>;

  PlcLink(EditorState& state, SerialPort& port, Deadline& deadline, QObject* parent = nullptr);

  // Starts sending and returns at once; the progress shows while it runs.
  void Transfer(TransferKind kind, QList<LinkRequest> requests, ReadHandler onRead, EndHandler onEnd);
  // One more request at the end of the running transfer (a header tells how many records follow).
  void Append(const LinkRequest& request) { pending_ << request; }
  // Shows that a transfer runs and returns true when one does; `what` is
  // what has to wait for its end.
  bool RefuseWhileTransferring(const QString& what);

  // The entry `index` (0 = "Porta # 01") was picked.
  void ComboPorta_Click(int index);
  // Closes the port, open or not (never during a transfer: closing waits for its end).
  void ClosePort();
  // Tool-tips of the port entries: the device each one stands for now.
  void RefreshPortDevices();

  bool transferring() const { return !pending_.isEmpty() || exchange_.waiting(); }
  // Runs a transfer's end as the window runs its commands, when set.
  std::function<void(const std::function<void()>&)> runEnd;
  // The port picked last, 1..16; 0 before any pick.
  int portNumber() const { return chosenIndex_ + 1; }

 Q_SIGNALS:
  // What the window and the line monitor follow. A transfer starts, each
  // frame goes out (`number` from 1, of `total` known so far), each answer
  // ends (`rest`: what waits in the port behind an answer that went wrong),
  // the transfer ends, having had every answer or not.
  void transferStarted(zelkor::TransferKind kind, int total);
  void requestSent(int number, int total, const QByteArray& frame);
  void answerReceived(zelkor::ExchangeOutcome outcome, const QByteArray& answer, const QByteArray& rest,
                      const QString& portError);
  void progressChanged();
  void transferEnded(bool complete);
  // The port: opened, refused, closed, or lost while idle (and reported).
  void portOpened(int number, const QString& device);
  void portRefused(int number, const QString& why);
  void portClosed();
  void portLost(const QString& description);

 private:
  void sendNext();
  void onExchangeFinished(ExchangeOutcome outcome, const QString& portError, const QByteArray& answer);
  void end(bool complete);
  void showProgress();

  EditorState& state_;
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
  int chosenIndex_ = -1;
};

}  // namespace zelkor
