#pragma once

#include <QComboBox>

#include <functional>

namespace zelkor {

// ComboPorta: the port is picked from the list, with the mouse or, once Space,
// F4 or Alt+Down has opened it, with the keyboard. Keys on the closed box (and
// the wheel) never change the entry; Tab still moves the focus on. Just
// before the list opens, the owner refreshes what each entry stands for.
class PortComboBox final : public QComboBox {
  Q_OBJECT

 public:
  using QComboBox::QComboBox;

  std::function<void()> beforePopup;

  void showPopup() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
};

}  // namespace zelkor
