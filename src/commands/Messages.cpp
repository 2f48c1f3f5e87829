#include "Messages.h"

namespace zelkor {

void ReportUnexpectedError(MessageService& messages, const QString& description) {
  messages.Show({description, MessageTitle::Program, MessageButtons::Ok, MessageIcon::None});
}

}  // namespace zelkor
