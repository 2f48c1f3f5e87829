#pragma once

#include <QTableView>

#include <functional>

namespace zelkor {

// A grid whose lines can also be walked with the keyboard: moving to a line
// picks it as a click does, Enter edits it as a double-click does.
class KeyboardGrid final : public QTableView {
  Q_OBJECT

 public:
  using QTableView::QTableView;

 Q_SIGNALS:
  void LinePicked(int line);
  void LineActivated(int line);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// Reports clicks and double-clicks on a grid's data lines as line numbers
// (1 = first data line), and the keyboard's picks on a KeyboardGrid. A
// double-click is preceded by its click; the release that ends a
// double-click is not reported as another click.
void BindGridClicks(QTableView& view, std::function<void(int)> click, std::function<void(int)> doubleClick);

}  // namespace zelkor
