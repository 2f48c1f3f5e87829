#pragma once

#include "core/Grid.h"

class QTableView;

namespace zelkor {

class GridTableModel;

// Binds a table view to a grid: its model, column widths and alignments in
// twips, the control width, hidden columns (width 0), and scrolling requests.
GridTableModel* BindGridView(QTableView& view, Grid& grid);

}  // namespace zelkor
