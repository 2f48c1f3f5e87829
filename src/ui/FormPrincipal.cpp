#include "FormPrincipal.h"

#include "ComparisonDialog.h"
#include "ControlNames.h"
#include "Cp1252Validator.h"
#include "GridClicks.h"
#include "GridView.h"
#include "PortComboBox.h"
#include "alarms/AlarmEditor.h"
#include "core/EditorLifecycle.h"
#include "core/Version.h"
#include "editing/History.h"
#include "editing/RowMoves.h"
#include "paramfile/FileCommands.h"
#include "plclink/LinkMonitor.h"
#include "plclink/PlcLink.h"
#include "recovery/Recovery.h"
#include "sheet/Sheet.h"
#include "transfer/PlcCommands.h"
#include "transfer/PlcCompare.h"
#include "variables/VariableEditor.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSettings>
#include <QShortcut>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

namespace zelkor {

namespace {

// Client area of the window, in twips.
constexpr int kClientWidth = 10605;
constexpr int kClientHeight = 6945;
// The tab control's own coordinates include its tab strip; its pages start below it.
constexpr int kTabStrip = 390;
constexpr int kVariablesTab = 0;
constexpr int kAlarmsTab = 1;
constexpr int kMonitorTab = 3;
const QString kWaitForRead = QStringLiteral("Aguarde o fim da leitura do CLP");
const QString kVerifySetting = QStringLiteral("link/verifyWrites");
const QString kRecentSetting = QStringLiteral("files/recent");
const QString kFolderSetting = QStringLiteral("files/folder");
const QString kPositionSetting = QStringLiteral("window/position");

struct Origin {
  int x = 0;
  int y = 0;
};

template <class W>
W* Place(W* widget, Origin origin, int x, int y, int width, int height) {
  widget->setGeometry(TwipsToPixels(x - origin.x), TwipsToPixels(y - origin.y), TwipsToPixels(width),
                      TwipsToPixels(height));
  return widget;
}

QColor ToQColor(Rgb c) { return {c.r, c.g, c.b}; }

template <class W>
W* Named(W* widget, const QString& objectName, const QString& accessibleName) {
  widget->setObjectName(objectName);
  widget->setAccessibleName(accessibleName);
  return widget;
}

// Our own small pictures, rasterised at build time: Qt's standard icons first
// search the desktop's icon theme and decode every size of each picture, which
// took a third of the start; drawing our SVGs here took another twentieth.
QPushButton* IconButton(QWidget* parent, const QString& objectName, const QString& icon, const QString& toolTip,
                        const QString& accessibleName) {
  auto* button = Named(new QPushButton(parent), objectName, accessibleName);
  button->setIcon(QIcon(QStringLiteral(":/icons/") + icon + QStringLiteral(".png")));  // finds the @2x copy itself
  button->setIconSize({24, 24});
  button->setToolTip(toolTip);
  return button;
}

QPushButton* TextButton(QWidget* parent, const QString& objectName, const QString& caption,
                        const QString& accessibleName) {
  return Named(new QPushButton(caption, parent), objectName, accessibleName);
}

// A label that names the control it sits beside, for the keyboard and for a screen reader.
QLabel* Label(QWidget* parent, const QString& text, QWidget* buddy = nullptr) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(buddy);
  return label;
}

QLineEdit* Field(QWidget* parent, const QString& objectName, int maxLength, const QString& accessibleName) {
  auto* field = Named(new QLineEdit(parent), objectName, accessibleName);
  field->setMaxLength(maxLength);
  field->setValidator(new Cp1252Validator(field));
  return field;
}

QLineEdit* Display(QWidget* parent, const QString& objectName, const QString& accessibleName) {
  auto* display = Named(new QLineEdit(parent), objectName, accessibleName);
  display->setReadOnly(true);
  display->setFocusPolicy(Qt::NoFocus);
  display->setAlignment(Qt::AlignCenter);
  return display;
}

// The "Sobre" tab shows the program's icon, an operator panel, drawn when shown.
class PanelPicture final : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QIcon(QStringLiteral(":/icons/zelkor-editor-256.png")).paint(&painter, rect());
  }
};

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
      state_(*shownFirst_),
      files_(*shownFirst_),
      recovery_(std::make_unique<RecoveryStore>(platform.recoveryFolder)),
      recoveryTimer_(new QTimer(this)),
      link_(new PlcLink(platform.port, platform.deadline, this)),
      monitor_(new LinkMonitor(*link_, platform.deadline, this)) {
  setObjectName(name::FormPrincipal);
  setFixedSize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));
  // The twip layout leaves room for a small dialog font; the grids' column
  // widths are fixed, so a larger font would cut their header texts.
  QFont small = font();
  small.setPointSize(8);
  setFont(small);

  tabs_ =
      Named(Place(new QTabWidget(this), {}, 90, 135, 7170, 6720), name::SSTab1, QStringLiteral("Páginas do editor"));
  const std::pair<const char16_t*, void (FormPrincipal::*)(QWidget&)> pages[] = {
      {u"Variáveis", &FormPrincipal::BuildVariablesPage},
      {u"Alarmes", &FormPrincipal::BuildAlarmsPage},
      {u"Sobre", &FormPrincipal::BuildAboutPage},
      {u"Monitor", &FormPrincipal::BuildMonitorPage}};
  for (int i = 0; i < 4; ++i) {
    pages_[i] = new QWidget;
    tabs_->addTab(pages_[i], QString::fromUtf16(pages[i].first));
    pendingPages_[i] = [this, build = pages[i].second](QWidget& page) { (this->*build)(page); };
  }
  setAcceptDrops(true);
  areas_ = {pages_[kVariablesTab], pages_[kAlarmsTab]};
  BuildPage(kVariablesTab);
  // What the first view does not show is made when it is first shown.
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
    ShowPage(index);
    if (index == kMonitorTab) ShowNewMonitorLines();
  });
  BuildFilesFrame();
  BuildLinkFrame();
  BindCommands();
  BindShortcuts();
  // A copy follows the lists' changes, never a clock while nothing changes.
  recoveryTimer_->setSingleShot(true);
  recoveryTimer_->setInterval(kRecoveryDelayMs);
  connect(recoveryTimer_, &QTimer::timeout, this,
          [this] { Run([this] { recovery_->Write(state_, QDateTime::currentDateTime()); }); });
  // The port entries learn their devices when the list first opens: scanning
  // the device folders here would only slow the start.
  Run([this] { StartUp(state_); });
  // Remembered between runs. Verification is off on a first start, when a
  // write sends exactly what it always sent.
  const QSettings settings;
  state_.link.verifyWrites = settings.value(kVerifySetting, false).toBool();
  state_.recentFiles = settings.value(kRecentSetting).toStringList();
  state_.lastFolder = settings.value(kFolderSetting).toString();
  connect(verify_, &QCheckBox::toggled, this, [](bool on) { QSettings().setValue(kVerifySetting, on); });
  connect(recentMenu_, &QMenu::aboutToShow, this, &FormPrincipal::ShowRecentFiles);
  // A place on a screen that is no longer there gives way to the usual one.
  const QPoint where = settings.value(kPositionSetting).toPoint();
  const bool remembered = settings.contains(kPositionSetting) && QGuiApplication::screenAt(where + QPoint(40, 20));
  move(remembered ? where : QPoint(TwipsToPixels(state_.windowLeft), TwipsToPixels(state_.windowTop)));
  Sync();
}

