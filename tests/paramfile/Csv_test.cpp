#include "alarms/AlarmEditor.h"
#include "core/ControlNames.h"
#include "core/MainWindow.h"
#include "paramfile/Csv.h"
#include "support/Printers.h"
#include "support/RecordingMessages.h"

#include <gtest/gtest.h>

namespace zelkor {
namespace {

const QByteArray kHeader = "Tipo;Grupo;Texto;Unidade;Endereço;Editável;Texto 1;Texto 2\r\n";

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

// Variables as "grupo|texto|unidade|endereço|editável", alarms in brackets; or the failures.
QString Outcome(const CsvImport& import) {
  QStringList lines;
  for (const VariableRow& v : import.variables) {
    lines << QStringList{v.grupo, v.texto, v.unidade, v.endereco, v.editavel}.join(u'|');
  }
  for (const QString& alarm : import.alarms) lines << u'[' + alarm + u']';
  for (const CsvFailure& f : import.failures) lines << QString::number(f.line) + u' ' + f.reason;
  return lines.join(u'\n');
}

TEST(CsvTest, WritesTheWorkedExampleAndReadsBackTheSameLists) {
  testing::RecordingMessages messages;
  EditorState typed{messages};
  EditorState imported{messages};
  StartUp(typed);
  StartUp(imported);
  typed.variables.append({Q("1"), Q("P;1\""), Q("°C"), Q("D0100"), Q("Sim")});
  typed.variables.append({Q("0"), Q("  TEMP"), QString(), Q("c10"), Q("Não")});
  typed.alarms.append(ComposeAlarmText(Q("MOTOR 1"), Q("FALHA")));
  const QByteArray expected = "\xEF\xBB\xBF" + kHeader +
                              "Variável;1;\"P;1\"\"\";°C;D0100;Sim;;\r\n"
                              "Variável;0;  TEMP;;c10;Não;;\r\n"
                              "Alarme;;;;;;MOTOR 1 ;FALHA   \r\n";
  EXPECT_EQ(FormatCsv(typed.variables, typed.alarms), expected);

  ApplyCsvImport(imported, ParseCsv(expected));
  EXPECT_EQ(FormatCsv(imported.variables, imported.alarms), expected);  // same rows, same order: no sort
  EXPECT_EQ(imported.field(name::TotalLinhasVariaveis).text, Q("2"));
  EXPECT_TRUE(imported.listsChanged);
  EXPECT_TRUE(messages.shown().empty());
}

TEST(CsvTest, ReadsWhatSpreadsheetsWriteAndRefusesEveryBadRow) {
  const struct {
    const char* name;
    QByteArray bytes;
    const char* outcome;
  } cases[] = {
      {"BOM, quoted ; \" and a line break in an unknown column, blank lines",
       "\xEF\xBB\xBFTipo;Grupo;Texto;Unidade;Endereço;Editável;Obs;Texto 1;Texto 2\r\n\r\n"
       "Variável;0;\"P;1\"\"\";bar;D0100;Sim;\"a\r\nb\";;\r\n;;;;;;;;\r\nAlarme;;;;;;;MOTOR 1;FALHA\r\n",
       "0|P;1\"|bar|D0100|Sim\n[MOTOR 1 FALHA   ]"},
      {"commas, other order, names and values folded, UTF-8 without BOM, lone LF",
       " EDITAVEL ,endereço,TEXTO, tipo,Grupo,texto 1\ns,d10,Pressão,v,0,\n,C1, x ,Variavel,1,\n"
       "N,T2,,VARIÁVEL, 2 ,\n,,,a,,Fim\n",
       "0|Pressão||d10|Sim\n1| x ||C1|Não\n2|||T2|Não\n[Fim             ]"},
      {"tabs, Windows-1252, blanks past the width dropped",
       "Tipo\tGrupo\tTexto\tEndere\xe7o\r\nV\t0\tPress\xe3o   \tD1\r\n", "0|Pressão ||D1|Não"},
      {"bad address", kHeader + "V;0;;;D1\r\nV;0;;;D5000\r\n", "3 Endereço inválido! — D5000"},
      {"group 8", kHeader + "V;8;;;D1\r\n", "2 Grupo: só numérico de 0 a 7! — 8"},
      {"group gap", kHeader + "V;0;;;D1\r\nV;2;;;D2\r\nV;3;;;D3\r\n",
       "3 Sequência de numeração do Grupo está quebrada! — falta o Grupo 1"},
      {"long texts, Editável", kHeader + "V;0;ABCDEFGHI;;D1\r\nV;0;;m/s2;D1\r\nV;0;;;D1;Talvez\r\n",
       "2 Texto com mais de 8 caracteres! — ABCDEFGHI\n3 Unidade com mais de 3 caracteres! — m/s2\n"
       "4 Editável deve ser Sim ou Não! — Talvez"},
      {"Tipo", kHeader + "X;0;;;D1\r\n;0\r\n",
       "2 Tipo desconhecido! Use Variável ou Alarme — X\n3 Tipo não informado! Use Variável ou Alarme"},
      {"alarm texts", kHeader + "A;;;;;;;FIM\r\nA;;;;;;Włącz;\r\nA;;;;;;OK;123456789\r\n",
       "2 Texto 1 deve ter de 1 a 8 caracteres!\n3 Caractere \"ł\" não aceito pelo painel — Texto 1\n"
       "4 Texto 2 deve ter no máximo 8 caracteres! — 123456789"},
      {"line break in a quoted text counts as a line", kHeader + "V;0;\"a\r\nb\";;D1\r\nV;0;;;D5000\r\n",
       "2 Quebra de linha ou outro caractere de controle não aceito — Texto\n4 Endereço inválido! — D5000"},
      {"no Tipo column", "\r\nGrupo;Texto\r\n0;A\r\n",
       "2 Cabeçalho sem a coluna Tipo: a primeira linha deve ser o cabeçalho "
       "Tipo;Grupo;Texto;Unidade;Endereço;Editável;Texto 1;Texto 2"},
      {"256 variables", kHeader + QByteArray("V;0;;;D1\r\n").repeated(256),
       "257 Mais de 255 variáveis: a lista comporta no máximo 255!"},
  };
  for (const auto& c : cases) EXPECT_EQ(Outcome(ParseCsv(c.bytes)), Q(c.outcome)) << c.name;
}

TEST(CsvTest, ARefusedImportNamesTheFirstTenFailuresAndKeepsTheLists) {
  testing::RecordingMessages messages;
  EditorState state{messages};
  StartUp(state);
  state.alarms.append(Q("KEEP"));
  const CsvImport import = ParseCsv(kHeader + QByteArray("X\r\n").repeated(12) + "V;0;;;D1\r\n");
  ASSERT_EQ(import.failures.size(), 12u);
  EXPECT_TRUE(import.variables.empty());

  ApplyCsvImport(state, import);
  ASSERT_EQ(messages.shown().size(), 1u);
  const Message& shown = messages.shown().front();
  EXPECT_EQ(shown.title, Q("Planilha não importada!"));
  EXPECT_EQ(shown.icon, MessageIcon::Exclamation);
  EXPECT_TRUE(shown.text.contains(Q("\r\nLinha 11: Tipo desconhecido! Use Variável ou Alarme — X\r\n")));
  EXPECT_FALSE(shown.text.contains(Q("Linha 12")));
  EXPECT_TRUE(shown.text.endsWith(Q("… e mais 2 erros.")));
  EXPECT_TRUE(state.failure);
  EXPECT_EQ(state.alarms.count(), 1);
}

}  // namespace
}  // namespace zelkor
