#include "Platform.h"

#include <windows.h>

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

namespace {

HANDLE OutputHandle(std::FILE* stream) {
  HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  if (GetFileType(handle) != FILE_TYPE_UNKNOWN) return handle;
  // Started from a console, a windowed program has no output of its own: it
  // writes to that console's screen, joined first (wine has joined it already).
  static const HANDLE console = [] {
    AttachConsole(ATTACH_PARENT_PROCESS);
    return CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
  }();
  return console;
}

}  // namespace

bool IsTerminal(std::FILE* stream) {
  DWORD mode = 0;
  return GetConsoleMode(OutputHandle(stream), &mode) != 0;
}

void Print(std::FILE* stream, const QString& text) {
  HANDLE handle = OutputHandle(stream);
  DWORD mode = 0;
  if (GetConsoleMode(handle, &mode)) {
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
