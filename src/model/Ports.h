#pragma once

#include <QString>

namespace zelkor {

inline constexpr int kPortEntries = 16;

// "Porta # 01" .. "Porta # 16": the editor's port numbers, COM1..COM16 on Windows.
inline QString PortEntryName(int portNumber) {
  return QStringLiteral("Porta # %1").arg(portNumber, 2, 10, QLatin1Char('0'));
}

}  // namespace zelkor
