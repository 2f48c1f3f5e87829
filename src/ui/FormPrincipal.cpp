#include "FormPrincipal.h"

#include "ComparisonDialog.h"
#include "ControlNames.h"
#include "Frames.h"
#include "GridClicks.h"
#include "GridView.h"
#include "HelpWindow.h"
#include "Pages.h"
#include "PortComboBox.h"
#include "Settings.h"
#include "Widgets.h"
#include "commands/AlarmEditor.h"
#include "commands/EditorLifecycle.h"
#include "commands/FileCommands.h"
#include "commands/History.h"
#include "commands/PlcCommands.h"
#include "commands/PlcCompare.h"
#include "commands/Recovery.h"
#include "commands/RowMoves.h"
#include "commands/VariableEditor.h"
#include "formats/Sheet.h"
#include "link/LinkMonitor.h"
#include "link/PlcLink.h"

#include <QAction>
#include <QBoxLayout>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

namespace zelkor {

namespace {

// The column of frames beside the tabs: as narrow as its contents allow at every window size (a word-wrapped
// label's own hint would widen it wherever there is room).
class FrameColumn final : public QWidget {
 public:
  using QWidget::QWidget;
  QSize sizeHint() const override { return {minimumSizeHint().width(), QWidget::sizeHint().height()}; }
};

constexpr int kVariablesTab = 0;
constexpr int kAlarmsTab = 1;
constexpr int kAboutTab = 2;
constexpr int kMonitorTab = 3;
constexpr QSize kFirstSize{707, 463};  // the size the window always had
const QString kWaitForRead = QStringLiteral("Aguarde o fim da leitura do CLP");
// The button beside the port box and its menu entry, before and during the search.
struct FindPlcLook {
  QString text;
  QString toolTip;
  QString icon;
};
const FindPlcLook kFindPlc{QStringLiteral("Locali&zar CLP"),
                           QStringLiteral("Procura o CLP em cada porta da lista e a escolhe"),
                           QStringLiteral(":/icons/find-plc.png")};
const FindPlcLook kCancelSearch{QStringLiteral("Cancelar &busca"),
                                QStringLiteral("Cancela a busca do CLP; a porta escolhida antes continua escolhida"),
                                QStringLiteral(":/icons/cancel-search.png")};

QColor ToQColor(Rgb c) { return {c.r, c.g, c.b}; }

}  // namespace

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64}) {
    icon.addFile(QStringLiteral(":/icons/zelkor-editor-%1.png").arg(size), {size, size});
  }
  return icon;
}

// A failed field must be red and focused while its message is read, and a
// dialog must see the window as the command has left it so far.
class FormPrincipal::ShownFirst final : public MessageService, public FileDialogService, public ComparisonView {
 public:
  ShownFirst(FormPrincipal& window, const Platform& platform, ComparisonView& comparisons)
      : window_(window), messages_(platform.messages), files_(platform.files), comparisons_(comparisons) {}
  Answer Show(const Message& message) override {
    window_.Refresh();
    return messages_.Show(message);
  }
  FileDialogResult Show(const FileDialogRequest& request) override {
    window_.Refresh();
    return files_.Show(request);
  }
  bool Show(const QString& title, const PlcComparison& comparison) override {
    window_.Refresh();
    return comparisons_.Show(title, comparison);
  }

 private:
  FormPrincipal& window_;
  MessageService& messages_;
  FileDialogService& files_;
  ComparisonView& comparisons_;
};

