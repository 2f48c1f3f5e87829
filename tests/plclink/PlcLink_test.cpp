#include "core/ControlNames.h"
#include "core/MainWindow.h"
#include "plclink/PlcLink.h"
#include "support/FakeSerialPort.h"
#include "support/Printers.h"
#include "support/RecordingMessages.h"

#include <gtest/gtest.h>

namespace zelkor {
namespace {

// The device name of a frame: characters 8 to 15.
QByteArray Device(const QByteArray& frame) { return frame.mid(8, 8); }
QByteArray Data(const QByteArray& frame) { return frame.mid(18, frame.size() - 18 - 3); }

class PlcLinkTest : public ::testing::Test {
 protected:
  PlcLinkTest() {
    StartUp(state);
    port.SetPeer([](const QByteArray&) { return testing::AckAnswer(); });
    link.ComboPorta_Click(0);
  }

  void AddVariables(std::initializer_list<const char*> groups) {
    for (const char* g : groups) {
      state.variables.load({QString::fromLatin1(g), QStringLiteral("VAR"), QStringLiteral("u"), QStringLiteral("D10"),
                            QStringLiteral("Sim")});
    }
    ShowVariableCount(state);
  }
  void AddAlarms(int n) {
    for (int i = 1; i <= n; ++i) state.alarms.load(QStringLiteral("ALARME %1").arg(i));
    ShowAlarmCount(state);
  }
  void Grava() {
    link.BotaoGravaCLP_Click();
    port.Settle();
  }
  QList<QByteArray> Devices() const {
    QList<QByteArray> devices;
    for (const QByteArray& f : port.written()) devices << Device(f);
    return devices;
  }
  Message Last() const { return messages.shown().empty() ? Message{} : messages.shown().back(); }

