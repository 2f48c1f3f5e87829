#pragma once

#include <QString>
#include <QStringList>

namespace zelkor {

// WriteAnywayCancel: "Gravar assim mesmo" (Yes) and "Cancelar" (Cancel, the default and Escape).
enum class MessageButtons { Ok, YesNoCancel, WriteAnywayCancel };
enum class MessageIcon { None, Exclamation, Information, Critical };
enum class Answer { Ok, Yes, No, Cancel };

// What a message box shows; shown through MessageService.
struct Message {
  QString text;  // lines separated by CR LF
  QString title;
  MessageButtons buttons = MessageButtons::Ok;
  MessageIcon icon = MessageIcon::None;
  friend bool operator==(const Message&, const Message&) = default;
};

// The common warning: OK only, exclamation icon.
inline Message Exclamation(const QString& text, const QString& title) {
  return {text, title, MessageButtons::Ok, MessageIcon::Exclamation};
}

inline const QString kProgramTitle = QStringLiteral("Marbeto");

inline QString JoinLines(const QStringList& lines) { return lines.join(QStringLiteral("\r\n")); }

}  // namespace zelkor