// The grids' views must go before the state that holds the grids they show.
FormPrincipal::~FormPrincipal() { delete tabs_; }

QTableView& FormPrincipal::AlarmGrid() {
  ShowPage(kAlarmsTab);
  return *alarms_.grid;
}

void FormPrincipal::ShowPage(int index) {
  if (!BuildPage(index)) return;
  // Shown at once, with what was typed kept; when the state itself switched
  // the page, the Sync that did it goes on to show the new widgets.
  if (!syncing_) Refresh();
}

bool FormPrincipal::BuildPage(int index) {
  if (index < 0 || !pendingPages_[index]) return false;
  // Made inside a content widget shown at the end: children made in an
  // already visible page would stay hidden.
  QWidget& page = *pages_[index];
  auto* content = new QWidget(&page);
  content->setGeometry(0, 0, TwipsToPixels(7170), TwipsToPixels(6720));
  std::exchange(pendingPages_[index], {})(*content);
  content->show();
  return true;
}

QPushButton* FormPrincipal::Bind(QPushButton* button, const ButtonState& state, bool lockedByRead) {
  buttons_.push_back({button, &state, lockedByRead, button->toolTip()});
  return button;
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
  Run([&] { OpenFileAt(state_, files_, path); });
}

// Qt's print preview of the sheet; the printer's own dialog is one click away there.
void FormPrincipal::PrintSheet() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QStringLiteral("Zelkor Editor - ") + SheetSource(state_));
  QPrintPreviewDialog preview(&printer, this);
  preview.setWindowTitle(QStringLiteral("Imprimir as listas"));
  const SheetContent content = SheetOf(SheetSource(state_), state_.lists);
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
    connect(action, &QAction::triggered, this, [this, path] { Run([&] { OpenRecentFile(state_, files_, path); }); });
  }
  if (state_.recentFiles.isEmpty()) recentMenu_->addAction(QStringLiteral("Nenhum arquivo recente"))->setEnabled(false);
}

