#include "FormPrincipal.h"

#include "Cp1252Validator.h"
#include "GridClicks.h"
#include "GridView.h"
#include "PortComboBox.h"
#include "core/ControlNames.h"
#include "core/MainWindow.h"
#include "core/Version.h"
#include "paramfile/FileCommands.h"
#include "plclink/LinkMonitor.h"
#include "plclink/PlcLink.h"
#include "transfer/PlcCommands.h"
#include "alarms/AlarmEditor.h"
#include "editing/RowMoves.h"
#include "variables/VariableEditor.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QShortcut>
#include <QTimer>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>

namespace zelkor {

namespace {

// Client area of the window, in twips.
constexpr int kClientWidth = 10605;
constexpr int kClientHeight = 6945;
// The tab control's own coordinates include its tab strip; its pages start below it.
constexpr int kTabStrip = 390;

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

// Our own small pictures, rasterised at build time: Qt's standard icons first
// search the desktop's icon theme and decode every size of each picture, which
// took a third of the start; drawing our SVGs here took another twentieth.
QPushButton* IconButton(QWidget* parent, const QString& objectName, const QString& icon, const QString& toolTip) {
  auto* button = new QPushButton(parent);
  button->setObjectName(objectName);
  button->setIcon(QIcon(QStringLiteral(":/icons/") + icon + QStringLiteral(".png")));  // finds the @2x copy itself
  button->setIconSize({24, 24});
  button->setToolTip(toolTip);
  return button;
}

QPushButton* TextButton(QWidget* parent, const QString& objectName, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(objectName);
  return button;
}

QLabel* Label(QWidget* parent, const QString& text) { return new QLabel(text, parent); }

QLineEdit* Field(QWidget* parent, const QString& objectName, int maxLength) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(objectName);
  field->setMaxLength(maxLength);
  field->setValidator(new Cp1252Validator(field));
  return field;
}

QLineEdit* Display(QWidget* parent, const QString& objectName) {
  auto* display = new QLineEdit(parent);
  display->setObjectName(objectName);
  display->setReadOnly(true);
  display->setFocusPolicy(Qt::NoFocus);
  display->setAlignment(Qt::AlignCenter);
  return display;
}

QTableView* GridControl(QWidget* parent, const QString& objectName, bool fixedPitch) {
  auto* view = new KeyboardGrid(parent);
  view->setObjectName(objectName);
  if (fixedPitch) {
    // Alarm texts are two 8-character halves; a fixed pitch lines them up.
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSizeF(9.75);
    view->setFont(font);
  }
  return view;
}

// The "Sobre" tab shows the program's icon, an operator panel. It is drawn
// when the tab is first shown, not at start-up.
class PanelPicture final : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QIcon(QStringLiteral(":/icons/zelkor-editor.svg")).paint(&painter, rect());
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
class FormPrincipal::ShownFirst final : public MessageService, public FileDialogService {
 public:
  ShownFirst(FormPrincipal& window, const Platform& platform)
      : window_(window), messages_(platform.messages), files_(platform.files) {}
  Answer Show(const Message& message) override {
    window_.Refresh();
    return messages_.Show(message);
  }
  FileDialogResult Show(const FileDialogRequest& request) override {
    window_.Refresh();
    return files_.Show(request);
  }

