#include "Cp1252.h"

namespace zelkor::cp1252 {

namespace {
// 80h..9Fh; the undefined positions hold their own number.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98
};
}  // namespace

int ByteOf(QChar c) {
  const char16_t u = c.unicode();
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return u;
  for (int i = 0; i < 32; ++i) {
    if (kHigh[i] == u) return 0x80 + i;
  }
  return -1;
}

bool Typeable(QChar c) {
  const int byte = ByteOf(c);
  return byte >= 0x20 && byte != 0x7F && byte != 0x81 && byte != 0x8D && byte != 0x8F && byte != 0x90 && byte != 0x9D;
}

QByteArray Encode(const QString& text, bool* ok) {
  QByteArray bytes;
  bytes.reserve(text.size());
  bool all = true;
  for (QChar c : text) {
    const int b = ByteOf(c);
    all = all && b >= 0;
    bytes.append(static_cast<char>(b >= 0 ? b : '?'));
  }
  if (ok) *ok = all;
  return bytes;
}

QString Decode(const QByteArray& bytes) {
  QString text;
  text.reserve(bytes.size());
  for (char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    text.append(b >= 0x80 && b < 0xA0 ? QChar(kHigh[b - 0x80]) : QChar(static_cast<char16_t>(b)));
  }
  return text;
}

}  // namespace zelkor::cp1252
