#include "Messages.h"

namespace zelkor {

QString JoinLines(const QStringList& lines) { return lines.join(QStringLiteral("\r\n")); }

void ReportUnexpectedError(MessageService& messages, const QString& description) {
  messages.Show({description, kProgramTitle, MessageButtons::Ok, MessageIcon::None});
}

}  // namespace zelkor