FormPrincipal::FormPrincipal(const Platform& platform, QWidget* parent)
    : QWidget(parent),
      ownComparisons_(platform.comparisons ? nullptr : std::make_unique<QtComparisonDialog>(this)),
      shownFirst_(std::make_unique<ShownFirst>(*this, platform,
                                               platform.comparisons ? *platform.comparisons : *ownComparisons_)),
      // A transfer ends, or the port is lost, after the click that began it: the end runs as a command does, so
      // what the technician typed meanwhile is kept.
      state_(*shownFirst_, *shownFirst_, platform.port, platform.deadline,
             [this](const std::function<void()>& event) { Run(event); }),
      settings_(std::make_unique<Settings>(Settings::Read())),
      recovery_(std::make_unique<RecoveryStore>(platform.recoveryFolder)),
      recoveryTimer_(new QTimer(this)),
      tabs_(Named(new QTabWidget(this), name::kTabs, QStringLiteral("Páginas do editor"))),
      filesFrame_(new FilesFrameView(this)),
      linkFrame_(new LinkFrameView(this)),
      compare_(TextButton(this, name::kCompareWithPlc, QStringLiteral("Compara CLP"), QStringLiteral("Compara CLP"))),
      read_(TextButton(this, name::kReadFromPlc, QStringLiteral("Lê CLP"), QStringLiteral("Lê CLP"))),
      recentMenu_(new QMenu(QStringLiteral("Arquivos r&ecentes"), this)),
      monitor_(new LinkMonitor(state_.plcLink, platform.deadline, this)) {
  setObjectName(name::kWindow);
  setAcceptDrops(true);
  compare_->setToolTip(QStringLiteral("Compara o conteúdo do CLP com as listas correntes, sem alterá-las"));
  // The tabs take whatever room the window gets; the column of frames on the right keeps its width.
  auto* plcButtons = new QHBoxLayout;
  plcButtons->addWidget(compare_);
  plcButtons->addWidget(read_);
  auto* column = new FrameColumn(this);
  column->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  auto* frames = new QVBoxLayout(column);
  frames->setContentsMargins({});
  frames->addWidget(filesFrame_);
  frames->addLayout(plcButtons);
  frames->addWidget(linkFrame_);
  frames->addStretch(1);
  auto* columns = new QHBoxLayout(this);
  columns->addWidget(tabs_, 1);
  columns->addWidget(column);

  const std::pair<const char16_t*, QWidget* (FormPrincipal::*)(QWidget&)> pages[] = {
      {u"Variáveis", &FormPrincipal::BuildVariablesPage},
      {u"Alarmes", &FormPrincipal::BuildAlarmsPage},
      {u"Sobre", &FormPrincipal::BuildAboutPage},
      {u"Monitor", &FormPrincipal::BuildMonitorPage}};
  for (int i = 0; i < 4; ++i) {
    pages_[i] = new QWidget;
    (new QVBoxLayout(pages_[i]))->setContentsMargins({});
    tabs_->addTab(pages_[i], QString::fromUtf16(pages[i].first));
    pendingPages_[i] = [this, build = pages[i].second](QWidget& page) { return (this->*build)(page); };
  }
  areas_ = {pages_[kVariablesTab], pages_[kAlarmsTab], filesFrame_, linkFrame_};
  BuildPage(kVariablesTab);
  // What the first view does not show is made when it is first shown.
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
    if (BuildPage(index)) Refresh();
    if (index == kMonitorTab) ShowNewMonitorLines();
  });
  FilesFrame& f = state_.files;
  for (const auto& [display, value] : {std::pair{filesFrame_->firstWord, &f.firstWord},
                                       {filesFrame_->lastWord, &f.lastWord},
                                       {filesFrame_->variableCount, &f.variableCount},
                                       {filesFrame_->alarmCount, &f.alarmCount}}) {
    Bind(display, *value);
  }
  BuildMenuBar();
  BindLink();
  // A copy follows the lists' changes, never a clock while nothing changes.
  recoveryTimer_->setSingleShot(true);
  recoveryTimer_->setInterval(kRecoveryDelayMs);
  connect(recoveryTimer_, &QTimer::timeout, this,
          [this] { Run([this] { recovery_->Write(state_, QDateTime::currentDateTime()); }); });
  // The port entries learn their devices when the list first opens: scanning
  // the device folders here would only slow the start.
  Run([this] {
    StartUp(state_);
    state_.link.verifyWrites = settings_->VerifyWrites();
    state_.recentFiles = settings_->RecentFiles();
    state_.lastFolder = settings_->LastFolder();
  });
  // Where and how large it was left; Qt brings a place on a screen that is gone back onto one.
  if (!restoreGeometry(settings_->Geometry())) {
    resize(kFirstSize);
    // A little in from the corner, where the taskbar and menus do not cover it (700 and 550 twips).
    move(47, 37);
  }
  Sync();
}

