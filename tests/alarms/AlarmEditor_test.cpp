#include "alarms/AlarmEditor.h"
#include "core/ControlNames.h"
#include "core/MainWindow.h"
#include "support/Printers.h"
#include "support/RecordingMessages.h"

#include <gtest/gtest.h>

namespace zelkor {
namespace {

TEST(AlarmText, ComposesTwoHalvesOfEightBlankFilledOrCut) {
  EXPECT_EQ(ComposeAlarmText(QStringLiteral("ABC"), QStringLiteral("XY")), QStringLiteral("ABC     XY      "));
  EXPECT_EQ(ComposeAlarmText(QStringLiteral("BOMBA"), QString()), QStringLiteral("BOMBA           "));
  EXPECT_EQ(ComposeAlarmText(QStringLiteral(" AB"), QStringLiteral("C")), QStringLiteral(" AB     C       "));
  EXPECT_EQ(ComposeAlarmText(QStringLiteral("12345678"), QStringLiteral("ABCDEFGHIJ")),
            QStringLiteral("12345678ABCDEFGH"));
}

TEST(AlarmText, SplitsIntoWhatEachHalfHolds) {
  EXPECT_EQ(SplitAlarmText(QStringLiteral("ABC     XY      ")),
            std::make_pair(QStringLiteral("ABC     "), QStringLiteral("XY      ")));
  // Texts from a file lost their trailing blanks and may be shorter.
  EXPECT_EQ(SplitAlarmText(QStringLiteral("MOTOR 1 FALHA")),
            std::make_pair(QStringLiteral("MOTOR 1 "), QStringLiteral("FALHA")));
  EXPECT_EQ(SplitAlarmText(QStringLiteral("BOMBA")), std::make_pair(QStringLiteral("BOMBA"), QString()));
  EXPECT_EQ(SplitAlarmText(QString()), std::make_pair(QString(), QString()));
}

class AlarmEditorTest : public ::testing::Test {
 protected:
  AlarmEditorTest() { StartUp(state); }

  void Save(const QString& texto1, const QString& texto2 = {}) {
    state.field(name::Texto1).text = texto1;
    state.field(name::Texto2).text = texto2;
    BotaoSalvarAlarme_Click(state);
  }
  void Load(int rows) {
    for (int i = 1; i <= rows; ++i) state.alarms.load(QStringLiteral("A%1").arg(i));
  }
  QString Texts() const {
    QStringList texts;
    for (int r = 1; r <= state.alarms.count(); ++r) texts << state.alarms.text(r).trimmed();
    return texts.join(u' ');
  }
  const FieldState& Field(const QString& n) const { return state.field(n); }
  const ButtonState& Button(const QString& n) const { return state.button(n); }
  Rgb Cell(int row) const { return state.alarms.grid().background(row, 0); }
  void ExpectNoSelection() const {
    EXPECT_EQ(state.alarms.selectedRow(), 0);
    for (const QString& n : {name::BotaoEditarAlarme, name::BotaoRemoverAlarme}) {
      EXPECT_EQ(Button(n).enabled, false) << n.toStdString();
      EXPECT_EQ(Button(n).background, colours::Grey) << n.toStdString();
    }
    EXPECT_FALSE(Button(name::BotaoSetaAcimaAlarme).enabled);
    EXPECT_FALSE(Button(name::BotaoSetaAbaixoAlarme).enabled);
  }