void FormPrincipal::SetTabOrder(std::initializer_list<QWidget*> widgets) {
  QWidget* previous = nullptr;
  for (QWidget* next : widgets) {
    if (previous) setTabOrder(previous, next);
    previous = next;
  }
}

// How the two list pages differ.
struct FormPrincipal::ListPageLook {
  const QString& grid;
  const char16_t* gridName;
  bool fixedPitch;
  const QString& up;
  const QString& down;
  const QString& clearList;
  const char16_t* clearListTip;
  const char16_t* clearListName;
  const QString& remove;
  const QString& edit;
  const QString& clearFields;
  const QString& include;
  int includeLeft;  // twips: the entry lines differ in width
};

FormPrincipal::ListPageWidgets FormPrincipal::BuildListPage(QWidget& page, const ListPageLook& look,
                                                            ListPageState& state, bool variables) {
  const Origin o{0, kTabStrip};
  ListPageWidgets w;
  w.grid = Named(Place(new KeyboardGrid(&page), o, 225, 540, kVariableGridWidth, 4650), look.grid,
                 QString::fromUtf16(look.gridName));
  if (look.fixedPitch) {
    // Alarm texts are two 8-character halves; a fixed pitch lines them up.
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSizeF(9.75);
    w.grid->setFont(font);
  }
  gridModels_.push_back(BindGridView(*w.grid, state_, variables));
  const QString upName = QStringLiteral("Mover linha para cima");
  const QString downName = QStringLiteral("Mover linha para baixo");
  w.up = Bind(Place(IconButton(&page, look.up, QStringLiteral("arrow-up"), upName, upName), o, 4500, 2100, 600, 600),
              state.rows.up, true);
  w.down = Bind(
      Place(IconButton(&page, look.down, QStringLiteral("arrow-down"), downName, downName), o, 4500, 2805, 600, 600),
      state.rows.down, true);
  w.clearList = Bind(Place(IconButton(&page, look.clearList, QStringLiteral("clear-list"),
                                      QString::fromUtf16(look.clearListTip), QString::fromUtf16(look.clearListName)),
                           o, 4500, 4590, 600, 600),
                     state.clearList, true);
  w.remove = Bind(Place(TextButton(&page, look.remove, QStringLiteral("Remover"), QStringLiteral("Remover")), o, 225,
                        5310, 1095, 375),
                  state.rows.remove, true);
  w.edit = Bind(
      Place(TextButton(&page, look.edit, QStringLiteral("Editar"), QStringLiteral("Editar")), o, 1440, 5310, 1095, 375),
      state.rows.edit, true);
  w.clearFields =
      Bind(Place(IconButton(&page, look.clearFields, QStringLiteral("clear-fields"),
                            QStringLiteral("Apaga campos de digitação ao lado"), QStringLiteral("Limpar campos")),
                 o, 225, 5940, 495, 495),
           state.clearFields, true);
  w.include =
      Bind(Place(IconButton(&page, look.include, QStringLiteral("add-line"),
                            QStringLiteral("Inclui linha digitada na lista acima"), QStringLiteral("Incluir linha")),
                 o, look.includeLeft, 5940, 495, 495),
           state.include, true);
  return w;
}

