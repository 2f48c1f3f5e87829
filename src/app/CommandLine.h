#pragma once

#include <QString>
#include <QStringList>

namespace zelkor {

struct CommandLine {
  // Sheet: the printed sheet of `file` into `sheet`, without a window.
  // Write, Read, Compare, FindPlc: a transfer without a window. Manual: the help window alone.
  enum class Action { Run, Print, Refuse, Sheet, Write, Read, Compare, FindPlc, Manual };
  Action action = Action::Run;
  QString file;         // to open at start-up, to write or compare, or (Read) to create; empty for none
  int exitCode = 0;     // the program's, unless it runs
  QString message;      // Print: for standard output; Refuse: one line for standard error
  QString sheet;        // Sheet: the PDF to write
  QString port = {};    // a transfer's port: a number as in "Porta # NN", or a device name
  bool verify = false;  // Write: read every word back
  bool force = false;   // Write: write despite the warnings about the lists
};

// `arguments` starts with the program's name. Decided before the window
// exists, so --help and --version work without a display.
CommandLine ParseCommandLine(const QStringList& arguments);

}  // namespace zelkor