// The grids' views must go before the state that holds the grids they show.
FormPrincipal::~FormPrincipal() { delete tabs_; }

QTableView& FormPrincipal::VariableGrid() { return *variables_->grid; }

QTableView& FormPrincipal::AlarmGrid() {
  if (BuildPage(kAlarmsTab)) Refresh();
  return *alarms_->grid;
}

bool FormPrincipal::BuildPage(int index) {
  if (index < 0 || index >= static_cast<int>(pages_.size()) || !pendingPages_[index]) return false;
  QWidget* content = std::exchange(pendingPages_[index], {})(*pages_[index]);
  pages_[index]->layout()->addWidget(content);
  content->show();  // children made in an already visible page would stay hidden
  return true;
}

QAction* FormPrincipal::Bind(QPushButton* button, const ButtonState* state, bool lockedByRead, Command command) {
  auto* action = new QAction(button->accessibleName(), this);
  action->setToolTip(button->toolTip());
  connect(action, &QAction::triggered, this, [this, command = std::move(command)] { Run(command); });
  // The button runs the action and shows its state; a tool-tip that would only repeat its caption is left off.
  connect(button, &QPushButton::clicked, action, &QAction::trigger);
  connect(action, &QAction::changed, button, [action, button] {
    button->setEnabled(action->isEnabled());
    button->setToolTip(action->toolTip() == button->text() ? QString() : action->toolTip());
  });
  if (state || lockedByRead) commands_.push_back({action, button, state, lockedByRead, button->toolTip()});
  return action;
}

QLineEdit* FormPrincipal::Bind(QLineEdit* field, FieldState& state) {
  fields_.push_back({field, &state});
  // An entry field takes the undo keys for its own typing only while it has some to undo or redo.
  if (!field->isReadOnly()) field->installEventFilter(this);
  return field;
}

bool FormPrincipal::eventFilter(QObject* watched, QEvent* event) {
  auto* field = qobject_cast<QLineEdit*>(watched);
  if (!field || (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const bool ctrlY = key->keyCombination() == QKeyCombination(Qt::CTRL | Qt::Key_Y);
  const bool undo = key->matches(QKeySequence::Undo);
  const bool redo = key->matches(QKeySequence::Redo) || ctrlY;
  if (!undo && !redo) return false;
  const bool own = undo ? field->isUndoAvailable() : field->isRedoAvailable();
  if (event->type() == QEvent::ShortcutOverride) {
    if (own) event->accept();
    return !own;  // not the field's: the window's history takes the key
  }
  if (ctrlY && own) {  // the field's redo under the other common key
    field->redo();
    return true;
  }
  return false;
}

void FormPrincipal::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->urls().size() == 1 && event->mimeData()->urls().front().isLocalFile()) {
    event->acceptProposedAction();
  }
}

void FormPrincipal::dropEvent(QDropEvent* event) {
  const QString path = event->mimeData()->urls().front().toLocalFile();
  event->acceptProposedAction();
  Run([&] { OpenFileAt(state_, path); });
}

// Qt's print preview of the sheet; the printer's own dialog is one click away there.
void FormPrincipal::PrintSheet() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QStringLiteral("Zelkor Editor - ") + SheetSource(state_.source));
  QPrintPreviewDialog preview(&printer, this);
  preview.setWindowTitle(QStringLiteral("Imprimir as listas"));
  const SheetContent content = SheetOf(SheetSource(state_.source), state_.lists);
  connect(&preview, &QPrintPreviewDialog::paintRequested, this,
          [&content](QPrinter* paper) { PaintSheet(*paper, content); });
  preview.exec();
}