 private:
  FormPrincipal& window_;
  MessageService& messages_;
  FileDialogService& files_;
};

FormPrincipal::FormPrincipal(const Platform& platform, QWidget* parent)
    : QWidget(parent),
      shownFirst_(std::make_unique<ShownFirst>(*this, platform)),
      state_(*shownFirst_),
      files_(*shownFirst_),
      link_(new PlcLink(platform.port, platform.deadline, this)),
      monitor_(new LinkMonitor(*link_, platform.deadline, this)) {
  setObjectName(name::FormPrincipal);
  setFixedSize(TwipsToPixels(kClientWidth), TwipsToPixels(kClientHeight));
  // The twip layout leaves room for a small dialog font; the grids' column
  // widths are fixed, so a larger font would cut their header texts.
  QFont small = font();
  small.setPointSize(8);
  setFont(small);

  tabs_ = Place(new QTabWidget(this), {}, 90, 135, 7170, 6720);
  tabs_->setObjectName(name::SSTab1);
  auto* variablesPage = new QWidget;
  auto* alarmsPage = new QWidget;
  auto* aboutPage = new QWidget;
  tabs_->addTab(variablesPage, QStringLiteral("Variáveis"));
  tabs_->addTab(alarmsPage, QStringLiteral("Alarmes"));
  tabs_->addTab(aboutPage, QStringLiteral("Sobre"));
  auto* monitorPage = new QWidget;
  tabs_->addTab(monitorPage, QStringLiteral("Monitor"));
  BuildVariablesPage(*variablesPage);
  BuildAlarmsPage(*alarmsPage);
  BuildAboutPage(*aboutPage);
  BuildMonitorPage(*monitorPage);
  BuildFilesFrame();
  BuildLinkFrame();
  Place(TextButton(this, name::BotaoLeCLP, QStringLiteral("Lê CLP")), {}, 9360, 3420, 1050, 600);
  areas_ = {variablesPage, alarmsPage, findChild<QGroupBox*>(QStringLiteral("FrameArquivos")),
            findChild<QGroupBox*>(QStringLiteral("FrameComunicacao"))};

  BindCommands();
  BindKeyboard();
  // The port entries learn their devices when the list first opens: scanning
  // the device folders here would only slow the start.
  Run([this] { StartUp(state_); });
  move(TwipsToPixels(state_.windowLeft), TwipsToPixels(state_.windowTop));
}

// The grids' views must go before the state that holds the grids they show.
FormPrincipal::~FormPrincipal() { delete tabs_; }

// The parts both list pages share: the grid, the arrows, the clear-list
// button, Remover and Editar, and the clear-fields and save buttons.
struct ListPage {
  QString grid;
  bool fixedPitch;
  QString up;
  QString down;
  QString clearList;
  const char16_t* clearListTip;
  QString remove;
  QString edit;
  QString clearFields;
  QString save;
  int saveLeft;  // twips: the entry lines differ in width
};

QTableView* FormPrincipal::BuildListPage(QWidget& page, const ListPage& p, Grid& grid) {
  const Origin o{0, kTabStrip};
  auto* view = Place(GridControl(&page, p.grid, p.fixedPitch), o, 225, 540, kVariableGridWidth, 4650);
  BindGridView(*view, grid);
  Place(IconButton(&page, p.up, QStringLiteral("arrow-up"), {}), o, 4500, 2100, 600, 600);
  Place(IconButton(&page, p.down, QStringLiteral("arrow-down"), {}), o, 4500, 2805, 600, 600);
  Place(IconButton(&page, p.clearList, QStringLiteral("clear-list"), QString::fromUtf16(p.clearListTip)), o, 4500,
        4590, 600, 600);
  Place(TextButton(&page, p.remove, QStringLiteral("Remover")), o, 225, 5310, 1095, 375);
  Place(TextButton(&page, p.edit, QStringLiteral("Editar")), o, 1440, 5310, 1095, 375);
  Place(IconButton(&page, p.clearFields, QStringLiteral("clear-fields"),
                   QStringLiteral("Apaga campos de digitação ao lado")),
        o, 225, 5940, 495, 495);
  Place(IconButton(&page, p.save, QStringLiteral("add-line"), QStringLiteral("Inclui linha digitada na lista acima")),
        o, p.saveLeft, 5940, 495, 495);
  return view;
}

void FormPrincipal::BuildVariablesPage(QWidget& page) {
  const Origin o{0, kTabStrip};
  grid1_ = BuildListPage(page,
                         {name::MSFlexGrid1, false, name::BotaoSetaAcima, name::BotaoSetaAbaixo,
                          name::BotaoApagaListaVariaveis, u"Apaga a lista de Variáveis ao lado", name::BotaoRemover,
                          name::BotaoEditar, name::BotaoLimpar, name::BotaoSalvar, 5595},
                         state_.variables.grid());
  struct Entry {
    const char16_t* label;
    int x;
    int width;
    int maxLength;
  };
  static constexpr Entry kEntries[] = {
      {u"Grupo", 840, 555, 1}, {u"Texto", 1500, 1230, 8}, {u"Unidade", 2835, 735, 3}, {u"Endereço", 3675, 900, 5}};
  for (int i = 0; i < 4; ++i) {
    const Entry& e = kEntries[i];
    Place(Label(&page, QString::fromUtf16(e.label)), o, e.x, 5775, e.width + 200, 240);
    Place(Field(&page, name::Campo(i), e.maxLength), o, e.x, 6030, e.width, 330);
  }
  Place(Label(&page, QStringLiteral("Editável")), o, 4680, 5775, 800, 240);
  check_ = Place(new QCheckBox(&page), o, 4845, 6045, 300, 300);
  check_->setObjectName(name::ChechEditavel);
}

void FormPrincipal::BuildAlarmsPage(QWidget& page) {
  const Origin o{0, kTabStrip};
  grid2_ = BuildListPage(page,
                         {name::MSFlexGrid2, true, name::BotaoSetaAcimaAlarme, name::BotaoSetaAbaixoAlarme,
                          name::BotaoApagaListaAlarmes, u"Apaga a lista de Alarmes ao lado", name::BotaoRemoverAlarme,
                          name::BotaoEditarAlarme, name::BotaoLimparAlarme, name::BotaoSalvarAlarme, 3510},
                         state_.alarms.grid());
  Place(Label(&page, QStringLiteral("Texto 1")), o, 840, 5775, 1230, 240);
  Place(Field(&page, name::Texto1, 8), o, 840, 6030, 1230, 330);
  Place(Label(&page, QStringLiteral("Texto 2")), o, 2175, 5775, 1230, 240);
  Place(Field(&page, name::Texto2, 8), o, 2175, 6030, 1230, 330);
}

void FormPrincipal::BuildAboutPage(QWidget& page) {
  const Origin o{0, kTabStrip};
  Place(new PanelPicture(&page), o, 2685, 1800, 1800, 1350);
  auto* version = Place(Label(&page, QStringLiteral("Versão ") + kVersion), o, 2685, 3300, 1800, 300);
  version->setAlignment(Qt::AlignCenter);
}

void FormPrincipal::BuildMonitorPage(QWidget& page) {
  const Origin o{0, kTabStrip};
  monitorView_ = Place(new QPlainTextEdit(&page), o, 225, 540, 6720, 5160);
  monitorView_->setObjectName(name::MonitorCLP);
  monitorView_->setReadOnly(true);
  monitorView_->setLineWrapMode(QPlainTextEdit::NoWrap);
  monitorView_->setMaximumBlockCount(LinkMonitor::kMaxLines);
  QFont font = grid2_->font();  // the alarm grid's fixed pitch, smaller: a frame line is long
  font.setPointSize(8);
  monitorView_->setFont(font);
  Place(TextButton(&page, name::BotaoLimparMonitor, QStringLiteral("Limpar")), o, 225, 5850, 1095, 375);
  Place(TextButton(&page, name::BotaoSalvarMonitor, QStringLiteral("Salvar…")), o, 1440, 5850, 1095, 375);
}

void FormPrincipal::ShowNewMonitorLines() {
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
  Place(IconButton(frame, name::BotaoAbrirArquivo, QStringLiteral("open-file"), QStringLiteral("Abrir arquivo")),
        o, 7515, 765, 870, 600);
  Place(IconButton(frame, name::BotaoSalvarArquivo, QStringLiteral("save-file"),
                   QStringLiteral("Salvar arquivo sobre o último lido")),
        o, 8505, 765, 870, 600);
  Place(IconButton(frame, name::BotaoSalvarComo, QStringLiteral("save-as"),
                   QStringLiteral("Salvar como...escolhendo diretório")),
        o, 9495, 765, 870, 600);
  Place(Label(frame, QStringLiteral("Memória reservada")), o, 7515, 1500, 2850, 240);
  Place(Label(frame, QStringLiteral("De")), o, 7515, 1860, 300, 240);
  Place(Display(frame, name::MemoriaInicial), o, 7815, 1815, 960, 330);
  Place(Label(frame, QStringLiteral("até")), o, 8865, 1860, 375, 240);
  Place(Display(frame, name::MemoriaFinal), o, 9285, 1815, 960, 330);
  Place(Label(frame, QStringLiteral("Linhas de Variáveis")), o, 7515, 2415, 1800, 240);
  Place(Display(frame, name::TotalLinhasVariaveis), o, 9495, 2370, 870, 330);
  Place(Label(frame, QStringLiteral("Linhas de Alarmes")), o, 7515, 2880, 1800, 240);
  Place(Display(frame, name::TotalLinhasAlarme), o, 9495, 2835, 870, 330);
}

void FormPrincipal::BuildLinkFrame() {
  const Origin o{7380, 4050};
  auto* frame = Place(new QGroupBox(QStringLiteral("      Comunicação com o CLP"), this), {}, o.x, o.y, 3120, 2805);
  frame->setObjectName(QStringLiteral("FrameComunicacao"));
  auto* prompt = Place(Label(frame, QStringLiteral("Selecione a porta de comunicação com o CLP")), o, 7515, 4410, 2850,
                       540);
  prompt->setWordWrap(true);
  prompt->setAlignment(Qt::AlignCenter);
  ports_ = Place(new PortComboBox(frame), o, 8415, 5085, 1095, 330);
  ports_->setObjectName(name::ComboPorta);
  // 1095 twips is narrow: tighter padding keeps "Porta # 01" whole beside the arrow.
  ports_->setStyleSheet(QStringLiteral("QComboBox { padding: 1px 0px 1px 2px; } QComboBox::drop-down { width: 13px; }"));
  QFont portFont = ports_->font();
  portFont.setPointSizeF(portFont.pointSizeF() * 0.9);
  ports_->setFont(portFont);
  // Shown only while a transfer runs; never takes the focus.
  progressBar_ = Place(new QProgressBar(frame), o, 7515, 5505, 2850, 150);
  progressBar_->setObjectName(name::ProgressoCLP);
  progressBar_->setTextVisible(false);
  progressBar_->setFocusPolicy(Qt::NoFocus);
  progressText_ = Place(Label(frame, {}), o, 7410, 5685, 3060, 240);
  progressText_->setObjectName(name::TextoProgressoCLP);
  QFont small = progressText_->font();
  small.setPointSizeF(small.pointSizeF() * 0.85);  // "Gravando: quadro 37 de 511 — faltam 14 s" whole in the frame
  progressText_->setFont(small);
  progressText_->setAlignment(Qt::AlignCenter);
  Place(Label(frame, QStringLiteral("Grava CLP")), o, 7470, 6165, 870, 240);
  Place(IconButton(frame, name::BotaoGravaCLP, QStringLiteral("write-plc"),
                   QStringLiteral("Grava conteúdo das listas correntes no CLP")),
        o, 8370, 5985, 1050, 600);
}

void FormPrincipal::BindCommands() {
  using Command = void (*)(EditorState&);
  const std::pair<QString, Command> buttons[] = {
      {name::BotaoSalvar, BotaoSalvar_Click},
      {name::BotaoEditar, BotaoEditar_Click},
      {name::BotaoRemover, BotaoRemover_Click},
      {name::BotaoLimpar, BotaoLimpar_Click},
      {name::BotaoApagaListaVariaveis, BotaoApagaListaVariaveis_Click},
      {name::BotaoSalvarAlarme, BotaoSalvarAlarme_Click},
      {name::BotaoEditarAlarme, BotaoEditarAlarme_Click},
      {name::BotaoRemoverAlarme, BotaoRemoverAlarme_Click},
      {name::BotaoLimparAlarme, BotaoLimparAlarme_Click},
      {name::BotaoApagaListaAlarmes, BotaoApagaListaAlarmes_Click},
      {name::BotaoSetaAcima, BotaoSetaAcima_Click},
      {name::BotaoSetaAbaixo, BotaoSetaAbaixo_Click},
      {name::BotaoSetaAcimaAlarme, BotaoSetaAcimaAlarme_Click},
      {name::BotaoSetaAbaixoAlarme, BotaoSetaAbaixoAlarme_Click},
  };
  for (const auto& [button, command] : buttons) {
    connect(findChild<QPushButton*>(button), &QPushButton::clicked, this,
            [this, command = command] { Run([&] { command(state_); }); });
  }

  using LineCommand = void (*)(EditorState&, int);
  auto bindGrid = [this](QTableView& grid, LineCommand click, LineCommand doubleClick) {
    BindGridClicks(
        grid, [this, click](int line) { Run([&] { click(state_, line); }); },
        [this, doubleClick](int line) { Run([&] { doubleClick(state_, line); }); });
  };
  bindGrid(*grid1_, MSFlexGrid1_Click, MSFlexGrid1_DblClick);
  bindGrid(*grid2_, MSFlexGrid2_Click, MSFlexGrid2_DblClick);

  WireEditor(state_, *link_, files_);
  connect(findChild<QPushButton*>(name::BotaoGravaCLP), &QPushButton::clicked, this,
          [this] { Run([this] { BotaoGravaCLP_Click(state_, *link_); }); });
  connect(findChild<QPushButton*>(name::BotaoLeCLP), &QPushButton::clicked, this,
          [this] { Run([this] { BotaoLeCLP_Click(state_, *link_, files_); }); });
  connect(ports_, &QComboBox::activated, this, [this](int index) { Run([&] { ChoosePort(state_, *link_, index); }); });
  ports_->beforePopup = [this] { Run([this] { ShowPortDevices(state_, *link_); }); };
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
  connect(link_, &PlcLink::progressChanged, this, soon);
  connect(monitor_, &LinkMonitor::linesAdded, this, soon);
  connect(findChild<QPushButton*>(name::BotaoLimparMonitor), &QPushButton::clicked, this, [this] {
    monitor_->Clear();
    monitorView_->clear();
  });
  connect(findChild<QPushButton*>(name::BotaoSalvarMonitor), &QPushButton::clicked, this,
          [this] { Run([this] { SaveMonitorLines(state_, *monitor_, files_); }); });

  using FileCommand = void (*)(EditorState&, FileDialogService&);
  const std::pair<QString, FileCommand> fileButtons[] = {
      {name::BotaoAbrirArquivo, BotaoAbrirArquivo_Click},
      {name::BotaoSalvarArquivo, BotaoSalvarArquivo_Click},
      {name::BotaoSalvarComo, BotaoSalvarComo_Click},
  };
  for (const auto& [button, command] : fileButtons) {
    connect(findChild<QPushButton*>(button), &QPushButton::clicked, this,
            [this, command = command] { Run([&] { command(state_, files_); }); });
  }
}

// What a screen reader calls each control, the labels that name them, the
// order of Tab, and the shortcuts. Captions and tool-tips fixed by the
// editor's texts stay as they are: names are added, nothing is renamed.
void FormPrincipal::BindKeyboard() {
  const std::pair<QString, const char16_t*> names[] = {
      {name::BotaoSetaAcima, u"Mover linha para cima"},          {name::BotaoSetaAcimaAlarme, u"Mover linha para cima"},
      {name::BotaoSetaAbaixo, u"Mover linha para baixo"},        {name::BotaoSetaAbaixoAlarme, u"Mover linha para baixo"},
      {name::BotaoApagaListaVariaveis, u"Apagar a lista de Variáveis"}, {name::BotaoApagaListaAlarmes, u"Apagar a lista de Alarmes"},
      {name::BotaoLimpar, u"Limpar campos"},                     {name::BotaoLimparAlarme, u"Limpar campos"},
      {name::BotaoSalvar, u"Incluir linha"},                     {name::BotaoSalvarAlarme, u"Incluir linha"},
      {name::BotaoRemover, u"Remover"},                          {name::BotaoRemoverAlarme, u"Remover"},
      {name::BotaoEditar, u"Editar"},                            {name::BotaoEditarAlarme, u"Editar"},
      {name::BotaoAbrirArquivo, u"Abrir arquivo"},               {name::BotaoSalvarArquivo, u"Salvar arquivo"},
      {name::BotaoSalvarComo, u"Salvar como"},                   {name::BotaoGravaCLP, u"Grava CLP"},
      {name::BotaoLeCLP, u"Lê CLP"},                             {name::ComboPorta, u"Porta de comunicação"},
      {name::Campo(0), u"Grupo"}, {name::Campo(1), u"Texto"}, {name::Campo(2), u"Unidade"}, {name::Campo(3), u"Endereço"},
      {name::ChechEditavel, u"Editável"}, {name::Texto1, u"Texto 1"}, {name::Texto2, u"Texto 2"},
      {name::MemoriaInicial, u"Memória reservada, de"},          {name::MemoriaFinal, u"Memória reservada, até"},
      {name::TotalLinhasVariaveis, u"Linhas de Variáveis"},      {name::TotalLinhasAlarme, u"Linhas de Alarmes"},
      {name::MSFlexGrid1, u"Lista de Variáveis"},                {name::MSFlexGrid2, u"Lista de Alarmes"},
      {name::MonitorCLP, u"Monitor da comunicação"},             {name::BotaoLimparMonitor, u"Limpar o monitor"},
      {name::BotaoSalvarMonitor, u"Salvar o monitor"},           {name::ProgressoCLP, u"Progresso da transferência"},
  };
  tabs_->setAccessibleName(QStringLiteral("Páginas do editor"));
  for (const auto& [objectName, text] : names) findChild<QWidget*>(objectName)->setAccessibleName(QString::fromUtf16(text));
  for (const QString& arrow : {name::BotaoSetaAcima, name::BotaoSetaAbaixo, name::BotaoSetaAcimaAlarme, name::BotaoSetaAbaixoAlarme}) {
    auto* button = findChild<QWidget*>(arrow);
    button->setToolTip(button->accessibleName());
  }
  const std::pair<const char16_t*, QString> buddies[] = {
      {u"Grupo", name::Campo(0)}, {u"Texto", name::Campo(1)}, {u"Unidade", name::Campo(2)}, {u"Endereço", name::Campo(3)},
      {u"Editável", name::ChechEditavel}, {u"Texto 1", name::Texto1}, {u"Texto 2", name::Texto2},
      {u"De", name::MemoriaInicial}, {u"até", name::MemoriaFinal}, {u"Linhas de Variáveis", name::TotalLinhasVariaveis},
      {u"Linhas de Alarmes", name::TotalLinhasAlarme}, {u"Selecione a porta de comunicação com o CLP", name::ComboPorta},
      {u"Grava CLP", name::BotaoGravaCLP}};
  for (QLabel* label : findChildren<QLabel*>()) {
    for (const auto& [text, objectName] : buddies) {
      if (label->text() == QString::fromUtf16(text)) label->setBuddy(findChild<QWidget*>(objectName));
    }
  }
  // Reading order: each page's grid and the buttons beside and below it, its
  // entry line left to right and the line's buttons; then the files, the PLC.
  const QStringList order = {
      name::MSFlexGrid1, name::BotaoSetaAcima, name::BotaoSetaAbaixo, name::BotaoApagaListaVariaveis, name::BotaoRemover,
      name::BotaoEditar, name::Campo(0), name::Campo(1), name::Campo(2), name::Campo(3), name::ChechEditavel,
      name::BotaoSalvar, name::BotaoLimpar, name::MSFlexGrid2, name::BotaoSetaAcimaAlarme, name::BotaoSetaAbaixoAlarme,
      name::BotaoApagaListaAlarmes, name::BotaoRemoverAlarme, name::BotaoEditarAlarme, name::Texto1, name::Texto2,
      name::BotaoSalvarAlarme, name::BotaoLimparAlarme, name::MonitorCLP, name::BotaoLimparMonitor,
      name::BotaoSalvarMonitor, name::BotaoAbrirArquivo, name::BotaoSalvarArquivo,
      name::BotaoSalvarComo, name::BotaoLeCLP, name::ComboPorta, name::BotaoGravaCLP};
  QWidget* previous = tabs_->tabBar();
  for (const QString& objectName : order) {
    QWidget* next = findChild<QWidget*>(objectName);
    setTabOrder(previous, next);
    previous = next;
  }
  // What "Lê CLP" locks while it runs, and the tool-tip each one shows otherwise.
  for (const QString& objectName :
       {name::BotaoSalvar, name::BotaoEditar, name::BotaoRemover, name::BotaoLimpar, name::BotaoApagaListaVariaveis,
        name::BotaoSetaAcima, name::BotaoSetaAbaixo, name::BotaoSalvarAlarme, name::BotaoEditarAlarme,
        name::BotaoRemoverAlarme, name::BotaoLimparAlarme, name::BotaoApagaListaAlarmes, name::BotaoSetaAcimaAlarme,
        name::BotaoSetaAbaixoAlarme, name::BotaoAbrirArquivo}) {
    auto* button = findChild<QPushButton*>(objectName);
    lockedTips_.insert(button, button->toolTip());
  }
  const std::pair<QKeySequence, QString> shortcuts[] = {{QKeySequence(Qt::CTRL | Qt::Key_O), name::BotaoAbrirArquivo},
                                                        {QKeySequence(Qt::CTRL | Qt::Key_S), name::BotaoSalvarArquivo},
                                                        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), name::BotaoSalvarComo}};
  for (const auto& [keys, button] : shortcuts) {
    // A click on a disabled button does nothing: the shortcut works only while the button does.
    connect(new QShortcut(keys, this), &QShortcut::activated, findChild<QPushButton*>(button), &QPushButton::click);
  }
}

