#include "core/ControlNames.h"
#include "core/MainWindow.h"
#include "support/Printers.h"
#include "support/RecordingMessages.h"
#include "variables/VariableEditor.h"

#include <gtest/gtest.h>

namespace zelkor {
namespace {

class VariableEditorTest : public ::testing::Test {
 protected:
  VariableEditorTest() { StartUp(state); }

  void Type(const QString& grupo, const QString& texto, const QString& unidade, const QString& endereco,
            bool editavel = false) {
    state.field(name::Campo(0)).text = grupo;
    state.field(name::Campo(1)).text = texto;
    state.field(name::Campo(2)).text = unidade;
    state.field(name::Campo(3)).text = endereco;
    state.chechEditavel = editavel;
  }
  void Save(const QString& grupo, const QString& texto, const QString& endereco = QStringLiteral("D1")) {
    Type(grupo, texto, QStringLiteral("u"), endereco);
    BotaoSalvar_Click(state);
  }
  // Rows straight into the list, as a file would bring them: no flag changes.
  void Load(std::initializer_list<const char*> groups) {
    int n = 0;
    for (const char* g : groups) {
      state.variables.load({QString::fromLatin1(g), QStringLiteral("V%1").arg(++n), QStringLiteral("u"),
                            QStringLiteral("D1"), QStringLiteral("Não")});
    }
    ShowVariableCount(state);
  }
  QString Texts() const {
    QStringList texts;
    for (int r = 1; r <= state.variables.count(); ++r) texts << state.variables.row(r).texto;
    return texts.join(u' ');
  }
  const ButtonState& Button(const QString& n) const { return state.button(n); }
  const FieldState& Field(const QString& n) const { return state.field(n); }
  Rgb Cell(int row, int column) const { return state.variables.grid().background(row, column); }
  bool Up() const { return Button(name::BotaoSetaAcima).enabled; }
  bool Down() const { return Button(name::BotaoSetaAbaixo).enabled; }

  void ExpectNoSelectionButtons() const {
    EXPECT_FALSE(Button(name::BotaoEditar).enabled);
    EXPECT_FALSE(Button(name::BotaoRemover).enabled);
    EXPECT_EQ(Button(name::BotaoEditar).background, colours::Grey);
    EXPECT_EQ(Button(name::BotaoRemover).background, colours::Grey);
    EXPECT_FALSE(Up());
    EXPECT_FALSE(Down());
  }
  void ExpectFields(Rgb colour) const {
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Field(name::Campo(i)).background, colour) << i;
  }