void FormPrincipal::ShowRecentFiles() {
  recentMenu_->clear();
  recentMenu_->setToolTipsVisible(true);
  const QStringList labels = RecentFileLabels(state_.recentFiles);
  for (qsizetype i = 0; i < labels.size(); ++i) {
    const QString& path = state_.recentFiles[i];
    QAction* action = recentMenu_->addAction(labels[i]);
    action->setToolTip(path);
    connect(action, &QAction::triggered, this, [this, path] { Run([&] { OpenRecentFile(state_, path); }); });
  }
  if (state_.recentFiles.isEmpty()) recentMenu_->addAction(QStringLiteral("Nenhum arquivo recente"))->setEnabled(false);
}

void FormPrincipal::BindListPage(const ListPage& page, ListPageState& state, const std::array<Command, 7>& commands,
                                 std::function<void(int)> click, std::function<void(int)> doubleClick) {
  // Control -> command: Incluir, Editar, Remover, Limpar campos, Apaga lista, ↑, ↓. A read locks them all.
  const std::pair<QPushButton*, const ButtonState*> buttons[] = {
      {page.include, &state.include},         {page.edit, &state.rows.edit},      {page.remove, &state.rows.remove},
      {page.clearFields, &state.clearFields}, {page.clearList, &state.clearList}, {page.up, &state.rows.up},
      {page.down, &state.rows.down}};
  for (size_t i = 0; i < commands.size(); ++i) Bind(buttons[i].first, buttons[i].second, true, commands[i]);
  BindGridClicks(
      *page.grid, [this, click](int line) { Run([&] { click(line); }); },
      [this, doubleClick](int line) { Run([&] { doubleClick(line); }); });
}

QWidget* FormPrincipal::BuildVariablesPage(QWidget& page) {
  ListPageLook look{name::kVariableGrid,
                    QStringLiteral("Lista de Variáveis"),
                    name::kVariableUp,
                    name::kVariableDown,
                    name::kClearVariableList,
                    QStringLiteral("Apaga a lista de Variáveis ao lado"),
                    QStringLiteral("Apagar a lista de Variáveis"),
                    name::kRemoveVariable,
                    name::kEditVariable,
                    name::kClearVariableFields,
                    name::kIncludeVariable,
                    {},
                    name::kEditableCheck};
  const std::pair<const char16_t*, int> entries[] = {{u"Grupo", 1}, {u"Texto", 8}, {u"Unidade", 3}, {u"Endereço", 5}};
  for (int i = 0; i < 4; ++i) {
    look.entries.push_back({name::VariableField(i), QString::fromUtf16(entries[i].first), entries[i].second});
  }
  variables_ = new ListPage(look, &page);
  gridModels_.push_back(BindGridView(*variables_->grid, state_, true));
  for (int i = 0; i < 4; ++i) Bind(variables_->entries[i], state_.variablePage.entry[i]);
  focusTargets_[static_cast<size_t>(Focus::VariableGrupo)] = variables_->entries[0];
  focusTargets_[static_cast<size_t>(Focus::VariableEndereco)] = variables_->entries[3];
  focusTargets_[static_cast<size_t>(Focus::VariableUp)] = variables_->up;
  focusTargets_[static_cast<size_t>(Focus::VariableDown)] = variables_->down;
  std::vector<QWidget*> order{tabs_->tabBar()};
  order.insert(order.end(), variables_->readingOrder.begin(), variables_->readingOrder.end());
  SetTabOrder(order);
  BindListPage(
      *variables_, state_.variablePage,
      {[this] { IncludeVariableLine(state_); }, [this] { EditSelectedVariable(state_); },
       [this] { RemoveSelectedVariable(state_); }, [this] { ClearVariableFields(state_); },
       [this] { ClearVariableList(state_); }, [this] { MoveVariable(state_, Direction::Up); },
       [this] { MoveVariable(state_, Direction::Down); }},
      [this](int line) { SelectVariableLine(state_, line); }, [this](int line) { EditVariableLine(state_, line); });
  return variables_;
}

