#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace zelkor {

// WriteAnywayCancel: "Gravar assim mesmo" (Yes) and "Cancelar" (Cancel, the default and Escape).
enum class MessageButtons { Ok, YesNoCancel, WriteAnywayCancel };
enum class MessageIcon { None, Exclamation, Information, Critical };
enum class Answer { Ok, Yes, No, Cancel };

// Every title a message box can have: the catalogue the manual's table of
// messages is checked against, so a new box cannot go unexplained.
enum class MessageTitle {
  Program,  // unexpected and system errors
  FileNotFound,
  FileNotRead,
  WarningsBeforeWrite,
  SearchRunning,
  PlcFound,
  PlcNotFound,
  PlcNotResponding,
  Comparison,
  CommunicationEnded,
  RecoveryCopy,
  RecoveryCopyDamaged,
  InvalidAddress,
  AddressMissing,
  GroupNotNumeric,
  ReadRunning,
  ReadInterrupted,
  ReadOk,
  LineNotIncluded,
  NothingSent,
  NothingRead,
  NothingToSend,
  NothingToSave,
  SpreadsheetNotImported,
  PortInUse,
  PortInvalid,
  RecoverLists,
  SaveCurrentData,
  GroupSequence,
  TextLength,
  TransmissionRunning,
  TransmissionOk,
  VerificationFailed,
  CheckLists,
};
inline constexpr int kMessageTitles = static_cast<int>(MessageTitle::CheckLists) + 1;

// The title as the technician reads it.
QString TitleText(MessageTitle title);

// The section of the manual's chapter on messages that says what to check
// next; a box with one offers "Ajuda".
enum class MessageHelp {
  None,
  PlcNotResponding,
  CommunicationEnded,
  ReadInterrupted,
  VerificationFailed,
  NothingRead,
  PortInvalid,
  PortInUse,
  PlcNotFound,
  PortLost,
  PortNoAccess,
  PortNotOpened,
};
inline constexpr int kMessageHelps = static_cast<int>(MessageHelp::PortNotOpened) + 1;

// The anchor of that section in the chapter; empty for None.
QString HelpAnchor(MessageHelp help);

// What a message box shows; shown through MessageService.
struct Message {
  QString text;  // lines separated by CR LF
  MessageTitle title = MessageTitle::Program;
  MessageButtons buttons = MessageButtons::Ok;
  MessageIcon icon = MessageIcon::None;
  MessageHelp help = MessageHelp::None;
  friend bool operator==(const Message&, const Message&) = default;
};

// The common warning: OK only, exclamation icon.
inline Message Exclamation(const QString& text, MessageTitle title, MessageHelp help = MessageHelp::None) {
  return {text, title, MessageButtons::Ok, MessageIcon::Exclamation, help};
}

// A system's or the program's own error in its own words: OK only, no icon, the program's title.
inline Message SystemError(const QString& text, MessageHelp help = MessageHelp::None) {
  return {text, MessageTitle::Program, MessageButtons::Ok, MessageIcon::None, help};
}

inline QString JoinLines(const QStringList& lines) { return lines.join(QStringLiteral("\r\n")); }

}  // namespace zelkor
