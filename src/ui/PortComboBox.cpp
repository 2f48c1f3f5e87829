#include "PortComboBox.h"

#include <QKeyEvent>
#include <QWheelEvent>

namespace zelkor {

namespace {
bool MovesFocus(const QKeyEvent* event) { return event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab; }
}  // namespace

void PortComboBox::showPopup() {
  if (beforePopup) beforePopup();
  QComboBox::showPopup();
}

void PortComboBox::keyPressEvent(QKeyEvent* event) {
  if (MovesFocus(event)) {
    QComboBox::keyPressEvent(event);
    return;
  }
  event->accept();
}

void PortComboBox::keyReleaseEvent(QKeyEvent* event) { event->accept(); }

void PortComboBox::wheelEvent(QWheelEvent* event) { event->accept(); }

}  // namespace zelkor
