#include "core/ControlNames.h"
#include "core/Cp1252.h"
#include "core/MainWindow.h"
#include "paramfile/ParameterFile.h"
#include "support/Printers.h"
#include "support/RecordingMessages.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zelkor {
namespace {

const QByteArray kWorkedExample =
    "0TEMP    C  D0100SimV\r\n"
    "1PRESSAO barC010 N\xE3oV\r\n"
    "MOTOR 1 FALHA       A\r\n";

class ParameterFileTest : public ::testing::Test {
 protected:
  ParameterFileTest() { StartUp(state); }

  QString Path(const char* name) const { return dir.path() + u'/' + QString::fromUtf8(name); }
  void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
  }
  void Load(const QByteArray& bytes) {
    state.currentPath = Path("in.zlk");
    WriteBytes(state.currentPath, bytes);
    ReadParameterFile(state);
  }
  QByteArray Save() {
    state.currentPath = Path("out.zlk");
    WriteParameterFile(state);
    return ReadBytes(state.currentPath);
  }
  QString Alarm(int row) const { return state.alarms.text(row); }

  QTemporaryDir dir;
  testing::RecordingMessages messages;
  EditorState state{messages};
};

TEST_F(ParameterFileTest, TheWorkedExampleIsWrittenByteForByte) {
  state.variables.append({QStringLiteral("0"), QStringLiteral("TEMP"), QStringLiteral("C"), QStringLiteral("D0100"),
                          QStringLiteral("Sim")});
  state.variables.append({QStringLiteral("1"), QStringLiteral("PRESSAO"), QStringLiteral("bar"),
                          QStringLiteral("C010"), QStringLiteral("Não")});
  state.alarms.append(QStringLiteral("MOTOR 1 FALHA   "));
  EXPECT_EQ(Save(), kWorkedExample);
  EXPECT_TRUE(messages.shown().empty());
}

TEST_F(ParameterFileTest, TheWorkedExampleReadsBackWithNewKeysAndTrimmedTexts) {
  Load(kWorkedExample);
  ASSERT_EQ(state.variables.count(), 2);
  EXPECT_EQ(state.variables.row(1), (VariableRow{QStringLiteral("0"), QStringLiteral("TEMP"), QStringLiteral("C"),
                                                 QStringLiteral("D0100"), QStringLiteral("Sim")}));
  EXPECT_EQ(state.variables.row(2), (VariableRow{QStringLiteral("1"), QStringLiteral("PRESSAO"), QStringLiteral("bar"),
                                                 QStringLiteral("C010"), QStringLiteral("Não")}));
  EXPECT_EQ(state.variables.orderKey(1), QStringLiteral("000001"));
  EXPECT_EQ(state.variables.orderKey(2), QStringLiteral("100002"));
  ASSERT_EQ(state.alarms.count(), 1);
  EXPECT_EQ(Alarm(1), QStringLiteral("MOTOR 1 FALHA"));
  EXPECT_EQ(state.field(name::TotalLinhasVariaveis).text, QStringLiteral("2"));
  EXPECT_EQ(state.field(name::TotalLinhasAlarme).background, colours::Amber);
  EXPECT_FALSE(state.listsChanged);
  EXPECT_TRUE(messages.shown().empty());
}

TEST_F(ParameterFileTest, LinesThatAreNotExactlyVariableLinesBecomeAlarms) {
  Load(QByteArray("\r\n") +                     // empty line
       "SHORT\r\n" +                            // no column 21
       "0TEMP    C  D0100Simv\r\n" +            // lower-case v
       "        BAIXO       A\r\n" +            // leading blanks go
       "0TEMP    C  D0100SimVEXTRA\r\n");       // cut to 21: a Variable line
  ASSERT_EQ(state.alarms.count(), 4);
  EXPECT_EQ(Alarm(1), QString());
  EXPECT_EQ(Alarm(2), QStringLiteral("SHORT"));
  EXPECT_EQ(Alarm(3), QStringLiteral("0TEMP    C  D010"));  // columns 1 to 16
  EXPECT_EQ(Alarm(4), QStringLiteral("BAIXO"));
  EXPECT_EQ(state.variables.count(), 1);
}

TEST_F(ParameterFileTest, LinesMayComeInAnyOrderAndHaveNoLimit) {
  QByteArray bytes;
  for (int i = 0; i < 300; ++i) bytes += "1X       u  D1   SimV\r\n" + QByteArray(i % 100 == 0 ? "ALARME              A\r\n" : "");
  Load(bytes);
  EXPECT_EQ(state.variables.count(), 300);
  EXPECT_EQ(state.alarms.count(), 3);
  EXPECT_EQ(state.variables.orderKey(300), QStringLiteral("100300"));
  EXPECT_EQ(state.field(name::TotalLinhasVariaveis).text, QStringLiteral("300"));
}

