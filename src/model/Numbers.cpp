#include "Numbers.h"

namespace zelkor {

std::optional<long long> ReadWholeNumber(const QString& text) {
  const QString t = text.trimmed();
  qsizetype i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
    negative = t[i] == u'-';
    ++i;
  }
  if (i == t.size()) return std::nullopt;
  long long value = 0;
  for (; i < t.size(); ++i) {
    const char16_t c = t[i].unicode();
    if (c < u'0' || c > u'9') return std::nullopt;
    if (value > 100'000'000'000LL) return std::nullopt;  // far beyond any field's range
    value = value * 10 + (c - u'0');
  }
  return negative ? -value : value;
}

}  // namespace zelkor
