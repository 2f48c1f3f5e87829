#include "GridClicks.h"

#include <QTableView>

#include <memory>

namespace zelkor {

void BindGridClicks(QTableView& view, std::function<void(int)> click, std::function<void(int)> doubleClick) {
  auto afterDouble = std::make_shared<bool>(false);
  QObject::connect(&view, &QAbstractItemView::pressed, &view, [afterDouble](const QModelIndex&) {
    *afterDouble = false;
  });
  QObject::connect(&view, &QAbstractItemView::clicked, &view, [afterDouble, click](const QModelIndex& index) {
    if (*afterDouble) {
      *afterDouble = false;
      return;
    }
    click(index.row() + 1);
  });
  QObject::connect(&view, &QAbstractItemView::doubleClicked, &view,
                   [afterDouble, doubleClick](const QModelIndex& index) {
                     *afterDouble = true;
                     doubleClick(index.row() + 1);
                   });
}

}  // namespace zelkor
