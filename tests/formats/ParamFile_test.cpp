#include "commands/EditorLifecycle.h"
#include "commands/FileCommands.h"
#include "formats/ListsFile.h"
#include "formats/ParameterFile.h"
#include "support/Editor.h"
#include "support/Printers.h"
#include "ui/ControlNames.h"

#include <QDir>

namespace zelkor {
namespace {

const QString kScript = QStringLiteral("formats/data/files.script");

const QByteArray kWorkedExample =
    "0TEMP    C  D0100SimV\r\n"
    "1PRESSAO barC010 N\xE3oV\r\n"
    "MOTOR 1 FALHA       A\r\n";
const QByteArray kOneVariable = "0TEMP    C  D1   SimV\r\n";

class ParameterFileTest : public testing::EditorTest {
 protected:
  QString Load(const QByteArray& bytes) {
    WriteFile(QStringLiteral("in.zlk"), bytes);
    const ListsFileContent read = ReadListsFile(Path(QStringLiteral("in.zlk")), ListsFileKind::Parameters);
    if (read.lists) ReplaceLists(state, *read.lists);
    return Shown();
  }
  QByteArray Save() {
    EXPECT_EQ(WriteParameterFile(Path(QStringLiteral("out.zlk")), state.lists), std::nullopt);
    return Bytes(QStringLiteral("out.zlk"));
  }
};

TEST_F(ParameterFileTest, TheWorkedExampleIsWrittenByteForByteAndOnlyAVOnColumn21MakesAVariableLine) {
  Do(QStringLiteral("V 0|TEMP|C|D0100|S; V 1|PRESSAO|bar|C010; A MOTOR 1|FALHA"));
  EXPECT_EQ(Save(), kWorkedExample);
  state.listsChanged = false;
  PlayScript(kScript, QStringLiteral("the worked example opens"));
  EXPECT_EQ(state.lists.variables[1].unidade + EditableText(state.lists.variables[1].editable) + state.lists.alarms[0],
            QStringLiteral("barNãoMOTOR 1 FALHA"));
  WriteFile(QStringLiteral("odd.zlk"), QByteArray("\r\n") +                       // empty: an alarm with no text
                                           "SHORT\n" +                            // no column 21
                                           "1TEMP    C  D0100Simv\r" +            // lower-case v
                                           "        BAIXO       A\r\n" +          // leading blanks stay
                                           "1B       u  D1   N\xE3oVEXTRA\r\n" +  // cut to 21
                                           "0  A     u  D1   SimV");              // not sorted, and no end needed
  PlayScript(kScript, QStringLiteral("an odd file opens"));
  Load(Bytes(QStringLiteral("odd.zlk")) + QByteArray("\nA").repeated(300));
  EXPECT_EQ(state.lists.alarms.size(), 304);  // no limit
}

TEST_F(ParameterFileTest, EveryByteAFieldHoldsSurvivesAnOpenAndASave) {
  // All byte values but the line ends, none at a field's edge where a blank would be trimmed.
  QByteArray pool;
  for (int b = 0; b < 256; ++b) pool.append(static_cast<char>(b == ' ' || b == '\r' || b == '\n' ? 'y' : b));
  QByteArray file = "5" + pool.mid(40, 8) + pool.mid(60, 3) + pool.mid(70, 5) + "N\xE3oV\r\n";
  for (qsizetype i = 0; i < pool.size(); i += 14) file += pool.mid(i, 14).leftJustified(14, 'x') + "      A\r\n";
  Load(file);
  EXPECT_EQ(Save(), file);
  // Cells longer than their fields are cut; a character without a byte becomes "?".
  state.lists = {
      {{QStringLiteral("12"), QStringLiteral("123456789"), QStringLiteral("ABCD"), QStringLiteral("D123456"), true}},
      {QStringLiteral("Ω2345678901234567")}};
  EXPECT_EQ(Save(), QByteArray("112345678ABCD1234SimV\r\n?234567890123456    A\r\n"));
}

TEST_F(ParameterFileTest, AnUnreadableFileIsReportedAndReadAsNothingAndABinaryOneOpens) {
  for (const QString& path : {Path(QStringLiteral("missing.zlk")), dir.path()}) {
    const ListsFileContent read = ReadListsFile(path, ListsFileKind::Parameters);
    EXPECT_EQ(read.lists, std::nullopt);
    EXPECT_EQ(read.refusal.title, MessageTitle::Program);
    EXPECT_TRUE(read.refusal.text.contains(path)) << read.refusal.text.toStdString();
  }
  // Binary files and very long lines simply open, as alarms.
  Load(QByteArray(qsizetype{1024} * 1024, 'Q') + "\r\n\x01\xFF\x80");
  EXPECT_EQ(state.lists.alarms[0] + state.lists.alarms[1], QString(16, u'Q') + QStringLiteral("\x01ÿ€"));
}

// A file that fails after its first bytes, as a full disk or a pulled USB stick does.
class FailingSaveFile final : public QSaveFile {
 public:
  using QSaveFile::QSaveFile;

