#pragma once

#include "GridTableModel.h"

class QTableView;

namespace zelkor {

// Binds a table view to a list's model: column widths from the view's fonts,
// and the rows commands ask to see.
ListTableModel* BindGridView(QTableView& view, Editor& state, bool variables);

}  // namespace zelkor