void FormPrincipal::BuildVariablesPage(QWidget& page) {
  const Origin o{0, kTabStrip};
  variables_ = BuildListPage(
      page,
      {name::MSFlexGrid1, u"Lista de Variáveis", false, name::BotaoSetaAcima, name::BotaoSetaAbaixo,
       name::BotaoApagaListaVariaveis, u"Apaga a lista de Variáveis ao lado", u"Apagar a lista de Variáveis",
       name::BotaoRemover, name::BotaoEditar, name::BotaoLimpar, name::BotaoSalvar, 5595},
      state_.variablePage, true);
  struct Entry {
    const char16_t* label;
    int x;
    int width;
    int maxLength;
  };
  static constexpr Entry kEntries[] = {
      {u"Grupo", 840, 555, 1}, {u"Texto", 1500, 1230, 8}, {u"Unidade", 2835, 735, 3}, {u"Endereço", 3675, 900, 5}};
  std::array<QLineEdit*, 4> entry{};
  for (int i = 0; i < 4; ++i) {
    const Entry& e = kEntries[i];
    const QString label = QString::fromUtf16(e.label);
    entry[i] = Bind(Place(Field(&page, name::Campo(i), e.maxLength, label), o, e.x, 6030, e.width, 330),
                    state_.variablePage.entry[i]);
    Place(Label(&page, label, entry[i]), o, e.x, 5775, e.width + 200, 240);
  }
  check_ = Named(Place(new QCheckBox(&page), o, 4845, 6045, 300, 300), name::ChechEditavel, QStringLiteral("Editável"));
  Place(Label(&page, QStringLiteral("Editável"), check_), o, 4680, 5775, 800, 240);
  focusTargets_[static_cast<size_t>(Focus::VariableGrupo)] = entry[0];
  focusTargets_[static_cast<size_t>(Focus::VariableEndereco)] = entry[3];
  focusTargets_[static_cast<size_t>(Focus::VariableUp)] = variables_.up;
  focusTargets_[static_cast<size_t>(Focus::VariableDown)] = variables_.down;
  // Reading order: the grid and the buttons beside and below it, the entry line left to right and its buttons.
  const ListPageWidgets& w = variables_;
  SetTabOrder({tabs_->tabBar(), w.grid, w.up, w.down, w.clearList, w.remove, w.edit, entry[0], entry[1], entry[2],
               entry[3], check_, w.include, w.clearFields});
}

void FormPrincipal::BuildAlarmsPage(QWidget& page) {
  const Origin o{0, kTabStrip};
  alarms_ = BuildListPage(
      page,
      {name::MSFlexGrid2, u"Lista de Alarmes", true, name::BotaoSetaAcimaAlarme, name::BotaoSetaAbaixoAlarme,
       name::BotaoApagaListaAlarmes, u"Apaga a lista de Alarmes ao lado", u"Apagar a lista de Alarmes",
       name::BotaoRemoverAlarme, name::BotaoEditarAlarme, name::BotaoLimparAlarme, name::BotaoSalvarAlarme, 3510},
      state_.alarmPage, false);
  auto* texto1 = Bind(Place(Field(&page, name::Texto1, 8, QStringLiteral("Texto 1")), o, 840, 6030, 1230, 330),
                      state_.alarmPage.entry[0]);
  auto* texto2 = Bind(Place(Field(&page, name::Texto2, 8, QStringLiteral("Texto 2")), o, 2175, 6030, 1230, 330),
                      state_.alarmPage.entry[1]);
  Place(Label(&page, QStringLiteral("Texto 1"), texto1), o, 840, 5775, 1230, 240);
  Place(Label(&page, QStringLiteral("Texto 2"), texto2), o, 2175, 5775, 1230, 240);
  focusTargets_[static_cast<size_t>(Focus::AlarmText1)] = texto1;
  focusTargets_[static_cast<size_t>(Focus::AlarmUp)] = alarms_.up;
  focusTargets_[static_cast<size_t>(Focus::AlarmDown)] = alarms_.down;
  const ListPageWidgets& w = alarms_;
  SetTabOrder({variables_.clearFields, w.grid, w.up, w.down, w.clearList, w.remove, w.edit, texto1, texto2, w.include,
               w.clearFields});
  BindListPage(
      alarms_,
      {[this] { IncludeAlarmLine(state_); }, [this] { EditSelectedAlarm(state_); },
       [this] { RemoveSelectedAlarm(state_); }, [this] { ClearAlarmFields(state_); },
       [this] { ClearAlarmList(state_); }, [this] { MoveAlarm(state_, Direction::Up); },
       [this] { MoveAlarm(state_, Direction::Down); }},
      [this](int line) { SelectAlarmLine(state_, line); }, [this](int line) { EditAlarmLine(state_, line); });
}

void FormPrincipal::BuildAboutPage(QWidget& page) {
  const Origin o{0, kTabStrip};
  Place(new PanelPicture(&page), o, 2685, 1800, 1800, 1350);
  auto* version = Place(Label(&page, QStringLiteral("Versão ") + kVersion), o, 2685, 3300, 1800, 300);
  version->setAlignment(Qt::AlignCenter);
}

