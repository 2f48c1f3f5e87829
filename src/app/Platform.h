#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>

// Where starting the program differs between systems; one file per system.
namespace zelkor {

// The command line as typed: on Windows from its wide characters, so any file name arrives whole.
QStringList ProgramArguments(int argc, char** argv);

// Writes `text` to stdout or stderr as the terminal shows it. On Windows the
// editor is a windowed program: it first joins the console it was started
// from, if there is one.
void Print(std::FILE* stream, const QString& text);

// Whether `stream` is a terminal (a console on Windows), where a progress line can be rewritten in place.
bool IsTerminal(std::FILE* stream);

// Why no window can be shown (Linux without a display), or empty.
QString MissingDisplay();

// The printed sheet needs no window: on Linux not even a display.
void DrawWithoutDisplay();

}  // namespace zelkor
