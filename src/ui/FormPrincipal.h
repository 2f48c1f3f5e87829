#pragma once

#include "core/EditorState.h"

#include <QHash>
#include <QIcon>
#include <QWidget>

#include <memory>
#include <utility>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;
class QTabWidget;
class QTableView;

namespace zelkor {

class Deadline;
class FileDialogService;
class Grid;
class PlcLink;
class LinkMonitor;
class PortComboBox;
class SerialPort;
struct ListPage;

// The program's icon: the window's, and the one the desktop shows.
QIcon ProgramIcon();

// What the window reaches the outside world through.
struct Platform {
  MessageService& messages;
  FileDialogService& files;
  SerialPort& port;
  Deadline& deadline;
};

// The one window. It mirrors the EditorState: before a command it gathers
// what the user changed (texts, tick, tab, port entry), after it shows what
// the command decided. No rule of the system lives here.
class FormPrincipal : public QWidget {
  Q_OBJECT

 public:
  explicit FormPrincipal(const Platform& platform, QWidget* parent = nullptr);
  ~FormPrincipal() override;

  EditorState& state() { return state_; }
  QTableView& variableGrid() { return *grid1_; }
  QTableView& alarmGrid() { return *grid2_; }
  PlcLink& link() { return *link_; }
  FileDialogService& files() { return files_; }
  LinkMonitor& monitor() { return *monitor_; }

  void Gather();
  void Sync();
  // Sync, after a gather unless a command is running (an asynchronous event
  // must not lose what was typed since the last command).
  void Refresh() {
    if (running_ == 0) Gather();
    Sync();
  }

  // Runs one command between a gather and a sync. A run that starts while
  // another waits in a message box (the end of a transfer, say) only shows
  // the state: the widgets already mirror it, and gathering then could only
  // bring back what the waiting command has changed since.
  template <class Command>
  void Run(Command&& command) {
    if (running_ == 0) Gather();
    ++running_;
    std::forward<Command>(command)();
    --running_;
    Sync();
  }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QTableView* BuildListPage(QWidget& page, const ListPage& parts, Grid& grid);
  void BuildVariablesPage(QWidget& page);
  void BuildAlarmsPage(QWidget& page);
  void BuildAboutPage(QWidget& page);
  void BuildMonitorPage(QWidget& page);
  void ShowProgress();
  void ShowNewMonitorLines();
  void BuildFilesFrame();
  void BuildLinkFrame();
  void BindCommands();
  void BindKeyboard();

  class ShownFirst;  // shows the state before each message box or file dialog
  std::unique_ptr<ShownFirst> shownFirst_;
  EditorState state_;
  FileDialogService& files_;
  int running_ = 0;
  QTabWidget* tabs_ = nullptr;
  QTableView* grid1_ = nullptr;
  QTableView* grid2_ = nullptr;
  QCheckBox* check_ = nullptr;
  PortComboBox* ports_ = nullptr;
  PlcLink* link_ = nullptr;
  LinkMonitor* monitor_ = nullptr;
  QPlainTextEdit* monitorView_ = nullptr;
  QTimer* monitorFlush_ = nullptr;
  QProgressBar* progressBar_ = nullptr;
  QLabel* progressText_ = nullptr;
  QList<QWidget*> areas_;  // the four painted background areas
  QHash<QPushButton*, QString> lockedTips_;  // locked during "Lê CLP", with their own tool-tips
};

}  // namespace zelkor