void FormPrincipal::BuildMonitorPage(QWidget& page) {
  const Origin o{0, kTabStrip};
  monitorView_ = Named(Place(new QPlainTextEdit(&page), o, 225, 540, 6720, 5160), name::MonitorCLP,
                       QStringLiteral("Monitor da comunicação"));
  monitorView_->setReadOnly(true);
  monitorView_->setLineWrapMode(QPlainTextEdit::NoWrap);
  monitorView_->setMaximumBlockCount(LinkMonitor::kMaxLines);
  // The alarm grid's fixed pitch, smaller: a frame line is long.
  QFont font(QStringLiteral("Courier"));
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  font.setPointSize(8);
  monitorView_->setFont(font);
  clearMonitor_ =
      Place(TextButton(&page, name::BotaoLimparMonitor, QStringLiteral("Limpar"), QStringLiteral("Limpar o monitor")),
            o, 225, 5850, 1095, 375);
  saveMonitor_ =
      Place(TextButton(&page, name::BotaoSalvarMonitor, QStringLiteral("Salvar…"), QStringLiteral("Salvar o monitor")),
            o, 1440, 5850, 1095, 375);
  SetTabOrder(
      {alarms_.clearFields ? alarms_.clearFields : variables_.clearFields, monitorView_, clearMonitor_, saveMonitor_});
  connect(clearMonitor_, &QPushButton::clicked, this, [this] {
    monitor_->Clear();
    monitorView_->clear();
  });
  connect(saveMonitor_, &QPushButton::clicked, this,
          [this] { Run([this] { SaveMonitorLines(state_, *monitor_, files_); }); });
  // Lines that came while the page did not exist are shown at once.
  monitor_->TakeNew();
  QStringList lines(monitor_->Lines().begin(), monitor_->Lines().end());
  monitorView_->setPlainText(lines.join(u'\n'));
}

void FormPrincipal::ShowNewMonitorLines() {
  // Lines wait while the page is not showing: laying out and announcing text
  // nobody sees would cost most of what a transfer costs while the PLC thinks.
  if (!monitorView_ || !monitorView_->isVisible()) return;
  const QStringList lines = monitor_->TakeNew();
  if (lines.isEmpty()) return;
  QScrollBar* bar = monitorView_->verticalScrollBar();
  const bool following = bar->value() == bar->maximum();  // unless the technician has scrolled up
  const int kept = bar->value();
  monitorView_->appendPlainText(lines.join(u'\n'));
  bar->setValue(following ? bar->maximum() : kept);
}

void FormPrincipal::ShowProgress() {
  const TransferProgress& p = link_->Progress();
  progressBar_->setVisible(p.active);
  progressText_->setVisible(p.active);
  if (progressBar_->maximum() != std::max(p.total, 1)) progressBar_->setRange(0, std::max(p.total, 1));
  progressBar_->setValue(p.done);
  if (progressText_->text() != p.text) progressText_->setText(p.text);
}