void FormPrincipal::Gather() {
  for (const auto& [objectName, field] : state_.fields()) {
    auto* edit = findChild<QLineEdit*>(objectName);
    if (edit && !edit->isReadOnly()) state_.field(objectName).text = edit->text();
  }
  state_.chechEditavel = check_->isChecked();
  state_.currentTab = tabs_->currentIndex();
  state_.portIndex = ports_->currentIndex();
}

void FormPrincipal::Sync() {
  setWindowTitle(state_.title);
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
  for (const auto& [objectName, button] : state_.buttons()) {
    auto* widget = findChild<QPushButton*>(objectName);
    if (!widget) continue;
    const auto lockedTip = lockedTips_.constFind(widget);
    const bool locked = state_.readingPlc && lockedTip != lockedTips_.cend();
    widget->setEnabled(button.enabled && !locked);
    if (lockedTip != lockedTips_.cend()) {
      widget->setToolTip(locked ? QStringLiteral("Aguarde o fim da leitura do CLP") : *lockedTip);
    }
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Button, button.background ? ToQColor(*button.background)
                                                          : style()->standardPalette().color(QPalette::Button));
    widget->setPalette(palette);
  }
  for (const auto& [objectName, field] : state_.fields()) {
    auto* edit = findChild<QLineEdit*>(objectName);
    if (!edit) continue;
    if (edit->text() != field.text) edit->setText(field.text);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, ToQColor(field.background));
    edit->setPalette(palette);
  }
  check_->setChecked(state_.chechEditavel);
  if (ports_->count() != state_.portEntries.size()) {
    ports_->clear();
    ports_->addItems(state_.portEntries);
  }
  for (int i = 0; i < state_.portDevices.size() && i < ports_->count(); ++i) {
    ports_->setItemData(i, state_.portDevices[i], Qt::ToolTipRole);
  }
  ports_->setCurrentIndex(state_.portIndex);
  ports_->setToolTip(ports_->currentData(Qt::ToolTipRole).toString());
  if (!state_.focus.isEmpty()) {
    if (auto* target = findChild<QWidget*>(state_.focus)) target->setFocus();
    state_.focus.clear();
  }
}

void FormPrincipal::closeEvent(QCloseEvent* event) {
  Run([&] {
    if (CloseRequest(state_) == CloseAnswer::Stay) {
      event->ignore();
    } else {
      event->accept();
    }
  });
}

}  // namespace zelkor
