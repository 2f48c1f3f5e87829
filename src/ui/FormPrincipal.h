#pragma once

#include "core/EditorState.h"
#include "core/Messages.h"

#include <QIcon>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;
class QTabWidget;
class QTableView;

namespace zelkor {

class ComparisonView;
class Deadline;
class FileDialogService;
class ListTableModel;
class PlcLink;
class LinkMonitor;
class PortComboBox;
class RecoveryStore;
class SerialPort;

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

// The one window. It mirrors the EditorState: before a command it gathers
// what the user changed (texts, tick, tab, port entry), after it shows what
// the command decided. No rule of the system lives here. Each widget is
// paired with its state where it is made; the "Alarmes", "Sobre" and
// "Monitor" pages are made when they are first shown.
class FormPrincipal : public QWidget {
  Q_OBJECT

 public:
  explicit FormPrincipal(const Platform& platform, QWidget* parent = nullptr);
  ~FormPrincipal() override;

  EditorState& State() { return state_; }
  QTableView& VariableGrid() { return *variables_.grid; }
  QTableView& AlarmGrid();
  PlcLink& Link() { return *link_; }
  LinkMonitor& Monitor() { return *monitor_; }
  FileDialogService& Files() { return files_; }

  // At start-up: the lists an editor that did not close cleanly left unsaved.
  void OfferRecovery();

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
  // what the waiting command has changed since.
  template <class Command>
  void Run(Command&& command) {
    if (running_ == 0) Gather();
    ++running_;
    Guarded(state_.messages, std::forward<Command>(command));
    --running_;
    Sync();
  }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The widgets both list pages have.
  struct ListPageWidgets {
    QTableView* grid = nullptr;
    QPushButton* up = nullptr;
    QPushButton* down = nullptr;
    QPushButton* clearList = nullptr;
    QPushButton* remove = nullptr;
    QPushButton* edit = nullptr;
    QPushButton* clearFields = nullptr;
    QPushButton* include = nullptr;
  };
  struct ListPageLook;
  // A push button and the state it shows; the ones "Lê CLP" locks keep their own tool-tip here.
  struct BoundButton {
    QPushButton* widget;
    const ButtonState* state;
    bool lockedByRead;
    QString toolTip;
  };
  struct BoundField {
    QLineEdit* widget;
    FieldState* state;
  };
  using Command = std::function<void()>;

  QPushButton* Bind(QPushButton* button, const ButtonState& state, bool lockedByRead = false);
  QLineEdit* Bind(QLineEdit* field, FieldState& state);
  ListPageWidgets BuildListPage(QWidget& page, const ListPageLook& look, ListPageState& state, bool variables);
  void BuildVariablesPage(QWidget& page);
  void BuildAlarmsPage(QWidget& page);
  void BuildAboutPage(QWidget& page);
  void BuildMonitorPage(QWidget& page);
  void BuildFilesFrame();
  void BuildLinkFrame();
  bool BuildPage(int index);  // false when it was made already
  void ShowPage(int index);
  void BindCommands();
  void BindListPage(const ListPageWidgets& page, const std::array<Command, 7>& commands, std::function<void(int)> click,
                    std::function<void(int)> doubleClick);
  void BindShortcuts();
  void SetTabOrder(std::initializer_list<QWidget*> widgets);
  void ShowProgress();
  void ShowNewMonitorLines();
  void ShowRecentFiles();
  void PrintSheet();

  class ShownFirst;  // shows the state before each message box or dialog
  std::unique_ptr<ComparisonView> ownComparisons_;
  std::unique_ptr<ShownFirst> shownFirst_;
  EditorState state_;
  FileDialogService& files_;
  std::unique_ptr<RecoveryStore> recovery_;
  QTimer* recoveryTimer_ = nullptr;
  int running_ = 0;
  bool syncing_ = false;
  QTabWidget* tabs_ = nullptr;
  std::array<QWidget*, 4> pages_{};
  std::array<std::function<void(QWidget&)>, 4> pendingPages_;  // built when first shown
  ListPageWidgets variables_;
  ListPageWidgets alarms_;
  std::vector<ListTableModel*> gridModels_;  // owned by their views; refreshed by Sync
  QCheckBox* check_ = nullptr;
  QCheckBox* verify_ = nullptr;
  QPushButton* compare_ = nullptr;
  QPushButton* open_ = nullptr;
  QPushButton* save_ = nullptr;
  QPushButton* saveAs_ = nullptr;
  QToolButton* recent_ = nullptr;
  QMenu* recentMenu_ = nullptr;
  QPushButton* print_ = nullptr;
  QPushButton* undo_ = nullptr;
  QPushButton* redo_ = nullptr;
  std::pair<QStringList, QString> remembered_;  // the recent files and the folder as last written to the settings
  QPushButton* read_ = nullptr;
  QPushButton* write_ = nullptr;
  QPushButton* clearMonitor_ = nullptr;
  QPushButton* saveMonitor_ = nullptr;
  PortComboBox* ports_ = nullptr;
  PlcLink* link_ = nullptr;
  LinkMonitor* monitor_ = nullptr;
  QPlainTextEdit* monitorView_ = nullptr;
  QTimer* monitorFlush_ = nullptr;
  QProgressBar* progressBar_ = nullptr;
  QLabel* progressText_ = nullptr;
  std::vector<QWidget*> areas_;  // the painted background areas
  std::vector<BoundButton> buttons_;
  std::vector<BoundField> fields_;
  std::array<QWidget*, 8> focusTargets_{};  // by Focus
};

}  // namespace zelkor
