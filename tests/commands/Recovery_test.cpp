#include "commands/Recovery.h"
#include "commands/FileCommands.h"
#include "commands/History.h"
#include "support/Editor.h"

#include <QDir>

namespace zelkor {
namespace {

using RecoveryTest = testing::EditorTest;

TEST_F(RecoveryTest, ACopyWhoseEditorIsGoneComesBackAsUnsavedChangesOfItsFileAndADamagedOneIsSetAside) {
  Do(QStringLiteral("V 0|  NÍVEL|%|D1; V 1|TEMP|ºC|C12|S; click V2; up V; save a.zlk; A ALTA|  PR"));
  const QString folder = Path(QStringLiteral("rec"));
  auto crashed = std::make_unique<RecoveryStore>(folder);
  crashed->Write(state, QDateTime(QDate(2025, 3, 12), QTime(14, 7)));
  EXPECT_FALSE(crashed->WriteDue(state));  // nothing changed since
  Editor next{messages, dialogs, port, deadline};
  RecoveryStore starting(folder);
  crashed.reset();  // its editor gone, its copy left behind
  messages.answers = {Answer::Yes};
  starting.Offer(next);
  EXPECT_EQ(messages.shown.back().text,
            QStringLiteral("As listas não salvas de 12/03/2025 14:07 (%1) podem ser recuperadas. Recuperar?")
                .arg(QDir::toNativeSeparators(Path(QStringLiteral("a.zlk")))));
  const ListsSnapshot was = TakeSnapshot(state), now = TakeSnapshot(next);
  EXPECT_TRUE(now.SameLists(was) && now.SameFile(was) && next.listsChanged);
  // The copy taken belongs to a running editor now; a damaged one is set aside, nothing loaded from it.
  WriteFile(QStringLiteral("rec/recovery-x.json"), FormatRecoveryCopy({was, QDateTime::currentDateTime()}).chopped(3));
  RecoveryStore(folder).Offer(next);
  EXPECT_EQ(Titles(), QStringLiteral("Recuperar listas?|Cópia de recuperação danificada!"));
  // Salvar writes the lists to their file (no dialog), and the copy goes.
  EXPECT_TRUE(SaveFile(next));
  EXPECT_FALSE(starting.WriteDue(next));
  EXPECT_EQ(QDir(folder).entryList({QStringLiteral("*.json"), QStringLiteral("*.damaged")}),
            QStringList{QStringLiteral("recovery-x.json.damaged")});
  // A copy of the first version named where its lists came from by the window's title.
  const QByteArray first = R"({"kind": "Zelkor Editor recovery copy", "version": 1, "written": "2025-03-12T14:07:00Z",
      "title": "Zelkor Editor - %", "file": "", "opened": "", "save": false, "variables": [], "alarms": []})";
  for (const auto& [title, source] :
       {std::pair{"CLP (Porta # 02)", ListsSource::Plc(2)},
        {"a - b.csv (importada)", ListsSource::ImportedSheet(QStringLiteral("a - b.csv"))}}) {
    EXPECT_EQ(ParseRecoveryCopy(QByteArray(first).replace("%", title)).value_or(RecoveryCopy{}).lists.source, source);
  }
}

}  // namespace
}  // namespace zelkor
