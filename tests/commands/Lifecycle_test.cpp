#include "commands/EditorLifecycle.h"
#include "commands/History.h"
#include "model/Cp1252.h"
#include "model/Numbers.h"
#include "support/Editor.h"
#include "support/Printers.h"

#include <QDir>

#include <stdexcept>

namespace zelkor {
namespace {

TEST(Cp1252AndNumbers, EveryByteSurvivesTheCodePageAndOnlyPlainDigitsWithBlanksAndASignAreNumbers) {
  QByteArray all;
  for (int b = 0; b < 256; ++b) all.append(static_cast<char>(b));
  bool ok = false;
  EXPECT_EQ(cp1252::Encode(cp1252::Decode(all), &ok), all);
  EXPECT_TRUE(ok);
  // Checked against the published code page, not against the table in the code.
  EXPECT_EQ(cp1252::Decode("\x80\x8A\x8C\x93\x96\x99\x9F\x85\xE3\xB0\x81"), QStringLiteral("€ŠŒ“–™Ÿ…ã°\u0081"));
  EXPECT_EQ(cp1252::Encode(QStringLiteral("AΩ€Ā"), &ok) + QByteArray::number(cp1252::ByteOf(QChar(u'日'))),
            QByteArray("A?\x80?-1"));
  EXPECT_FALSE(ok);
  for (const auto& [text, value] : {std::pair{"12", 12}, {" 12 ", 12}, {"+12", 12}, {"-1", -1}, {"0007", 7}})
    EXPECT_EQ(ReadWholeNumber(QLatin1String(text)), value) << text;
  for (const char* text : {"", " ", "+", "-", "1e3", "1.5", "1,5", "&H10", "0x10", "12a", "- 1", "1 2", "++1"})
    EXPECT_FALSE(ReadWholeNumber(QLatin1String(text)).has_value()) << '"' << text << '"';
}

using LifecycleTest = testing::EditorTest;

TEST_F(LifecycleTest, StartUpShowsEmptyListsAndFillsThePortsAndAnUnexpectedErrorShowsItsOwnDescription) {
  const QStringList& ports = state.link.portEntries;
  EXPECT_EQ(QString::number(ports.size()) + ports[0] + ports[9] + ports[15],
            QStringLiteral("16Porta # 01Porta # 10Porta # 16"));
  // An unexpected error: its own description, OK only, no icon, the program's title.
  EXPECT_TRUE(!Guarded(messages, [] { throw std::runtime_error("Não foi possível ler o arquivo."); }) &&
              Guarded(messages, [] {}));
  EXPECT_EQ(messages.shown,
            std::vector<Message>{(Message{QStringLiteral("Não foi possível ler o arquivo."), MessageTitle::Program})});
}

TEST_F(LifecycleTest, TheCloseRequestAsksOnlyAboutChangedListsAndEachAnswerDoesItsPart) {
  const QString file = Path(QStringLiteral("a.zlk"));
  for (const auto& [changed, answer, result, done] : {std::tuple{false, Answer::Ok, CloseAnswer::Close, "close"},
                                                      {true, Answer::Cancel, CloseAnswer::Stay, ""},
                                                      {true, Answer::No, CloseAnswer::Close, "close"},
                                                      {true, Answer::Yes, CloseAnswer::Close, "save close"}}) {
    Do(QStringLiteral("A X; port 1"));
    state.listsChanged = changed;
    if (changed) messages.answers.push_back(answer);
    if (answer == Answer::Yes) dialogs.answers.push_back(file);
    EXPECT_EQ(CloseRequest(state), result);
    EXPECT_EQ(QString::fromUtf8(QFile::exists(file) ? "save " : "") + QString::fromUtf8(port.IsOpen() ? "" : "close") +
                  Titles(),
              QString::fromUtf8(done) + (changed ? QStringLiteral("Salvar dados atuais?") : QString()));
  }
  EXPECT_EQ(messages.shown.back(), (Message{QStringLiteral("Você quer salvar o conteúdo das listas antes de sair?"),
                                            MessageTitle::SaveCurrentData, MessageButtons::YesNoCancel}));
  // A save that fails (its file is a folder now) keeps the window, its error reported; the port's never keeps the
  // program from ending.
  ASSERT_TRUE(QFile::remove(file) && QDir().mkdir(file));
  port.closeFails = true;
  messages.answers = {Answer::Yes, Answer::No};
  EXPECT_EQ((Do(QStringLiteral("A X")), CloseRequest(state)), CloseAnswer::Stay);
  EXPECT_EQ(CloseRequest(state), CloseAnswer::Close);
  EXPECT_EQ(Titles(), QStringLiteral("Salvar dados atuais?|Marbeto|Salvar dados atuais?"));
}

using HistoryTest = testing::EditorTest;
const QString kScript = QStringLiteral("commands/data/history.script");

TEST_F(HistoryTest, EachStepUndoesToWhatWasShownBeforeItAndRedoesToWhatWasShownAfter) {
  PlayScript(kScript, QStringLiteral("each step undoes 1"));
  // Both lists name their steps alike, a new variable by the row the sort gives it.
  EXPECT_EQ(state.history.UndoLabel() + u';' + state.history.RedoLabel(),
            QStringLiteral("incluir a linha 2 de Variáveis;incluir a linha 1 de Alarmes"));
  PlayScript(kScript, QStringLiteral("each step undoes 2"));
  EXPECT_TRUE(state.alarmPage.blankLine);  // the blank line "Apaga lista" leaves
  WriteFile(QStringLiteral("a.csv"), "Tipo;Texto 1\r\nA;CSV\r\n");
  PlayScript(kScript, QStringLiteral("an import and a read are steps"));
  // 205 steps, saved after the 10th: the 5 oldest are dropped, and undo still finds the saved lists.
  Do(QStringLiteral("A X; ").repeated(9) + QStringLiteral("A X; save; ") + QStringLiteral("A X; ").repeated(195));
  EXPECT_FALSE((Do(QStringLiteral("undo; ").repeated(195)), state.listsChanged));
  EXPECT_EQ((Do(QStringLiteral("undo; ").repeated(10)), state.lists.alarms.size()), 5);
}

}  // namespace
}  // namespace zelkor
