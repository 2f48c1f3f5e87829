#include "GridView.h"

#include "GridTableModel.h"

#include <QHeaderView>
#include <QStyle>
#include <QTableView>

#include <algorithm>

namespace zelkor {

namespace {
// Each column as wide as its header or a typical cell, whichever is wider, in the fonts the view has.
void FitColumns(QTableView& view, const ListTableModel& model) {
  const int margin = 2 * (view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1);
  for (int c = 0; c < model.columnCount(); ++c) {
    const int cell = view.fontMetrics().horizontalAdvance(model.Columns()[static_cast<size_t>(c)].typical) + margin;
    view.setColumnWidth(c, std::max(view.horizontalHeader()->sectionSizeHint(c), cell));
  }
}
}  // namespace

ListTableModel* BindGridView(QTableView& view, Editor& state, bool variables) {
  auto* model = new ListTableModel(state, variables, &view);
  view.setModel(model);
  view.verticalHeader()->hide();
  view.verticalHeader()->setDefaultSectionSize(18);
  view.horizontalHeader()->setHighlightSections(false);
  view.horizontalHeader()->setSectionsClickable(false);
  // The selection is shown by the cells' colours, which the page state decides, not by Qt's.
  view.setSelectionMode(QAbstractItemView::NoSelection);
  view.setEditTriggers(QAbstractItemView::NoEditTriggers);
  view.setWordWrap(false);
  view.setCornerButtonEnabled(false);
  view.setTabKeyNavigation(false);  // Tab leaves the grid; the arrows walk it

  FitColumns(view, *model);
  // A model reset gives the header its default widths back.
  QObject::connect(model, &QAbstractItemModel::modelReset, &view, [&view, model] { FitColumns(view, *model); });
  QObject::connect(model, &ListTableModel::RowRequested, &view, [&view, model](int line) {
    if (line >= 1 && line <= model->rowCount()) {
      view.scrollTo(model->index(line - 1, 0), QAbstractItemView::PositionAtTop);
    }
  });
  return model;
}

}  // namespace zelkor