  testing::RecordingMessages messages;
  EditorState state{messages};
  testing::FakeSerialPort port;
  testing::ManualDeadline deadline;
  PlcLink link{state, port, deadline};
};

const Message kDone{QStringLiteral("Transmissão encerrada!"), QStringLiteral("Transmissão Ok!"), MessageButtons::Ok,
                    MessageIcon::Information};

TEST_F(PlcLinkTest, ThreeAlarmsGoBelowTheHeaderEightWordsApart) {
  AddAlarms(3);
  Grava();
  EXPECT_EQ(Devices(), (QList<QByteArray>{"%DW04496", "%DW04488", "%DW04480", "%DW04472"}));
  EXPECT_EQ(Data(port.written()[0]), QByteArray("0000000000000300"));
  EXPECT_EQ(port.written()[1].mid(16, 2), QByteArray("08"));
  EXPECT_EQ(Last(), kDone);
  EXPECT_FALSE(link.transferring());
}

TEST_F(PlcLinkTest, VariablesComeFirstThenAlarmsAndTheImageMatchesTheDisplay) {
  AddVariables({"0", "1"});
  AddAlarms(1);
  Grava();
  EXPECT_EQ(Devices(), (QList<QByteArray>{"%DW04496", "%DW04489", "%DW04482", "%DW04474"}));
  EXPECT_EQ(Data(port.written()[0]), QByteArray("0000000000000102"));
  EXPECT_EQ(port.written()[1].mid(16, 2), QByteArray("07"));
  // VAR, u, flags 01 (group 0, D, editable), address 10: worked out by hand.
  EXPECT_EQ(port.written()[1], QByteArray("\x05" "00wSB08%DW0448907564152202020202075202001000A\x04" "90"));
  EXPECT_EQ(Last(), kDone);
}

TEST_F(PlcLinkTest, FullListsEndAtD0671) {
  for (int i = 0; i < 255; ++i) {
    state.variables.load({QStringLiteral("0"), {}, {}, QStringLiteral("D1"), QStringLiteral("Não")});
    state.alarms.load(QStringLiteral("A"));
  }
  ShowVariableCount(state);
  ShowAlarmCount(state);
  Grava();
  ASSERT_EQ(port.written().size(), 511);
  EXPECT_EQ(Device(port.written().back()), QByteArray("%DW00671"));
  EXPECT_EQ(Data(port.written()[0]), QByteArray("000000000000FFFF"));
  EXPECT_EQ(Last(), kDone);
}

TEST_F(PlcLinkTest, AFailureOnTheSecondVariableStopsAfterThreeFrames) {
  AddVariables({"0", "0", "0"});
  int answered = 0;
  port.SetPeer([&](const QByteArray&) { return ++answered <= 2 ? testing::AckAnswer() : testing::NakAnswer(); });
  Grava();
  EXPECT_EQ(port.written().size(), 3);
  EXPECT_EQ(Last(), (Message{QStringLiteral("Retorno do CLP diferente de ACK !"), QStringLiteral("Comunicação encerrada!"),
                             MessageButtons::Ok, MessageIcon::None}));
  EXPECT_EQ(messages.shown().size(), 1u);
  EXPECT_FALSE(link.transferring());
}

TEST_F(PlcLinkTest, NothingIsSentForEmptyListsOrABrokenGroupNumbering) {
  Grava();
  EXPECT_EQ(Last(), (Message{QStringLiteral("Ambas as Listas estão vazias!"), QStringLiteral("Nada para Enviar!"),
                             MessageButtons::Ok, MessageIcon::Exclamation}));
  AddVariables({"0", "2"});
  Grava();
  EXPECT_EQ(Last().title, QStringLiteral("Sequência de numeração!"));
  EXPECT_TRUE(port.written().isEmpty());
  EXPECT_EQ(messages.shown().size(), 2u);
}

TEST_F(PlcLinkTest, ListsTooLongForTheImageOrRowsWithoutARecordAreRefusedBeforeSending) {
  AddAlarms(256);
  Grava();
  EXPECT_TRUE(port.written().isEmpty());
  EXPECT_EQ(Last().title, QStringLiteral("Nada foi enviado!"));
  EXPECT_TRUE(Last().text.contains(QStringLiteral("256"))) << Last().text.toStdString();

  state.alarms.clear();
  ShowAlarmCount(state);
  AddVariables({"0"});
  state.variables.load({QStringLiteral("0"), {}, {}, QStringLiteral("X12"), QStringLiteral("Não")});
  ShowVariableCount(state);
  Grava();
  EXPECT_TRUE(port.written().isEmpty());
  EXPECT_TRUE(Last().text.contains(QStringLiteral("Linha 2 da lista de Variáveis"))) << Last().text.toStdString();
}

TEST_F(PlcLinkTest, TheFramesAreTheListsAtTheClickNotWhatTheyBecomeLater) {
  AddAlarms(2);
  port.SetPeer({});
  Grava();
  state.alarms.replace(2, QStringLiteral("CHANGED"));
  state.alarms.load(QStringLiteral("NEW"));
  for (int i = 0; i < 3; ++i) port.Deliver(testing::AckAnswer());
  ASSERT_EQ(port.written().size(), 3);
  EXPECT_EQ(port.written()[2], QByteArray("\x05" "00wSB08%DW0448008414C41524D4520322020202020202020\x04" "65"));
  EXPECT_EQ(Last(), kDone);
}

TEST_F(PlcLinkTest, ASecondClickOrAPortChangeDuringATransferIsRefusedAndChangesNothing) {
  AddAlarms(1);
  port.SetPeer({});
  Grava();
  state.portIndex = 1;
  link.ComboPorta_Click(1);
  Grava();
  ASSERT_EQ(messages.shown().size(), 2u);
  EXPECT_EQ(messages.shown()[0].title, QStringLiteral("Transmissão em andamento!"));
  EXPECT_EQ(messages.shown()[1].title, QStringLiteral("Transmissão em andamento!"));
  EXPECT_EQ(state.portIndex, 0);  // the combo box goes back to the port in use
  EXPECT_EQ(port.openPort(), 1);
  EXPECT_EQ(port.written().size(), 1);
  port.Deliver(testing::AckAnswer());
  port.Deliver(testing::AckAnswer());
  EXPECT_EQ(port.written().size(), 2);
  EXPECT_EQ(Last(), kDone);
}

TEST_F(PlcLinkTest, AHangUpDuringATransferIsReportedOnceAndLeavesNoPortOpen) {
  AddAlarms(2);
  port.SetPeer({});
  Grava();
  port.Lose(QStringLiteral("A comunicação com a porta foi interrompida"));
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(Last(), (Message{QStringLiteral("A comunicação com a porta foi interrompida"), QStringLiteral("Marbeto"),
                             MessageButtons::Ok, MessageIcon::None}));
  EXPECT_FALSE(link.transferring());
  EXPECT_FALSE(port.isOpen());
  EXPECT_TRUE(state.button(name::BotaoGravaCLP).enabled);
  link.ComboPorta_Click(0);  // picking the entry again reopens it
  EXPECT_EQ(port.openPort(), 1);
}

class PortChoiceTest : public ::testing::Test {
 protected:
  PortChoiceTest() { StartUp(state); }
  void Grava() { link.BotaoGravaCLP_Click(); }
  testing::RecordingMessages messages;
  EditorState state{messages};
  testing::FakeSerialPort port;
  testing::ManualDeadline deadline;
  PlcLink link{state, port, deadline};
};

TEST_F(PortChoiceTest, TheLastEntryOpensPort16AndEnablesThePlcButtons) {
  link.ComboPorta_Click(15);
  EXPECT_EQ(port.openPort(), 16);
  EXPECT_TRUE(state.button(name::BotaoGravaCLP).enabled);
  EXPECT_TRUE(state.button(name::BotaoLeCLP).enabled);
  EXPECT_TRUE(messages.shown().empty());
}

TEST_F(PortChoiceTest, AMissingPortOrOneInUseIsReportedAndNoneIsOpen) {
  port.SetOpenResult(5, {OpenError::InvalidPort, {}});
  link.ComboPorta_Click(4);
  EXPECT_EQ(messages.shown().back(), (Message{QStringLiteral("Porta inválida - tente outra!"),
                                              QStringLiteral("Porta inválida!"), MessageButtons::Ok,
                                              MessageIcon::Information}));
  EXPECT_FALSE(port.isOpen());
  EXPECT_FALSE(state.button(name::BotaoGravaCLP).enabled);

  port.SetOpenResult(6, {OpenError::InUse, {}});
  link.ComboPorta_Click(5);
  EXPECT_EQ(messages.shown().back(), (Message{QStringLiteral("Porta já está aberta - tente outra!"),
                                              QStringLiteral("Porta em uso!"), MessageButtons::Ok,
                                              MessageIcon::Information}));
  EXPECT_FALSE(port.isOpen());

  port.SetOpenResult(7, {OpenError::Other, QStringLiteral("Sem permissão para usar /dev/ttyUSB0.")});
  link.ComboPorta_Click(6);
  EXPECT_EQ(messages.shown().back(), (Message{QStringLiteral("Sem permissão para usar /dev/ttyUSB0."),
                                              QStringLiteral("Marbeto"), MessageButtons::Ok, MessageIcon::None}));
}

TEST_F(PortChoiceTest, ChoosingAnotherPortClosesTheFirstAndAFailedChoiceKeepsTheButtons) {
  link.ComboPorta_Click(0);
  link.ComboPorta_Click(2);
  EXPECT_EQ(port.openPort(), 3);
  port.SetOpenResult(9, {OpenError::InvalidPort, {}});
  link.ComboPorta_Click(8);
  EXPECT_FALSE(port.isOpen());
  EXPECT_TRUE(state.button(name::BotaoGravaCLP).enabled);
  EXPECT_TRUE(state.button(name::BotaoLeCLP).enabled);
  EXPECT_EQ(port.opens, (QList<int>{1, 3, 9}));
}

TEST_F(PortChoiceTest, AGravaClpWithThePortGoneShowsThePortsOwnError) {
  link.ComboPorta_Click(0);
  port.SetOpenResult(2, {OpenError::InvalidPort, {}});
  link.ComboPorta_Click(1);
  state.alarms.load(QStringLiteral("A"));
  ShowAlarmCount(state);
  messages.Forget();
  Grava();
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].title, QStringLiteral("Marbeto"));
  EXPECT_EQ(messages.shown()[0].text, QStringLiteral("A porta de comunicação não está aberta."));
}

TEST_F(PortChoiceTest, EachEntryNamesTheDeviceItStandsFor) {
  link.RefreshPortDevices();
  ASSERT_EQ(state.portDevices.size(), 16);
  EXPECT_EQ(state.portDevices[0], QStringLiteral("/dev/ttyUSB0"));
  EXPECT_EQ(state.portDevices[2], QStringLiteral("Nenhum dispositivo nesta porta"));
}

}  // namespace
}  // namespace zelkor
