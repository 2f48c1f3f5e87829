#include "alarms/AlarmEditor.h"
#include "support/Editor.h"
#include "support/Printers.h"

namespace zelkor {
namespace {

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
  Play({
      {"A BOMBA|FALHA; A B; A C", "V[] A[BOMBA   FALHA B C] n=0/3 mem=D4472 txtA=C| changed"},
      {"dbl A2",
       "V[] A[BOMBA   FALHA B* C] n=0/3 mem=D4472 sel=A2 edit=A on=/ER↑↓ amber=A txtA=B       |         changed"},
      {"A |XY",
       "V[] A[BOMBA   FALHA B* C] n=0/3 mem=D4472 sel=A2 edit=A on=/ER↑↓ red=Texto1 txtA=|XY focus=Texto1 changed "
       "msg=Texto: (1 a 8 caracteres)!"},
      {"A Z", "V[] A[BOMBA   FALHA Z C] n=0/3 mem=D4472 txtA=Z| changed"},
      {"dbl A1; click A3; salvar A",
       "V[] A[BOMBA   FALHA Z C BOMBA   FALHA] n=0/4 mem=D4464 txtA=BOMBA   |FALHA    changed"},
      {"click A4; A  ",
       "V[] A[BOMBA   FALHA Z C BOMBA   FALHA ] n=0/5 mem=D4456 txtA= | changed"},  // a blank is a text
      {"click A2; remover A", "V[] A[BOMBA   FALHA C BOMBA   FALHA ] n=0/4 mem=D4464 focus=Texto1 changed"},
      {"dbl A1; apagar A; click A1", "V[] A[] n=0/0 focus=Texto1 changed"},
  });
  EXPECT_EQ(messages.shown[0],
            (Message{QStringLiteral("Texto deve ter pelo menos 1 e até 8 caracteres!"),
                     QStringLiteral("Texto: (1 a 8 caracteres)!"), MessageButtons::Ok, MessageIcon::Exclamation}));
  for (int i = 0; i < 255; ++i) Do(QStringLiteral("A A"));
  state.listsChanged = false;
  const QString shown = (Do(QStringLiteral("click A9; A EXTRA")), Shown());
  EXPECT_EQ(shown.mid(shown.indexOf(QStringLiteral("] n="))), QStringLiteral("] n=0/255 mem=D2456 txtA=EXTRA| changed "
                                                                             "msg=Linha não incluída!"));
  Do(QStringLiteral("dbl A255; A LAST"));
  EXPECT_EQ(state.alarms.Text(255) + Titles(), QStringLiteral("LAST            "));
}

using RowMovesTest = testing::EditorTest;

TEST_F(RowMovesTest, AnAlarmTakesItsSelectionAlongAndAtAnEndTheFocusGoesToTheOtherArrow) {
  Play({
      {"Aload 3; click A2; up A", "V[] A[A2* A1 A3] n=0/3 sel=A1 on=/ER↓ focus=BotãoSetaAbaixoAlarme"},
      {"down A", "V[] A[A1 A2* A3] n=0/3 sel=A2 on=/ER↑↓"},
      {"down A; down A", "V[] A[A1 A3 A2*] n=0/3 sel=A3 on=/ER↑ focus=BotãoSetaAcimaAlarme"},
      {"dbl A1; down A; A Z",
       "V[] A[A3 Z A2] n=0/3 mem=D4472 txtA=Z| changed"},  // Save replaces the row at its new place
  });
  EXPECT_EQ(state.alarms.Cells().TopLine(), 2);
}

TEST_F(RowMovesTest, VariablesSwapWithinAGroupAndJoinTheNeighboursGroupAtItsEdgeKeepingTheirKeys) {
  const QString three = QStringLiteral("apagar V; V 0|T1|u|D1; V 0|T2|u|D1; V 1|T3|u|D1; click ");
  Play({
      {"V 0|T1|u|D1; V 0|T2|u|D1; V 1|T3|u|D1; click V1; down V",
       "V[0/T2/000001 0/T1/000002* 1/T3/100003] A[] n=3/0 mem=D4475 sel=V2 on=ER↑↓/ txt=1|T3|u|D1| changed"},
      {"V 0|N|u|D1",
       "V[0/T2/000001 0/T1/000002 0/N/000004 1/T3/100003] A[] n=4/0 mem=D4468 sel=V2 txt=0|N|u|D1| changed"},
  });
  Do(three + QStringLiteral("V2"));
  state.listsChanged = false;  // moves never set it
  Play({
      {"down V",
       "V[0/T1/000001 1/T2/000002* 1/T3/100003] A[] n=3/0 mem=D4475 sel=V2 on=ER↑↓/ txt=1|T3|u|D1| focus=Campo(0)"},
      {"V 0|N|u|D1",
       "V[0/T1/000001 1/T2/000002 0/N/000004 1/T3/100003] A[] n=4/0 mem=D4468 sel=V2 txt=0|N|u|D1| changed"},
  });
  Do(three + QStringLiteral("V3; up V; V 0|N|u|D1; dbl V3; up V; V 0|E|u|D1"));
  EXPECT_EQ(Shown().section(u']', 0, 0), QStringLiteral("V[0/T1/000001 0/E/000002 0/T2/000003 0/T3/100003"));
}

}  // namespace
}  // namespace zelkor
