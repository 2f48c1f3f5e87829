#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace zelkor {

inline constexpr char kEnq = 0x05;
inline constexpr char kEot = 0x04;
inline constexpr char kAck = 0x06;
inline constexpr char kNak = 0x15;
inline constexpr char kEtx = 0x03;

// The sum of the character codes modulo 256, as two upper-case hexadecimal digits.
QByteArray FrameChecksum(const QByteArray& text);

enum class FrameCommand { Write, Read };

// What one request frame carries.
struct FrameRequest {
  FrameCommand command = FrameCommand::Write;
  int address = 0;  // the first data word, D0..D4999
  int words = 0;
  QByteArray data;  // a write's bytes, each sent as two hexadecimal digits; a read has none
};

// ENQ "00" command "SB" "08" device, count, data, EOT, checksum of all before it.
QByteArray BuildFrame(const FrameRequest& request);

// "%DW0" and the word address in four digits.
QByteArray DeviceName(int wordAddress);
// A count as two upper-case hexadecimal digits.
QByteArray WordCountText(int words);

// The words of a complete answer to a read request of `words` words:
// ACK "00" "r" "SB", the byte count (2 x words) in two hexadecimal digits, four
// hexadecimal digits per word, ETX, and the checksum of ACK through ETX.
// Nothing when any of it is not so.
std::optional<QList<quint16>> ParseReadAnswer(const QByteArray& answer, int words);

// Whether `answer` is a PLC's refusal of a read request, whole: NAK "00" "r" "SB", a four-digit hexadecimal error
// code, ETX, and the checksum of NAK through ETX.
bool IsReadNak(const QByteArray& answer);

// The characters as a technician reads them off a line monitor: control
// characters by their names ("<ACK>00rSB08...<ETX>DD"), others as they are.
QString NameControlCharacters(const QByteArray& bytes);

}  // namespace zelkor