 protected:
  qint64 writeData(const char* data, qint64 length) override {
    QSaveFile::writeData(data, std::min<qint64>(length, 10));
    setErrorString(QStringLiteral("No space left on device"));
    return -1;
  }
};

TEST_F(ParameterFileTest, AWriteThatFailsLeavesTheOldFileWhole) {
  WriteFile(QStringLiteral("old.zlk"), kWorkedExample);
  FailingSaveFile file(Path(QStringLiteral("old.zlk")));
  EXPECT_EQ(WriteAtomically(file, QByteArray(5000, 'x')), QStringLiteral("No space left on device"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.zlk")});  // no leftovers
  // Its folder is a file.
  const auto error = WriteParameterFile(Path(QStringLiteral("old.zlk/sub.zlk")), state.lists);
  EXPECT_EQ(error.value_or(QString()).left(23), QStringLiteral("Não foi possível gravar"));
  EXPECT_EQ(Bytes(QStringLiteral("old.zlk")), kWorkedExample);
}

using FileCommandsTest = testing::EditorTest;

TEST_F(FileCommandsTest,
       TheFirstSaveAsksForANameOfferingParametrosTheNextOnesWriteThereAndNothingStopsThemButEmptyLists) {
  PlayScript(kScript, QStringLiteral("the first save"));
  const FileDialogRequest& r = dialogs.requests.at(0);  // the only one: the harness fails on another
  EXPECT_EQ(r.presetName + u'|' + r.title + u'|' + r.filters.join(u',') +
                QString::fromUtf16(r.save && r.overwritePrompt ? u"|save" : u"|open"),
            QStringLiteral(
                "Parâmetros.zlk|Selecione a pasta de destino para gravar o arquivo|Arquivos (*.zlk) | *.zlk|save"));
  EXPECT_EQ(messages.shown[0], (Message{QStringLiteral("Ambas as Listas estão vazias!"), MessageTitle::NothingToSave,
                                        MessageButtons::Ok, MessageIcon::Exclamation}));
  EXPECT_EQ(Bytes(QStringLiteral("Parâmetros.zlk")), kOneVariable + "A                   A\r\n");
}

TEST_F(FileCommandsTest, OpenReplacesTheListsUnsortedEndsAnEditAndSaveAsOffersTheOpenedName) {
  WriteFile(QStringLiteral("lista.zlk"), "1B       u  D1   SimV\r\n" + kOneVariable + "BOMBA   FALHA       A\r\n");
  PlayScript(kScript, QStringLiteral("open replaces the lists"));
  EXPECT_EQ(dialogs.requests[0].title + QString::fromUtf16(dialogs.requests[0].save ? u"|save" : u"|open"),
            QStringLiteral("Procure e clique no arquivo para leitura de Parâmetros para o CLP|open"));
  EXPECT_EQ(dialogs.requests.at(1).presetName, Path(QStringLiteral("lista.zlk")));
  EXPECT_EQ(Bytes(QStringLiteral("outra.zlk")).size(), 3 * 23);
  EXPECT_EQ(state.recentFiles, QStringList({Path(QStringLiteral("outra.zlk")), Path(QStringLiteral("lista.zlk"))}));
}

TEST_F(FileCommandsTest, ACancelledDialogChangesNothingAlsoWhenAFileIsCurrent) {
  WriteFile(QStringLiteral("a.zlk"), kOneVariable);
  PlayScript(kScript, QStringLiteral("a cancelled dialog changes"));
  EXPECT_EQ(dialogs.requests[0].presetName, QStringLiteral("Parâmetros.zlk"));
  EXPECT_EQ(Bytes(QStringLiteral("a.zlk")), kOneVariable);
}

TEST_F(FileCommandsTest, OpenWithUnsavedChangesAsksOnceTheFileIsChosenAndEachAnswerDoesItsPart) {
  WriteFile(QStringLiteral("a.zlk"), "ALARME              A\r\n");
  PlayScript(kScript, QStringLiteral("open with unsaved changes"));
  EXPECT_EQ(messages.shown[0].text, QStringLiteral("Você quer salvar o conteúdo das listas antes de abrir o arquivo?"));
  EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNoCancel);
  EXPECT_EQ(Bytes(QStringLiteral("salvo.zlk")), kOneVariable);
}

TEST_F(FileCommandsTest, AFileNamedOnTheCommandLineOpensAsIfTheDialogHadReturnedItAndOpeningIsAStep) {
  WriteFile(QStringLiteral("a.zlk"), kOneVariable);
  PlayScript(kScript, QStringLiteral("a file named on"));
}

TEST_F(FileCommandsTest, NeitherANameThatDoesNotExistNorAHugeFileIsAdopted) {
  WriteFile(QStringLiteral("lista.zlk"), kOneVariable);
  WriteFile(QStringLiteral("enorme.zlk"), QByteArray(100001, '\n'));
  PlayScript(kScript, QStringLiteral("a name that does"));
  EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("100001 linhas"))) << messages.shown[0].text.toStdString();
  EXPECT_EQ(Bytes(QStringLiteral("enorme.zlk")).size(), 100001);
  EXPECT_EQ(state.lastOpenedPath, Path(QStringLiteral("lista.zlk")));
}

TEST(RecentFileLabelsTest, ANameShowsItsFolderWhenAnotherRecentFileHasTheSameName) {
  EXPECT_EQ(RecentFileLabels({QStringLiteral("/a/param.zlk"), QStringLiteral("/b/lista.csv"),
                              QStringLiteral("/b/c/Param.zlk"), QStringLiteral("/d/lista.zlk")}),
            QStringList({QStringLiteral("param.zlk — ") + QDir::toNativeSeparators(QStringLiteral("/a")),
                         QStringLiteral("lista.csv"),
                         QStringLiteral("Param.zlk — ") + QDir::toNativeSeparators(QStringLiteral("/b/c")),
                         QStringLiteral("lista.zlk")}));
}

}  // namespace
}  // namespace zelkor