void FormPrincipal::BuildFilesFrame() {
  const Origin o{7380, 435};
  auto* frame = Place(new QGroupBox(QStringLiteral("  Lista de Variáveis e Alarmes"), this), {}, o.x, o.y, 3120, 2910);
  frame->setObjectName(QStringLiteral("FrameArquivos"));
  FilesFrame& s = state_.files;
  // Six buttons share the row the three file buttons had: Abrir (with its
  // list of recent files), Salvar, Salvar como, Imprimir, Desfazer and Refazer.
  open_ = Bind(Place(IconButton(frame, name::BotaoAbrirArquivo, QStringLiteral("open-file"),
                                QStringLiteral("Abrir arquivo"), QStringLiteral("Abrir arquivo")),
                     o, 7515, 765, 450, 600),
               s.open, true);
  recent_ = Named(Place(new QToolButton(frame), o, 7965, 765, 165, 600), name::BotaoArquivosRecentes,
                  QStringLiteral("Arquivos recentes"));
  recent_->setArrowType(Qt::DownArrow);
  recent_->setToolTip(QStringLiteral("Arquivos abertos ou salvos por último"));
  recentMenu_ = new QMenu(recent_);
  recent_->setMenu(recentMenu_);
  recent_->setPopupMode(QToolButton::InstantPopup);
  open_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(open_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { recentMenu_->exec(open_->mapToGlobal(at)); });
  save_ = Bind(Place(IconButton(frame, name::BotaoSalvarArquivo, QStringLiteral("save-file"),
                                QStringLiteral("Salvar arquivo sobre o último lido"), QStringLiteral("Salvar arquivo")),
                     o, 8160, 765, 450, 600),
               s.save);
  saveAs_ = Bind(Place(IconButton(frame, name::BotaoSalvarComo, QStringLiteral("save-as"),
                                  QStringLiteral("Salvar como...escolhendo diretório"), QStringLiteral("Salvar como")),
                       o, 8640, 765, 450, 600),
                 s.saveAs);
  print_ = Place(IconButton(frame, name::BotaoImprimir, QStringLiteral("print"),
                            QStringLiteral("Imprime a folha das duas listas, mostrando-a antes (Ctrl+P)"),
                            QStringLiteral("Imprimir…")),
                 o, 9120, 765, 450, 600);
  undo_ = Place(IconButton(frame, name::BotaoDesfazer, QStringLiteral("undo"), {}, QStringLiteral("Desfazer")), o, 9600,
                765, 420, 600);
  redo_ = Place(IconButton(frame, name::BotaoRefazer, QStringLiteral("redo"), {}, QStringLiteral("Refazer")), o, 10035,
                765, 420, 600);
  Place(Label(frame, QStringLiteral("Memória reservada")), o, 7515, 1500, 2850, 240);
  const struct {
    const QString& objectName;
    const char16_t* label;
    const char16_t* accessibleName;
    FieldState& state;
    int labelX, labelY, labelWidth, x, y, width;
  } displays[] = {
      {name::MemoriaInicial, u"De", u"Memória reservada, de", s.firstWord, 7515, 1860, 300, 7815, 1815, 960},
      {name::MemoriaFinal, u"até", u"Memória reservada, até", s.lastWord, 8865, 1860, 375, 9285, 1815, 960},
      {name::TotalLinhasVariaveis, u"Linhas de Variáveis", u"Linhas de Variáveis", s.variableCount, 7515, 2415, 1800,
       9495, 2370, 870},
      {name::TotalLinhasAlarme, u"Linhas de Alarmes", u"Linhas de Alarmes", s.alarmCount, 7515, 2880, 1800, 9495, 2835,
       870}};
  for (const auto& d : displays) {
    auto* display = Bind(
        Place(Display(frame, d.objectName, QString::fromUtf16(d.accessibleName)), o, d.x, d.y, d.width, 330), d.state);
    Place(Label(frame, QString::fromUtf16(d.label), display), o, d.labelX, d.labelY, d.labelWidth, 240);
  }
  compare_ =
      Bind(Place(TextButton(this, name::BotaoComparaCLP, QStringLiteral("Compara CLP"), QStringLiteral("Compara CLP")),
                 {}, 7935, 3420, 1320, 600),
           state_.link.compare);
  compare_->setToolTip(QStringLiteral("Compara o conteúdo do CLP com as listas correntes, sem alterá-las"));
  read_ = Bind(Place(TextButton(this, name::BotaoLeCLP, QStringLiteral("Lê CLP"), QStringLiteral("Lê CLP")), {}, 9360,
                     3420, 1050, 600),
               state_.link.read);
  areas_.push_back(frame);
}

