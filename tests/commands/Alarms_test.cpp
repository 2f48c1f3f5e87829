#include "commands/AlarmEditor.h"
#include "support/Editor.h"
#include "support/Printers.h"

namespace zelkor {
namespace {

const QString kScript = QStringLiteral("commands/data/alarms.script");

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
  EXPECT_EQ(messages.shown[0], (Message{QStringLiteral("Texto deve ter pelo menos 1 e até 8 caracteres!"),
                                        MessageTitle::TextLength, MessageButtons::Ok, MessageIcon::Exclamation}));
}

using RowMovesTest = testing::EditorTest;

TEST_F(RowMovesTest, AnAlarmTakesItsSelectionAlongAndAtAnEndTheFocusGoesToTheOtherArrow) {
  PlayScript(kScript, QStringLiteral("an alarm takes its"));
  EXPECT_EQ(state.alarmPage.scrollTo, 2);
}

TEST_F(RowMovesTest, VariablesSwapWithinAGroupAndJoinTheNeighboursGroupAtItsEdgeKeepingTheirKeys) {
  PlayScript(kScript, QStringLiteral("variables swap within a group"));
}

}  // namespace
}  // namespace zelkor
