#include "model/Cp1252.h"
#include "support/FakeSerialPort.h"
#include "support/ScriptedSeams.h"
#include "ui/ControlNames.h"
#include "ui/FormPrincipal.h"

#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace zelkor {
namespace {

// Two real editors (offscreen, as the tests run) in a home of their own each
// import a spreadsheet named on their command line, lists in no file yet, and
// keep a copy of them. The first is killed (SIGKILL, as by a dead battery);
// the next start recovers its lists. Linux only: the editors' data folder is
// moved through XDG variables, which Windows does not read.
#ifndef Q_OS_WIN
TEST(RecoveryEndToEnd, AKilledEditorsListsComeBackByteForByteAndNoEditorTakesTheCopyOfOneRunning) {
  QTemporaryDir home;
  const QString folder = home.filePath(QStringLiteral("data/Zelkor/Zelkor Editor"));
  const auto copies = [&] { return QDir(folder).entryList({QStringLiteral("recovery-*.json")}).size(); };
  const QByteArray csv = QStringLiteral(
                             "Tipo;Grupo;Texto;Unidade;Endereço;Editável;Texto 1;Texto 2\r\n"
                             "Variável;0;PRESSÃO;bar;D1234;Sim;;\r\nAlarme;;;;;;BOMBA;FALHA º\r\n")
                             .toUtf8();
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("HOME"), home.path());
  environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
  environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
  std::array<QProcess, 2> editors;
  for (int i = 0; i < 2; ++i) {
    QFile sheet(home.filePath(QStringLiteral("%1.csv").arg(i)));
    ASSERT_TRUE(sheet.open(QIODevice::WriteOnly) && sheet.write(csv) == csv.size());
    sheet.close();
    editors[i].setProcessEnvironment(environment);
    editors[i].start(QStringLiteral(EDITOR_PATH), {sheet.fileName()});
    // Had the second one asked about the first one's copy, it would be waiting on the question.
    ASSERT_TRUE(QTest::qWaitFor([&] { return copies() == i + 1; }, 20000));
  }
  editors[0].kill();
  editors[0].waitForFinished();
  testing::RecordingMessages messages;
  testing::ScriptedDialogs dialogs;
  testing::FakeSerialPort port;
  testing::ManualDeadline deadline;
  // Sim to the one question (the other copy's editor runs), Não to saving before closing.
  messages.answers = {Answer::Yes, Answer::No};
  FormPrincipal window({messages, dialogs, port, deadline, nullptr, folder});
  window.OfferRecovery();
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Zelkor Editor - 0.csv (importada)"));
  window.close();  // without saving: nothing is left to recover
  EXPECT_EQ(copies(), 1);
  dialogs.answers = {home.filePath(QStringLiteral("b.zlk"))};
  window.findChild<QPushButton*>(name::kSaveAs)->click();
  QFile saved(home.filePath(QStringLiteral("b.zlk")));
  EXPECT_TRUE(saved.open(QIODevice::ReadOnly) &&
              saved.readAll() == cp1252::Encode(QStringLiteral("0PRESSÃO barD1234SimV\r\nBOMBA   FALHA º     A\r\n")));
  editors[1].kill();
  editors[1].waitForFinished();
}

#endif

}  // namespace
}  // namespace zelkor