QWidget* FormPrincipal::BuildAlarmsPage(QWidget& page) {
  alarms_ = new ListPage(
      {name::kAlarmGrid,
       QStringLiteral("Lista de Alarmes"),
       name::kAlarmUp,
       name::kAlarmDown,
       name::kClearAlarmList,
       QStringLiteral("Apaga a lista de Alarmes ao lado"),
       QStringLiteral("Apagar a lista de Alarmes"),
       name::kRemoveAlarm,
       name::kEditAlarm,
       name::kClearAlarmFields,
       name::kIncludeAlarm,
       {{name::kAlarmText1, QStringLiteral("Texto 1"), 8}, {name::kAlarmText2, QStringLiteral("Texto 2"), 8}},
       {}},
      &page);
  // Alarm texts are two 8-character halves; a fixed pitch lines them up.
  alarms_->grid->setFont(FixedPitchFont());
  gridModels_.push_back(BindGridView(*alarms_->grid, state_, false));
  for (int i = 0; i < 2; ++i) Bind(alarms_->entries[i], state_.alarmPage.entry[i]);
  focusTargets_[static_cast<size_t>(Focus::AlarmText1)] = alarms_->entries[0];
  focusTargets_[static_cast<size_t>(Focus::AlarmUp)] = alarms_->up;
  focusTargets_[static_cast<size_t>(Focus::AlarmDown)] = alarms_->down;
  std::vector<QWidget*> order{variables_->clearFields};
  order.insert(order.end(), alarms_->readingOrder.begin(), alarms_->readingOrder.end());
  SetTabOrder(order);
  BindListPage(
      *alarms_, state_.alarmPage,
      {[this] { IncludeAlarmLine(state_); }, [this] { EditSelectedAlarm(state_); },
       [this] { RemoveSelectedAlarm(state_); }, [this] { ClearAlarmFields(state_); },
       [this] { ClearAlarmList(state_); }, [this] { MoveAlarm(state_, Direction::Up); },
       [this] { MoveAlarm(state_, Direction::Down); }},
      [this](int line) { SelectAlarmLine(state_, line); }, [this](int line) { EditAlarmLine(state_, line); });
  return alarms_;
}

QWidget* FormPrincipal::BuildAboutPage(QWidget& page) { return new AboutPage(&page); }

void FormPrincipal::ShowManual(const QString& page) { zelkor::ShowManual(manual_, *this, page); }

QWidget* FormPrincipal::BuildMonitorPage(QWidget& page) {
  monitorPage_ = new MonitorPage(&page);
  SetTabOrder({alarms_ ? alarms_->clearFields : variables_->clearFields, monitorPage_->lines});
  connect(monitorPage_->clear, &QPushButton::clicked, this, [this] {
    monitor_->Clear();
    monitorPage_->lines->clear();
  });
  connect(monitorPage_->save, &QPushButton::clicked, this,
          [this] { Run([this] { SaveMonitorLines(state_, *monitor_); }); });
  // Lines that came while the page did not exist are shown at once.
  monitor_->TakeNew();
  const QStringList lines(monitor_->Lines().begin(), monitor_->Lines().end());
  monitorPage_->lines->setPlainText(lines.join(u'\n'));
  return monitorPage_;
}

void FormPrincipal::ShowNewMonitorLines() {
  // Lines wait while the page is not showing: laying out and announcing text
  // nobody sees would cost most of what a transfer costs while the PLC thinks.
  if (!monitorPage_ || !monitorPage_->isVisible()) return;
  const QStringList lines = monitor_->TakeNew();
  if (lines.isEmpty()) return;
  QScrollBar* bar = monitorPage_->lines->verticalScrollBar();
  const bool following = bar->value() == bar->maximum();  // unless the technician has scrolled up
  const int kept = bar->value();
  monitorPage_->lines->appendPlainText(lines.join(u'\n'));
  bar->setValue(following ? bar->maximum() : kept);
}

void FormPrincipal::ShowProgress() {
  const TransferProgress& p = state_.plcLink.Progress();
  QProgressBar* bar = linkFrame_->progressBar;
  bar->setVisible(p.active);
  linkFrame_->progressText->setVisible(p.active);
  if (bar->maximum() != std::max(p.total, 1)) bar->setRange(0, std::max(p.total, 1));
  bar->setValue(p.done);
  if (linkFrame_->progressText->text() != p.text) linkFrame_->progressText->setText(p.text);
}

