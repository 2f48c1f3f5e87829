#include "Messages.h"

namespace zelkor {

void ReportUnexpectedError(MessageService& messages, const QString& description) {
  messages.Show(SystemError(description));
}

}  // namespace zelkor