  testing::RecordingMessages messages;
  EditorState state{messages};
};

TEST_F(VariableEditorTest, FirstSaveAppendsRowOneAndShowsCountAndImage) {
  Type(QStringLiteral("0"), QStringLiteral("PRESSÃO"), QStringLiteral("bar"), QStringLiteral("d12"), true);
  BotaoSalvar_Click(state);
  EXPECT_TRUE(messages.shown().empty());
  ASSERT_EQ(state.variables.count(), 1);
  EXPECT_EQ(state.variables.row(1), (VariableRow{QStringLiteral("0"), QStringLiteral("PRESSÃO"), QStringLiteral("bar"),
                                                 QStringLiteral("d12"), QStringLiteral("Sim")}));
  EXPECT_EQ(state.variables.orderKey(1), QStringLiteral("000001"));
  EXPECT_EQ(Field(name::TotalLinhasVariaveis).text, QStringLiteral("1"));
  EXPECT_EQ(Field(name::TotalLinhasVariaveis).background, colours::Amber);
  EXPECT_EQ(Field(name::MemoriaInicial).text, QStringLiteral("D4489"));
  EXPECT_EQ(Field(name::MemoriaFinal).text, QStringLiteral("D4499"));
  EXPECT_TRUE(state.listsChanged);
  ExpectNoSelectionButtons();
  ExpectFields(colours::White);

  // The fields keep the saved line: a second Save appends it again.
  EXPECT_EQ(Field(name::Campo(1)).text, QStringLiteral("PRESSÃO"));
  BotaoSalvar_Click(state);
  EXPECT_EQ(state.variables.count(), 2);
  EXPECT_EQ(state.variables.row(2).texto, QStringLiteral("PRESSÃO"));
  EXPECT_EQ(state.variables.orderKey(2), QStringLiteral("000002"));
}

TEST_F(VariableEditorTest, AFailedCheckMarksTheFieldStoresNothingAndKeepsTheBlankFill) {
  Save(QStringLiteral("0"), QStringLiteral("A"));
  MSFlexGrid1_Click(state, 1);
  BotaoEditar_Click(state);
  state.listsChanged = false;

  Type(QStringLiteral("1"), QString(), QString(), QStringLiteral("D5000"));
  BotaoSalvar_Click(state);
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].title, QStringLiteral("Endereço inválido!"));
  EXPECT_EQ(Field(name::Campo(3)).background, colours::Red);
  EXPECT_EQ(Field(name::Campo(0)).background, colours::White);
  EXPECT_EQ(state.focus, name::Campo(3));
  EXPECT_EQ(Field(name::Campo(1)).text, QString(8, u' '));
  EXPECT_EQ(Field(name::Campo(2)).text, QString(3, u' '));
  EXPECT_EQ(Field(name::Campo(3)).text, QStringLiteral("D5000"));
  EXPECT_TRUE(state.failure);
  EXPECT_EQ(state.variables.count(), 1);
  EXPECT_EQ(state.variables.row(1).texto, QStringLiteral("A"));
  EXPECT_FALSE(state.listsChanged);
  EXPECT_TRUE(state.variableEditing);  // the edit and the selection stay
  EXPECT_EQ(state.variables.selectedRow(), 1);

  // The next press starts white again and reports the first remaining problem.
  Type(QStringLiteral("9"), QString(), QString(), QStringLiteral("D5000"));
  BotaoSalvar_Click(state);
  EXPECT_EQ(messages.shown().back().title, QStringLiteral("Grupo: só numérico de 0 a 7!"));
  EXPECT_EQ(Field(name::Campo(0)).background, colours::Red);
  EXPECT_EQ(Field(name::Campo(3)).background, colours::White);
  EXPECT_EQ(state.focus, name::Campo(0));
}

TEST_F(VariableEditorTest, EditAndSaveReplacesTheRowAndTheSortMovesItToItsNewGroup) {
  for (const char* t : {"A", "B", "C", "D", "E"}) Save(QStringLiteral("0"), QString::fromLatin1(t));
  MSFlexGrid1_DblClick(state, 3);
  EXPECT_TRUE(state.variableEditing);
  EXPECT_EQ(Field(name::Campo(1)).text, QStringLiteral("C"));
  ExpectFields(colours::Amber);

  state.field(name::Campo(0)).text = QStringLiteral("2");
  BotaoSalvar_Click(state);
  EXPECT_EQ(state.variables.count(), 5);
  EXPECT_EQ(Texts(), QStringLiteral("A B D E C"));
  EXPECT_EQ(state.variables.orderKey(5), QStringLiteral("200003"));
  EXPECT_FALSE(state.variableEditing);
  ExpectFields(colours::White);
  ExpectNoSelectionButtons();
  for (int r = 1; r <= 5; ++r) EXPECT_EQ(Cell(r, varcol::Texto), colours::White) << r;
  EXPECT_EQ(state.variables.selectedRow(), 3);  // kept, though the row has moved
}

TEST_F(VariableEditorTest, AClickOnAnotherRowEndsTheEditAndSaveThenAppends) {
  Save(QStringLiteral("0"), QStringLiteral("A"));
  Save(QStringLiteral("0"), QStringLiteral("B"));
  MSFlexGrid1_Click(state, 1);
  BotaoEditar_Click(state);
  MSFlexGrid1_Click(state, 2);
  EXPECT_FALSE(state.variableEditing);
  ExpectFields(colours::White);
  EXPECT_EQ(Field(name::Campo(1)).text, QStringLiteral("A"));  // the loaded texts stay
  BotaoSalvar_Click(state);
  EXPECT_EQ(Texts(), QStringLiteral("A B A"));
}

