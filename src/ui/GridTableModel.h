#pragma once

#include "core/Grid.h"

#include <QAbstractTableModel>

namespace zelkor {

// Shows a Grid to a QTableView: grid line 0 is the header, data lines are rows.
class GridTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit GridTableModel(Grid& grid, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  Grid& grid_;
};

}  // namespace zelkor
