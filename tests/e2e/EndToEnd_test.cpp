#include "PlcSimulator.h"
#include "commands/EditorLifecycle.h"
#include "commands/PlcCommands.h"
#include "commands/PlcCompare.h"
#include "formats/ParameterFile.h"
#include "link/PlcLink.h"
#include "link/QtSerialPort.h"
#include "support/Printers.h"
#include "support/ScriptedSeams.h"
#include "ui/ControlNames.h"
#include "ui/FormPrincipal.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <map>

#ifdef Q_OS_WIN
#include "model/Version.h"

#include <windows.h>
#endif

namespace zelkor {
namespace {

// Both lists as the window holds them, one row a line.
QStringList Rows(const Editor& state) {
  QStringList rows;
  for (const VariableRow& v : state.lists.variables)
    rows << QStringList{v.grupo, v.texto, v.unidade, v.endereco, EditableText(v.editable)}.join(u'|');
  rows << state.lists.alarms;
  return rows;
}

// The real QSerialPort. On Linux the simulated PLC runs in this process on a
// pseudo-terminal standing behind "Porta # 01" as /dev/ttyUSB0 would; on
// Windows it is a zelkor-plcsim already answering on the port that
// ZELKOR_E2E_PORT names (scripts/windows points wine's COM5 at one on Linux).
class EndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!entry) GTEST_SKIP() << "no zelkor-plcsim behind ZELKOR_E2E_PORT";
  }
  void Start([[maybe_unused]] sim::Faults faults, const QStringList& rows) {
#ifndef Q_OS_WIN
    plc = std::make_unique<sim::PlcSimulator>(faults);
    QString error;
    QFile::remove(devices.path() + QStringLiteral("/ttyUSB0"));
    ASSERT_TRUE(QFile::link(plc->Open({}, &error), devices.path() + QStringLiteral("/ttyUSB0"))) << error.toStdString();
#endif
    messages.shown.clear();
    StartUp(state);
    Lists lists;
    for (const QString& row : rows) {
      const QStringList c = row.split(u'|');
      c.size() == 5 ? lists.variables.push_back({c[0], c[1], c[2], c[3], c[4] == kSim})
                    : static_cast<void>(lists.alarms << row);
    }
    ReplaceLists(state, lists);
    ChoosePort(state, entry - 1);
    ASSERT_TRUE(port.IsOpen());
  }
  // Runs a PLC command and waits for its closing message; generous, for a loaded CI machine.
  QString Run(const std::function<void()>& command) {
    messages.shown.clear();
    command();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !messages.shown.empty(); }, 20000));
    return messages.shown.empty() ? QString() : TitleText(messages.shown.back().title);
  }

#ifdef Q_OS_WIN
  const int entry = qEnvironmentVariableIntValue("ZELKOR_E2E_PORT");
#else
  const int entry = 1;
#endif
  QTemporaryDir devices;
  testing::RecordingMessages messages;
  testing::ScriptedDialogs files;
  QtDeadline deadline;
  std::unique_ptr<sim::PlcSimulator> plc;
  QtSerialPort port{PortDirectory(devices.path(), devices.path())};
  QProcess sim;
  Editor state{messages, files, port, deadline};
  PlcLink& link = state.plcLink;
};

// One session as a technician works it; on Windows the second transfer once
// crashed Qt's port.
TEST_F(EndToEndTest, OneSessionWritesReadsBackAndVerifies) {
  Start({.pace = true},
        {QStringLiteral("0|PRESSAO|bar|D1234|Sim"), QStringLiteral("1|NÍVEL|%|C12|Não"), QStringLiteral("MOTOR")});
  const QString lists = Rows(state).join(u',');
  EXPECT_EQ(Run([&] { WriteToPlc(state); }), QStringLiteral("Transmissão Ok!"));
  ClearAllLists(state);
  EXPECT_EQ(Run([&] { ReadFromPlc(state); }), QStringLiteral("Leitura Ok!"));
  EXPECT_EQ(Rows(state).join(u','), lists);
  state.link.verifyWrites = true;
  EXPECT_EQ(Run([&] { WriteToPlc(state); }), QStringLiteral("Transmissão Ok!"));
  EXPECT_EQ(messages.shown.back().text, QStringLiteral("Transmissão encerrada e verificada!"));
  // Compara CLP through the real port: ConsoleTransfers.
#ifdef Q_OS_WIN
  ShowPortDevices(state);  // the tool-tips: the port Windows lists, and one where there is no device
  EXPECT_EQ(state.link.portDevices[entry - 1].section(u' ', 0, 0), QStringLiteral("COM%1").arg(entry));
  EXPECT_EQ(state.link.portDevices[entry == 16 ? 14 : 15], QStringLiteral("Nenhum dispositivo nesta porta"));
#endif
}

