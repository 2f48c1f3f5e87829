#pragma once

#include "model/Message.h"

#include <exception>
#include <utility>

namespace zelkor {

// A modal message box: shows the message and returns the button pressed.
class MessageService {
 public:
  virtual ~MessageService() = default;
  virtual Answer Show(const Message& message) = 0;
};

// The convention for every unexpected error: its own description, OK only,
// no icon, the program's title.
void ReportUnexpectedError(MessageService& messages, const QString& description);

// Runs one command or operation under that convention. Returns false when an
// error stopped it; what it did before the error stays done.
template <class Step>
bool Guarded(MessageService& messages, Step&& step) {
  try {
    std::forward<Step>(step)();
    return true;
  } catch (const std::exception& e) {
    ReportUnexpectedError(messages, QString::fromUtf8(e.what()));
  } catch (...) {
    ReportUnexpectedError(messages, QStringLiteral("Erro inesperado."));
  }
  return false;
}

}  // namespace zelkor
