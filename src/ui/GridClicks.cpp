#include "GridClicks.h"

#include <QKeyEvent>

#include <memory>

namespace zelkor {

void KeyboardGrid::keyPressEvent(QKeyEvent* event) {
  const int before = currentIndex().row();
  QTableView::keyPressEvent(event);
  const QModelIndex now = currentIndex();
  if (!now.isValid()) return;
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    Q_EMIT LineActivated(now.row() + 1);
  } else if (now.row() != before) {
    Q_EMIT LinePicked(now.row() + 1);
  }
}

void BindGridClicks(QTableView& view, std::function<void(int)> click, std::function<void(int)> doubleClick) {
  auto afterDouble = std::make_shared<bool>(false);
  QObject::connect(&view, &QAbstractItemView::pressed, &view,
                   [afterDouble](const QModelIndex&) { *afterDouble = false; });
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
  if (auto* keyboard = qobject_cast<KeyboardGrid*>(&view)) {
    QObject::connect(keyboard, &KeyboardGrid::LinePicked, keyboard, click);
    QObject::connect(keyboard, &KeyboardGrid::LineActivated, keyboard, doubleClick);
  }
}

}  // namespace zelkor
