#pragma once

#include "core/Colours.h"
#include "core/Messages.h"
#include "core/ParameterLists.h"

#include <QString>

#include <ostream>

// Printers so that a failed comparison says what differed.
QT_BEGIN_NAMESPACE
void PrintTo(const QString& text, std::ostream* os);
QT_END_NAMESPACE

namespace zelkor {
void PrintTo(const Rgb& colour, std::ostream* os);
void PrintTo(const Message& message, std::ostream* os);
void PrintTo(const VariableRow& row, std::ostream* os);
}  // namespace zelkor