void FormPrincipal::BuildLinkFrame() {
  const Origin o{7380, 4050};
  auto* frame = Place(new QGroupBox(QStringLiteral("      Comunicação com o CLP"), this), {}, o.x, o.y, 3120, 2805);
  frame->setObjectName(QStringLiteral("FrameComunicacao"));
  ports_ = Named(Place(new PortComboBox(frame), o, 8415, 5085, 1095, 330), name::ComboPorta,
                 QStringLiteral("Porta de comunicação"));
  auto* prompt = Place(Label(frame, QStringLiteral("Selecione a porta de comunicação com o CLP"), ports_), o, 7515,
                       4410, 2850, 540);
  prompt->setWordWrap(true);
  prompt->setAlignment(Qt::AlignCenter);
  // 1095 twips is narrow: tighter padding keeps "Porta # 01" whole beside the arrow.
  ports_->setStyleSheet(
      QStringLiteral("QComboBox { padding: 1px 0px 1px 2px; } QComboBox::drop-down { width: 13px; }"));
  QFont portFont = ports_->font();
  portFont.setPointSizeF(portFont.pointSizeF() * 0.9);
  ports_->setFont(portFont);
  // Shown only while a transfer runs; never takes the focus.
  progressBar_ = Named(Place(new QProgressBar(frame), o, 7515, 5505, 2850, 150), name::ProgressoCLP,
                       QStringLiteral("Progresso da transferência"));
  progressBar_->setTextVisible(false);
  progressBar_->setFocusPolicy(Qt::NoFocus);
  progressText_ = Place(Label(frame, {}), o, 7410, 5685, 3060, 240);
  progressText_->setObjectName(name::TextoProgressoCLP);
  QFont small = progressText_->font();
  small.setPointSizeF(small.pointSizeF() * 0.85);  // "Gravando: quadro 37 de 511 — faltam 14 s" whole in the frame
  progressText_->setFont(small);
  progressText_->setAlignment(Qt::AlignCenter);
  write_ =
      Bind(Place(IconButton(frame, name::BotaoGravaCLP, QStringLiteral("write-plc"),
                            QStringLiteral("Grava conteúdo das listas correntes no CLP"), QStringLiteral("Grava CLP")),
                 o, 8370, 5985, 1050, 600),
           state_.link.write);
  Place(Label(frame, QStringLiteral("Grava CLP"), write_), o, 7470, 6165, 870, 240);
  verify_ = Named(Place(new QCheckBox(QStringLiteral("Verificar após gravar"), frame), o, 7515, 6585, 2850, 255),
                  name::CheckVerificar, QStringLiteral("Verificar após gravar"));
  verify_->setToolTip(QStringLiteral("Depois de gravar, lê de volta cada palavra gravada e a compara"));
  SetTabOrder({variables_.clearFields, open_, recent_, save_, saveAs_, print_, undo_, redo_, compare_, read_, ports_,
               write_, verify_});
  areas_.push_back(frame);
}

void FormPrincipal::BindListPage(const ListPageWidgets& page, const std::array<Command, 7>& commands,
                                 std::function<void(int)> click, std::function<void(int)> doubleClick) {
  // Control -> command: Incluir, Editar, Remover, Limpar campos, Apaga lista, ↑, ↓.
  const QPushButton* buttons[] = {page.include,   page.edit, page.remove, page.clearFields,
                                  page.clearList, page.up,   page.down};
  for (size_t i = 0; i < commands.size(); ++i) {
    connect(buttons[i], &QPushButton::clicked, this, [this, command = commands[i]] { Run(command); });
  }
  BindGridClicks(
      *page.grid, [this, click](int line) { Run([&] { click(line); }); },
      [this, doubleClick](int line) { Run([&] { doubleClick(line); }); });
}

// Which command each control runs; the alarm page's own part is bound when it is made.
void FormPrincipal::BindCommands() {
  BindListPage(
      variables_,
      {[this] { IncludeVariableLine(state_); }, [this] { EditSelectedVariable(state_); },
       [this] { RemoveSelectedVariable(state_); }, [this] { ClearVariableFields(state_); },
       [this] { ClearVariableList(state_); }, [this] { MoveVariable(state_, Direction::Up); },
       [this] { MoveVariable(state_, Direction::Down); }},
      [this](int line) { SelectVariableLine(state_, line); }, [this](int line) { EditVariableLine(state_, line); });
  const std::pair<QPushButton*, Command> buttons[] = {
      {open_, [this] { OpenFile(state_, files_); }},
      {save_, [this] { static_cast<void>(SaveFile(state_, files_)); }},
      {saveAs_, [this] { static_cast<void>(SaveFileAs(state_, files_)); }},
      {write_, [this] { WriteToPlc(state_, *link_); }},
      {read_, [this] { ReadFromPlc(state_, *link_, files_); }},
      {compare_, [this] { CompareWithPlc(state_, *link_, files_, *shownFirst_); }},
      {print_, [this] { PrintSheet(); }},
      {undo_, [this] { UndoStep(state_); }},
      {redo_, [this] { RedoStep(state_); }},
  };
  for (const auto& [button, command] : buttons) {
    connect(button, &QPushButton::clicked, this, [this, command = command] { Run(command); });
  }
  connect(ports_, &QComboBox::activated, this, [this](int index) { Run([&] { ChoosePort(state_, *link_, index); }); });
  ports_->beforePopup = [this] { Run([this] { ShowPortDevices(state_, *link_); }); };

  WireEditor(state_, *link_, files_);
  // A transfer ends, or the port is lost, after the click that began it: the
  // end runs as a command does, so what the technician typed meanwhile is kept.
  link_->runEvent = [this](const std::function<void()>& event) { Run(event); };
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
  connect(link_, &PlcLink::ProgressChanged, this, soon);
  connect(monitor_, &LinkMonitor::LinesAdded, this, soon);
}

