#include "Editor.h"

#include "PlcRead.h"

namespace zelkor {

Editor::Editor(MessageService& messageService, FileDialogService& dialogService, SerialPort& port, Deadline& deadline,
               EventRunner runLinkEvent)
    : messages(messageService), dialogs(dialogService), plcLink(port, deadline) {
  if (!runLinkEvent) runLinkEvent = [this](const std::function<void()>& event) { Guarded(messages, event); };
  plcLink.runEvent = std::move(runLinkEvent);
  QObject::connect(&plcLink, &PlcLink::PortLost, &plcLink, [this](const QString& description) {
    ShowPortClosed(*this);
    messages.Show(SystemError(description, MessageHelp::PortLost));
  });
}

}  // namespace zelkor
