#pragma once

#include "commands/Messages.h"

#include <functional>
#include <memory>

class QMessageBox;
class QWidget;

namespace zelkor {

// The message service bound to QMessageBox.
class QtMessageService final : public MessageService {
 public:
  explicit QtMessageService(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  // Where "Ajuda" takes the technician once the box has closed.
  void SetHelp(std::function<void(MessageHelp)> open) { openHelp_ = std::move(open); }
  Answer Show(const Message& message) override;

 private:
  QWidget* parent_;
  std::function<void(MessageHelp)> openHelp_;
};

// The box as it will be shown: icon, title, text and buttons, and "Ajuda" when the manual explains it.
std::unique_ptr<QMessageBox> BuildMessageBox(const Message& message, QWidget* parent);

// CR LF separates the lines of a message; Qt breaks lines on LF alone.
QString ToDisplayText(const QString& text);

}  // namespace zelkor
