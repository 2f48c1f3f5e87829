#include "PlcSimulator.h"
#include "core/ControlNames.h"
#include "core/MainWindow.h"
#include "plclink/PlcLink.h"
#include "plclink/QtSerialPort.h"
#include "support/Printers.h"
#include "support/RecordingMessages.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace zelkor {
namespace {

// Generous: a loaded CI machine must not turn a slow answer into a failure.
constexpr int kWaitMs = 20000;

class EndToEndTest : public ::testing::Test {
 protected:
  void Start(sim::Faults faults = {}) {
    plc = std::make_unique<sim::PlcSimulator>(faults);
    QString error;
    const QString pty = plc->open(&error);
    ASSERT_FALSE(pty.isEmpty()) << error.toStdString();
    // The simulator stands behind "Porta # 01" as /dev/ttyUSB0 would.
    ASSERT_TRUE(QFile::link(pty, devices.path() + QStringLiteral("/ttyUSB0")));
    port = std::make_unique<QtSerialPort>(PortDirectory(devices.path(), devices.path()));
    link = std::make_unique<PlcLink>(state, *port, deadline);
    StartUp(state);
    link->ComboPorta_Click(0);
    ASSERT_TRUE(messages.shown().empty()) << messages.shown()[0].text.toStdString();
    ASSERT_TRUE(port->isOpen());
  }
  void Variable(const char16_t* grupo, const char16_t* texto, const char16_t* unidade, const char16_t* endereco,
                bool editavel) {
    state.variables.load({QString::fromUtf16(grupo), QString::fromUtf16(texto), QString::fromUtf16(unidade),
                          QString::fromUtf16(endereco), editavel ? QStringLiteral("Sim") : QStringLiteral("Não")});
    ShowVariableCount(state);
  }
  void Alarm(const char16_t* text) {
    state.alarms.load(QString::fromUtf16(text));
    ShowAlarmCount(state);
  }
  // Runs "Grava CLP" and waits for its closing message.
  Message Transfer() {
    const size_t before = messages.shown().size();
    link->BotaoGravaCLP_Click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return messages.shown().size() > before; }, kWaitMs));
    return messages.shown().empty() ? Message{} : messages.shown().back();
  }

  QTemporaryDir devices;
  testing::RecordingMessages messages;
  EditorState state{messages};
  QtDeadline deadline;
  std::unique_ptr<sim::PlcSimulator> plc;
  std::unique_ptr<QtSerialPort> port;
  std::unique_ptr<PlcLink> link;
};

TEST_F(EndToEndTest, TheWorkedExampleLandsWordForWordInThePlc) {
  Start();
  // Group 0 where the worked example has 1 (a lone group 1 breaks the
  // numbering): the flags byte is 01 instead of 03.
  Variable(u"0", u"PRESSAO", u"bar", u"D1234", true);
  Alarm(u"BOMBA   FALHA   ");
  EXPECT_EQ(Transfer().title, QStringLiteral("Transmissão Ok!"));
  const std::uint16_t expected[] = {
      0x424F, 0x4D42, 0x4120, 0x2020, 0x4641, 0x4C48, 0x4120, 0x2020,  // D4481: the alarm
      0x5052, 0x4553, 0x5341, 0x4F20, 0x6261, 0x7201, 0x04D2,          // D4489: the variable
      0x0000, 0x0000, 0x0000, 0x0101};                                 // D4496: the header
  for (int i = 0; i < 19; ++i) EXPECT_EQ(plc->word(4481 + i), expected[i]) << "D" << 4481 + i;
  EXPECT_EQ(plc->word(4480), 0);
  EXPECT_EQ(plc->framesAnswered(), 3);
}

TEST_F(EndToEndTest, ThePanelReadsBackTheListsAsTheEditorHoldsThem) {
  Start({.pace = true});
  Variable(u"0", u"TEMP", u"°C", u"D100", false);
  Variable(u"0", u"NÍVEL", u"%", u"c12", true);
  Variable(u"1", u"VAZÃO", u"l/s", u"T255", true);
  Alarm(u"BOMBA   FALHA   ");
  Alarm(u"MOTOR 1 SOBRECAR");
  EXPECT_EQ(Transfer().title, QStringLiteral("Transmissão Ok!"));
  EXPECT_EQ(plc->decodeLists(), (QStringList{QStringLiteral("V 0 TEMP    |°C |D100|Não"),
                                             QStringLiteral("V 0 NÍVEL   |%  |C12|Sim"),
                                             QStringLiteral("V 1 VAZÃO   |l/s|T255|Sim"),
                                             QStringLiteral("A BOMBA   FALHA   "), QStringLiteral("A MOTOR 1 SOBRECAR")}));
}