#ifndef Q_OS_WIN
TEST_F(EndToEndTest, EachFaultOfThePlcGivesItsMessageOnceAndAHangUpClosesThePort) {
  const std::tuple<sim::Faults, const char*, int> cases[] = {{{.silent = true}, "CLP não responde!", 0},
                                                             {{.nak = true}, "Comunicação encerrada!", 1},
                                                             {{.wrongFirst = true}, "Comunicação encerrada!", 1},
                                                             {{.cutShort = true}, "CLP não responde!", 1},
                                                             {{.disconnectAfter = 2}, "Marbeto", 2}};
  for (const auto& [faults, title, answered] : cases) {
    SCOPED_TRACE(title);
    Start(faults, {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
    EXPECT_EQ(Run([&] { WriteToPlc(state); }), QString::fromUtf8(title));
    QTest::qWait(200);  // a flood of errors, or a late answer, would show up here
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(plc->FramesAnswered(), answered);
    EXPECT_EQ(port.IsOpen() || link.IsTransferring(), answered != 2);
  }
  // An idle line that hangs up, and a port held by another program.
  Start({}, {});
  QtSerialPort other(PortDirectory(devices.path(), devices.path()));
  EXPECT_EQ(other.Open(1).error, OpenError::InUse);
  EXPECT_EQ(other.Open(2).error, OpenError::InvalidPort);
  plc.reset();
  EXPECT_TRUE(QTest::qWaitFor([&] { return !messages.shown.empty(); }, 20000));
  QTest::qWait(200);
  EXPECT_EQ(messages.shown.size(), 1u);
  EXPECT_FALSE(port.IsOpen());
}

TEST_F(EndToEndTest, AFailedVerificationNamesTheRowAsSentAndClosingGivesAComparisonsOrAVerificationsReadUpFirst) {
  // The first word of Variable row 5 is stored wrong, and rows are removed while the write runs: the verification
  // names the row as it was sent.
  Start({.pace = true, .corruptWord = 4461},
        QStringLiteral("0|T|C|D1|Sim 0|T|C|D2|Sim 0|T|C|D3|Sim 0|T|C|D4|Sim 0|T|C|D5|Sim MOTOR").split(u' '));
  state.link.verifyWrites = true;
  WriteToPlc(state);
  state.lists.variables.erase(state.lists.variables.begin(), state.lists.variables.begin() + 3);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !messages.shown.empty(); }, 20000));
  EXPECT_EQ(messages.shown.back().text,
            QStringLiteral("Verificação falhou: a linha 5 da lista de Variáveis no CLP difere do que foi gravado."));
  // Closing during a comparison or a verification gives its read up before asking to save the lists: nothing of it
  // comes while the question stays open.
  testing::ScriptedComparisons comparisons;
  state.listsChanged = true;
  messages.whileShown = [&](const Message&) { EXPECT_TRUE(QTest::qWaitFor([&] { return !link.IsTransferring(); })); };
  for (const bool verify : {false, true}) {
    verify ? WriteToPlc(state) : CompareWithPlc(state, comparisons);
    EXPECT_TRUE(QTest::qWaitFor([&] { return link.RunningKind() != TransferKind::Write; }, 20000));
    messages.answers = {Answer::No};
    EXPECT_EQ(CloseRequest(state), CloseAnswer::Close);
    EXPECT_EQ(TitleText(messages.shown.back().title) + QString::number(comparisons.shown.size()),
              u"Salvar dados atuais?0");
    ChoosePort(state, 0);
  }
}

