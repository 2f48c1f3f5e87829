#pragma once

#include <QString>

#include <optional>

namespace zelkor {

// The number test of every typed or stored number (group, address number):
// optional blanks around, an optional leading sign, then decimal digits only.
// Exponents, decimal and thousands separators and hexadecimal prefixes are not
// numbers here: a technician typing D1.5 or D&H10 is told the address is wrong
// rather than having it read as something else.
std::optional<long long> ReadWholeNumber(const QString& text);

}  // namespace zelkor
