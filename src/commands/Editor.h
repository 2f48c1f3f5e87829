#pragma once

#include "EditHistory.h"
#include "EditorState.h"
#include "FileDialog.h"
#include "ListsSource.h"
#include "Messages.h"
#include "link/PlcLink.h"
#include "model/ParameterLists.h"

#include <functional>

namespace zelkor {

// The editor the technician drives: both lists, their history, the link to
// the PLC and every value the window shows, with the seams through which the
// commands reach the outside world. Commands read and write it; the window
// mirrors it.
class Editor {
 public:
  // Runs what follows from one of the link's own events (a transfer's end, a lost port).
  using EventRunner = std::function<void(const std::function<void()>& event)>;

  // The link runs its events through `runLinkEvent` (the window runs them as its commands, between gathering and
  // showing its state); without one, under the error convention alone.
  Editor(MessageService& messages, FileDialogService& dialogs, SerialPort& port, Deadline& deadline,
         EventRunner runLinkEvent = {});
  Editor(const Editor&) = delete;
  Editor& operator=(const Editor&) = delete;

  MessageService& messages;
  FileDialogService& dialogs;
  PlcLink plcLink;

  Lists lists;
  EditHistory history;
  // Remembered between runs: where the next file dialog starts, the files opened or saved last (newest first).
  QString lastFolder;
  QStringList recentFiles;

  bool listsChanged = false;
  // "Lê CLP" runs: its end replaces both lists, so nothing may change them
  // or the current file meanwhile.
  bool readingPlc = false;

  ListsSource source;      // names the window; a parameter file is where Salvar writes
  QString lastOpenedPath;  // tells Salvar como whether a file was ever opened
  // The name the next file dialog offers: the one it returned last, unless a command sets another.
  QString dialogFileName;

  int currentTab = 0;
  std::optional<Rgb> areaBackground;
  Focus focus = Focus::None;  // taken by the window when it shows the state

  VariablePage variablePage;
  AlarmPage alarmPage;
  FilesFrame files;
  LinkFrame link;
};

}  // namespace zelkor