  testing::RecordingMessages messages;
  EditorState state{messages};
};

TEST_F(AlarmEditorTest, SaveAppendsTheComposedTextAndShowsCountAndImage) {
  Save(QStringLiteral("BOMBA"), QStringLiteral("FALHA"));
  EXPECT_TRUE(messages.shown().empty());
  ASSERT_EQ(state.alarms.count(), 1);
  EXPECT_EQ(state.alarms.text(1), QStringLiteral("BOMBA   FALHA   "));
  EXPECT_EQ(Field(name::TotalLinhasAlarme).text, QStringLiteral("1"));
  EXPECT_EQ(Field(name::TotalLinhasAlarme).background, colours::Amber);
  EXPECT_EQ(Field(name::MemoriaInicial).text, QStringLiteral("D4488"));
  EXPECT_TRUE(state.listsChanged);
  EXPECT_EQ(Field(name::Texto1).text, QStringLiteral("BOMBA"));  // stays for a repeat
  Save(QStringLiteral("12345678"));
  EXPECT_EQ(state.alarms.count(), 2);
}

TEST_F(AlarmEditorTest, AnEmptyFirstTextIsRefusedAndNothingChanges) {
  Load(2);
  MSFlexGrid2_DblClick(state, 2);
  Save(QString(), QStringLiteral("XY"));
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0],
            (Message{QStringLiteral("Texto deve ter pelo menos 1 e até 8 caracteres!"),
                     QStringLiteral("Texto: (1 a 8 caracteres)!"), MessageButtons::Ok, MessageIcon::Exclamation}));
  EXPECT_EQ(Field(name::Texto1).background, colours::Red);
  EXPECT_EQ(Field(name::Texto2).background, colours::White);
  EXPECT_EQ(state.focus, name::Texto1);
  EXPECT_EQ(Field(name::Texto2).text, QStringLiteral("XY"));
  EXPECT_EQ(state.alarms.count(), 2);
  EXPECT_EQ(state.alarms.selectedRow(), 2);
  EXPECT_TRUE(state.alarmEditing);
  EXPECT_FALSE(state.listsChanged);

  Save(QStringLiteral(" "));  // a blank is a character
  EXPECT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(state.alarms.text(2), QString(16, u' '));
}

TEST_F(AlarmEditorTest, EditAndSaveReplacesTheRowAndLeavesNoSelection) {
  for (const char* t : {"A", "B", "C", "D", "E"}) Save(QString::fromLatin1(t));
  MSFlexGrid2_Click(state, 3);
  BotaoEditarAlarme_Click(state);
  EXPECT_EQ(Field(name::Texto1).text, QStringLiteral("C       "));
  EXPECT_EQ(Field(name::Texto2).text, QString(8, u' '));
  EXPECT_EQ(Field(name::Texto1).background, colours::Amber);
  state.field(name::Texto1).text = QStringLiteral("Z");
  BotaoSalvarAlarme_Click(state);
  EXPECT_EQ(Texts(), QStringLiteral("A B Z D E"));
  EXPECT_EQ(Field(name::TotalLinhasAlarme).text, QStringLiteral("5"));
  for (int r = 1; r <= 5; ++r) EXPECT_EQ(Cell(r), colours::White) << r;
  ExpectNoSelection();
  EXPECT_FALSE(state.alarmEditing);
}

TEST_F(AlarmEditorTest, AClickOnAnotherRowEndsTheEditAndSaveAppends) {
  Save(QStringLiteral("A"));
  Save(QStringLiteral("B"));
  MSFlexGrid2_DblClick(state, 1);
  MSFlexGrid2_Click(state, 2);
  EXPECT_FALSE(state.alarmEditing);
  EXPECT_EQ(Field(name::Texto1).background, colours::White);
  BotaoSalvarAlarme_Click(state);
  EXPECT_EQ(Texts(), QStringLiteral("A B A"));
}

TEST_F(AlarmEditorTest, AShortTextFromAFileIsSplitForEditing) {
  state.alarms.load(QStringLiteral("MOTOR 1 FALHA"));
  state.alarms.load(QStringLiteral("BOMBA"));
  MSFlexGrid2_DblClick(state, 1);
  EXPECT_EQ(Field(name::Texto1).text, QStringLiteral("MOTOR 1 "));
  EXPECT_EQ(Field(name::Texto2).text, QStringLiteral("FALHA"));
  MSFlexGrid2_DblClick(state, 2);
  EXPECT_EQ(Field(name::Texto2).text, QString());
}

