#include "alarms/AlarmEditor.h"
#include "alarms/RowMoves.h"
#include "core/ControlNames.h"
#include "core/MainWindow.h"
#include "support/Printers.h"
#include "support/RecordingMessages.h"
#include "variables/VariableEditor.h"

#include <gtest/gtest.h>

namespace zelkor {
namespace {

class RowMovesTest : public ::testing::Test {
 protected:
  RowMovesTest() { StartUp(state); }

  void Alarms(std::initializer_list<const char*> texts) {
    for (const char* t : texts) state.alarms.load(QString::fromLatin1(t));
    ShowAlarmCount(state);
  }
  // (0, T1, 000001), (0, T2, 000002), (1, T3, 100003), as typed and saved.
  void ThreeVariables() {
    const char* rows[][2] = {{"0", "T1"}, {"0", "T2"}, {"1", "T3"}};
    for (const auto& r : rows) SaveVariable(QString::fromLatin1(r[0]), QString::fromLatin1(r[1]));
    state.listsChanged = false;
  }
  void SaveVariable(const QString& grupo, const QString& texto) {
    state.field(name::Campo(0)).text = grupo;
    state.field(name::Campo(1)).text = texto;
    state.field(name::Campo(2)).text = QStringLiteral("u");
    state.field(name::Campo(3)).text = QStringLiteral("D1");
    BotaoSalvar_Click(state);
  }
  QString AlarmTexts() const {
    QStringList texts;
    for (int r = 1; r <= state.alarms.count(); ++r) texts << state.alarms.text(r).trimmed();
    return texts.join(u' ');
  }
  // "group/text/key" of each row.
  QString Variables() const {
    QStringList rows;
    for (int r = 1; r <= state.variables.count(); ++r) {
      const VariableRow row = state.variables.row(r);
      rows << row.grupo + u'/' + row.texto + u'/' + state.variables.orderKey(r);
    }
    return rows.join(u' ');
  }
  bool Enabled(const QString& n) const { return state.button(n).enabled; }

