#include "PortComboBox.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QWheelEvent>

namespace zelkor {

namespace {
bool MovesFocus(const QKeyEvent* event) { return event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab; }
}  // namespace

void PortComboBox::showPopup() {
  if (beforePopup) beforePopup();
  // The box is narrow; its list is as wide as its entries.
  view()->setMinimumWidth(view()->sizeHintForColumn(0) + 2 * view()->frameWidth() + 4);
  QComboBox::showPopup();
}

void PortComboBox::keyPressEvent(QKeyEvent* event) {
  if (MovesFocus(event)) {
    QComboBox::keyPressEvent(event);
    return;
  }
  // No key changes the entry, but the keyboard may open the list and pick in
  // it, as the mouse does.
  const bool opens = event->key() == Qt::Key_Space || event->key() == Qt::Key_F4 ||
                     (event->modifiers() & Qt::AltModifier && event->key() == Qt::Key_Down);
  if (opens) showPopup();
  event->accept();
}

void PortComboBox::keyReleaseEvent(QKeyEvent* event) { event->accept(); }

void PortComboBox::wheelEvent(QWheelEvent* event) { event->accept(); }

}  // namespace zelkor
