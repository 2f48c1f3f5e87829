#pragma once

#include <QString>
#include <QStringList>

namespace zelkor {

struct CommandLine {
  // Sheet: the printed sheet of `file` into `sheet`, without a window.
  enum class Action { Run, Print, Refuse, Sheet };
  Action action = Action::Run;
  QString file;      // to open at start-up; empty for none
  int exitCode = 0;  // the program's, unless it runs
  QString message;   // Print: for standard output; Refuse: one line for standard error
  QString sheet;     // Sheet: the PDF to write
};

// `arguments` starts with the program's name. Decided before the window
// exists, so --help and --version work without a display.
CommandLine ParseCommandLine(const QStringList& arguments);

}  // namespace zelkor
