#include "GridView.h"

#include "GridTableModel.h"

#include <QHeaderView>
#include <QTableView>

namespace zelkor {

namespace {
void ApplyLook(QTableView& view, const Grid& grid) {
  for (int c = 0; c < view.model()->columnCount(); ++c) {
    const int width = grid.ColumnWidth(c);
    view.setColumnHidden(c, width == 0);
    if (width > 0) view.setColumnWidth(c, TwipsToPixels(width));
  }
  view.resize(TwipsToPixels(grid.ControlWidth()), view.height());
}
}  // namespace

GridTableModel* BindGridView(QTableView& view, Grid& grid) {
  auto* model = new GridTableModel(grid, &view);
  view.setModel(model);
  view.verticalHeader()->hide();
  view.verticalHeader()->setDefaultSectionSize(18);
  view.horizontalHeader()->setHighlightSections(false);
  view.horizontalHeader()->setSectionsClickable(false);
  // Column widths are fixed in twips: a slightly smaller header font keeps "Endereço" whole.
  QFont headerFont = view.font();
  headerFont.setPointSizeF(headerFont.pointSizeF() * 0.9);
  view.horizontalHeader()->setFont(headerFont);
  // The selection is shown by cell colours that the commands set, not by Qt's.
  view.setSelectionMode(QAbstractItemView::NoSelection);
  view.setEditTriggers(QAbstractItemView::NoEditTriggers);
  view.setWordWrap(false);
  view.setCornerButtonEnabled(false);
  view.setTabKeyNavigation(false);  // Tab leaves the grid; the arrows walk it

  ApplyLook(view, grid);
  QObject::connect(&grid, &Grid::LookChanged, &view, [&view, &grid] { ApplyLook(view, grid); });
  // A model reset forgets hidden columns.
  QObject::connect(model, &QAbstractItemModel::modelReset, &view, [&view, &grid] { ApplyLook(view, grid); });
  QObject::connect(&grid, &Grid::TopLineRequested, &view, [&view, model](int line) {
    if (line >= 1 && line <= model->rowCount()) {
      view.scrollTo(model->index(line - 1, 0), QAbstractItemView::PositionAtTop);
    }
  });
  return model;
}

}  // namespace zelkor
