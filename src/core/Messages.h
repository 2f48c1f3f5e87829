#pragma once

#include <QString>
#include <QStringList>

#include <exception>
#include <utility>

namespace zelkor {

enum class MessageButtons { Ok, YesNoCancel };
enum class MessageIcon { None, Exclamation, Information, Critical };
enum class Answer { Ok, Yes, No, Cancel };

struct Message {
  QString text;  // lines separated by CR LF
  QString title;
  MessageButtons buttons = MessageButtons::Ok;
  MessageIcon icon = MessageIcon::None;
  friend bool operator==(const Message&, const Message&) = default;
};

// A modal message box: shows the message and returns the button pressed.
class MessageService {
 public:
  virtual ~MessageService() = default;
  virtual Answer Show(const Message& message) = 0;
};

// The common warning: OK only, exclamation icon.
inline Message Exclamation(const QString& text, const QString& title) {
  return {text, title, MessageButtons::Ok, MessageIcon::Exclamation};
}

inline const QString kProgramTitle = QStringLiteral("Marbeto");

QString JoinLines(const QStringList& lines);

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