// Which command each button and menu entry runs, with the entry's text and keys.
void FormPrincipal::BuildMenuBar() {
  auto* bar = new QMenuBar(this);
  const auto addMenu = [bar](const QString& title, const QString& objectName) {
    QMenu* menu = bar->addMenu(title);
    menu->setObjectName(objectName);
    menu->setAccessibleName(QString(title).remove(u'&'));
    return menu;
  };
  const auto addEntry = [](QMenu* menu, QAction* action, const QString& text, const QList<QKeySequence>& keys = {}) {
    action->setText(text);
    action->setShortcuts(keys);
    menu->addAction(action);
    return action;
  };
  const FilesFrame& f = state_.files;
  FilesFrameView& files = *filesFrame_;
  QMenu* file = addMenu(QStringLiteral("&Arquivo"), QStringLiteral("MenuArquivo"));
  addEntry(file, Bind(files.open, &f.open, true, [this] { OpenFile(state_); }), QStringLiteral("&Abrir arquivo…"),
           {Qt::CTRL | Qt::Key_O});
  file->addMenu(recentMenu_);
  file->addSeparator();
  addEntry(file, Bind(files.save, &f.save, false, [this] { static_cast<void>(SaveFile(state_)); }),
           QStringLiteral("&Salvar"), {Qt::CTRL | Qt::Key_S});
  addEntry(file, Bind(files.saveAs, &f.saveAs, false, [this] { static_cast<void>(SaveFileAs(state_)); }),
           QStringLiteral("Salvar &como…"), {Qt::CTRL | Qt::SHIFT | Qt::Key_S});
  addEntry(file, Bind(files.print, nullptr, false, [this] { PrintSheet(); }), QStringLiteral("&Imprimir…"),
           {Qt::CTRL | Qt::Key_P});
  file->addSeparator();
  addEntry(file, new QAction(this), QStringLiteral("Sai&r"), {QKeySequence::Quit});
  connect(file->actions().back(), &QAction::triggered, this, &QWidget::close);

  QMenu* edit = addMenu(QStringLiteral("&Editar"), QStringLiteral("MenuEditar"));
  // Enabled and named by the history, in Sync.
  undo_ = addEntry(edit, Bind(files.undo, nullptr, false, [this] { UndoStep(state_); }), QStringLiteral("&Desfazer"),
                   {Qt::CTRL | Qt::Key_Z});
  redo_ = addEntry(edit, Bind(files.redo, nullptr, false, [this] { RedoStep(state_); }), QStringLiteral("&Refazer"),
                   {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y});

  const LinkFrame& l = state_.link;
  QMenu* plc = addMenu(QStringLiteral("&CLP"), QStringLiteral("MenuCLP"));
  addEntry(plc, Bind(linkFrame_->write, &l.write, false, [this] { WriteToPlc(state_); }), QStringLiteral("&Grava CLP"));
  addEntry(plc, Bind(read_, &l.read, false, [this] { ReadFromPlc(state_); }), QStringLiteral("&Lê CLP"));
  addEntry(plc, Bind(compare_, &l.compare, false, [this] { CompareWithPlc(state_, *shownFirst_); }),
           QStringLiteral("C&ompara CLP"));
  const auto findOrCancel = [this] {
    state_.plcLink.RunningKind() == TransferKind::Search ? CancelPlcSearch(state_) : FindPlc(state_);
  };
  findPlc_ = addEntry(plc, Bind(linkFrame_->find, nullptr, false, findOrCancel), kFindPlc.text);
  addEntry(plc, new QAction(this), QStringLiteral("Verificar l&istas"));
  connect(plc->actions().back(), &QAction::triggered, this, [this] { Run([this] { CheckLists(state_); }); });
  plc->addSeparator();
  // The tick and its entry are one setting, remembered when the technician changes it.
  verify_ = addEntry(plc, new QAction(this), QStringLiteral("&Verificar após gravar"));
  verify_->setCheckable(true);
  verify_->setToolTip(linkFrame_->verify->toolTip());
  connect(verify_, &QAction::toggled, linkFrame_->verify, &QCheckBox::setChecked);
  connect(linkFrame_->verify, &QCheckBox::toggled, verify_, &QAction::setChecked);
  connect(verify_, &QAction::triggered, this, [this](bool on) { settings_->SetVerifyWrites(on); });
  connect(linkFrame_->verify, &QCheckBox::clicked, this, [this](bool on) { settings_->SetVerifyWrites(on); });

  QMenu* help = addMenu(QStringLiteral("A&juda"), QStringLiteral("MenuAjuda"));
  addEntry(help, new QAction(this), QStringLiteral("&Ajuda"), {QKeySequence::HelpContents});
  help->actions().back()->setToolTip(QStringLiteral("Abre o manual no que esta página faz"));
  connect(help->actions().back(), &QAction::triggered, this, [this] {
    static const char16_t* const pages[] = {u"variaveis.html", u"alarmes.html", u"index.html", u"monitor.html"};
    ShowManual(QString::fromUtf16(pages[tabs_->currentIndex()]));
  });
  addEntry(help, new QAction(this), QStringLiteral("&Sobre o Zelkor Editor"));
  connect(help->actions().back(), &QAction::triggered, this,
          [this] { Run([this] { state_.currentTab = kAboutTab; }); });
  layout()->setMenuBar(bar);

  recentMenu_->setObjectName(QStringLiteral("MenuArquivosRecentes"));
  recentMenu_->setAccessibleName(QStringLiteral("Arquivos recentes"));
  files.recent->setMenu(recentMenu_);
  files.open->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(files.open, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { recentMenu_->exec(filesFrame_->open->mapToGlobal(at)); });
  connect(recentMenu_, &QMenu::aboutToShow, this, &FormPrincipal::ShowRecentFiles);
  SetTabOrder({variables_->clearFields, files.open, files.recent, files.save, files.saveAs, files.print, files.undo,
               files.redo, compare_, read_, linkFrame_->ports, linkFrame_->find, linkFrame_->write,
               linkFrame_->verify});
}