TEST_F(ParameterFileTest, LinesEndAtCrLfALoneCrOrALoneLfAndTheLastNeedsNoEnd) {
  EXPECT_EQ(SplitParameterLines("a\r\nb\rc\nd"), (QList<QByteArray>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitParameterLines("a\r\n\r\nb\r\n"), (QList<QByteArray>{"a", "", "b"}));
  EXPECT_EQ(SplitParameterLines("\n\r"), (QList<QByteArray>{"", ""}));
  EXPECT_TRUE(SplitParameterLines(QByteArray()).isEmpty());
  for (const QByteArray& bytes : {QByteArray("a\r\nb\rc\nd"), QByteArray("a\r\n\r\nb\r\n"), QByteArray("\n\r"),
                                  QByteArray(), QByteArray("x"), QByteArray("\r\r\n\n")}) {
    EXPECT_EQ(CountParameterLines(bytes), SplitParameterLines(bytes).size()) << bytes.toStdString();
  }
}

TEST_F(ParameterFileTest, EveryByteAFieldHoldsSurvivesAReadAndAWrite) {
  // All byte values except the line ends, none at a field's edge where a
  // blank would be trimmed: the format keeps each of them.
  QByteArray pool;
  for (int b = 0; b < 256; ++b) {
    if (b != '\r' && b != '\n') pool.append(static_cast<char>(b));
  }
  QByteArray file;
  for (qsizetype i = 0; i < pool.size(); i += 14) {
    QByteArray text = pool.mid(i, 14).leftJustified(14, 'x');
    text.replace(' ', 'y');
    file += text + "      A\r\n";  // 14 + 2 blanks: the alarm text is 16
  }
  QByteArray variable = "5" + pool.mid(40, 8) + pool.mid(60, 3) + pool.mid(70, 5) + "N\xE3o" + "V";
  variable.replace(' ', 'z');
  file = variable + "\r\n" + file;
  Load(file);
  ASSERT_TRUE(messages.shown().empty());
  QByteArray expected = file;
  // The only change: a trimmed alarm comes back blank-filled to 16, as before.
  EXPECT_EQ(Save(), expected);
}

TEST_F(ParameterFileTest, CellsLongerThanTheirFieldsAreCutAndCharactersWithoutAByteBecomeQuestionMarks) {
  state.variables.load({QStringLiteral("12"), QStringLiteral("123456789"), QStringLiteral("ABCD"),
                        QStringLiteral("D123456"), QStringLiteral("Simm")});
  state.alarms.load(QStringLiteral("Ω2345678901234567"));
  EXPECT_EQ(Save(), QByteArray("112345678ABCD1234SimV\r\n?234567890123456    A\r\n"));
}

TEST_F(ParameterFileTest, AFileThatCannotBeReadLeavesBothListsEmptyWithTheSystemsWords) {
  state.variables.append({QStringLiteral("0"), QStringLiteral("T"), QStringLiteral("u"), QStringLiteral("D1"),
                          QStringLiteral("Sim")});
  ShowVariableCount(state);
  for (const QString& path : {Path("missing.zlk"), dir.path()}) {
    messages.Forget();
    state.currentPath = path;
    ReadParameterFile(state);
    EXPECT_EQ(state.variables.count(), 0);
    EXPECT_EQ(state.field(name::TotalLinhasVariaveis).text, QStringLiteral("0"));
    EXPECT_FALSE(state.failure);
    ASSERT_EQ(messages.shown().size(), 1u) << path.toStdString();
    EXPECT_EQ(messages.shown()[0].title, QStringLiteral("Marbeto"));
    EXPECT_TRUE(messages.shown()[0].text.contains(path)) << messages.shown()[0].text.toStdString();
  }
}

TEST_F(ParameterFileTest, AHugeFileIsRefusedAndTheListsOnScreenAreKept) {
  Load(kWorkedExample);
  QByteArray huge;
  huge.reserve(23 * 1000000);
  for (int i = 0; i < 1000000; ++i) huge += "MOTOR 1 FALHA       A\r\n";
  Load(huge);
  EXPECT_TRUE(state.failure);
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].title, QStringLiteral("Arquivo não lido!"));
  EXPECT_TRUE(messages.shown()[0].text.contains(QStringLiteral("1000000 linhas")));
  EXPECT_EQ(state.variables.count(), 2);
  EXPECT_EQ(state.alarms.count(), 1);
}

TEST_F(ParameterFileTest, ABinaryFileOrAOneMegabyteLineOpensAsAlarms) {
  QByteArray binary;
  for (int i = 0; i < 4096; ++i) binary.append(static_cast<char>((i * 73) % 256));
  Load(binary);
  EXPECT_TRUE(messages.shown().empty());
  EXPECT_GT(state.alarms.count() + state.variables.count(), 0);

  Load(QByteArray(1024 * 1024, 'Q'));
  EXPECT_EQ(state.alarms.count(), 1);
  EXPECT_EQ(Alarm(1), QString(16, u'Q'));
}

// A file that fails after its first bytes, as a full disk or a pulled USB stick does.
class FailingSaveFile final : public QSaveFile {
 public:
  using QSaveFile::QSaveFile;

 protected:
  qint64 writeData(const char* data, qint64 length) override {
    const qint64 part = std::min<qint64>(length, 10);
    QSaveFile::writeData(data, part);
    setErrorString(QStringLiteral("No space left on device"));
    return -1;
  }
};

TEST_F(ParameterFileTest, AWriteThatFailsHalfWayLeavesTheOldFileWhole) {
  const QString path = Path("old.zlk");
  WriteBytes(path, kWorkedExample);
  FailingSaveFile file(path);
  QString error;
  EXPECT_FALSE(WriteAtomically(file, QByteArray(5000, 'x'), &error));
  EXPECT_EQ(error, QStringLiteral("No space left on device"));
  EXPECT_EQ(ReadBytes(path), kWorkedExample);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.zlk")});  // no leftovers
}

TEST_F(ParameterFileTest, AWriteThatCannotStartIsReportedAndTouchesNothing) {
  WriteBytes(Path("plain"), "x");
  state.alarms.append(QStringLiteral("A"));
  state.currentPath = Path("plain") + QStringLiteral("/sub.zlk");  // its folder is a file
  WriteParameterFile(state);
  ASSERT_EQ(messages.shown().size(), 1u);
  EXPECT_EQ(messages.shown()[0].title, QStringLiteral("Marbeto"));
  EXPECT_TRUE(messages.shown()[0].text.startsWith(QStringLiteral("Não foi possível gravar")));
  EXPECT_EQ(ReadBytes(Path("plain")), QByteArray("x"));
}

}  // namespace
}  // namespace zelkor
