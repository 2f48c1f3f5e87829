#include "Cp1252Validator.h"

#include "core/Cp1252.h"

namespace zelkor {

QValidator::State Cp1252Validator::validate(QString& input, int&) const {
  for (QChar c : input) {
    const int byte = cp1252::ByteOf(c);
    if (byte < 0x20 || byte == 0x7F || byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 ||
        byte == 0x9D) {
      return Invalid;
    }
  }
  return Acceptable;
}

}  // namespace zelkor
