#include "GridTableModel.h"

#include <QColor>

namespace zelkor {

namespace {
Qt::Alignment ToQt(CellAlignment a) {
  return a == CellAlignment::Centre ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignVCenter);
}
}  // namespace

GridTableModel::GridTableModel(Grid& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {
  // Lines move as a whole (sort, removal, growth): a reset is cheap for 255 rows.
  connect(&grid_, &Grid::LinesAboutToChange, this, [this] { beginResetModel(); });
  connect(&grid_, &Grid::LinesChanged, this, [this] { endResetModel(); });
  connect(&grid_, &Grid::CellsChanged, this,
          [this](int l0, int c0, int l1, int c1) { Q_EMIT dataChanged(index(l0 - 1, c0), index(l1 - 1, c1)); });
  connect(&grid_, &Grid::HeaderChanged, this,
          [this] { Q_EMIT headerDataChanged(Qt::Horizontal, 0, grid_.Columns() - 1); });
  connect(&grid_, &Grid::LookChanged, this, [this] {
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, grid_.Columns() - 1);
    if (grid_.DataLineCount() > 0) {
      Q_EMIT dataChanged(index(0, 0), index(grid_.DataLineCount() - 1, grid_.Columns() - 1), {Qt::TextAlignmentRole});
    }
  });
}

int GridTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : grid_.DataLineCount(); }

// Columns never shown (the order key) are left out, so that a screen reader
// does not find them either.
int GridTableModel::columnCount(const QModelIndex& parent) const {
  int shown = grid_.Columns();
  while (shown > 0 && grid_.ColumnWidth(shown - 1) == 0) --shown;
  return parent.isValid() ? 0 : shown;
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int line = index.row() + 1;
  switch (role) {
    case Qt::DisplayRole:
      return grid_.Text(line, index.column());
    case Qt::BackgroundRole: {
      const Rgb c = grid_.Background(line, index.column());
      return QColor(c.r, c.g, c.b);
    }
    case Qt::TextAlignmentRole:
      return static_cast<int>(ToQt(grid_.Alignment(index.column())));
    default:
      return {};
  }
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  // The line headers are not shown, but a screen reader names each line by them.
  if (orientation == Qt::Vertical && (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)) {
    return QStringLiteral("Linha %1").arg(section + 1);
  }
  if (orientation != Qt::Horizontal || section < 0 || section >= grid_.Columns()) return {};
  if (role == Qt::DisplayRole) return grid_.Text(0, section);
  if (role == Qt::TextAlignmentRole) return static_cast<int>(ToQt(grid_.Alignment(section)));
  // The fixed column's header shares its column's colour (red after a failed group check).
  if (role == Qt::BackgroundRole && section < grid_.FixedColumns()) {
    const Rgb c = grid_.Background(0, section);
    return QColor(c.r, c.g, c.b);
  }
  return {};
}

}  // namespace zelkor
