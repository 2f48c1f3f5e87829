#pragma once

#include "commands/Colours.h"
#include "commands/Messages.h"
#include "model/ParameterLists.h"

#include <ostream>

// Printers so that a failed comparison says what differed.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
QT_END_NAMESPACE

namespace zelkor {
inline void PrintTo(const Rgb& c, std::ostream* os) { *os << "Rgb(" << c.r << ", " << c.g << ", " << c.b << ")"; }
inline void PrintTo(const Message& m, std::ostream* os) {
  *os << QStringList{m.text, TitleText(m.title), HelpAnchor(m.help), QString::number(int(m.buttons)),
                     QString::number(int(m.icon))}
             .join(u'|')
             .toStdString();
}
}  // namespace zelkor