TEST_F(VariableEditorTest, EditLoadsTheRowAndTicksEditableOnlyForSim) {
  Type(QStringLiteral("0"), QStringLiteral("X"), QStringLiteral("m"), QStringLiteral("T7"), true);
  BotaoSalvar_Click(state);
  Type(QStringLiteral("0"), QStringLiteral("Y"), QStringLiteral("s"), QStringLiteral("C1"), false);
  BotaoSalvar_Click(state);
  BotaoLimpar_Click(state);

  MSFlexGrid1_DblClick(state, 1);
  EXPECT_TRUE(state.chechEditavel);
  EXPECT_EQ(Field(name::Campo(3)).text, QStringLiteral("T7"));
  EXPECT_EQ(Cell(1, varcol::Texto), colours::Amber);
  EXPECT_TRUE(Button(name::BotaoRemover).enabled);
  MSFlexGrid1_DblClick(state, 2);
  EXPECT_FALSE(state.chechEditavel);
  EXPECT_EQ(Field(name::Campo(2)).text, QStringLiteral("s"));
  EXPECT_EQ(Cell(1, varcol::Texto), colours::White);
}

TEST_F(VariableEditorTest, SelectionHighlightsColumnsOneToFourAndEnablesTheArrowsThatStayInside) {
  Load({"0"});
  MSFlexGrid1_Click(state, 1);
  EXPECT_FALSE(Up());
  EXPECT_FALSE(Down());

  Load({"0", "0"});
  MSFlexGrid1_Click(state, 1);
  EXPECT_FALSE(Up());
  EXPECT_TRUE(Down());
  MSFlexGrid1_Click(state, 2);
  EXPECT_TRUE(Up());
  EXPECT_TRUE(Down());
  MSFlexGrid1_Click(state, 3);
  EXPECT_TRUE(Up());
  EXPECT_FALSE(Down());

  EXPECT_TRUE(Button(name::BotaoEditar).enabled);
  EXPECT_TRUE(Button(name::BotaoRemover).enabled);
  EXPECT_EQ(Button(name::BotaoEditar).background, colours::Amber);
  EXPECT_EQ(Button(name::BotaoRemover).background, colours::Amber);
  for (int c = varcol::Texto; c <= varcol::Editavel; ++c) EXPECT_EQ(Cell(3, c), colours::Amber) << c;
  EXPECT_EQ(Cell(3, varcol::Grupo), colours::Grey);
  for (int c = varcol::Texto; c <= varcol::Editavel; ++c) EXPECT_EQ(Cell(2, c), colours::White) << c;
}

TEST_F(VariableEditorTest, LinesThatAreNotRowsSelectNothing) {
  MSFlexGrid1_Click(state, 0);  // the header of an empty list
  MSFlexGrid1_DblClick(state, 1);
  EXPECT_EQ(state.variables.selectedRow(), 0);
  ExpectNoSelectionButtons();

  Save(QStringLiteral("0"), QStringLiteral("A"));
  MSFlexGrid1_Click(state, 1);
  BotaoRemover_Click(state);
  ASSERT_EQ(state.variables.grid().lineCount(), 2);  // the blank line left behind
  MSFlexGrid1_Click(state, 1);
  MSFlexGrid1_DblClick(state, 1);
  EXPECT_EQ(state.variables.selectedRow(), 0);
  EXPECT_FALSE(state.variableEditing);
  ExpectNoSelectionButtons();
  EXPECT_TRUE(messages.shown().empty());
}

TEST_F(VariableEditorTest, RemovingAMiddleRowMovesTheRestUpAndClearsTheFields) {
  Load({"0", "0", "0", "0"});
  EXPECT_FALSE(state.listsChanged);
  MSFlexGrid1_DblClick(state, 2);
  BotaoRemover_Click(state);
  EXPECT_EQ(Texts(), QStringLiteral("V1 V3 V4"));
  EXPECT_EQ(state.variables.orderKey(2), QStringLiteral("000003"));
  EXPECT_EQ(Field(name::TotalLinhasVariaveis).text, QStringLiteral("3"));
  EXPECT_EQ(Field(name::MemoriaInicial).text, QStringLiteral("D4475"));
  EXPECT_TRUE(state.listsChanged);
  EXPECT_EQ(state.variables.selectedRow(), 0);
  EXPECT_FALSE(state.variableEditing);
  EXPECT_EQ(state.focus, name::Campo(0));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Field(name::Campo(i)).text, QString()) << i;
  ExpectNoSelectionButtons();
}

