#include "app/CommandLine.h"
#include "model/Version.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace zelkor {
namespace {

TEST(CommandLine, RunsOpensPrintsOrRefusesInOneLine) {
  using A = CommandLine::Action;
  const std::tuple<QStringList, A, QString, QString> cases[] = {
      {{}, A::Run, {}, {}},
      {{QStringLiteral("a b.zlk")}, A::Run, QStringLiteral("a b.zlk"), {}},
      {{QStringLiteral("--help")},
       A::Print,
       {},
       QStringLiteral("Uso: zelkor-editor [ARQUIVO.zlk | PLANILHA.csv | PLANILHA.xlsx]")},
      {{QStringLiteral("-v")}, A::Print, {}, QStringLiteral("Zelkor Editor ") + kVersion},
      {{QStringLiteral("a.zlk"), QStringLiteral("b.zlk")}, A::Refuse, {}, QStringLiteral("um arquivo")},
      {{QStringLiteral("--abrir")}, A::Refuse, {}, QStringLiteral("desconhecida: --abrir")},
      {{QStringLiteral("--pdf"), QStringLiteral("o.pdf"), QStringLiteral("a.zlk")},
       A::Sheet,
       QStringLiteral("a.zlk>o.pdf"),
       {}},
      {{QStringLiteral("--pdf"), QStringLiteral("o.pdf")}, A::Refuse, {}, QStringLiteral("--pdf precisa")},
      {{QStringLiteral("--write"), QStringLiteral("a.xlsx"), QStringLiteral("--port"), QStringLiteral("3"),
        QStringLiteral("--verify"), QStringLiteral("--force")},
       A::Write,
       QStringLiteral("a.xlsx@3+v+f"),
       {}},
      {{QStringLiteral("--read"), QStringLiteral("o.zlk"), QStringLiteral("--port"), QStringLiteral("COM5")},
       A::Read,
       QStringLiteral("o.zlk@COM5"),
       {}},
      {{QStringLiteral("--find-plc")}, A::FindPlc, {}, {}},
      {{QStringLiteral("--manual")}, A::Manual, {}, {}},
      {{QStringLiteral("--manual"), QStringLiteral("a.zlk")}, A::Refuse, {}, QStringLiteral("arquivo a mais")},
      {{QStringLiteral("--compare"), QStringLiteral("a.zlk")}, A::Refuse, {}, QStringLiteral("precisa de --port")},
      {{QStringLiteral("--find-plc"), QStringLiteral("--port"), QStringLiteral("1")},
       A::Refuse,
       {},
       QStringLiteral("--port só")},
      {{QStringLiteral("--read"), QStringLiteral("o.zlk"), QStringLiteral("--port"), QStringLiteral("1"),
        QStringLiteral("--verify")},
       A::Refuse,
       {},
       QStringLiteral("--verify só vale com --write")},
      {{QStringLiteral("--write"), QStringLiteral("a.zlk"), QStringLiteral("--pdf"), QStringLiteral("o.pdf")},
       A::Refuse,
       {},
       QStringLiteral("não vão juntos")}};
  for (const auto& [arguments, action, file, says] : cases) {
    const CommandLine r = ParseCommandLine(QStringList{QStringLiteral("zelkor-editor")} + arguments);
    EXPECT_EQ(r.action, action) << r.message.toStdString();
    EXPECT_EQ(r.file + (r.sheet.isEmpty() ? QString() : u'>' + r.sheet) +
                  (r.port.isEmpty() ? QString() : u'@' + r.port) + (r.verify ? QStringLiteral("+v") : QString()) +
                  (r.force ? QStringLiteral("+f") : QString()) + u'|' + QString::number(r.exitCode),
              file + u'|' + QString::number(action == A::Refuse ? 2 : 0));
    EXPECT_TRUE((says.isEmpty() ? r.message.isEmpty() : r.message.contains(says)) &&
                (action != A::Refuse || r.message.count(u'\n') == 1))
        << r.message.toStdString();
  }
}

}  // namespace
}  // namespace zelkor
