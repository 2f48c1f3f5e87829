#include "GridView.h"

#include "GridTableModel.h"

#include <QHeaderView>
#include <QTableView>

namespace zelkor {

namespace {
void ApplyLook(QTableView& view, const ListTableModel& model) {
  for (int c = 0; c < model.columnCount(); ++c) {
    view.setColumnWidth(c, TwipsToPixels(model.Columns()[static_cast<size_t>(c)].width));
  }
  view.resize(TwipsToPixels(model.ControlWidth()), view.height());
}
}  // namespace

ListTableModel* BindGridView(QTableView& view, EditorState& state, bool variables) {
  auto* model = new ListTableModel(state, variables, &view);
  view.setModel(model);
  view.verticalHeader()->hide();
  view.verticalHeader()->setDefaultSectionSize(18);
  view.horizontalHeader()->setHighlightSections(false);
  view.horizontalHeader()->setSectionsClickable(false);
  // Column widths are fixed in twips: a slightly smaller header font keeps "Endereço" whole.
  QFont headerFont = view.font();
  headerFont.setPointSizeF(headerFont.pointSizeF() * 0.9);
  view.horizontalHeader()->setFont(headerFont);
  // The selection is shown by the cells' colours, which the page state decides, not by Qt's.
  view.setSelectionMode(QAbstractItemView::NoSelection);
  view.setEditTriggers(QAbstractItemView::NoEditTriggers);
  view.setWordWrap(false);
  view.setCornerButtonEnabled(false);
  view.setTabKeyNavigation(false);  // Tab leaves the grid; the arrows walk it

  ApplyLook(view, *model);
  // The row count decides the control width.
  QObject::connect(model, &QAbstractItemModel::modelReset, &view, [&view, model] { ApplyLook(view, *model); });
  QObject::connect(model, &ListTableModel::RowRequested, &view, [&view, model](int line) {
    if (line >= 1 && line <= model->rowCount()) {
      view.scrollTo(model->index(line - 1, 0), QAbstractItemView::PositionAtTop);
    }
  });
  return model;
}

}  // namespace zelkor