TEST_F(AlarmEditorTest, SelectionHighlightsTheCellAndEnablesTheArrowsThatStayInside) {
  Load(1);
  MSFlexGrid2_Click(state, 1);
  EXPECT_FALSE(Button(name::BotaoSetaAcimaAlarme).enabled);
  EXPECT_FALSE(Button(name::BotaoSetaAbaixoAlarme).enabled);
  EXPECT_TRUE(Button(name::BotaoRemoverAlarme).enabled);
  EXPECT_EQ(Cell(1), colours::Amber);
  Load(2);
  MSFlexGrid2_Click(state, 1);
  EXPECT_FALSE(Button(name::BotaoSetaAcimaAlarme).enabled);
  EXPECT_TRUE(Button(name::BotaoSetaAbaixoAlarme).enabled);
  MSFlexGrid2_Click(state, 2);
  EXPECT_TRUE(Button(name::BotaoSetaAcimaAlarme).enabled);
  EXPECT_TRUE(Button(name::BotaoSetaAbaixoAlarme).enabled);
  MSFlexGrid2_Click(state, 3);
  EXPECT_TRUE(Button(name::BotaoSetaAcimaAlarme).enabled);
  EXPECT_FALSE(Button(name::BotaoSetaAbaixoAlarme).enabled);
  EXPECT_EQ(Cell(3), colours::Amber);
  EXPECT_EQ(Cell(2), colours::White);
  EXPECT_EQ(Button(name::BotaoEditarAlarme).background, colours::Amber);
}

TEST_F(AlarmEditorTest, RemoveMovesTheRestUpAndRemovingTheOnlyRowLeavesABlankLine) {
  Load(4);
  state.listsChanged = false;
  MSFlexGrid2_Click(state, 2);
  BotaoRemoverAlarme_Click(state);
  EXPECT_EQ(Texts(), QStringLiteral("A1 A3 A4"));
  EXPECT_TRUE(state.listsChanged);
  EXPECT_EQ(state.focus, name::Texto1);
  EXPECT_EQ(Field(name::TotalLinhasAlarme).text, QStringLiteral("3"));
  ExpectNoSelection();

  state.alarms.clear();
  Save(QStringLiteral("ONLY"));
  MSFlexGrid2_Click(state, 1);
  BotaoRemoverAlarme_Click(state);
  EXPECT_EQ(state.alarms.count(), 0);
  EXPECT_EQ(state.alarms.grid().lineCount(), 2);
  EXPECT_EQ(state.alarms.grid().text(0, 0), QStringLiteral("Texto editado Alarmes (8X8)"));
  EXPECT_EQ(Field(name::TotalLinhasAlarme).text, QStringLiteral("0"));
  EXPECT_EQ(Field(name::TotalLinhasAlarme).background, colours::White);
  EXPECT_EQ(Field(name::MemoriaInicial).text, QString());
  // The blank line is no row.
  MSFlexGrid2_Click(state, 1);
  ExpectNoSelection();
}

TEST_F(AlarmEditorTest, ClearListLeavesTheChangedFlagAsItWas) {
  Load(10);
  MSFlexGrid2_DblClick(state, 5);
  BotaoApagaListaAlarmes_Click(state);
  EXPECT_EQ(state.alarms.count(), 0);
  EXPECT_FALSE(state.listsChanged);
  EXPECT_FALSE(state.alarmEditing);
  EXPECT_EQ(Field(name::Texto1).text, QString());
  EXPECT_TRUE(messages.shown().empty());
  ExpectNoSelection();
}

TEST_F(AlarmEditorTest, TheRowLimitRefusesTheAppendButTheRestOfSaveRuns) {
  for (int i = 0; i < 255; ++i) Save(QStringLiteral("A"));
  MSFlexGrid2_Click(state, 9);
  state.listsChanged = false;
  Save(QStringLiteral("EXTRA"));
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].text, QStringLiteral("Limite máximo de 255 linhas foi atingido"));
  EXPECT_EQ(messages.shown()[0].icon, MessageIcon::Critical);
  EXPECT_EQ(state.alarms.count(), 255);
  EXPECT_TRUE(state.listsChanged);
  EXPECT_EQ(Field(name::TotalLinhasAlarme).text, QStringLiteral("255"));
  EXPECT_EQ(Field(name::TotalLinhasAlarme).background, colours::Amber);
  EXPECT_EQ(Cell(9), colours::White);
  ExpectNoSelection();

  MSFlexGrid2_DblClick(state, 255);
  state.field(name::Texto1).text = QStringLiteral("LAST");
  BotaoSalvarAlarme_Click(state);
  EXPECT_EQ(state.alarms.text(255), QStringLiteral("LAST            "));
  EXPECT_EQ(messages.shown().size(), 1u);
}

}  // namespace
}  // namespace zelkor