  testing::RecordingMessages messages;
  EditorState state{messages};
};

TEST_F(RowMovesTest, AnAlarmMovedUpToRowOneTakesTheSelectionAndTheFocusGoesDown) {
  Alarms({"A", "B", "C"});
  MSFlexGrid2_Click(state, 2);
  BotaoSetaAcimaAlarme_Click(state);
  EXPECT_EQ(AlarmTexts(), QStringLiteral("B A C"));
  EXPECT_EQ(state.alarms.selectedRow(), 1);
  EXPECT_EQ(state.alarms.grid().background(1, 0), colours::Amber);
  EXPECT_EQ(state.alarms.grid().background(2, 0), colours::White);
  EXPECT_FALSE(Enabled(name::BotaoSetaAcimaAlarme));
  EXPECT_TRUE(Enabled(name::BotaoSetaAbaixoAlarme));
  EXPECT_EQ(state.focus, name::BotaoSetaAbaixoAlarme);

  state.focus.clear();
  BotaoSetaAbaixoAlarme_Click(state);
  EXPECT_EQ(AlarmTexts(), QStringLiteral("A B C"));
  EXPECT_EQ(state.alarms.selectedRow(), 2);
  EXPECT_TRUE(Enabled(name::BotaoSetaAcimaAlarme));
  EXPECT_TRUE(Enabled(name::BotaoSetaAbaixoAlarme));
  EXPECT_TRUE(state.focus.isEmpty());
}

TEST_F(RowMovesTest, AnAlarmMovedDownToTheLastRowSendsTheFocusUp) {
  Alarms({"A", "B"});
  MSFlexGrid2_Click(state, 1);
  BotaoSetaAbaixoAlarme_Click(state);
  EXPECT_EQ(AlarmTexts(), QStringLiteral("B A"));
  EXPECT_EQ(state.alarms.selectedRow(), 2);
  EXPECT_FALSE(Enabled(name::BotaoSetaAbaixoAlarme));
  EXPECT_TRUE(Enabled(name::BotaoSetaAcimaAlarme));
  EXPECT_EQ(state.focus, name::BotaoSetaAcimaAlarme);
  EXPECT_EQ(state.alarms.grid().topLine(), 2);
}

TEST_F(RowMovesTest, VariablesOfOneGroupSwapWithNewKeysAndTheNextSortKeepsThem) {
  ThreeVariables();
  MSFlexGrid1_Click(state, 1);
  BotaoSetaAbaixo_Click(state);
  EXPECT_EQ(Variables(), QStringLiteral("0/T2/000001 0/T1/000002 1/T3/100003"));
  EXPECT_EQ(state.variables.selectedRow(), 2);
  EXPECT_EQ(state.variables.grid().background(2, varcol::Texto), colours::Amber);
  EXPECT_EQ(state.variables.grid().background(1, varcol::Texto), colours::White);
  EXPECT_TRUE(Enabled(name::BotaoSetaAcima));
  EXPECT_TRUE(Enabled(name::BotaoSetaAbaixo));

  SaveVariable(QStringLiteral("0"), QStringLiteral("NEW"));
  EXPECT_EQ(Variables(), QStringLiteral("0/T2/000001 0/T1/000002 0/NEW/000004 1/T3/100003"));
}

TEST_F(RowMovesTest, AVariablePushedIntoAnotherGroupJoinsItAndKeepsItsKey) {
  ThreeVariables();
  MSFlexGrid1_Click(state, 2);
  BotaoSetaAbaixo_Click(state);
  EXPECT_EQ(Variables(), QStringLiteral("0/T1/000001 1/T2/000002 1/T3/100003"));
  EXPECT_EQ(state.variables.selectedRow(), 2);
  EXPECT_EQ(state.variables.grid().background(2, varcol::Texto), colours::Amber);
  EXPECT_TRUE(Enabled(name::BotaoSetaAcima));
  EXPECT_TRUE(Enabled(name::BotaoSetaAbaixo));

  SaveVariable(QStringLiteral("0"), QStringLiteral("NEW"));
  EXPECT_EQ(Variables(), QStringLiteral("0/T1/000001 1/T2/000002 0/NEW/000004 1/T3/100003"));
}

TEST_F(RowMovesTest, TheLastVariableMovedUpIntoGroupZeroStaysAfterLowerKeys) {
  ThreeVariables();
  MSFlexGrid1_Click(state, 3);
  BotaoSetaAcima_Click(state);
  EXPECT_EQ(Variables(), QStringLiteral("0/T1/000001 0/T2/000002 0/T3/100003"));
  EXPECT_EQ(state.variables.selectedRow(), 3);
  SaveVariable(QStringLiteral("0"), QStringLiteral("NEW"));
  EXPECT_EQ(Variables(), QStringLiteral("0/T1/000001 0/T2/000002 0/NEW/000004 0/T3/100003"));
}

TEST_F(RowMovesTest, AMoveDuringAnEditKeepsItAndSaveReplacesTheRowAtItsNewPlace) {
  Alarms({"A", "B", "C"});
  MSFlexGrid2_DblClick(state, 1);
  BotaoSetaAbaixoAlarme_Click(state);
  EXPECT_TRUE(state.alarmEditing);
  state.field(name::Texto1).text = QStringLiteral("Z");
  BotaoSalvarAlarme_Click(state);
  EXPECT_EQ(AlarmTexts(), QStringLiteral("B Z C"));
  EXPECT_EQ(state.alarms.text(2), QStringLiteral("Z") + QString(15, u' '));

  ThreeVariables();
  MSFlexGrid1_DblClick(state, 2);
  BotaoSetaAcima_Click(state);
  EXPECT_TRUE(state.variableEditing);
  state.field(name::Campo(1)).text = QStringLiteral("EDITED");
  BotaoSalvar_Click(state);
  EXPECT_EQ(Variables(), QStringLiteral("0/EDITED/000001 0/T1/000002 1/T3/100003"));
}

TEST_F(RowMovesTest, MovesNeverMarkTheListsChangedNorTouchTheCounts) {
  ThreeVariables();
  Alarms({"A", "B"});
  MSFlexGrid1_Click(state, 1);
  BotaoSetaAbaixo_Click(state);
  BotaoSetaAbaixo_Click(state);  // into group 1
  MSFlexGrid2_Click(state, 2);
  BotaoSetaAcimaAlarme_Click(state);
  EXPECT_FALSE(state.listsChanged);
  EXPECT_EQ(state.field(name::TotalLinhasVariaveis).text, QStringLiteral("3"));
  EXPECT_EQ(state.field(name::TotalLinhasAlarme).text, QStringLiteral("2"));
  EXPECT_EQ(state.variables.count(), 3);
  EXPECT_EQ(state.alarms.count(), 2);
  EXPECT_TRUE(messages.shown().empty());
}

TEST_F(RowMovesTest, WithoutASelectedRowOrANeighbourAMoveDoesNothing) {
  Alarms({"A", "B"});
  BotaoSetaAbaixoAlarme_Click(state);
  MSFlexGrid2_Click(state, 1);
  BotaoSetaAcimaAlarme_Click(state);
  EXPECT_EQ(AlarmTexts(), QStringLiteral("A B"));
  EXPECT_EQ(state.alarms.selectedRow(), 1);
  EXPECT_TRUE(messages.shown().empty());
}

}  // namespace
}  // namespace zelkor
