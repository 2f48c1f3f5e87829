#include "PlcSimulator.h"

#include "model/Cp1252.h"

#include "SimLine.h"

#include <QTimer>

namespace zelkor::sim {

namespace {
constexpr char kEnq = 0x05, kEot = 0x04, kAck = 0x06, kNak = 0x15, kEtx = 0x03;

bool HexWord(const QByteArray& text, int* value) {
  bool ok = false;
  *value = text.toInt(&ok, 16);
  return ok && text.size() == 4;
}
}  // namespace

QByteArray Checksum(const QByteArray& text) {
  unsigned sum = 0;
  for (char c : text) sum += static_cast<unsigned char>(c);
  return QByteArray::number(sum % 256, 16).toUpper().rightJustified(2, '0');
}

PlcSimulator::PlcSimulator(Faults faults, QObject* parent) : QObject(parent), faults_(faults) {}

PlcSimulator::~PlcSimulator() = default;

QString PlcSimulator::Open(const QString& port, QString* error) {
  QString where;
  line_ = SimLine::Open(port, &where, error);
  if (!line_) return {};
  connect(line_.get(), &SimLine::Readable, this, &PlcSimulator::OnReadable);
  pacer_ = new QTimer(this);
  pacer_->setTimerType(Qt::PreciseTimer);
  connect(pacer_, &QTimer::timeout, this, [this] {
    // About two characters a millisecond: a 19200-baud line.
    const QByteArray chunk = outgoing_.left(2);
    outgoing_.remove(0, chunk.size());
    if (line_) line_->Write(chunk);
    if (outgoing_.isEmpty()) pacer_->stop();
  });
  return where;
}

void PlcSimulator::OnReadable() {
  incoming_ += line_->ReadAll();
  // A frame runs from ENQ to EOT and two checksum characters.
  for (;;) {
    const qsizetype start = incoming_.indexOf(kEnq);
    if (start < 0) {
      incoming_.clear();
      return;
    }
    incoming_.remove(0, start);
    const qsizetype eot = incoming_.indexOf(kEot);
    if (eot < 0 || incoming_.size() < eot + 3) return;
    const QByteArray frame = incoming_.left(eot + 3);
    incoming_.remove(0, eot + 3);
    Answer(Respond(frame));
    if (!line_) return;
  }
}

QByteArray PlcSimulator::Respond(const QByteArray& frame) {
  const qsizetype eot = frame.size() - 3;
  const char command = frame.size() > 3 ? frame[3] : '?';
  const QByteArray head = QByteArray(1, kAck) + "00" + command + "SB";
  auto refuse = [&](const char* code) {
    Q_EMIT FrameHandled(false);
    const QByteArray body = QByteArray(1, kNak) + "00" + command + "SB" + code + kEtx;
    return body + Checksum(body);
  };
  if (Checksum(frame.left(eot + 1)) != frame.mid(eot + 1, 2)) return refuse(kBadChecksum);
  if (frame.mid(1, 2) != "00" || (command != 'w' && command != 'r') || frame.mid(4, 4) != "SB08" ||
      frame.mid(8, 4) != "%DW0") {
    return refuse(kBadSyntax);
  }
  bool ok = false;
  const int address = frame.mid(12, 4).toInt(&ok);
  int count = 0;
  if (!ok || !HexWord("00" + frame.mid(16, 2), &count)) return refuse(kBadSyntax);
  if (address < 0 || count < 1 || address + count > kWords) return refuse(kBadAddress);
  const QByteArray data = frame.mid(18, eot - 18);
  if (command == 'r') {
    if (!data.isEmpty()) return refuse(kBadSyntax);
    QByteArray body = head + QByteArray::number(2 * count, 16).toUpper().rightJustified(2, '0');  // data bytes
    for (int i = 0; i < count; ++i) {
      body += QByteArray::number(memory_[static_cast<size_t>(address) + static_cast<size_t>(i)], 16)
                  .toUpper()
                  .rightJustified(4, '0');
    }
    body += kEtx;
    Q_EMIT FrameHandled(true);
    return body + Checksum(body);
  }
  if (data.size() != qsizetype{4} * count) return refuse(kBadSyntax);
  std::array<int, 255> words{};
  for (int i = 0; i < count; ++i) {
    if (!HexWord(data.mid(qsizetype{4} * i, 4), &words[static_cast<size_t>(i)])) return refuse(kBadSyntax);
  }
  for (int i = 0; i < count; ++i) {
    // A flipped low bit in each byte: "TE" lands as "UD".
    const int corruption = address + i == faults_.corruptWord ? 0x0101 : 0;
    memory_[static_cast<size_t>(address) + static_cast<size_t>(i)] =
        static_cast<std::uint16_t>(words[static_cast<size_t>(i)] ^ corruption);
  }
  Q_EMIT FrameHandled(true);
  const int v = memory_[4499] & 0xFF;
  const int a = memory_[4499] >> 8;
  if (address == 4496 - 7 * v - 8 * a) Q_EMIT ImageComplete();
  const QByteArray body = head + kEtx;
  return body + Checksum(body);
}

void PlcSimulator::Answer(QByteArray bytes) {
  if (faults_.silent) return;
  if (faults_.nak) bytes[0] = kNak;
  if (faults_.wrongFirst) bytes[0] = 'X';
  if (faults_.cutShort) bytes.chop(1);
  if (faults_.badChecksum && bytes.size() > 3 && bytes[3] == 'r')
    bytes[bytes.size() - 1] = bytes.back() == '0' ? '1' : '0';
  ++answered_;
  const bool last = faults_.disconnectAfter >= 0 && answered_ >= faults_.disconnectAfter;
  auto deliver = [this, bytes, last] {
    Send(bytes);
    if (last) HangUp();
  };
  if (faults_.delayMs > 0) {
    QTimer::singleShot(faults_.delayMs, this, deliver);
  } else {
    deliver();
  }
}

void PlcSimulator::Send(const QByteArray& bytes) {
  if (!line_) return;
  if (faults_.pace) {
    outgoing_ += bytes;
    if (!pacer_->isActive()) pacer_->start(1);
    return;
  }
  line_->Write(bytes);
}

void PlcSimulator::HangUp() {
  if (!line_) return;
  // Let a paced answer go out first.
  if (faults_.pace && !outgoing_.isEmpty()) {
    QTimer::singleShot(5, this, [this] { HangUp(); });
    return;
  }
  line_.reset();
  Q_EMIT HungUp();
}

QStringList PlcSimulator::DecodeLists() const {
  QStringList lines;
  const int v = memory_[4499] & 0xFF;
  const int a = memory_[4499] >> 8;
  auto bytesAt = [this](int address, int words) {
    QByteArray bytes;
    for (int i = 0; i < words; ++i) {
      const std::uint16_t w = memory_[static_cast<size_t>(address) + static_cast<size_t>(i)];
      bytes.append(static_cast<char>(w >> 8)).append(static_cast<char>(w & 0xFF));
    }
    return bytes;
  };
  const char letters[] = {'D', 'C', 'T', '?'};
  for (int i = 1; i <= v; ++i) {
    const QByteArray r = bytesAt(4496 - 7 * i, 7);
    const int flags = static_cast<unsigned char>(r[11]);
    const int number = static_cast<unsigned char>(r[12]) * 256 + static_cast<unsigned char>(r[13]);
    lines << QStringLiteral("V %1 %2|%3|%4%5|%6")
                 .arg((flags >> 1) & 7)
                 .arg(cp1252::Decode(r.left(8)), cp1252::Decode(r.mid(8, 3)))
                 .arg(QChar::fromLatin1(letters[(flags >> 4) & 3]))
                 .arg(number)
                 .arg((flags & 1) != 0 ? QStringLiteral("Sim") : QStringLiteral("Não"));
  }
  for (int j = 1; j <= a; ++j) lines << QStringLiteral("A ") + cp1252::Decode(bytesAt(4496 - 7 * v - 8 * j, 8));
  return lines;
}

}  // namespace zelkor::sim
