#include "model/ListWarnings.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace zelkor {
namespace {

// Variables as "texto|endereço", "!" after an editable one's address, and a number of alarms.
TEST(ListWarnings, NameEachVariableInTheListsOwnBlockAndEachWordUsedTwice) {
  const std::tuple<const char*, int, const char*> cases[] = {
      {"", 0, ""},
      // The block of 10 variables and 1 alarm: D4418 to D4499. Rows the image cannot hold say nothing.
      {"A|D4417,PRESSAO|D4418,|d4499!,TEMP|D100,B|T100,C|d0100,W|,X|x100,Y|t100,|T0100", 1,
       "Variável da linha 2 (PRESSAO, D4418): está na memória das listas (D4418 a D4499); o painel mostraria essa "
       "memória como valor.\n"
       "Variável da linha 3 (d4499): está na memória das listas (D4418 a D4499); o painel mostraria essa memória "
       "como valor, e o operador poderia alterar as listas pelo painel.\n"
       "Variáveis das linhas 4 (TEMP, D100) e 6 (C, d0100): usam a mesma palavra do CLP (D100).\n"
       "Variáveis das linhas 5 (B, T100), 9 (Y, t100) e 10 (T0100): usam a mesma palavra do CLP (T100)."}};
  for (const auto& [rows, alarms, expected] : cases) {
    Lists lists{{}, QStringList(alarms, QStringLiteral("ALARME"))};
    for (const QString& row : QString::fromUtf8(rows).split(u',', Qt::SkipEmptyParts))
      lists.variables.push_back(
          {QStringLiteral("0"), row.section(u'|', 0, 0), {}, row.section(u'|', 1).remove(u'!'), row.endsWith(u'!')});
    EXPECT_EQ(CheckListsBeforeWrite(lists).join(u'\n'), QString::fromUtf8(expected)) << rows;
  }
}

}  // namespace
}  // namespace zelkor