void FormPrincipal::BindLink() {
  PortComboBox* ports = linkFrame_->ports;
  connect(ports, &QComboBox::activated, this, [this](int index) { Run([&] { ChoosePort(state_, index); }); });
  ports->beforePopup = [this] { Run([this] { ShowPortDevices(state_); }); };

  // The progress and the monitor's new lines reach the window four times a
  // second at most: a transfer of 511 frames must not repaint 1022 times, nor
  // a slow PLC's wait cost more than a trickle of CPU.
  monitorFlush_ = new QTimer(this);
  monitorFlush_->setSingleShot(true);
  monitorFlush_->setInterval(250);
  connect(monitorFlush_, &QTimer::timeout, this, [this] {
    ShowProgress();
    ShowNewMonitorLines();
  });
  const auto soon = [this] {
    if (!monitorFlush_->isActive()) monitorFlush_->start();
  };
  connect(&state_.plcLink, &PlcLink::ProgressChanged, this, soon);
  connect(monitor_, &LinkMonitor::LinesAdded, this, soon);
}

void FormPrincipal::OfferRecovery() {
  Run([this] { recovery_->Offer(state_); });
}

void FormPrincipal::Gather() {
  for (const BoundField& f : fields_) {
    if (!f.widget->isReadOnly()) f.state->text = f.widget->text();
  }
  state_.variablePage.editable = variables_->tick->isChecked();
  state_.link.verifyWrites = linkFrame_->verify->isChecked();
  state_.currentTab = tabs_->currentIndex();
  state_.link.portIndex = linkFrame_->ports->currentIndex();
}

void FormPrincipal::RememberFiles() { settings_->SetFiles(state_.recentFiles, state_.lastFolder); }

