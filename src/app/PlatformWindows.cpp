#include "Platform.h"

#include <windows.h>

#include <io.h>
#include <shellapi.h>

namespace zelkor {

QStringList ProgramArguments(int, char**) {
  QStringList arguments;
  int count = 0;
  if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
    for (int i = 0; i < count; ++i) arguments << QString::fromWCharArray(wide[i]);
    LocalFree(wide);
  }
  return arguments;
}

void Print(std::FILE* stream, const QString& text) {
  // Started from a console, a windowed program has none of its own until it joins that one.
  static const bool joined = [] {
    const bool attached = AttachConsole(ATTACH_PARENT_PROCESS) != 0;
    if (attached && _fileno(stdout) < 0) std::freopen("CONOUT$", "w", stdout);
    if (attached && _fileno(stderr) < 0) std::freopen("CONOUT$", "w", stderr);
    return attached;
  }();
  static_cast<void>(joined);
  HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
    // A console shows every character given as such, whatever its code page.
    std::fflush(stream);
    const std::wstring wide = QString(text).replace(u'\n', QStringLiteral("\r\n")).toStdWString();
    WriteConsoleW(handle, wide.c_str(), static_cast<DWORD>(wide.size()), nullptr, nullptr);
    return;
  }
  std::fputs(text.toUtf8().constData(), stream);  // a pipe or a file: UTF-8
  std::fflush(stream);
}

QString MissingDisplay() { return {}; }

void DrawWithoutDisplay() {}

}  // namespace zelkor
