#include "app/CommandLine.h"
#include "core/Version.h"

#include <gtest/gtest.h>

namespace zelkor {
namespace {

TEST(CommandLine, RunsOpensPrintsOrRefuses) {
  using A = CommandLine::Action;
  struct Case { const char* name; QStringList arguments; A action; QString file; int exitCode; QString says; };
  const Case cases[] = {
      {"nothing", {}, A::Run, {}, 0, {}},
      {"one file", {QStringLiteral("a b.zlk")}, A::Run, QStringLiteral("a b.zlk"), 0, {}},
      {"help", {QStringLiteral("--help")}, A::Print, {}, 0, QStringLiteral("Uso: zelkor-editor [ARQUIVO.zlk]")},
      {"version", {QStringLiteral("-v")}, A::Print, {}, 0, QStringLiteral("Zelkor Editor ") + kVersion},
      {"two files", {QStringLiteral("a.zlk"), QStringLiteral("b.zlk")}, A::Refuse, {}, 2, QStringLiteral("um arquivo")},
      {"unknown option", {QStringLiteral("--abrir")}, A::Refuse, {}, 2, QStringLiteral("desconhecida: --abrir")},
  };
  for (const Case& c : cases) {
    const CommandLine r = ParseCommandLine(QStringList{QStringLiteral("zelkor-editor")} + c.arguments);
    EXPECT_EQ(r.action, c.action) << c.name;
    EXPECT_EQ(r.file, c.file) << c.name;
    EXPECT_EQ(r.exitCode, c.exitCode) << c.name;
    EXPECT_TRUE(r.message.contains(c.says)) << c.name << ": " << r.message.toStdString();
    if (c.action == A::Refuse) { EXPECT_EQ(r.message.count(u'\n'), 1) << c.name; }
  }
}

}  // namespace
}  // namespace zelkor
