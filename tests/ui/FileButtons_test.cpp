#include "core/ControlNames.h"
#include "support/Printers.h"
#include "ui/QtFileDialog.h"
#include "ui/WindowTest.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

namespace zelkor {
namespace {

class FileButtonsTest : public testing::WindowTest {
 protected:
  QString Path(const QString& name) const { return dir.path() + u'/' + name; }
  void Click(const QString& button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }
  void SaveAlarm(const char* text) {
    Find<QLineEdit>(name::Texto1)->setText(QString::fromLatin1(text));
    Click(name::BotaoSalvarAlarme);
  }
  QTemporaryDir dir;
};

TEST_F(FileButtonsTest, SaveAsNamesTheWindowAndOpenBringsTheListsBack) {
  SaveAlarm("BOMBA");
  files.answers = {Path(QStringLiteral("Parâmetros.zlk"))};
  Click(name::BotaoSalvarComo);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Zelkor Editor - Parâmetros.zlk"));
  EXPECT_TRUE(Find(name::BotaoSalvarArquivo)->isEnabled());

  Click(name::BotaoApagaListaAlarmes);
  EXPECT_EQ(window->alarmGrid().model()->index(0, 0).data().toString(), QString());
  files.answers = {Path(QStringLiteral("Parâmetros.zlk"))};
  // The list is empty now, so no question is asked even though it changed.
  Click(name::BotaoAbrirArquivo);
  EXPECT_EQ(window->alarmGrid().model()->index(0, 0).data().toString(), QStringLiteral("BOMBA"));
  EXPECT_EQ(Find<QLineEdit>(name::TotalLinhasAlarme)->text(), QStringLiteral("1"));
  EXPECT_EQ(Find<QLineEdit>(name::MemoriaInicial)->text(), QStringLiteral("D4488"));
}

TEST_F(FileButtonsTest, ClosingWithChangesAndAnsweringYesSavesFirst) {
  SaveAlarm("FALHA");
  messages.Script(Answer::Yes);
  files.answers = {Path(QStringLiteral("sair.zlk"))};
  window->show();
  EXPECT_TRUE(window->close());
  QFile saved(Path(QStringLiteral("sair.zlk")));
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll(), QByteArray("FALHA               A\r\n"));
}

TEST(QtFileDialog, TheFilterShowsItsDescriptionAndMatchesItsPattern) {
  EXPECT_EQ(ToQtNameFilter(QStringLiteral("Arquivos (*.zlk) | *.zlk")), QStringLiteral("Arquivos (*.zlk)"));
  EXPECT_EQ(ToQtNameFilter(QStringLiteral("Textos | *.txt")), QStringLiteral("Textos (*.txt)"));
}

}  // namespace
}  // namespace zelkor
