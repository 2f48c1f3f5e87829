#pragma once

#include "CommandLine.h"

#include "link/PlcLink.h"

#include <QString>

namespace zelkor {

// A transfer's progress on standard error: one line rewritten in place on a
// terminal; elsewhere (a log, a pipe) a line per tenth of the transfer, so a
// script's log stays short. Returns what to print now, often nothing.
class ConsoleProgress {
 public:
  explicit ConsoleProgress(bool terminal) : terminal_(terminal) {}
  QString Show(const TransferProgress& progress);
  // What ends the progress before the outcome is printed.
  QString End();

 private:
  bool terminal_;
  int lastTenth_ = -1;
  qsizetype shownWidth_ = 0;
};

// --write, --read, --compare and --find-plc: the editor's own commands with
// no window, their boxes printed, their answers those of the options. Returns
// the program's exit status.
int RunConsoleTransfer(const CommandLine& command);

}  // namespace zelkor