TEST_F(VariableEditorTest, RemovingTheOnlyRowEmptiesTheListAndItsDisplays) {
  Save(QStringLiteral("0"), QStringLiteral("A"));
  MSFlexGrid1_Click(state, 1);
  BotaoRemover_Click(state);
  EXPECT_EQ(state.variables.count(), 0);
  EXPECT_EQ(Field(name::TotalLinhasVariaveis).text, QStringLiteral("0"));
  EXPECT_EQ(Field(name::TotalLinhasVariaveis).background, colours::White);
  EXPECT_EQ(Field(name::MemoriaInicial).text, QString());
  EXPECT_EQ(Field(name::MemoriaFinal).text, QString());
  EXPECT_EQ(state.variables.grid().text(0, varcol::Grupo), QStringLiteral("Grupo"));
  EXPECT_TRUE(messages.shown().empty());
}

TEST_F(VariableEditorTest, TheLineAnEmptiedGridKeepsComesBackWithoutOldMarks) {
  Save(QStringLiteral("2"), QStringLiteral("A"));
  CheckGroupSequence(state);  // Grupo column red
  MSFlexGrid1_Click(state, 1);
  BotaoRemover_Click(state);
  Save(QStringLiteral("0"), QStringLiteral("B"));
  EXPECT_EQ(Cell(1, varcol::Texto), colours::White);  // not the old highlight
  EXPECT_EQ(Cell(1, varcol::Grupo), colours::Grey);

  CheckGroupSequence(state);
  Save(QStringLiteral("3"), QStringLiteral("C"));
  CheckGroupSequence(state);
  MSFlexGrid1_Click(state, 1);
  BotaoApagaListaVariaveis_Click(state);
  Save(QStringLiteral("0"), QStringLiteral("D"));
  EXPECT_EQ(Cell(0, varcol::Grupo), colours::Grey);
  EXPECT_EQ(Cell(1, varcol::Grupo), colours::Grey);
  EXPECT_EQ(Cell(1, varcol::Editavel), colours::White);
}

TEST_F(VariableEditorTest, ClearListEmptiesWithoutAQuestionAndLeavesTheChangedFlagAlone) {
  Load({"0", "0", "0", "0", "0", "0", "0", "0", "0", "0"});
  MSFlexGrid1_Click(state, 4);
  BotaoApagaListaVariaveis_Click(state);
  EXPECT_EQ(state.variables.count(), 0);
  EXPECT_EQ(state.variables.grid().lineCount(), 2);
  EXPECT_EQ(Field(name::TotalLinhasVariaveis).text, QStringLiteral("0"));
  EXPECT_EQ(Field(name::MemoriaInicial).text, QString());
  EXPECT_FALSE(state.listsChanged);
  EXPECT_TRUE(messages.shown().empty());
  ExpectNoSelectionButtons();

  state.listsChanged = true;
  BotaoApagaListaVariaveis_Click(state);
  EXPECT_TRUE(state.listsChanged);
}

TEST_F(VariableEditorTest, TheRowLimitRefusesTheAppendButTheRestOfSaveRuns) {
  for (int i = 0; i < 255; ++i) Save(QStringLiteral("0"), QStringLiteral("A"));
  ASSERT_EQ(state.variables.count(), 255);
  ASSERT_TRUE(messages.shown().empty());
  MSFlexGrid1_Click(state, 7);
  state.listsChanged = false;
  state.field(name::Campo(0)).background = colours::Amber;

  Save(QStringLiteral("1"), QStringLiteral("EXTRA"));
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0], (Message{QStringLiteral("Limite máximo de 255 linhas foi atingido"),
                                          QStringLiteral("Linha não incluída!"), MessageButtons::Ok,
                                          MessageIcon::Critical}));
  EXPECT_EQ(state.variables.count(), 255);
  EXPECT_TRUE(state.listsChanged);
  ExpectNoSelectionButtons();
  ExpectFields(colours::White);
  EXPECT_EQ(Cell(7, varcol::Texto), colours::White);  // the sort took the highlight away
  EXPECT_EQ(Field(name::Campo(1)).text, QStringLiteral("EXTRA"));
  EXPECT_EQ(Field(name::TotalLinhasVariaveis).text, QStringLiteral("255"));
  EXPECT_EQ(Field(name::MemoriaInicial).text, QStringLiteral("D2711"));

  // Replacing still works at the limit.
  MSFlexGrid1_DblClick(state, 255);
  state.field(name::Campo(1)).text = QStringLiteral("LAST");
  BotaoSalvar_Click(state);
  EXPECT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(state.variables.row(255).texto, QStringLiteral("LAST"));
}

