#include "Platform.h"

#include <unistd.h>

namespace zelkor {

QStringList ProgramArguments(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return arguments;
}

void Print(std::FILE* stream, const QString& text) { std::fputs(text.toLocal8Bit().constData(), stream); }

bool IsTerminal(std::FILE* stream) { return isatty(fileno(stream)) != 0; }

QString MissingDisplay() {
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    return QStringLiteral("nenhuma tela disponível (DISPLAY não definido)");
  }
  return {};
}

void DrawWithoutDisplay() { qputenv("QT_QPA_PLATFORM", "offscreen"); }

}  // namespace zelkor
