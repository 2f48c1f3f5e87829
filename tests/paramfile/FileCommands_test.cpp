#include "core/ControlNames.h"
#include "core/MainWindow.h"
#include "paramfile/FileCommands.h"
#include "support/Printers.h"
#include "support/RecordingMessages.h"
#include "support/ScriptedDialogs.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zelkor {
namespace {

class FileCommandsTest : public ::testing::Test {
 protected:
  FileCommandsTest() { StartUp(state); }

  QString Path(const QString& name) const { return dir.path() + u'/' + name; }
  QByteArray Bytes(const QString& path) const {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
  }
  void Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  // A list as the editor would hold it after typing.
  void AddVariable(const char* grupo = "0") {
    state.variables.append({QString::fromLatin1(grupo), QStringLiteral("TEMP"), QStringLiteral("C"),
                            QStringLiteral("D1"), QStringLiteral("Sim")});
    ShowVariableCount(state);
    state.listsChanged = true;
  }

  QTemporaryDir dir;
  testing::RecordingMessages messages;
  EditorState state{messages};
  testing::ScriptedDialogs dialogs;
};

const QByteArray kOneVariable = "0TEMP    C  D1   SimV\r\n";

TEST_F(FileCommandsTest, TheFirstSaveAsksForANameOfferingParametrosAndTheNextWritesWithoutADialog) {
  AddVariable();
  dialogs.answers.push_back(Path(QStringLiteral("Parâmetros.zlk")));
  BotaoSalvarArquivo_Click(state, dialogs);
  ASSERT_EQ(dialogs.requests.size(), 1u);
  const FileDialogRequest& r = dialogs.requests[0];
  EXPECT_TRUE(r.save);
  EXPECT_EQ(r.presetName, QStringLiteral("Parâmetros.zlk"));
  EXPECT_EQ(r.title, QStringLiteral("Selecione a pasta de destino para gravar o arquivo"));
  EXPECT_EQ(r.filter, QStringLiteral("Arquivos (*.zlk) | *.zlk"));
  EXPECT_TRUE(r.overwritePrompt);
  EXPECT_EQ(state.title, QStringLiteral("Zelkor Editor - Parâmetros.zlk"));
  EXPECT_EQ(Bytes(Path(QStringLiteral("Parâmetros.zlk"))), kOneVariable);
  EXPECT_FALSE(state.button(name::BotaoSalvarArquivo).enabled);  // only open and save-as enable it

  state.alarms.append(QStringLiteral("A"));
  BotaoSalvarArquivo_Click(state, dialogs);
  EXPECT_EQ(dialogs.requests.size(), 1u);
  EXPECT_EQ(Bytes(Path(QStringLiteral("Parâmetros.zlk"))), kOneVariable + "A                   A\r\n");
  EXPECT_TRUE(messages.shown().empty());
  EXPECT_TRUE(state.listsChanged);
}

TEST_F(FileCommandsTest, OpenReadsTheFileAndEnablesSaveAndSaveAsOffersTheOpenedName) {
  const QString opened = Path(QStringLiteral("linha1.zlk"));
  Write(opened, kOneVariable + "BOMBA   FALHA       A\r\n");
  dialogs.answers.push_back(opened);
  BotaoAbrirArquivo_Click(state, dialogs);
  EXPECT_TRUE(messages.shown().empty());  // nothing changed yet: no question
  ASSERT_EQ(dialogs.requests.size(), 1u);
  EXPECT_FALSE(dialogs.requests[0].save);
  EXPECT_EQ(dialogs.requests[0].title, QStringLiteral("Procure e clique no arquivo para leitura de Parâmetros para o CLP"));
  EXPECT_EQ(state.variables.count(), 1);
  EXPECT_EQ(state.alarms.count(), 1);
  EXPECT_EQ(state.field(name::MemoriaInicial).text, QStringLiteral("D4481"));
  EXPECT_EQ(state.title, QStringLiteral("Zelkor Editor - linha1.zlk"));
  EXPECT_EQ(state.lastOpenedPath, opened);
  EXPECT_TRUE(state.button(name::BotaoSalvarArquivo).enabled);

  const QString other = Path(QStringLiteral("outra.zlk"));
  dialogs.answers.push_back(other);
  BotaoSalvarComo_Click(state, dialogs);
  EXPECT_EQ(dialogs.requests[1].presetName, opened);
  EXPECT_EQ(state.title, QStringLiteral("Zelkor Editor - outra.zlk"));
  EXPECT_EQ(Bytes(other), Bytes(opened));
  state.alarms.clear();
  ShowAlarmCount(state);
  BotaoSalvarArquivo_Click(state, dialogs);  // now writes to the new name
  EXPECT_EQ(Bytes(other), kOneVariable);
  EXPECT_EQ(dialogs.requests.size(), 2u);
}

TEST_F(FileCommandsTest, SaveAsBeforeAnyOpenOffersParametros) {
  AddVariable();
  dialogs.answers.push_back(QString());
  BotaoSalvarComo_Click(state, dialogs);
  ASSERT_EQ(dialogs.requests.size(), 1u);
  EXPECT_EQ(dialogs.requests[0].presetName, QStringLiteral("Parâmetros.zlk"));
  EXPECT_FALSE(state.button(name::BotaoSalvarArquivo).enabled);
  EXPECT_EQ(state.title, QStringLiteral("Zelkor Editor"));
}

TEST_F(FileCommandsTest, EmptyListsOrABrokenNumberingStopBeforeAnyDialog) {
  BotaoSalvarArquivo_Click(state, dialogs);
  BotaoSalvarComo_Click(state, dialogs);
  ASSERT_EQ(messages.shown().size(), 2u);
  for (const Message& m : messages.shown()) {
    EXPECT_EQ(m, (Message{QStringLiteral("Ambas as Listas estão vazias!"), QStringLiteral("Nada para Salvar!"),
                          MessageButtons::Ok, MessageIcon::Exclamation}));
  }
  AddVariable("2");
  BotaoSalvarArquivo_Click(state, dialogs);
  BotaoSalvarComo_Click(state, dialogs);
  EXPECT_EQ(messages.shown().back().title, QStringLiteral("Sequência de numeração!"));
  EXPECT_TRUE(dialogs.requests.empty());
}

TEST_F(FileCommandsTest, OpenWithUnsavedChangesAsksAndEachAnswerDoesItsPart) {
  const QString file = Path(QStringLiteral("a.zlk"));
  Write(file, "ALARME              A\r\n");
  AddVariable();

  messages.Script(Answer::Cancel);
  BotaoAbrirArquivo_Click(state, dialogs);
  EXPECT_TRUE(dialogs.requests.empty());
  EXPECT_EQ(state.variables.count(), 1);
  EXPECT_EQ(messages.shown().back(), (Message{QStringLiteral("Você quer salvar o conteúdo das listas antes de abrir o "
                                                             "arquivo?"),
                                              QStringLiteral("Salvar dados atuais?"), MessageButtons::YesNoCancel,
                                              MessageIcon::None}));

  // Yes with no current file: the Save dialog first, then the Open dialog.
  messages.Script(Answer::Yes);
  dialogs.answers = {Path(QStringLiteral("salvo.zlk")), file};
  BotaoAbrirArquivo_Click(state, dialogs);
  ASSERT_EQ(dialogs.requests.size(), 2u);
  EXPECT_TRUE(dialogs.requests[0].save);
  EXPECT_FALSE(dialogs.requests[1].save);
  EXPECT_EQ(Bytes(Path(QStringLiteral("salvo.zlk"))), kOneVariable);
  EXPECT_EQ(state.variables.count(), 0);
  EXPECT_EQ(state.alarms.count(), 1);

  // No: straight to the Open dialog.
  AddVariable();
  messages.Script(Answer::No);
  dialogs.answers = {file};
  BotaoAbrirArquivo_Click(state, dialogs);
  EXPECT_EQ(dialogs.requests.size(), 3u);
  EXPECT_EQ(Bytes(Path(QStringLiteral("salvo.zlk"))), kOneVariable);
  EXPECT_EQ(state.variables.count(), 0);
}

TEST_F(FileCommandsTest, AYesWhoseSaveIsRefusedStillOpens) {
  const QString file = Path(QStringLiteral("a.zlk"));
  Write(file, kOneVariable);
  AddVariable("3");
  messages.Script(Answer::Yes);
  dialogs.answers = {file};
  BotaoAbrirArquivo_Click(state, dialogs);
  EXPECT_EQ(messages.shown()[1].title, QStringLiteral("Sequência de numeração!"));
  EXPECT_EQ(dialogs.requests.size(), 1u);
  EXPECT_EQ(state.variables.row(1).grupo, QStringLiteral("0"));
}

TEST_F(FileCommandsTest, ACancelledOpenChangesNothing) {
  AddVariable();
  state.listsChanged = false;
  dialogs.answers = {QString()};
  BotaoAbrirArquivo_Click(state, dialogs);
  EXPECT_EQ(state.variables.count(), 1);
  EXPECT_EQ(state.title, QStringLiteral("Zelkor Editor"));
  EXPECT_TRUE(state.currentPath.isEmpty());
  EXPECT_FALSE(state.button(name::BotaoSalvarArquivo).enabled);
  EXPECT_TRUE(messages.shown().empty());
}

TEST_F(FileCommandsTest, ATypedNameThatDoesNotExistEmptiesTheListsAndIsAdopted) {
  AddVariable();
  state.listsChanged = false;
  const QString typed = Path(QStringLiteral("novo.zlk"));
  dialogs.answers = {typed};
  BotaoAbrirArquivo_Click(state, dialogs);
  EXPECT_EQ(state.variables.count(), 0);
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].title, QStringLiteral("Marbeto"));
  EXPECT_EQ(state.title, QStringLiteral("Zelkor Editor - novo.zlk"));
  EXPECT_TRUE(state.button(name::BotaoSalvarArquivo).enabled);
  EXPECT_EQ(state.field(name::MemoriaInicial).text, QString());
}

