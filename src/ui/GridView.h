#pragma once

#include "GridTableModel.h"

class QTableView;

namespace zelkor {

// Binds a table view to a list's model: column widths and alignments in
// twips, the control width, and the rows commands ask to see.
ListTableModel* BindGridView(QTableView& view, EditorState& state, bool variables);

}  // namespace zelkor