TEST_F(EndToEndTest, TheListsLandWordForWordAFreshWindowReadsThemBackAndAPlcLoadedWithAFileHoldsItsLists) {
  Start({.pace = true}, {QStringLiteral("0|PRESSAO|bar|D1234|Sim"), QStringLiteral("1|NÍVEL|%|c012|Não"),
                         QStringLiteral("BOMBA   FALHA")});
  EXPECT_EQ(Run([&] { WriteToPlc(state); }), QStringLiteral("Transmissão Ok!"));
  EXPECT_EQ(plc->DecodeLists().join(u','),
            QStringLiteral("V 0 PRESSAO |bar|D1234|Sim,V 1 NÍVEL   |%  |C12|Não,A BOMBA   FALHA   "));
  link.ClosePort();
  // What a fresh window reads back from the PLC behind "Porta # 01".
  const auto readBack = [&] {
    testing::RecordingMessages shown;
    testing::ScriptedDialogs dialogs;
    FormPrincipal window({shown, dialogs, port, deadline});
    window.Run([&] { ChoosePort(window.State(), 0); });
    window.findChild<QPushButton*>(name::kReadFromPlc)->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !shown.shown.empty(); }, 20000));
    EXPECT_EQ(shown.Titles(), QStringLiteral("Leitura Ok!"));
    window.State().plcLink.ClosePort();
    return Rows(window.State()).join(u',');
  };
  // A PLC that zelkor-plcsim started with the lists of a file.
  QFile::remove(devices.path() + QStringLiteral("/ttyUSB0"));
  QFile file(devices.path() + QStringLiteral("/a.zlk"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("1B       u  D1   SimV\r\nA\r\n") == 26);
  file.close();
  sim.start(QStringLiteral(PLCSIM_PATH), {QStringLiteral("--load"), file.fileName(), QStringLiteral("--link"),
                                          devices.path() + QStringLiteral("/ttyUSB0")});
  ASSERT_TRUE(QTest::qWaitFor([&] { return sim.canReadLine(); }, 20000));
  EXPECT_EQ(readBack(), QStringLiteral("1|B|u|D1|Sim,A"));
}

#endif

// A production station's script: the same PLC written with a check, read
// back, compared, and each fault's exit status. On Windows only the rows the
// zelkor-plcsim on ZELKOR_E2E_PORT can play: it has no faults.
TEST(ConsoleTransfers, WriteVerifyReadBackAndCompareFromTheCommandLineEachWithItsExitStatus) {
  QTemporaryDir dir;
  const std::map<QString, QByteArray> files{
      {QStringLiteral("a.zlk"), "0TEMP    C  D100 SimV\r\nMOTOR 1 FALHA       A\r\n"},
      {QStringLiteral("w.zlk"), "0TEMP    C  D4490SimV\r\n"},
      {QStringLiteral("c.csv"), "Tipo;Grupo;Texto;Endereço;Texto 1\r\nV;0;TEMP;D100;\r\nA;;;;BOMBA\r\n"}};
  for (const auto& [name, bytes] : files) {
    QFile file(dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
  }
#ifdef Q_OS_WIN
  const QString port = QStringLiteral("COM%1").arg(qEnvironmentVariableIntValue("ZELKOR_E2E_PORT"));
  if (port == QStringLiteral("COM0")) GTEST_SKIP() << "no zelkor-plcsim behind ZELKOR_E2E_PORT";
#else
  const QString port = dir.filePath(QStringLiteral("ttyUSB0"));
#endif
  // The simulated PLC's options (restarted when they change), the editor's arguments, the exit status, what it says.
  const std::tuple<QString, QString, int, QString> cases[] = {
      {{}, QStringLiteral("--write a.zlk --verify"), 0, QStringLiteral("Transmissão encerrada e verificada!")},
      {{}, QStringLiteral("--read b.zlk"), 0, QStringLiteral("Leitura encerrada!")},
      {{}, QStringLiteral("--read b.zlk"), 1, QStringLiteral("já existe")},
      {{}, QStringLiteral("--compare a.zlk"), 0, QStringLiteral("O CLP contém as mesmas listas do editor.")},
      {{}, QStringLiteral("--compare c.csv"), 3, QStringLiteral("Alarmes, linha 1: no editor «BOMBA   »")},
      {{}, QStringLiteral("--write w.zlk"), 4, QStringLiteral("Atenção antes de gravar: Variável da linha 1")},
      {{}, QStringLiteral("--write w.zlk --force"), 0, QStringLiteral("Transmissão encerrada!")},
#ifndef Q_OS_WIN
      {QStringLiteral("--silent"), QStringLiteral("--write a.zlk"), 1, QStringLiteral("CLP não responde!")},
      {QStringLiteral("--corrupt-word 4496"), QStringLiteral("--write a.zlk --verify"), 1,
       QStringLiteral("Verificação falhou: o cabeçalho")},
#endif
  };
  QProcess sim;
  QString simOptions = QStringLiteral("-");
  for (const auto& [options, arguments, exitCode, says] : cases) {
#ifndef Q_OS_WIN
    if (options != std::exchange(simOptions, options)) {
      sim.kill();
      sim.waitForFinished();
      QFile::remove(port);
      sim.start(QStringLiteral(PLCSIM_PATH),
                QStringList{QStringLiteral("--link"), port} + options.split(u' ', Qt::SkipEmptyParts));
      ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(port); }, 20000));
    }