TEST_F(VariableEditorTest, TheGridWidensOnTheSaveThatBringsItToTwentyLines) {
  for (int i = 0; i < 18; ++i) Save(QStringLiteral("0"), QStringLiteral("A"));
  EXPECT_EQ(state.variables.grid().controlWidth(), 3975);
  Save(QStringLiteral("0"), QStringLiteral("A"));  // 19 rows + header
  EXPECT_EQ(state.variables.grid().controlWidth(), 4220);
  EXPECT_EQ(state.variables.grid().topLine(), 19);
  MSFlexGrid1_Click(state, 1);
  BotaoRemover_Click(state);
  EXPECT_EQ(state.variables.grid().controlWidth(), 4220);  // removal leaves the width
  Save(QStringLiteral("0"), QStringLiteral("A"));
  EXPECT_EQ(state.variables.grid().controlWidth(), 4220);
  BotaoApagaListaVariaveis_Click(state);
  EXPECT_EQ(state.variables.grid().controlWidth(), 4220);
  Save(QStringLiteral("0"), QStringLiteral("A"));
  EXPECT_EQ(state.variables.grid().controlWidth(), 3975);
}

TEST_F(VariableEditorTest, GroupSequencePassesWhenUnbrokenFromZeroInAnyOrder) {
  const std::vector<std::vector<const char*>> passing = {{}, {"0"}, {"0", "1", "2"}, {"0", "0", "1"}, {"1", "0"}};
  for (const auto& groups : passing) {
    state.variables.clear();
    for (const char* g : groups) Load({g});
    state.failure = true;
    CheckGroupSequence(state);
    EXPECT_FALSE(state.failure) << groups.size();
  }
  EXPECT_TRUE(messages.shown().empty());
}

TEST_F(VariableEditorTest, GroupSequenceFailsOnAGapAndColoursTheGrupoColumnRed) {
  const std::vector<std::vector<const char*>> failing = {{"0", "2"}, {"1", "2"}, {"2"}};
  for (const auto& groups : failing) {
    messages.Forget();
    state.variables.clear();
    for (const char* g : groups) Load({g});
    CheckGroupSequence(state);
    EXPECT_TRUE(state.failure);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0],
              (Message{QStringLiteral("Sequência de numeração do Grupo está quebrada!\r\nDeve iniciar com zero e seguir "
                                      "sequência de 1 em 1!"),
                       QStringLiteral("Sequência de numeração!"), MessageButtons::Ok, MessageIcon::Exclamation}));
    for (int r = 0; r <= state.variables.count(); ++r) EXPECT_EQ(Cell(r, varcol::Grupo), colours::Red) << r;
  }
  // Clear fields, and the next Save even when its line fails, paint it grey again.
  BotaoLimpar_Click(state);
  EXPECT_EQ(Cell(1, varcol::Grupo), colours::Grey);
  CheckGroupSequence(state);
  Save(QStringLiteral("9"), QStringLiteral("bad"));
  EXPECT_EQ(Cell(0, varcol::Grupo), colours::Grey);
  EXPECT_EQ(Cell(1, varcol::Grupo), colours::Grey);
}

TEST_F(VariableEditorTest, AGroupThatIsNotANumberIsReportedAndTheCheckPasses) {
  Load({"0", "X"});
  CheckGroupSequence(state);
  EXPECT_FALSE(state.failure);
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].title, QStringLiteral("Marbeto"));
  EXPECT_EQ(messages.shown()[0].icon, MessageIcon::None);
}

}  // namespace
}  // namespace zelkor
