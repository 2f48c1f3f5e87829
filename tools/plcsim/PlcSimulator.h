#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <memory>

class QTimer;

namespace zelkor::sim {

class SimLine;

// How the simulated PLC misbehaves, if at all.
struct Faults {
  bool silent = false;       // never answers
  bool nak = false;          // answers every request with NAK
  bool wrongFirst = false;   // the answer starts with a character that is not ACK
  int delayMs = 0;           // waits this long before answering
  bool cutShort = false;     // the answer stops one character before its end
  int disconnectAfter = -1;  // hangs up after answering this many frames
  bool pace = false;         // sends at the speed of a 19200-baud line
  bool badChecksum = false;  // a read's answer carries a wrong checksum
  int corruptWord = -1;      // a write to this word stores a wrong value (still answered ACK)
};

// A PLC on a serial line: parses Link request frames (syntax and
// checksum), keeps 5000 data words, and answers as the PLC does.
class PlcSimulator : public QObject {
  Q_OBJECT

 public:
  static constexpr int kWords = 5000;
  // NAK error codes of this simulator.
  static constexpr const char* kBadChecksum = "4201";
  static constexpr const char* kBadSyntax = "4202";
  static constexpr const char* kBadAddress = "4203";

  explicit PlcSimulator(Faults faults = {}, QObject* parent = nullptr);
  ~PlcSimulator() override;

  // Opens its line (see SimLine); what the editor opens, or empty with *error.
  QString Open(const QString& port, QString* error);

  // What the PLC answers to one request frame, before any fault mode; a
  // write lands in memory. Also the peer of in-process tests.
  QByteArray Respond(const QByteArray& frame);

  std::uint16_t Word(int address) const { return memory_.at(static_cast<size_t>(address)); }
  // From now on a write to `address` stores a wrong value there.
  void CorruptWord(int address) { faults_.corruptWord = address; }
  int FramesAnswered() const { return answered_; }

  // The two lists as the panel would read them from the image, one line each:
  // "V <grupo> <texto>|<unidade>|<endereço>|<Sim/Não>" and "A <alarm text>".
  QStringList DecodeLists() const;

 Q_SIGNALS:
  void FrameHandled(bool accepted);
  // A write reached the lowest word of the image its header announces.
  void ImageComplete();
  void HungUp();

 private:
  void OnReadable();
  void Answer(QByteArray bytes);
  void Send(const QByteArray& bytes);
  void HangUp();

  Faults faults_;
  std::unique_ptr<SimLine> line_;
  QTimer* pacer_ = nullptr;
  QByteArray outgoing_;
  QByteArray incoming_;
  std::array<std::uint16_t, kWords> memory_{};
  int answered_ = 0;
};

// The answer body's checksum, as the PLC computes it.
QByteArray Checksum(const QByteArray& text);

}  // namespace zelkor::sim
