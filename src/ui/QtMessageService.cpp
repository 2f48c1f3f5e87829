#include "QtMessageService.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

namespace zelkor {

QString ToDisplayText(const QString& text) {
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

std::unique_ptr<QMessageBox> BuildMessageBox(const Message& message, QWidget* parent) {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  switch (message.icon) {
    case MessageIcon::None:
      icon = QMessageBox::NoIcon;
      break;
    case MessageIcon::Exclamation:
      icon = QMessageBox::Warning;
      break;
    case MessageIcon::Information:
      icon = QMessageBox::Information;
      break;
    case MessageIcon::Critical:
      icon = QMessageBox::Critical;
      break;
  }
  QMessageBox::StandardButtons buttons = QMessageBox::Ok;
  if (message.buttons == MessageButtons::YesNoCancel)
    buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  if (message.buttons == MessageButtons::WriteAnywayCancel) buttons = QMessageBox::Yes | QMessageBox::Cancel;
  auto box =
      std::make_unique<QMessageBox>(icon, TitleText(message.title), ToDisplayText(message.text), buttons, parent);
  box->setTextFormat(Qt::PlainText);
  if (message.buttons == MessageButtons::WriteAnywayCancel) {
    // A key pressed out of habit must not send lists the technician was just warned about.
    box->button(QMessageBox::Yes)->setText(QStringLiteral("Gravar assim mesmo"));
    box->button(QMessageBox::Cancel)->setText(QStringLiteral("Cancelar"));
    box->setDefaultButton(QMessageBox::Cancel);
    box->setEscapeButton(QMessageBox::Cancel);
  }
  if (message.help != MessageHelp::None) {
    QPushButton* help = box->addButton(QStringLiteral("Ajuda"), QMessageBox::HelpRole);
    help->setObjectName(QStringLiteral("BotãoAjuda"));
    help->setToolTip(QStringLiteral("Abre o manual no que fazer diante desta mensagem"));
    // Enter and Escape still close the box, as they did before it had a second button.
    box->setDefaultButton(QMessageBox::Ok);
    box->setEscapeButton(QMessageBox::Ok);
  }
  return box;
}

Answer QtMessageService::Show(const Message& message) {
  const auto box = BuildMessageBox(message, parent_);
  const int pressed = box->exec();
  if (box->clickedButton() && box->buttonRole(box->clickedButton()) == QMessageBox::HelpRole) {
    if (openHelp_) openHelp_(message.help);
    return message.buttons == MessageButtons::Ok ? Answer::Ok : Answer::Cancel;
  }
  switch (pressed) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    case QMessageBox::Cancel:
      return Answer::Cancel;
    default:
      // Escape on a question box cancels; on an OK box it is the same as OK.
      return message.buttons == MessageButtons::Ok ? Answer::Ok : Answer::Cancel;
  }
}

}  // namespace zelkor
