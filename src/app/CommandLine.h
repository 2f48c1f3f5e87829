#pragma once

#include <QString>
#include <QStringList>

namespace zelkor {

struct CommandLine {
  enum class Action { Run, Print, Refuse };
  Action action = Action::Run;
  QString file;      // to open at start-up; empty for none
  int exitCode = 0;  // the program's, unless it runs
  QString message;   // Print: for standard output; Refuse: one line for standard error
};

// `arguments` starts with the program's name. Decided before the window
// exists, so --help and --version work without a display.
CommandLine ParseCommandLine(const QStringList& arguments);

}  // namespace zelkor
