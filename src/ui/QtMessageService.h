#pragma once

#include "commands/Messages.h"

#include <memory>

class QMessageBox;
class QWidget;

namespace zelkor {

// The message service bound to QMessageBox.
class QtMessageService final : public MessageService {
 public:
  explicit QtMessageService(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  Answer Show(const Message& message) override;

 private:
  QWidget* parent_;
};

// The box as it will be shown: icon, title, text and buttons.
std::unique_ptr<QMessageBox> BuildMessageBox(const Message& message, QWidget* parent);

// CR LF separates the lines of a message; Qt breaks lines on LF alone.
QString ToDisplayText(const QString& text);

}  // namespace zelkor
