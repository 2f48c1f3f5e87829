#include "CommandLine.h"
#include "ConsoleTransfer.h"
#include "Platform.h"
#include "StartupProbe.h"
#include "commands/FileCommands.h"
#include "link/QtSerialPort.h"
#include "ui/FormPrincipal.h"
#include "ui/HelpWindow.h"
#include "ui/QtFileDialog.h"
#include "ui/QtMessageService.h"
#include "ui/Translation.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QStyleFactory>

#include <cstdio>

int main(int argc, char* argv[]) {
  using Action = zelkor::CommandLine::Action;
  const zelkor::CommandLine command = zelkor::ParseCommandLine(zelkor::ProgramArguments(argc, argv));
  const bool console = command.action == Action::Write || command.action == Action::Read ||
                       command.action == Action::Compare || command.action == Action::FindPlc;
  if (console || command.action == Action::Sheet) {
    // What a script reads on standard error is the program's own: Qt's
    // chatter (a missing runtime directory, font fallbacks) stays out of it.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
      if (type == QtCriticalMsg || type == QtFatalMsg) zelkor::Print(stderr, text + u'\n');
    });
  }
  if (console) {
    // A production station's script: no window, no display.
    const QCoreApplication app(argc, argv);
    return zelkor::RunConsoleTransfer(command);
  }
  if (command.action == Action::Sheet) {
    // A batch of machines: no window.
    zelkor::DrawWithoutDisplay();
    const QGuiApplication app(argc, argv);
    if (const auto error = zelkor::PrintFileToPdf(command.file, command.sheet)) {
      zelkor::Print(stderr, QStringLiteral("zelkor-editor: ") + *error + u'\n');
      return 1;
    }
    return 0;
  }
  if (command.action != Action::Run && command.action != Action::Manual) {
    zelkor::Print(command.action == Action::Print ? stdout : stderr, command.message);
    return command.exitCode;
  }
  if (const QString missing = zelkor::MissingDisplay(); !missing.isEmpty()) {
    zelkor::Print(stderr, QStringLiteral("Zelkor Editor: ") + missing + QStringLiteral(".\n"));
    return 1;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Zelkor Editor"));
  QApplication::setOrganizationName(QStringLiteral("Zelkor"));  // where QSettings keeps what is remembered
  if (!zelkor::InstallPortugueseTranslation(app)) {
    zelkor::Print(stderr, QStringLiteral("Zelkor Editor: tradução do Qt (qtbase_pt_BR.qm) não encontrada; "
                                         "os diálogos padrão ficam em inglês.\n"));
  }
  // Lets the desktop match the window with its menu entry.
  QApplication::setDesktopFileName(QStringLiteral("io.github.zelkor.ZelkorEditor"));
  // One look on every desktop, so the colours the commands set show as intended.
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  if (command.action == Action::Manual) {  // the desktop menu's "Manual"
    zelkor::HelpWindow manual;
    manual.Open(QStringLiteral("index.html"));
    manual.show();
    return QApplication::exec();
  }

  zelkor::QtMessageService messages;
  zelkor::QtFileDialog files;
  zelkor::QtSerialPort port;
  zelkor::QtDeadline deadline;
  // ~/.local/share/Zelkor/Zelkor Editor on Linux, %APPDATA%\Zelkor\Zelkor Editor on Windows.
  zelkor::FormPrincipal window(
      {messages, files, port, deadline, nullptr, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)});
  messages.SetParent(&window);
  messages.SetHelp(
      [&window](zelkor::MessageHelp help) { window.ShowManual(zelkor::MessagePage(zelkor::HelpAnchor(help))); });
  files.SetParent(&window);
  window.show();
  zelkor::ProbeStartup(window);
  // Decoding the icon's pictures is not worth delaying the first view for.
  zelkor::AfterFirstPaint(window, [] { QApplication::setWindowIcon(zelkor::ProgramIcon()); });
  // Before the file named on the command line, so that opening it can offer to save what was recovered.
  window.OfferRecovery();
  if (!command.file.isEmpty()) window.Run([&] { zelkor::OpenFileAt(window.State(), command.file); });
  return QApplication::exec();
}
