#include "core/ControlNames.h"
#include "core/MainWindow.h"
#include "support/Printers.h"
#include "support/RecordingMessages.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace zelkor {
namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
    state.hooks.saveFile = [this] { ++saves; };
    state.hooks.closePort = [this] { ++portCloses; };
    StartUp(state);
  }

  testing::RecordingMessages messages;
  EditorState state{messages};
  int saves = 0;
  int portCloses = 0;
};

const Message kSaveQuestion{QStringLiteral("Você quer salvar o conteúdo das listas antes de sair?"),
                            QStringLiteral("Salvar dados atuais?"), MessageButtons::YesNoCancel,
                            MessageIcon::None};

TEST_F(MainWindowTest, StartUpTitlesTheWindowFillsThePortsAndSelectsNone) {
  EXPECT_EQ(state.title, QStringLiteral("Zelkor Editor"));
  EXPECT_EQ(state.currentTab, 0);
  EXPECT_EQ(state.areaBackground, (Rgb{182, 200, 203}));
  ASSERT_EQ(state.portEntries.size(), 16);
  EXPECT_EQ(state.portEntries.front(), QStringLiteral("Porta # 01"));
  EXPECT_EQ(state.portEntries[9], QStringLiteral("Porta # 10"));
  EXPECT_EQ(state.portEntries.back(), QStringLiteral("Porta # 16"));
  EXPECT_EQ(state.portIndex, -1);
  EXPECT_TRUE(state.currentPath.isEmpty());
  EXPECT_TRUE(state.lastOpenedPath.isEmpty());
  EXPECT_TRUE(messages.shown().empty());
}

TEST_F(MainWindowTest, ClosingUnchangedListsAsksNothingAndClosesThePort) {
  EXPECT_EQ(CloseRequest(state), CloseAnswer::Close);
  EXPECT_TRUE(messages.shown().empty());
  EXPECT_EQ(saves, 0);
  EXPECT_EQ(portCloses, 1);
}

TEST_F(MainWindowTest, ClosingChangedListsAsksAndEachAnswerDoesItsPart) {
  state.listsChanged = true;

  messages.Script(Answer::Cancel);
  EXPECT_EQ(CloseRequest(state), CloseAnswer::Stay);
  EXPECT_EQ(saves, 0);
  EXPECT_EQ(portCloses, 0);
  EXPECT_TRUE(state.listsChanged);

  messages.Script(Answer::No);
  EXPECT_EQ(CloseRequest(state), CloseAnswer::Close);
  EXPECT_EQ(saves, 0);
  EXPECT_EQ(portCloses, 1);

  messages.Script(Answer::Yes);
  EXPECT_EQ(CloseRequest(state), CloseAnswer::Close);
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(portCloses, 2);

  ASSERT_EQ(messages.shown().size(), 3u);
  for (const Message& m : messages.shown()) EXPECT_EQ(m, kSaveQuestion);
}

TEST_F(MainWindowTest, CloseGoesOnWhenTheSaveOrThePortFails) {
  state.listsChanged = true;
  state.hooks.saveFile = [] { throw std::runtime_error("disco cheio"); };
  state.hooks.closePort = [] { throw std::runtime_error("porta"); };
  messages.Script(Answer::Yes);
  EXPECT_EQ(CloseRequest(state), CloseAnswer::Close);
  EXPECT_EQ(messages.shown().size(), 1u);  // errors of the close are not reported
}

TEST_F(MainWindowTest, AClosingWaitsForATransferToEnd) {
  bool transferring = true;
  state.hooks.transferring = [&] { return transferring; };
  state.listsChanged = true;
  EXPECT_EQ(CloseRequest(state), CloseAnswer::Stay);
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].title, QStringLiteral("Transmissão em andamento!"));
  EXPECT_EQ(portCloses, 0);
  transferring = false;
  messages.Script(Answer::No);
  EXPECT_EQ(CloseRequest(state), CloseAnswer::Close);
  EXPECT_EQ(portCloses, 1);
}

TEST_F(MainWindowTest, ClearAllListsEmptiesBothListsAndTheirDisplays) {
  int fieldClears = 0;
  state.hooks.clearVariableFields = [&] { ++fieldClears; };
  state.hooks.clearAlarmFields = [&] { ++fieldClears; };
  for (int i = 0; i < 3; ++i) {
    state.variables.append({QStringLiteral("0"), {}, {}, QStringLiteral("D1"), QStringLiteral("Não")});
    state.alarms.append(QStringLiteral("A"));
  }
  state.variables.setSelectedRow(2);
  state.alarms.setSelectedRow(3);
  ShowVariableCount(state);
  ShowAlarmCount(state);
  state.listsChanged = true;

  ClearAllLists(state);
  EXPECT_EQ(state.variables.count(), 0);
  EXPECT_EQ(state.alarms.count(), 0);
  EXPECT_EQ(state.variables.selectedRow(), 0);
  EXPECT_EQ(state.alarms.selectedRow(), 0);
  EXPECT_EQ(state.variables.grid().lineCount(), 1);
  EXPECT_EQ(state.alarms.grid().lineCount(), 1);
  EXPECT_EQ(state.variables.grid().text(0, 0), QStringLiteral("Grupo"));
  EXPECT_EQ(state.field(name::TotalLinhasVariaveis).text, QStringLiteral("0"));
  EXPECT_EQ(state.field(name::TotalLinhasAlarme).background, colours::White);
  EXPECT_EQ(fieldClears, 2);
  EXPECT_TRUE(state.listsChanged);  // clearing never resets it
  EXPECT_TRUE(messages.shown().empty());
}

TEST(UnexpectedErrors, AreShownWithTheirDescriptionOkOnlyNoIconAndTheProgramTitle) {
  testing::RecordingMessages messages;
  bool after = false;
  EXPECT_FALSE(Guarded(messages, [&] {
    throw std::runtime_error("Não foi possível ler o arquivo.");
    after = true;
  }));
  EXPECT_FALSE(after);
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0], (Message{QStringLiteral("Não foi possível ler o arquivo."), QStringLiteral("Marbeto"),
                                          MessageButtons::Ok, MessageIcon::None}));
  EXPECT_TRUE(Guarded(messages, [] {}));
  EXPECT_EQ(messages.shown().size(), 1u);
}

TEST(UnexpectedErrors, AnUnknownControlNameIsAnErrorNotASilentNewEntry) {
  testing::RecordingMessages messages;
  EditorState state(messages);
  EXPECT_THROW(state.button(QStringLiteral("BotaoGravaCLP")), std::out_of_range);  // missing accent
  EXPECT_NO_THROW(state.button(QStringLiteral("BotãoGravaCLP")));
}

}  // namespace
}  // namespace zelkor