#endif
    QProcess editor;
    editor.setWorkingDirectory(dir.path());
    editor.start(QStringLiteral(EDITOR_PATH), arguments.split(u' ') + QStringList{QStringLiteral("--port"), port});
    ASSERT_TRUE(editor.waitForFinished(60000));
    const QString said = QString::fromUtf8(editor.readAllStandardOutput() + editor.readAllStandardError());
    EXPECT_EQ(editor.exitCode(), exitCode) << arguments.toStdString() << said.toStdString();
    EXPECT_TRUE(said.contains(says)) << arguments.toStdString() << said.toStdString();
  }
  QFile read(dir.filePath(QStringLiteral("b.zlk")));
  EXPECT_TRUE(read.open(QIODevice::ReadOnly) && read.readAll() == files.at(QStringLiteral("a.zlk")));
  sim.kill();
  sim.waitForFinished();
}

TEST(SheetCommandLine, WritesTheSheetWithoutADisplayAndWhatCannotBeReadOrWrittenIsOneLineOnStandardError) {
  QTemporaryDir dir;
  // Ω is in no Western code page: on Windows the name comes whole only from the wide command line.
  const QString named = QStringLiteral("Máquina ç Ω");
  const std::map<QString, QByteArray> files{{named + QStringLiteral(".zlk"), "1B       u  D1   SimV\r\nA\r\n"},
                                            {QStringLiteral("a.csv"), "Tipo;Grupo;Endereço\r\nV;0;D1\r\n"},
                                            {QStringLiteral("enorme.zlk"), QByteArray("A\r\n").repeated(100001)}};
  for (const auto& [name, bytes] : files) {
    QFile file(dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
  }
  QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
  for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) bare.remove(QLatin1String(variable));
  const std::tuple<QString, QString, int> cases[] = {{named + QStringLiteral(".zlk"), named, 0},
                                                     {QStringLiteral("a.csv"), QStringLiteral("b"), 0},
                                                     {QStringLiteral("falta.zlk"), QStringLiteral("c"), 1},
                                                     {QStringLiteral("enorme.zlk"), QStringLiteral("d"), 1},
                                                     {named + QStringLiteral(".zlk"), QStringLiteral("falta/e"), 1}};
  for (const auto& [input, pdf, exitCode] : cases) {
    QProcess editor;
    editor.setProcessEnvironment(bare);
    QFile sheet(dir.filePath(pdf + QStringLiteral(".pdf")));
    editor.start(QStringLiteral(EDITOR_PATH), {QStringLiteral("--pdf"), sheet.fileName(), dir.filePath(input)});
    ASSERT_TRUE(editor.waitForFinished(60000));
    const QString errors = QString::fromUtf8(editor.readAllStandardError());
    EXPECT_EQ(editor.exitCode(), exitCode) << input.toStdString() << errors.toStdString();
    EXPECT_EQ(errors.count(u'\n'), exitCode) << errors.toStdString();
    EXPECT_EQ(sheet.open(QIODevice::ReadOnly) && sheet.read(5) == "%PDF-", exitCode == 0) << input.toStdString();
  }
#ifndef Q_OS_WIN
  // The manual alone is a window like any other: without a display it says so (it once ended at once, silently).
  QProcess manual;
  manual.setProcessEnvironment(bare);
  manual.start(QStringLiteral(EDITOR_PATH), {QStringLiteral("--manual")});
  ASSERT_TRUE(manual.waitForFinished(60000));
  EXPECT_EQ(manual.exitCode(), 1);
#endif
}

