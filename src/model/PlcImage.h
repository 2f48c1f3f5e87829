#pragma once

#include "ParameterLists.h"
#include "model/Message.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace zelkor {

inline constexpr int kImageEnd = 4499;
inline constexpr int kImageTop = 4496;  // the header's first word
inline constexpr int kVariableWords = 7;
inline constexpr int kAlarmWords = 8;

// A row that cannot become a record (possible only for rows read from a file).
class ImageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// First word of the image: 4496 - 7V - 8A.
int ImageStart(int variables, int alarms);

// The PLC word an Endereço names, as its record holds it: the type (0 D, 1 C, 2 T; the letter in either case) and
// the number read from the four characters after the letter, so "d0100" and "D100" are one word. Nothing when the
// record could not hold it.
struct PlcAddress {
  int type = 0;
  int number = 0;
  friend bool operator<(const PlcAddress& a, const PlcAddress& b) {
    return std::pair(a.type, a.number) < std::pair(b.type, b.number);
  }
};
std::optional<PlcAddress> ParsePlcAddress(const QString& endereco);

// 14 bytes: Texto (8), Unidade (3), flags, address high and low byte.
// Throws ImageError for a row with no address type (letter not D, C or T), an
// address number that is not a number or does not fit a word, or a group
// outside 0..7: such a record would put wrong bits into the PLC.
QByteArray EncodeVariableRow(const VariableRow& row);

// 16 bytes: the alarm text cut or blank-filled to 16 characters.
QByteArray EncodeAlarmRow(const QString& alarmText);

// Three zero words, then the alarm count in the high and the variable count in the low byte.
std::array<std::uint16_t, 4> ImageHeader(int variables, int alarms);

// One stretch of the image: its first word and its bytes, two a word.
struct ImageRecord {
  int address = 0;
  QByteArray bytes;
};

// What writing the lists leaves in the PLC: the header at D4496, then one
// record per Variable row and per Alarm row, in list order, each below the
// one before. Throws ImageError (naming the row) for a row without a record.
std::vector<ImageRecord> ImageRecords(const Lists& lists);

inline constexpr int kGroups = 8;  // 0..7: three bits of a record
// The groups present must run 0, 1, 2, … without a gap: the lowest group
// missing below a higher one present, or nothing.
std::optional<int> GroupGap(const std::vector<int>& groups);

// The Grupo cells must run 0, 1, 2, … without a gap. `unreadableRow` is the
// first row whose Grupo is no number from 0 to 7 (only a file brings one);
// the numbering is not judged then.
struct GroupSequence {
  int unreadableRow = 0;
  bool broken = false;
};
GroupSequence GroupSequenceOf(const std::vector<VariableRow>& variables);
Message BrokenGroupSequence();

// The box "Grava CLP" shows instead of sending anything, for the first fault
// it finds: both lists empty, the group numbering broken, a list over 255
// rows, a row without a record. Nothing when it would write the lists.
std::optional<Message> WriteRefusal(const Lists& lists);

// CRC-16/CCITT-FALSE (polynomial 1021h, initial FFFFh, no reflection, no
// final XOR) over the image's words from its first address up to D4499, each
// word most significant byte first: the image's fingerprint on a printed sheet.
quint16 ImageChecksum(const std::vector<ImageRecord>& records);

// Each word's high byte, then its low byte: a record as the PLC holds it.
QByteArray WordBytes(const QList<quint16>& words);
// The inverse of EncodeVariableRow: Texto and Unidade without their trailing
// blanks, Endereço the letter and the number without
// leading zeros. Nothing for flags that no write can leave (bits 6 and 7 set,
// or address type 3).
std::optional<VariableRow> DecodeVariableRecord(const QByteArray& record);
// The 16 characters without their trailing blanks.
QString DecodeAlarmRecord(const QByteArray& record);

}  // namespace zelkor