void FormPrincipal::BindShortcuts() {
  const std::pair<QKeySequence, QPushButton*> shortcuts[] = {{QKeySequence(Qt::CTRL | Qt::Key_O), open_},
                                                             {QKeySequence(Qt::CTRL | Qt::Key_S), save_},
                                                             {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), saveAs_},
                                                             {QKeySequence(Qt::CTRL | Qt::Key_Z), undo_},
                                                             {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), redo_},
                                                             {QKeySequence(Qt::CTRL | Qt::Key_Y), redo_},
                                                             {QKeySequence(Qt::CTRL | Qt::Key_P), print_}};
  for (const auto& [keys, button] : shortcuts) {
    // A click on a disabled button does nothing: the shortcut works only while the button does.
    connect(new QShortcut(keys, this), &QShortcut::activated, button, &QPushButton::click);
  }
}

void FormPrincipal::OfferRecovery() {
  Run([this] { recovery_->Offer(state_); });
}

void FormPrincipal::Gather() {
  for (const BoundField& f : fields_) {
    if (!f.widget->isReadOnly()) f.state->text = f.widget->text();
  }
  state_.variablePage.editable = check_->isChecked();
  state_.link.verifyWrites = verify_->isChecked();
  state_.currentTab = tabs_->currentIndex();
  state_.link.portIndex = ports_->currentIndex();
}

void FormPrincipal::Sync() {
  const QScopedValueRollback<bool> syncing(syncing_, true);
  setWindowTitle(state_.title);
  for (ListTableModel* grid : gridModels_) grid->Refresh();
  ShowProgress();
  tabs_->setCurrentIndex(state_.currentTab);
  if (state_.areaBackground) {
    for (QWidget* area : areas_) {
      QPalette palette = area->palette();
      palette.setColor(QPalette::Window, ToQColor(*state_.areaBackground));
      area->setPalette(palette);
      area->setAutoFillBackground(true);
    }
  }
  for (const BoundButton& b : buttons_) {
    const bool locked = b.lockedByRead && state_.readingPlc;
    b.widget->setEnabled(b.state->enabled && !locked);
    if (b.lockedByRead) b.widget->setToolTip(locked ? kWaitForRead : b.toolTip);
    QPalette palette = b.widget->palette();
    palette.setColor(QPalette::Button, b.state->background ? ToQColor(*b.state->background)
                                                           : style()->standardPalette().color(QPalette::Button));
    b.widget->setPalette(palette);
  }
  for (const BoundField& f : fields_) {
    if (f.widget->text() != f.state->text) f.widget->setText(f.state->text);
    QPalette palette = f.widget->palette();
    palette.setColor(QPalette::Base, ToQColor(f.state->background));
    f.widget->setPalette(palette);
  }
  check_->setChecked(state_.variablePage.editable);
  verify_->setChecked(state_.link.verifyWrites);
  const LinkFrame& link = state_.link;
  if (ports_->count() != link.portEntries.size()) {
    ports_->clear();
    ports_->addItems(link.portEntries);
  }
  for (int i = 0; i < link.portDevices.size() && i < ports_->count(); ++i) {
    ports_->setItemData(i, link.portDevices[i], Qt::ToolTipRole);
  }
  ports_->setCurrentIndex(link.portIndex);
  ports_->setToolTip(ports_->currentData(Qt::ToolTipRole).toString());
  const EditHistory& history = state_.history;
  const bool idle = !state_.readingPlc;
  for (const auto& [button, can, verb, step] :
       {std::tuple{undo_, history.CanUndo(), QStringLiteral("Desfazer"), history.UndoLabel()},
        {redo_, history.CanRedo(), QStringLiteral("Refazer"), history.RedoLabel()}}) {
    button->setEnabled(can && idle);
    button->setToolTip(!idle ? kWaitForRead : can ? verb + QStringLiteral(": ") + step : verb);
  }
  recent_->setEnabled(idle);
  if (state_.recentFiles != remembered_.first || state_.lastFolder != remembered_.second) {
    remembered_ = {state_.recentFiles, state_.lastFolder};
    QSettings settings;
    settings.setValue(kRecentSetting, state_.recentFiles);
    settings.setValue(kFolderSetting, state_.lastFolder);
  }
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
      QSettings().setValue(kPositionSetting, pos());
    }
  });
}

}  // namespace zelkor