#ifdef Q_OS_WIN
// What typing "zelkor-editor ARGUMENTS" at a command prompt shows there.
QString ShownInACommandPrompt(const QString& arguments) {
  HANDLE keys[2];
  HANDLE screen[2];  // each pipe's read end, then its write end
  CreatePipe(&keys[0], &keys[1], nullptr, 0);
  CreatePipe(&screen[0], &screen[1], nullptr, 1 << 20);  // room for everything: the console never waits on us
  HPCON console = nullptr;
  CreatePseudoConsole({200, 50}, keys[0], screen[1], 0, &console);
  CloseHandle(screen[1]);
  SIZE_T size = 0;
  InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
  std::vector<char> attributes(size);
  STARTUPINFOEXW start{};
  start.StartupInfo.cb = sizeof start;
  start.lpAttributeList = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributes.data());
  start.StartupInfo.dwFlags = STARTF_USESTDHANDLES;  // none of the test's own (ctest's pipes): only the console
  InitializeProcThreadAttributeList(start.lpAttributeList, 1, 0, &size);
  UpdateProcThreadAttribute(start.lpAttributeList, 0, PROC_THREAD_ATTRIBUTE_PSEUDOCONSOLE, console, sizeof console,
                            nullptr, nullptr);
  std::wstring command = QStringLiteral("cmd.exe /c \"\"%1\" %2\"")
                             .arg(QDir::toNativeSeparators(QStringLiteral(EDITOR_PATH)), arguments)
                             .toStdWString();
  PROCESS_INFORMATION prompt{};
  if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, EXTENDED_STARTUPINFO_PRESENT, nullptr, nullptr,
                     &start.StartupInfo, &prompt)) {
    WaitForSingleObject(prompt.hProcess, 60000);
  }
  ClosePseudoConsole(console);
  QByteArray text;
  char bytes[4096];
  for (DWORD n = 0; ReadFile(screen[0], bytes, sizeof bytes, &n, nullptr) && n > 0;) text.append(bytes, n);
  for (HANDLE h : {keys[0], keys[1], screen[0], prompt.hProcess, prompt.hThread}) CloseHandle(h);
  return QString::fromUtf8(text);
}

// The windowed editor writes into the console it is started from, each character as itself.
TEST(ConsoleOutput, VersionHelpAndARefusalAppearInTheCommandPromptTheyAreTypedAt) {
  for (const auto& [arguments, shown] : {std::pair{"--version", QStringLiteral("Zelkor Editor ") + kVersion},
                                         {"--help", QStringLiteral("as listas de Variáveis e Alarmes")},
                                         {"--abrir", QStringLiteral("opção desconhecida: --abrir")}}) {
    const QString text = ShownInACommandPrompt(QLatin1String(arguments));
    EXPECT_TRUE(text.contains(shown)) << arguments << ": " << text.toStdString();
  }
}
#endif

}  // namespace
}  // namespace zelkor
