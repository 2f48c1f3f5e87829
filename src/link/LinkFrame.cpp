#include "LinkFrame.h"

namespace zelkor {

QByteArray FrameChecksum(const QByteArray& text) {
  unsigned sum = 0;
  for (char c : text) sum += static_cast<unsigned char>(c);
  return QByteArray::number(sum % 256, 16).toUpper().rightJustified(2, '0');
}

QByteArray BuildFrame(const FrameRequest& r) {
  const bool write = r.command == FrameCommand::Write;
  QByteArray frame;
  frame.append(kEnq).append("00").append(write ? 'w' : 'r').append("SB08");
  frame.append(DeviceName(r.address)).append(WordCountText(r.words));
  if (write) frame.append(r.data.toHex().toUpper());
  frame.append(kEot);
  frame.append(FrameChecksum(frame));
  return frame;
}

QByteArray DeviceName(int wordAddress) { return "%DW0" + QByteArray::number(wordAddress).rightJustified(4, '0'); }

QByteArray WordCountText(int words) { return QByteArray::number(words, 16).toUpper().rightJustified(2, '0'); }

namespace {
std::optional<int> HexNumber(const QByteArray& digits) {
  for (char c : digits) {
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return std::nullopt;  // upper case, as the PLC sends
  }
  return digits.toInt(nullptr, 16);
}
}  // namespace

std::optional<QList<quint16>> ParseReadAnswer(const QByteArray& answer, int words) {
  const qsizetype etx = 8 + 4 * qsizetype{words};
  if (answer.size() != etx + 3 || answer.at(etx) != kEtx || !answer.startsWith(QByteArray(1, kAck) + "00rSB") ||
      HexNumber(answer.mid(6, 2)) != 2 * words || FrameChecksum(answer.left(etx + 1)) != answer.mid(etx + 1)) {
    return std::nullopt;
  }
  QList<quint16> values;
  for (int i = 0; i < words; ++i) {
    const std::optional<int> word = HexNumber(answer.mid(8 + 4 * i, 4));
    if (!word) return std::nullopt;
    values << static_cast<quint16>(*word);
  }
  return values;
}

bool IsReadNak(const QByteArray& answer) {
  return answer.size() == 13 && answer.startsWith(QByteArray(1, kNak) + "00rSB") && HexNumber(answer.mid(6, 4)) &&
         answer.at(10) == kEtx && FrameChecksum(answer.left(11)) == answer.mid(11);
}

QString NameControlCharacters(const QByteArray& bytes) {
  static const char* const kNames[32] = {"NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BS",  "HT",  "LF",
                                         "VT",  "FF",  "CR",  "SO",  "SI",  "DLE", "DC1", "DC2", "DC3", "DC4", "NAK",
                                         "SYN", "ETB", "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US"};
  QString text;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 32) {
      text += u'<' + QLatin1String(kNames[byte]) + u'>';
    } else if (byte >= 127) {
      text += QStringLiteral("<x") + QString::number(byte, 16).toUpper() + u'>';
    } else {
      text += QLatin1Char(c);
    }
  }
  return text;
}

}  // namespace zelkor
