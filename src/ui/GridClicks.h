#pragma once

#include <functional>

class QTableView;

namespace zelkor {

// Reports clicks and double-clicks on a grid's data lines as line numbers
// (1 = first data line). A double-click is preceded by its click; the release
// that ends a double-click is not reported as another click.
void BindGridClicks(QTableView& view, std::function<void(int)> click, std::function<void(int)> doubleClick);

}  // namespace zelkor
