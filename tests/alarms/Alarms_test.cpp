#include "alarms/AlarmEditor.h"
#include "support/Editor.h"
#include "support/Printers.h"

namespace zelkor {
namespace {

const QString kScript = QStringLiteral("alarms/data/alarms.script");

TEST(AlarmText, TwoHalvesOfEightBlankFilledOrCutAndSplitIntoWhatEachHalfHolds) {
  for (const auto& [texto1, texto2, composed] : {std::tuple{u"ABC", u"XY", u"ABC     XY      "},
                                                 {u" AB", u"", u" AB             "},
                                                 {u"12345678", u"ABCDEFGHIJ", u"12345678ABCDEFGH"}}) {
    EXPECT_EQ(ComposeAlarmText(QString::fromUtf16(texto1), QString::fromUtf16(texto2)), QString::fromUtf16(composed));
  }
  // Texts from a file lost their trailing blanks and may be shorter.
  EXPECT_EQ(SplitAlarmText(QStringLiteral("MOTOR 1 FALHA")),
            std::make_pair(QStringLiteral("MOTOR 1 "), QStringLiteral("FALHA")));
  EXPECT_EQ(SplitAlarmText(QStringLiteral("BOMBA")), std::make_pair(QStringLiteral("BOMBA"), QString()));
}

using AlarmEditorTest = testing::EditorTest;

TEST_F(AlarmEditorTest, SaveAppendsTheComposedTextAndAnEditReplacesItLeavingNoSelection) {
  PlayScript(kScript, QStringLiteral("save appends the composed"));
  EXPECT_EQ(messages.shown[0],
            (Message{QStringLiteral("Texto deve ter pelo menos 1 e até 8 caracteres!"),
                     QStringLiteral("Texto: (1 a 8 caracteres)!"), MessageButtons::Ok, MessageIcon::Exclamation}));
}

using RowMovesTest = testing::EditorTest;

TEST_F(RowMovesTest, AnAlarmTakesItsSelectionAlongAndAtAnEndTheFocusGoesToTheOtherArrow) {
  PlayScript(kScript, QStringLiteral("an alarm takes its"));
  EXPECT_EQ(state.alarmPage.scrollTo, 2);
}

TEST_F(RowMovesTest, VariablesSwapWithinAGroupAndJoinTheNeighboursGroupAtItsEdgeKeepingTheirKeys) {
  const QString three = QStringLiteral("apagar V; V 0|T1|u|D1; V 0|T2|u|D1; V 1|T3|u|D1; click ");
  PlayScript(kScript, QStringLiteral("variables swap within a 1"));
  Do(three + QStringLiteral("V2"));
  state.listsChanged = false;  // moves never set it
  PlayScript(kScript, QStringLiteral("variables swap within a 2"));
  Do(three + QStringLiteral("V3; up V; V 0|N|u|D1; dbl V3; up V; V 0|E|u|D1"));
  EXPECT_EQ(Shown().section(u']', 0, 0), QStringLiteral("V[0/T1/000001 0/E/000002 0/T2/000003 0/T3/100003"));
}

}  // namespace
}  // namespace zelkor
