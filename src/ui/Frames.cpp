#include "Frames.h"

#include "ControlNames.h"
#include "PortComboBox.h"
#include "Widgets.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

namespace zelkor {

FilesFrameView::FilesFrameView(QWidget* parent)
    : QGroupBox(QStringLiteral("  Lista de Variáveis e Alarmes"), parent),
      open(IconButton(this, name::kOpenFile, QStringLiteral("open-file"), QStringLiteral("Abrir arquivo"),
                      QStringLiteral("Abrir arquivo"))),
      recent(Named(new QToolButton(this), name::kRecentFiles, QStringLiteral("Arquivos recentes"))),
      save(IconButton(this, name::kSaveFile, QStringLiteral("save-file"),
                      QStringLiteral("Salvar arquivo sobre o último lido"), QStringLiteral("Salvar arquivo"))),
      saveAs(IconButton(this, name::kSaveAs, QStringLiteral("save-as"),
                        QStringLiteral("Salvar como...escolhendo diretório"), QStringLiteral("Salvar como"))),
      print(IconButton(this, name::kPrint, QStringLiteral("print"),
                       QStringLiteral("Imprime a folha das duas listas, mostrando-a antes (Ctrl+P)"),
                       QStringLiteral("Imprimir…"))),
      undo(IconButton(this, name::kUndo, QStringLiteral("undo"), {}, QStringLiteral("Desfazer"))),
      redo(IconButton(this, name::kRedo, QStringLiteral("redo"), {}, QStringLiteral("Refazer"))),
      firstWord(Display(this, name::kFirstWord, QStringLiteral("Memória reservada, de"), QStringLiteral("D00000"))),
      lastWord(Display(this, name::kLastWord, QStringLiteral("Memória reservada, até"), QStringLiteral("D00000"))),
      variableCount(Display(this, name::kVariableCount, QStringLiteral("Linhas de Variáveis"), QStringLiteral("0000"))),
      alarmCount(Display(this, name::kAlarmCount, QStringLiteral("Linhas de Alarmes"), QStringLiteral("0000"))) {
  setObjectName(QStringLiteral("FrameArquivos"));
  recent->setArrowType(Qt::DownArrow);
  recent->setToolTip(QStringLiteral("Arquivos abertos ou salvos por último"));
  recent->setPopupMode(QToolButton::InstantPopup);
  recent->setFixedHeight(open->height());
  // Abrir with the arrow of its recent files, Salvar, Salvar como, Imprimir, then Desfazer and Refazer.
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(2);
  for (QWidget* button : std::initializer_list<QWidget*>{open, recent, save, saveAs, print, undo, redo}) {
    buttons->addWidget(button);
  }
  auto* memory = new QHBoxLayout;
  memory->addWidget(Label(this, QStringLiteral("De"), firstWord));
  memory->addWidget(firstWord);
  memory->addStretch(1);
  memory->addWidget(Label(this, QStringLiteral("até"), lastWord));
  memory->addWidget(lastWord);
  auto* counts = new QGridLayout;
  counts->addWidget(Label(this, QStringLiteral("Linhas de Variáveis"), variableCount), 0, 0);
  counts->addWidget(variableCount, 0, 1, Qt::AlignRight);
  counts->addWidget(Label(this, QStringLiteral("Linhas de Alarmes"), alarmCount), 1, 0);
  counts->addWidget(alarmCount, 1, 1, Qt::AlignRight);
  auto* frame = new QVBoxLayout(this);
  frame->addLayout(buttons);
  frame->addWidget(Label(this, QStringLiteral("Memória reservada")));
  frame->addLayout(memory);
  frame->addLayout(counts);
}

LinkFrameView::LinkFrameView(QWidget* parent)
    : QGroupBox(QStringLiteral("      Comunicação com o CLP"), parent),
      ports(Named(new PortComboBox(this), name::kPortBox, QStringLiteral("Porta de comunicação"))),
      find(IconButton(this, name::kFindPlc, QStringLiteral("find-plc"), {}, QStringLiteral("Localizar CLP"))),
      progressBar(Named(new QProgressBar(this), name::kProgress, QStringLiteral("Progresso da transferência"))),
      progressText(Label(this, {})),
      write(IconButton(this, name::kWriteToPlc, QStringLiteral("write-plc"),
                       QStringLiteral("Grava conteúdo das listas correntes no CLP"), QStringLiteral("Grava CLP"))),
      verify(Named(new QCheckBox(QStringLiteral("Verificar após gravar"), this), name::kVerifyAfterWrite,
                   QStringLiteral("Verificar após gravar"))) {
  setObjectName(QStringLiteral("FrameComunicacao"));
  auto* prompt = Label(this, QStringLiteral("Selecione a porta de comunicação com o CLP"), ports);
  prompt->setWordWrap(true);
  prompt->setAlignment(Qt::AlignCenter);
  // Shown only while a transfer runs, in room kept for them; never takes the focus.
  progressBar->setTextVisible(false);
  progressBar->setFocusPolicy(Qt::NoFocus);
  progressBar->setMaximumHeight(progressBar->fontMetrics().height() / 2 + 2);
  progressText->setObjectName(name::kProgressText);
  progressText->setAlignment(Qt::AlignCenter);
  // "Gravando: quadro 37 de 511 — faltam 14 s" whole in the frame, in two lines kept for it.
  progressText->setWordWrap(true);
  progressText->setMinimumHeight(2 * progressText->fontMetrics().lineSpacing());
  // Its width is the frame's: a word-wrapped label's own hint may ask for a whole line of text (it did on Windows).
  progressText->setSizePolicy(QSizePolicy::Ignored, progressText->sizePolicy().verticalPolicy());
  for (QWidget* shownWhileSending : std::initializer_list<QWidget*>{progressBar, progressText}) {
    QSizePolicy policy = shownWhileSending->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    shownWhileSending->setSizePolicy(policy);
  }
  verify->setToolTip(QStringLiteral("Depois de gravar, lê de volta cada palavra gravada e a compara"));
  auto* writeRow = new QHBoxLayout;
  writeRow->addWidget(Label(this, QStringLiteral("Grava CLP"), write));
  writeRow->addWidget(write);
  writeRow->addStretch(1);
  auto* frame = new QVBoxLayout(this);
  frame->addWidget(prompt);
  auto* portRow = new QHBoxLayout;
  portRow->addStretch(1);
  portRow->addWidget(ports);
  portRow->addWidget(find);
  portRow->addStretch(1);
  frame->addLayout(portRow);
  frame->addWidget(progressBar);
  frame->addWidget(progressText);
  frame->addLayout(writeRow);
  frame->addWidget(verify);
}

}  // namespace zelkor
