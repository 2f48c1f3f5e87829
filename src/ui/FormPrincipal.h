#pragma once

#include "commands/Editor.h"
#include "commands/Messages.h"

#include <QIcon>
#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QAction;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QTableView;
class QTimer;

namespace zelkor {

class ComparisonView;
class HelpWindow;
class Deadline;
class FileDialogService;
class FilesFrameView;
class LinkFrameView;
class LinkMonitor;
class ListPage;
class ListTableModel;
class MonitorPage;
class RecoveryStore;
class SerialPort;
class Settings;

// The program's icon: the window's, and the one the desktop shows.
QIcon ProgramIcon();

// What the window reaches the outside world through.
struct Platform {
  MessageService& messages;
  FileDialogService& files;
  SerialPort& port;
  Deadline& deadline;
  ComparisonView* comparisons = nullptr;  // none: the window's own dialog
  QString recoveryFolder{};               // where the copy of unsaved lists goes; none: no copy
};

// The one window. It mirrors the Editor: before a command it gathers
// what the user changed (texts, tick, tab, port entry), after it shows what
// the command decided. No rule of the system lives here. Its pages and frames
// are classes of their own built from layouts; here each widget is paired
// with its state, and each command is one action that its button and its
// menu entry share. The "Alarmes", "Sobre" and "Monitor" pages are made when
// they are first shown.
class FormPrincipal : public QWidget {
  Q_OBJECT

 public:
  explicit FormPrincipal(const Platform& platform, QWidget* parent = nullptr);
  ~FormPrincipal() override;

  Editor& State() { return state_; }
  QTableView& VariableGrid();
  QTableView& AlarmGrid();
  LinkMonitor& Monitor() { return *monitor_; }

  // At start-up: the lists an editor that did not close cleanly left unsaved.
  void OfferRecovery();
  // The manual at `page` ("variaveis.html", "mensagens.html#porta-em-uso"), in the window's own help window.
  void ShowManual(const QString& page);

  void Gather();
  void Sync();
  // Sync, after a gather unless a command is running (an asynchronous event
  // must not lose what was typed since the last command).
  void Refresh() {
    if (running_ == 0) Gather();
    Sync();
  }

  // Runs one command between a gather and a sync, its unexpected errors
  // reported as the program reports them. A run that starts while another
  // waits in a message box (the end of a transfer, say) only shows the state:
  // the widgets already mirror it, and gathering then could only bring back
  // what the waiting command has changed since. The files a command opened
  // or saved are remembered as it ends.
  template <class Command>
  void Run(Command&& command) {
    if (running_ == 0) Gather();
    ++running_;
    Guarded(state_.messages, std::forward<Command>(command));
    --running_;
    RememberFiles();
    Sync();
  }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  using Command = std::function<void()>;
  // A command's action, the button that shares it and the state that enables it.
  struct BoundCommand {
    QAction* action;
    QPushButton* button;
    const ButtonState* state;  // none: enabled unless a read locks it
    bool lockedByRead;
    QString toolTip;
  };
  struct BoundField {
    QLineEdit* widget;
    FieldState* state;
  };

  QAction* Bind(QPushButton* button, const ButtonState* state, bool lockedByRead, Command command);
  QLineEdit* Bind(QLineEdit* field, FieldState& state);
  QWidget* BuildVariablesPage(QWidget& page);
  QWidget* BuildAlarmsPage(QWidget& page);
  QWidget* BuildAboutPage(QWidget& page);
  QWidget* BuildMonitorPage(QWidget& page);
  void BindListPage(const ListPage& page, ListPageState& state, const std::array<Command, 7>& commands,
                    std::function<void(int)> click, std::function<void(int)> doubleClick);
  void BuildMenuBar();
  bool BuildPage(int index);  // false when it was made already
  void BindLink();
  void RememberFiles();
  void ShowProgress();
  void ShowNewMonitorLines();
  void ShowRecentFiles();
  void PrintSheet();

  class ShownFirst;  // shows the state before each message box or dialog
  std::unique_ptr<ComparisonView> ownComparisons_;
  std::unique_ptr<ShownFirst> shownFirst_;
  Editor state_;
  std::unique_ptr<Settings> settings_;
  std::unique_ptr<RecoveryStore> recovery_;
  QTimer* recoveryTimer_ = nullptr;
  // Counts the commands under way: one that waits in a message box lets a
  // transfer's end run as a command of its own meanwhile.
  int running_ = 0;
  QTabWidget* tabs_ = nullptr;
  std::array<QWidget*, 4> pages_{};
  std::array<std::function<QWidget*(QWidget&)>, 4> pendingPages_;  // built when first shown
  ListPage* variables_ = nullptr;
  ListPage* alarms_ = nullptr;
  std::vector<ListTableModel*> gridModels_;  // owned by their views; refreshed by Sync
  MonitorPage* monitorPage_ = nullptr;
  FilesFrameView* filesFrame_ = nullptr;
  LinkFrameView* linkFrame_ = nullptr;
  QPushButton* compare_ = nullptr;
  QPushButton* read_ = nullptr;
  QMenu* recentMenu_ = nullptr;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
  QAction* verify_ = nullptr;
  QAction* findPlc_ = nullptr;  // while the search runs, it gives the search up
  LinkMonitor* monitor_ = nullptr;
  QPointer<HelpWindow> manual_;
  QTimer* monitorFlush_ = nullptr;
  std::vector<QWidget*> areas_;  // the painted background areas
  std::vector<BoundCommand> commands_;
  std::vector<BoundField> fields_;
  std::array<QWidget*, 8> focusTargets_{};  // by Focus
};

}  // namespace zelkor
