#include "Cp1252Validator.h"

#include "model/Cp1252.h"

#include <algorithm>

namespace zelkor {

QValidator::State Cp1252Validator::validate(QString& input, int&) const {
  return std::all_of(input.begin(), input.end(), cp1252::Typeable) ? Acceptable : Invalid;
}

}  // namespace zelkor