TEST_F(FileCommandsTest, AFileNamedOnTheCommandLineOpensAsIfTheDialogHadReturnedIt) {
  const QString named = Path(QStringLiteral("linha1.zlk"));
  Write(named, kOneVariable);
  OpenParameterFileAt(state, named);
  EXPECT_EQ(state.variables.count(), 1);
  EXPECT_EQ(state.title, QStringLiteral("Zelkor Editor - linha1.zlk"));
  EXPECT_TRUE(state.button(name::BotaoSalvarArquivo).enabled);
  OpenParameterFileAt(state, Path(QStringLiteral("falta.zlk")));
  EXPECT_EQ(messages.shown().back().title, QStringLiteral("Marbeto"));
  EXPECT_EQ(state.variables.count(), 0);
}

TEST_F(FileCommandsTest, AHugeFileIsNotAdoptedSoASaveCannotWriteOverIt) {
  const QString first = Path(QStringLiteral("lista.zlk"));
  Write(first, kOneVariable);
  dialogs.answers = {first};
  BotaoAbrirArquivo_Click(state, dialogs);
  const QString huge = Path(QStringLiteral("enorme.zlk"));
  Write(huge, QByteArray(100001, '\n'));
  dialogs.answers = {huge};
  BotaoAbrirArquivo_Click(state, dialogs);
  EXPECT_EQ(messages.shown().back().title, QStringLiteral("Arquivo não lido!"));
  EXPECT_EQ(state.currentPath, first);
  EXPECT_EQ(state.title, QStringLiteral("Zelkor Editor - lista.zlk"));
  EXPECT_EQ(state.variables.count(), 1);
  BotaoSalvarArquivo_Click(state, dialogs);
  EXPECT_EQ(Bytes(huge).size(), 100001);
}

TEST_F(FileCommandsTest, TheCloseRequestsYesRunsTheSaveCommand) {
  state.hooks.saveFile = [this] { BotaoSalvarArquivo_Click(state, dialogs); };
  AddVariable();
  messages.Script(Answer::Yes);
  dialogs.answers = {Path(QStringLiteral("ao-sair.zlk"))};
  EXPECT_EQ(CloseRequest(state), CloseAnswer::Close);
  EXPECT_EQ(Bytes(Path(QStringLiteral("ao-sair.zlk"))), kOneVariable);

  // With both lists empty the save says so, and the program still ends.
  state.variables.clear();
  ShowVariableCount(state);
  state.currentPath.clear();
  messages.Script(Answer::Yes);
  EXPECT_EQ(CloseRequest(state), CloseAnswer::Close);
  EXPECT_EQ(messages.shown().back().text, QStringLiteral("Ambas as Listas estão vazias!"));
}

}  // namespace
}  // namespace zelkor
