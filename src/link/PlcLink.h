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

// Verify: a read that checks what the write before it left in the PLC; Search: the PLC search, port after port.
enum class TransferKind { Write, Read, Verify, Search };

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

// What the PLC search made of one port: a PLC answered on it, or why not.
enum class PortFinding { Plc, NoDevice, InUse, NoAccess, NoAnswer, NotPlc, PortFault };

struct PortTried {
  int number = 0;
  PortFinding finding = PortFinding::NoAnswer;
  QString portError;  // NoAccess and PortFault: the port's own description
  friend bool operator==(const PortTried&, const PortTried&) = default;
};

// Why a port is not the PLC's, as a list of the ports tried gives it ("sem resposta"); empty for Plc.
QString PortFindingText(const PortTried& tried);

struct PlcSearchOutcome {
  int found = 0;            // the port a PLC answered on, left open; 0: none did
  bool abandoned = false;   // given up before the end
  QList<PortTried> tried;   // in the order tried, the found one last
  bool portClosed = false;  // no port is open at the end: none was before, or it would not open again
};

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
  using SearchEndHandler = std::function<void(const PlcSearchOutcome& outcome)>;

  PlcLink(SerialPort& port, Deadline& deadline, QObject* parent = nullptr);

  // Starts sending and returns at once. What waits in the port from before
  // (a late answer, the rest of a NAK) is discarded first.
  void StartTransfer(TransferKind kind, QList<LinkRequest> requests, ReadHandler onRead, EndHandler onEnd);
  // One more request at the end of the running transfer (a header tells how many records follow).
  void AppendRequest(const LinkRequest& request) { pending_ << request; }
  // Gives the running transfer up: it ends as Abandoned (a search: `abandoned`).
  void AbandonTransfer();

  // Looks for the PLC: opens each of `ports` in turn and sends the header read that "Lê CLP" starts with (nothing
  // is ever written to the PLC), stopping at the first port that answers with a whole read answer or NAK, which
  // stays open. When none does, or the search is abandoned, the port open before is open again. It runs as a
  // transfer of kind Search ("Procurando: Porta # 03"); false, doing nothing, while another transfer runs.
  [[nodiscard]] bool StartPlcSearch(QList<int> ports, SearchEndHandler onEnd);

  bool IsTransferring() const { return search_ || !pending_.isEmpty() || exchange_.Waiting(); }
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
  void TryNextPort();
  void OnSearchAnswer(ExchangeOutcome outcome, const QString& portError, const QByteArray& answer);
  void EndSearch();

  struct PlcSearch {
    QList<int> ports;
    int portBefore = 0;
    bool wasOpen = false;
    PlcSearchOutcome outcome;
    SearchEndHandler onEnd;
  };

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
  std::optional<PlcSearch> search_;
};

}  // namespace zelkor
