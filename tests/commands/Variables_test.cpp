#include "commands/VariableEditor.h"
#include "model/VariableValidation.h"
#include "support/Editor.h"
#include "support/Printers.h"
#include "ui/ControlNames.h"

namespace zelkor {
namespace {

const QString kScript = QStringLiteral("commands/data/variables.script");

constexpr MessageTitle kInvalid = MessageTitle::InvalidAddress;
const QString kValidTail =
    QStringLiteral("\r\nEndereços válidos: \r\n\r\nD0000 a D4999\r\nC000   a C255\r\nT000   a T255");
const Message kG = Exclamation(QStringLiteral("Grupo só aceita valores de 0 a 7"), MessageTitle::GroupNotNumeric);
const Message kNone = Exclamation(QStringLiteral("Endereço não informado.") + kValidTail, MessageTitle::AddressMissing);
const Message kLetter =
    Exclamation(QStringLiteral("Endereço deve iniciar com a letra D, C ou T.") + kValidTail, kInvalid);
const Message kDShape = Exclamation(
    QStringLiteral(
        "Parte numérica do Endereço, após a letra D, deve estar entre 0 e 4999 e conter no máximo 4 caracteres!"),
    kInvalid);
const Message kDRange =
    Exclamation(QStringLiteral("Parte numérica do Endereço, após a letra D, deve estar entre 0 e 4999!"), kInvalid);
const Message kC =
    Exclamation(QStringLiteral("Parte numérica do Endereço, após a letra C, deve estar entre 0 e 255!"), kInvalid);
const Message kT =
    Exclamation(QStringLiteral("Parte numérica do Endereço, após a letra T, deve estar entre 0 e 255!"), kInvalid);

VariableVerdict Check(const QString& line) {  // "grupo/endereço"
  return CheckVariableEntry({line.section(u'/', 0, 0), QString(), QStringLiteral("kg"), line.section(u'/', 1)});
}

TEST(VariableEntry, EachFieldIsCheckedInTurnAndTheFirstProblemGivesItsOwnMessage) {
  const std::pair<const char16_t*, const Message&> cases[] = {
      {u"/D1", kG},         {u"8/D1", kG},        {u"a/D1", kG},         {u"-/D1", kG},         {u"9/X", kG},
      {u"0/", kNone},       {u"0/X12", kLetter},  {u"7/12", kLetter},    {u"0/D", kDShape},     {u"0/D12345", kDShape},
      {u"0/D1.5", kDShape}, {u"0/D1e3", kDShape}, {u"0/D&H10", kDShape}, {u"0/D5000", kDRange}, {u"0/D-1", kDRange},
      {u"0/C256", kC},      {u"0/C0012", kC},     {u"0/C", kC},          {u"0/c-1", kC},        {u"0/t300", kT},
      {u"0/Tx", kT}};
  for (const auto& [line, message] : cases) {
    const VariableVerdict v = Check(QString::fromUtf16(line));
    EXPECT_EQ(v.field, &message == &kG ? EntryField::Grupo : EntryField::Endereco)
        << QString::fromUtf16(line).toStdString();
    EXPECT_EQ(v.message, message);
  }
  for (const char16_t* line : {u"0/D0", u"7/D0000", u"0/D4999", u"0/C0", u"0/C255", u"0/T000", u"0/T255", u"0/d12",
                               u"0/t7", u"0/D 12", u"0/D+12", u"0/c045", u"0/D0007"}) {
    EXPECT_TRUE(Check(QString::fromUtf16(line)).Valid()) << QString::fromUtf16(line).toStdString();
  }
}

using VariableEditorTest = testing::EditorTest;

TEST_F(VariableEditorTest, SaveAppendsAFailedLineChangesNothingAnEditReplacesItsRowWhichTheSortMovesAndUndoEndsIt) {
  PlayScript(kScript, QStringLiteral("save appends a failed"));
}

TEST_F(VariableEditorTest, ASelectionEnablesWhatStaysInsideAndLinesThatAreNotRowsSelectNothing) {
  PlayScript(kScript, QStringLiteral("a selection enables what"));
}

TEST_F(VariableEditorTest, The256thRowIsRefusedButTheRestOfTheSaveRunsAndReplacingStillWorks) {
  Do(QStringLiteral("V 0|A|u|D1; ").repeated(255) + QStringLiteral("click V7"));
  state.listsChanged = false;
  const QString shown = (Do(QStringLiteral("V 1|X|u|D1")), Shown());
  EXPECT_EQ(shown.mid(shown.indexOf(QStringLiteral("] A["))),
            QStringLiteral("] A[] n=255/0 mem=D2711 sel=V7 txt=1|X|u|D1| changed msg=Linha não incluída!"));
  EXPECT_EQ(messages.shown.back(), (Message{QStringLiteral("Limite máximo de 255 linhas foi atingido"),
                                            MessageTitle::LineNotIncluded, MessageButtons::Ok, MessageIcon::Critical}));
  Do(QStringLiteral("dbl V255; V 0|LAST|u|D1"));
  EXPECT_EQ(state.lists.variables[254].texto + Titles(), QStringLiteral("LAST"));
}

TEST_F(VariableEditorTest, GroupNumbersMustRunFromZeroWithoutAGapAndTheCheckColoursTheGrupoColumn) {
  PlayScript(kScript, QStringLiteral("group numbers must run"));
  EXPECT_EQ(messages.shown[0],
            (Message{QStringLiteral("Sequência de numeração do Grupo está quebrada!\r\nDeve iniciar com "
                                    "zero e seguir sequência de 1 em 1!"),
                     MessageTitle::GroupSequence, MessageButtons::Ok, MessageIcon::Exclamation}));
}

}  // namespace
}  // namespace zelkor