void FormPrincipal::Sync() {
  setWindowTitle(WindowTitle(state_.source));
  for (ListTableModel* grid : gridModels_) grid->Refresh();
  ShowProgress();
  BuildPage(state_.currentTab);  // before it shows, so that the widgets below include its own
  tabs_->setCurrentIndex(state_.currentTab);
  if (state_.areaBackground) {
    for (QWidget* area : areas_) {
      QPalette palette = area->palette();
      palette.setColor(QPalette::Window, ToQColor(*state_.areaBackground));
      area->setPalette(palette);
      area->setAutoFillBackground(true);
    }
  }
  for (const BoundCommand& c : commands_) {
    const bool locked = c.lockedByRead && state_.readingPlc;
    c.action->setEnabled((!c.state || c.state->enabled) && !locked);
    if (c.lockedByRead) c.action->setToolTip(locked ? kWaitForRead : c.toolTip);
    if (!c.state) continue;
    QPalette palette = c.button->palette();
    palette.setColor(QPalette::Button, c.state->background ? ToQColor(*c.state->background)
                                                           : style()->standardPalette().color(QPalette::Button));
    c.button->setPalette(palette);
  }
  for (const BoundField& f : fields_) {
    if (f.widget->text() != f.state->text) f.widget->setText(f.state->text);
    QPalette palette = f.widget->palette();
    palette.setColor(QPalette::Base, ToQColor(f.state->background));
    f.widget->setPalette(palette);
  }
  variables_->tick->setChecked(state_.variablePage.editable);
  linkFrame_->verify->setChecked(state_.link.verifyWrites);
  const LinkFrame& link = state_.link;
  PortComboBox* ports = linkFrame_->ports;
  if (ports->count() != link.portEntries.size()) {
    ports->clear();
    ports->addItems(link.portEntries);
  }
  for (int i = 0; i < link.portDevices.size() && i < ports->count(); ++i) {
    ports->setItemData(i, link.portDevices[i], Qt::ToolTipRole);
  }
  ports->setCurrentIndex(link.portIndex);
  ports->setToolTip(ports->currentData(Qt::ToolTipRole).toString());
  const EditHistory& history = state_.history;
  const bool idle = !state_.readingPlc;
  for (const auto& [action, can, verb, step] :
       {std::tuple{undo_, history.CanUndo(), QStringLiteral("Desfazer"), history.UndoLabel()},
        {redo_, history.CanRedo(), QStringLiteral("Refazer"), history.RedoLabel()}}) {
    action->setEnabled(can && idle);
    action->setToolTip(!idle ? kWaitForRead : can ? verb + QStringLiteral(": ") + step : verb);
  }
  // "Localizar CLP" waits for any other transfer; while it runs, the same control gives it up.
  const std::optional<TransferKind> running = state_.plcLink.RunningKind();
  const FindPlcLook& look = running == TransferKind::Search ? kCancelSearch : kFindPlc;
  findPlc_->setEnabled(!running || &look == &kCancelSearch);
  if (findPlc_->toolTip() != look.toolTip) {
    findPlc_->setText(look.text);
    findPlc_->setToolTip(look.toolTip);
    linkFrame_->find->setAccessibleName(QString(look.text).remove(u'&'));
    linkFrame_->find->setIcon(QIcon(look.icon));
  }
  filesFrame_->recent->setEnabled(idle);
  recentMenu_->menuAction()->setEnabled(idle);
  if (recovery_->WriteDue(state_) && !recoveryTimer_->isActive()) recoveryTimer_->start();
  // A page not made yet cannot take the focus; it is not showing either.
  if (QWidget* target = focusTargets_[static_cast<size_t>(state_.focus)]) target->setFocus();
  state_.focus = Focus::None;
}

void FormPrincipal::closeEvent(QCloseEvent* event) {
  Run([&] {
    if (CloseRequest(state_) == CloseAnswer::Stay) {
      event->ignore();
    } else {
      event->accept();
      recovery_->Remove();
      settings_->SetGeometry(saveGeometry());
    }
  });
}

}  // namespace zelkor
