#include "Pages.h"

#include "ControlNames.h"
#include "GridClicks.h"
#include "Widgets.h"
#include "link/LinkMonitor.h"
#include "model/Version.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

namespace zelkor {

ListPage::ListPage(const ListPageLook& look, QWidget* parent)
    : QWidget(parent),
      grid(Named(new KeyboardGrid(this), look.grid, look.gridName)),
      up(IconButton(this, look.up, QStringLiteral("arrow-up"), QStringLiteral("Mover linha para cima"),
                    QStringLiteral("Mover linha para cima"))),
      down(IconButton(this, look.down, QStringLiteral("arrow-down"), QStringLiteral("Mover linha para baixo"),
                      QStringLiteral("Mover linha para baixo"))),
      clearList(IconButton(this, look.clearList, QStringLiteral("clear-list"), look.clearListTip, look.clearListName)),
      remove(TextButton(this, look.remove, QStringLiteral("Remover"), QStringLiteral("Remover"))),
      edit(TextButton(this, look.edit, QStringLiteral("Editar"), QStringLiteral("Editar"))),
      clearFields(IconButton(this, look.clearFields, QStringLiteral("clear-fields"),
                             QStringLiteral("Apaga campos de digitação ao lado"), QStringLiteral("Limpar campos"))),
      include(IconButton(this, look.include, QStringLiteral("add-line"),
                         QStringLiteral("Inclui linha digitada na lista acima"), QStringLiteral("Incluir linha"))) {
  grid->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  auto* arrows = new QVBoxLayout;
  arrows->addStretch(1);
  arrows->addWidget(up);
  arrows->addWidget(down);
  arrows->addStretch(1);
  arrows->addWidget(clearList);
  auto* gridRow = new QHBoxLayout;
  gridRow->addWidget(grid, 1);
  gridRow->addLayout(arrows);

  auto* rowButtons = new QHBoxLayout;
  rowButtons->addWidget(remove);
  rowButtons->addWidget(edit);
  rowButtons->addStretch(1);

  // Each field under its label; the tick too. Limpar campos before them, Incluir after.
  auto* entry = new QGridLayout;
  entry->addWidget(clearFields, 0, 0, 2, 1, Qt::AlignBottom);
  int column = 1;
  for (const ListPageLook::Entry& e : look.entries) {
    entries.push_back(Field(this, e.objectName, e.maxLength, e.label));
    entry->addWidget(Label(this, e.label, entries.back()), 0, column);
    entry->addWidget(entries.back(), 1, column++);
  }
  if (!look.tick.isEmpty()) {
    tick = Named(new QCheckBox(this), look.tick, QStringLiteral("Editável"));
    entry->addWidget(Label(this, QStringLiteral("Editável"), tick), 0, column);
    entry->addWidget(tick, 1, column++, Qt::AlignCenter);
  }
  entry->addWidget(include, 0, column++, 2, 1, Qt::AlignBottom);
  entry->setColumnStretch(column, 1);

  auto* page = new QVBoxLayout(this);
  page->addLayout(gridRow, 1);
  page->addLayout(rowButtons);
  page->addLayout(entry);
  readingOrder = {grid, up, down, clearList, remove, edit};
  readingOrder.insert(readingOrder.end(), entries.begin(), entries.end());
  if (tick) readingOrder.push_back(tick);
  readingOrder.push_back(include);
  readingOrder.push_back(clearFields);
}

MonitorPage::MonitorPage(QWidget* parent)
    : QWidget(parent),
      lines(Named(new QPlainTextEdit(this), name::kMonitor, QStringLiteral("Monitor da comunicação"))),
      clear(TextButton(this, name::kClearMonitor, QStringLiteral("Limpar"), QStringLiteral("Limpar o monitor"))),
      save(TextButton(this, name::kSaveMonitor, QStringLiteral("Salvar…"), QStringLiteral("Salvar o monitor"))) {
  lines->setReadOnly(true);
  lines->setLineWrapMode(QPlainTextEdit::NoWrap);
  lines->setMaximumBlockCount(LinkMonitor::kMaxLines);
  lines->setFont(FixedPitchFont());  // a frame's bytes line up under each other
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(clear);
  buttons->addWidget(save);
  buttons->addStretch(1);
  auto* page = new QVBoxLayout(this);
  page->addWidget(lines, 1);
  page->addLayout(buttons);
  SetTabOrder({lines, clear, save});
}

namespace {
// The program's icon, drawn when shown.
class PanelPicture final : public QWidget {
 public:
  using QWidget::QWidget;
  QSize sizeHint() const override { return {120, 120}; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QIcon(QStringLiteral(":/icons/zelkor-editor-256.png")).paint(&painter, rect());
  }
};
}  // namespace

AboutPage::AboutPage(QWidget* parent) : QWidget(parent) {
  auto* page = new QVBoxLayout(this);
  page->addStretch(1);
  page->addWidget(new PanelPicture(this), 0, Qt::AlignHCenter);
  page->addWidget(Label(this, QStringLiteral("<b>Zelkor Editor</b>")), 0, Qt::AlignHCenter);
  page->addWidget(Label(this, QStringLiteral("Versão ") + kVersion), 0, Qt::AlignHCenter);
  // Plain text where it can be: only the homepage is a link, opened by the desktop's browser.
  page->addWidget(Label(this, QStringLiteral("Licença MIT")), 0, Qt::AlignHCenter);
  auto* homepage = Label(this, QStringLiteral("<a href=\"%1\">%1</a>").arg(kHomepage));
  Named(homepage, QStringLiteral("PaginaDoPrograma"), QStringLiteral("Página do programa"));
  homepage->setOpenExternalLinks(true);
  homepage->setTextInteractionFlags(Qt::TextBrowserInteraction);
  page->addWidget(homepage, 0, Qt::AlignHCenter);
  page->addWidget(Label(this, QStringLiteral("Qt %1").arg(QString::fromLatin1(qVersion()))), 0, Qt::AlignHCenter);
  page->addWidget(Label(this, QStringLiteral("Manual: F1")), 0, Qt::AlignHCenter);
  page->addStretch(1);
}

}  // namespace zelkor
