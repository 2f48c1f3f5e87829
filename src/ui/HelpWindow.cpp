#include "HelpWindow.h"

#include "Widgets.h"

#include <QAction>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace zelkor {

namespace {

const QString kRoot = QStringLiteral("qrc:/manual/");

// The chapters in the order the index lists them, the index first.
QStringList Chapters() {
  QFile index(QStringLiteral(":/manual/index.html"));
  QStringList chapters{QStringLiteral("index.html")};
  if (!index.open(QIODevice::ReadOnly)) return chapters;
  static const QRegularExpression link(QStringLiteral(R"(href="([a-z0-9-]+\.html))"));
  for (const auto& m : link.globalMatch(QString::fromUtf8(index.readAll()))) {
    if (!chapters.contains(m.captured(1))) chapters << m.captured(1);
  }
  return chapters;
}

bool ChapterHas(const QString& chapter, const QString& text) {
  QFile file(QStringLiteral(":/manual/") + chapter);
  if (!file.open(QIODevice::ReadOnly)) return false;
  QTextDocument page;
  page.setHtml(QString::fromUtf8(file.readAll()));
  return !page.find(text).isNull();
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window),
      browser_(Named(new QTextBrowser(this), QStringLiteral("TextoManual"), QStringLiteral("Manual"))),
      search_(Named(new QLineEdit(this), QStringLiteral("ProcurarManual"), QStringLiteral("Procurar no manual"))),
      notFound_(new QLabel(QStringLiteral("Não encontrado no manual."), this)) {
  setObjectName(QStringLiteral("JanelaAjuda"));
  setWindowTitle(QStringLiteral("Manual do Zelkor Editor"));
  resize(900, 700);
  const auto button = [this](const QString& name, const QString& caption, const QString& toolTip) {
    auto* b = TextButton(this, name, caption, QString(caption).remove(u'&'));
    b->setToolTip(toolTip);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
  };
  QPushButton* back = button(QStringLiteral("BotãoVoltarManual"), QStringLiteral("&Voltar"),
                             QStringLiteral("A página vista antes (Alt+Esquerda)"));
  QPushButton* forward = button(QStringLiteral("BotãoAvançarManual"), QStringLiteral("A&vançar"),
                                QStringLiteral("A página seguinte do histórico (Alt+Direita)"));
  QPushButton* home =
      button(QStringLiteral("BotãoÍndiceManual"), QStringLiteral("Í&ndice"), QStringLiteral("O índice do manual"));
  search_->setPlaceholderText(QStringLiteral("Procurar no manual (Enter: próxima)"));
  search_->setClearButtonEnabled(true);
  notFound_->hide();
  auto* bar = new QHBoxLayout;
  for (QPushButton* b : {back, forward, home}) bar->addWidget(b);
  bar->addWidget(Label(this, QStringLiteral("&Procurar:"), search_));
  bar->addWidget(search_, 1);
  bar->addWidget(notFound_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(browser_, 1);
  browser_->setOpenExternalLinks(true);
  back->setEnabled(false);
  forward->setEnabled(false);
  connect(browser_, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
  connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
  connect(home, &QPushButton::clicked, this, [this] { Open(QStringLiteral("index.html")); });
  connect(search_, &QLineEdit::returnPressed, this, [this] { notFound_->setVisible(!Find(search_->text())); });
  connect(search_, &QLineEdit::textEdited, notFound_, &QWidget::hide);
  auto* find = new QAction(this);
  find->setShortcut(QKeySequence::Find);
  connect(find, &QAction::triggered, search_, [this] { search_->setFocus(Qt::ShortcutFocusReason); });
  addAction(find);
}

void HelpWindow::Open(const QString& page) { browser_->setSource(QUrl(kRoot + page)); }

QUrl HelpWindow::Shown() const { return browser_->source(); }

bool HelpWindow::Find(const QString& text) {
  if (text.isEmpty()) return true;
  if (browser_->find(text)) return true;
  const QStringList chapters = Chapters();
  const QString current = browser_->source().fileName();
  const qsizetype at = std::max<qsizetype>(chapters.indexOf(current), 0);
  // The following chapters, then back round to the start of this one.
  for (qsizetype step = 1; step <= chapters.size(); ++step) {
    const QString& chapter = chapters[(at + step) % chapters.size()];
    if (chapter != current && !ChapterHas(chapter, text)) continue;
    browser_->setSource(QUrl(kRoot + chapter));
    browser_->moveCursor(QTextCursor::Start);
    return browser_->find(text);
  }
  return false;
}

HelpWindow& ShowManual(QPointer<HelpWindow>& help, QWidget& owner, const QString& page) {
  if (!help) help = new HelpWindow(&owner);
  help->Open(page);
  help->show();
  help->raise();
  help->activateWindow();
  return *help;
}

QString MessagePage(const QString& anchor) { return QStringLiteral("mensagens.html#") + anchor; }

}  // namespace zelkor
