#include "ComparisonDialog.h"

#include "HelpWindow.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <memory>

namespace zelkor {

std::unique_ptr<QDialog> BuildComparisonDialog(const QString& title, const PlcComparison& comparison, QWidget* parent) {
  auto dialog = std::make_unique<QDialog>(parent);
  dialog->setObjectName(QStringLiteral("ComparacaoCLP"));
  dialog->setWindowTitle(title);
  auto* layout = new QVBoxLayout(dialog.get());
  auto* summary = new QLabel(comparison.Summary(), dialog.get());
  summary->setObjectName(QStringLiteral("ResumoComparacao"));
  summary->setWordWrap(true);
  summary->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
  layout->addWidget(summary);
  auto* table = new QTableWidget(static_cast<int>(comparison.rows.size()), 4, dialog.get());
  table->setObjectName(QStringLiteral("DiferencasCLP"));
  table->setAccessibleName(QStringLiteral("Linhas que diferem entre o editor e o CLP"));
  table->setHorizontalHeaderLabels(
      {QStringLiteral("Lista"), QStringLiteral("Linha"), QStringLiteral("No editor"), QStringLiteral("No CLP")});
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setTabKeyNavigation(false);  // Tab leaves the table for the buttons
  table->verticalHeader()->hide();
  // Fixed pitch: an alarm's two halves, and where a text sits, line up.
  QFont font(QStringLiteral("Courier"));
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  for (int r = 0; r < table->rowCount(); ++r) {
    const ComparedRow& row = comparison.rows[static_cast<size_t>(r)];
    const QStringList cells{row.list, QString::number(row.line), row.editor, row.plc};
    for (int c = 0; c < 4; ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      if (c >= 2) item->setFont(font);
      table->setItem(r, c, item);
    }
  }
  table->resizeColumnsToContents();
  // Qt measures the fixed-pitch rows to the last pixel: a row's last character would touch the grid line.
  for (int c = 2; c < 4; ++c) table->setColumnWidth(c, table->columnWidth(c) + QFontMetrics(font).averageCharWidth());
  table->setMinimumWidth(std::min(900, table->horizontalHeader()->length() + 40));
  layout->addWidget(table);
  auto* buttons = new QDialogButtonBox(dialog.get());
  auto* use = buttons->addButton(QStringLiteral("Usar o CLP"), QDialogButtonBox::AcceptRole);
  use->setObjectName(QStringLiteral("BotãoUsarCLP"));
  auto* close = buttons->addButton(QStringLiteral("Fechar"), QDialogButtonBox::RejectRole);
  close->setObjectName(QStringLiteral("BotãoFecharComparacao"));
  close->setDefault(true);  // Enter keeps the lists
  auto* help = buttons->addButton(QStringLiteral("Ajuda"), QDialogButtonBox::HelpRole);
  help->setObjectName(QStringLiteral("BotãoAjudaComparacao"));
  help->setToolTip(QStringLiteral("O que a comparação mostra e o que fazer com ela (F1)"));
  auto* f1 = new QAction(dialog.get());
  f1->setShortcut(QKeySequence::HelpContents);
  dialog->addAction(f1);
  QDialog* owner = dialog.get();
  const auto openHelp = [owner, manual = std::make_shared<QPointer<HelpWindow>>()] {
    ShowManual(*manual, *owner, QStringLiteral("ler-comparar-verificar.html#compara-clp"));
  };
  QObject::connect(buttons, &QDialogButtonBox::helpRequested, owner, openHelp);
  QObject::connect(f1, &QAction::triggered, owner, openHelp);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog.get(), &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog.get(), &QDialog::reject);
  layout->addWidget(buttons);
  table->setFocus();
  return dialog;
}

bool QtComparisonDialog::Show(const QString& title, const PlcComparison& comparison) {
  return BuildComparisonDialog(title, comparison, parent_)->exec() == QDialog::Accepted;
}

}  // namespace zelkor
