#include "CommandLine.h"
#include "StartupProbe.h"
#include "paramfile/FileCommands.h"
#include "plclink/QtSerialPort.h"
#include "ui/FormPrincipal.h"
#include "ui/QtFileDialog.h"
#include "ui/QtMessageService.h"
#include "ui/Translation.h"

#include <QApplication>
#include <QGuiApplication>
#include <QStyleFactory>

#include <cstdio>

int main(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const zelkor::CommandLine command = zelkor::ParseCommandLine(arguments);
  if (command.action == zelkor::CommandLine::Action::Sheet) {
    // A batch of machines: no window, so no display needed (Windows always has one).
#ifndef Q_OS_WIN
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    // Its one line on standard error is what a script reads: Qt's own chatter
    // (a missing runtime directory, font fallbacks) stays out of it.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
      if (type == QtCriticalMsg || type == QtFatalMsg) std::fputs((text + u'\n').toLocal8Bit().constData(), stderr);
    });
    const QGuiApplication app(argc, argv);
    if (const auto error = zelkor::PrintFileToPdf(command.file, command.sheet)) {
      std::fputs((QStringLiteral("zelkor-editor: ") + *error + u'\n').toLocal8Bit().constData(), stderr);
      return 1;
    }
    return 0;
  }
  if (command.action != zelkor::CommandLine::Action::Run) {
    std::fputs(command.message.toLocal8Bit().constData(),
               command.action == zelkor::CommandLine::Action::Print ? stdout : stderr);
    return command.exitCode;
  }
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    std::fputs("Zelkor Editor: nenhuma tela disponível (DISPLAY não definido).\n", stderr);
    return 1;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Zelkor Editor"));
  QApplication::setOrganizationName(QStringLiteral("Zelkor"));  // where QSettings keeps what is remembered
  if (!zelkor::InstallPortugueseTranslation(app)) {
    std::fputs(
        "Zelkor Editor: tradução do Qt (qtbase_pt_BR.qm, pacote qt6-translations-l10n) não encontrada; "
        "os diálogos padrão ficam em inglês.\n",
        stderr);
  }
  // Lets the desktop match the window with its menu entry.
  QApplication::setDesktopFileName(QStringLiteral("io.github.zelkor.ZelkorEditor"));
  // One look on every desktop, so the colours the commands set show as intended.
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

  zelkor::QtMessageService messages;
  zelkor::QtFileDialog files;
  zelkor::QtSerialPort port;
  zelkor::QtDeadline deadline;
  zelkor::FormPrincipal window({messages, files, port, deadline});
  messages.SetParent(&window);
  files.SetParent(&window);
  window.show();
  zelkor::ProbeStartup(window);
  // Decoding the icon's pictures is not worth delaying the first view for.
  zelkor::AfterFirstPaint(window, [] { QApplication::setWindowIcon(zelkor::ProgramIcon()); });
  if (!command.file.isEmpty()) window.Run([&] { zelkor::OpenFileAt(window.State(), window.Files(), command.file); });
  return QApplication::exec();
}