TEST_F(EndToEndTest, ASilentPlcTimesOutAndTheLinkStaysUsable) {
  Start({.silent = true});
  Alarm(u"A");
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(Transfer(), (Message{QStringLiteral("Tempo esgotado!"), QStringLiteral("CLP não responde!"),
                                 MessageButtons::Ok, MessageIcon::None}));
  EXPECT_GE(clock.elapsed(), 450);
  EXPECT_TRUE(port->isOpen());
  EXPECT_FALSE(link->transferring());
  EXPECT_EQ(Transfer().title, QStringLiteral("CLP não responde!"));  // a second try runs as the first
}

TEST_F(EndToEndTest, ANakStopsTheTransferAtOnce) {
  Start({.nak = true});
  Alarm(u"A");
  Alarm(u"B");
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(Transfer().text, QStringLiteral("Retorno do CLP diferente de ACK !"));
  EXPECT_LT(clock.elapsed(), 450);
  EXPECT_EQ(plc->framesAnswered(), 1);
}

TEST_F(EndToEndTest, AHangUpIsReportedOnceClosesThePortAndPickingTheEntryAgainWorks) {
  Start({.disconnectAfter = 2});
  for (const char16_t* a : {u"A", u"B", u"C", u"D"}) Alarm(a);
  const Message shown = Transfer();
  EXPECT_EQ(shown.title, QStringLiteral("Marbeto"));
  EXPECT_FALSE(shown.text.isEmpty());
  QTest::qWait(300);  // a flood of errors would show up here
  EXPECT_EQ(messages.shown().size(), 1u) << messages.shown().back().text.toStdString();
  EXPECT_FALSE(port->isOpen());
  EXPECT_FALSE(link->transferring());
  EXPECT_TRUE(state.button(name::BotaoGravaCLP).enabled);
}

TEST_F(EndToEndTest, AnIdleLineThatHangsUpIsReportedOnce) {
  Start();
  plc.reset();  // the far end goes away
  EXPECT_TRUE(QTest::qWaitFor([&] { return !messages.shown().empty(); }, kWaitMs));
  QTest::qWait(300);
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].title, QStringLiteral("Marbeto"));
  EXPECT_FALSE(port->isOpen());
}

TEST_F(EndToEndTest, APortHeldByAnotherProgramIsInUseAndAMissingOneIsInvalid) {
  Start();
  QtSerialPort other(PortDirectory(devices.path(), devices.path()));
  EXPECT_EQ(other.open(1).error, OpenError::InUse);
  EXPECT_EQ(other.open(2).error, OpenError::InvalidPort);
  link->ComboPorta_Click(1);
  EXPECT_EQ(messages.shown().back().text, QStringLiteral("Porta inválida - tente outra!"));
  EXPECT_FALSE(port->isOpen());
}

TEST(PlcSimProgram, PrintsThePathOfItsLineAndMakesTheLink) {
  QTemporaryDir dir;
  const QString linkPath = dir.path() + QStringLiteral("/ttyUSB0");
  QProcess sim;
  sim.start(QStringLiteral(PLCSIM_PATH), {QStringLiteral("--link"), linkPath});
  ASSERT_TRUE(sim.waitForStarted(kWaitMs));
  ASSERT_TRUE(QTest::qWaitFor([&] { return sim.canReadLine(); }, kWaitMs));
  const QString path = QString::fromLocal8Bit(sim.readLine()).trimmed();
  EXPECT_TRUE(path.startsWith(QStringLiteral("/dev/pts/"))) << path.toStdString();
  EXPECT_EQ(QFile::symLinkTarget(linkPath), path);
  sim.terminate();
  ASSERT_TRUE(sim.waitForFinished(kWaitMs));
  EXPECT_EQ(sim.exitCode(), 0);
  EXPECT_FALSE(QFile::exists(linkPath));
}

}  // namespace
}  // namespace zelkor
