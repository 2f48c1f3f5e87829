#include "formats/Csv.h"
#include "support/Editor.h"
#include "support/Golden.h"
#include "support/Printers.h"

namespace zelkor {
namespace {

const QString kScript = QStringLiteral("formats/data/csv.script");

const QByteArray kHeader = "Tipo;Grupo;Texto;Unidade;Endereço;Editável;Texto 1;Texto 2\r\n";

// Variables as "grupo|texto|unidade|endereço|editável", alarms in brackets; or the failures.
QString Outcome(const SpreadsheetImport& import) {
  QStringList lines;
  for (const VariableRow& v : import.lists.variables)
    lines << QStringList{v.grupo, v.texto, v.unidade, v.endereco, EditableText(v.editable)}.join(u'|');
  for (const QString& alarm : import.lists.alarms) lines << u'[' + alarm + u']';
  for (const SpreadsheetFailure& f : import.failures) lines << QString::number(f.line) + u' ' + f.reason;
  return lines.join(u'\n');
}

TEST(Csv, ReadsWhatSpreadsheetsWriteAndRefusesEveryBadRowWithItsLine) {
  const QByteArray expected = ": a primeira linha deve ser o cabeçalho " + kHeader.chopped(2);
  const std::tuple<const char*, QByteArray, QByteArray> cases[] = {
      {"BOM, quoted ; and \", an empty column without a name, blank lines",
       "\xEF\xBB\xBFTipo;Grupo;Texto;Unidade;Endereço;Editável;;Texto 1;Texto 2\r\n\r\n"
       "Variável;0;\"P;1\"\"\";bar;D0100;Sim;\"\";;\r\n;;;;;;;;\r\nAlarme;;;;;;;MOTOR 1;FALHA\r\n",
       "0|P;1\"|bar|D0100|Sim\n[MOTOR 1 FALHA   ]"},
      {"columns the import does not know",
       "Tipo;Grupo;Texto;Unid.;Endereço;Editável (S/N);Texto 1;Texto 2 (8)\r\nV;0;;;D1\r\n",
       "1 Cabeçalho com as colunas desconhecidas \"Unid.\", \"Editável (S/N)\" e \"Texto 2 (8)\"" + expected},
      {"a name twice", "Tipo;Endereço;Grupo;endereco\r\nV;D1;0;D2\r\n",
       "1 Cabeçalho com a coluna endereco repetida" + expected},
      {"something under no name", "Tipo;Grupo;Endereço;\r\nV;0;D1;\r\nV;0;D1;;x\r\n",
       "1 Cabeçalho sem nome na coluna E, que tem dados na linha 3" + expected},
      {"commas, other order, names and values folded, UTF-8 without BOM, lone LF",
       " EDITAVEL ,endereço,TEXTO, tipo,Grupo,texto 1\ns,d10,Pressão,v,0,\n,C1, x ,Variavel,1,\nN,T2,,VARIÁVEL, 2 "
       ",\n,,,a,,Fim\n",
       "0|Pressão||d10|Sim\n1| x ||C1|Não\n2|||T2|Não\n[Fim             ]"},
      {"tabs, Windows-1252, blanks past the width dropped",
       "Tipo\tGrupo\tTexto\tEndere\xe7o\r\nV\t0\tPress\xe3o   \tD1\r\n", "0|Pressão ||D1|Não"},
      {"bad address", kHeader + "V;0;;;D1\r\nV;0;;;D5000\r\n", "3 Endereço inválido! — D5000"},
      {"group 8", kHeader + "V;8;;;D1\r\n", "2 Grupo: só numérico de 0 a 7! — 8"},
      {"group gap", kHeader + "V;0;;;D1\r\nV;2;;;D2\r\nV;3;;;D3\r\n",
       "3 Sequência de numeração do Grupo está quebrada! — falta o Grupo 1"},
      {"long texts, Editável", kHeader + "V;0;ABCDEFGHI;;D1\r\nV;0;;m/s2;D1\r\nV;0;;;D1;Talvez\r\n",
       "2 Texto com mais de 8 caracteres! — ABCDEFGHI\n3 Unidade com mais de 3 caracteres! — m/s2\n4 Editável deve ser "
       "Sim ou Não! — Talvez"},
      {"Tipo", kHeader + "X;0;;;D1\r\n;0\r\n",
       "2 Tipo desconhecido! Use Variável ou Alarme — X\n3 Tipo não informado! Use Variável ou Alarme"},
      {"alarm texts", kHeader + "A;;;;;;;FIM\r\nA;;;;;;Włącz;\r\nA;;;;;;OK;123456789\r\n",
       "2 Texto 1 deve ter de 1 a 8 caracteres!\n3 Caractere \"ł\" não aceito pelo painel — Texto 1\n"
       "4 Texto 2 deve ter no máximo 8 caracteres! — 123456789"},
      {"line break in a quoted text counts as a line", kHeader + "V;0;\"a\r\nb\";;D1\r\nV;0;;;D5000\r\n",
       "2 Quebra de linha ou outro caractere de controle não aceito — Texto\n4 Endereço inválido! — D5000"},
      {"no Tipo column", "\r\nGrupo;Texto\r\n0;A\r\n", "2 Cabeçalho sem a coluna Tipo" + expected},
      {"256 variables", kHeader + QByteArray("V;0;;;D1\r\n").repeated(256),
       "257 Mais de 255 variáveis: a lista comporta no máximo 255!"},
      {"256 alarms", kHeader + QByteArray("A;;;;;;x\r\n").repeated(256),
       "257 Mais de 255 alarmes: a lista comporta no máximo 255!"},
      {"text after a closing quote, named where its field starts", kHeader + "V;0;;;D1\r\nV;0;\"a\r\nb\"c;;D1\r\n",
       "3 texto depois das aspas de fechamento"},
      {"a quote inside a field", kHeader + "V;0;a\"b;;D1\r\n", "2 aspas dentro de um campo que não começa com aspas"},
      {"a header and blank rows only", kHeader + ";;;\r\n\r\n",
       "1 Planilha vazia: nenhuma linha de Variável ou Alarme depois do cabeçalho"},
      {"variables without an Endereço column", "Tipo;Grupo;Texto;Texto 1\r\nV;0;A\r\nA;;;x\r\n",
       "1 Cabeçalho sem a coluna Endereço" + expected},
  };
  for (const auto& [name, bytes, outcome] : cases)
    EXPECT_EQ(Outcome(ParseCsv(bytes)), QString::fromUtf8(outcome)) << name;
}

using CsvCommandsTest = testing::EditorTest;

TEST_F(CsvCommandsTest, SaveAsExportsACopyAndOpenImportsItBackUnsortedOrRefusesItWholeChangingNothing) {
  PlayScript(kScript, QStringLiteral("save as exports a"));
  EXPECT_EQ(dialogs.requests.at(1).filters.join(u','),
            QStringLiteral("Arquivos (*.zlk) | *.zlk,Planilha (*.csv) | *.csv,Planilha Excel (*.xlsx) | *.xlsx,"
                           "Documento PDF (*.pdf) | *.pdf"));
  // The same lists as a parameter file and as a spreadsheet, quoted only where needed.
  testing::ExpectGolden(QStringLiteral("formats/data/lists.zlk"), Bytes(QStringLiteral("a.zlk")));
  testing::ExpectGolden(QStringLiteral("formats/data/lists.csv"), Bytes(QStringLiteral("lista.csv")));
  WriteFile(QStringLiteral("ruim.csv"), kHeader + QByteArray("X\r\n").repeated(12) + "V;0;;;D1\r\n");
  WriteFile(QStringLiteral("aspas.csv"), "Tipo;Grupo;Endereço;\r\nV;0;D1;\"nota\r\nV;0;D2;\r\n");
  PlayScript(kScript, QStringLiteral("a refused sheet"));
  EXPECT_TRUE(messages.shown.back().text.endsWith(QStringLiteral("\r\nLinha 2: aspas sem fechamento")));
  const QString text = messages.shown[messages.shown.size() - 2].text;
  EXPECT_TRUE(text.contains(QStringLiteral("\r\nLinha 11: Tipo desconhecido! Use Variável ou Alarme — X\r\n")) &&
              !text.contains(u"Linha 12"));
  EXPECT_TRUE(text.endsWith(QStringLiteral("… e mais 2 erros."))) << text.toStdString();
  EXPECT_EQ(messages.shown.back().icon, MessageIcon::Exclamation);
  // Opened as the command line opens it, it asks as Abrir does.
  EXPECT_EQ((Do(QStringLiteral("no; openat lista.csv")), Titles()), QStringLiteral("Salvar dados atuais?"));
  EXPECT_EQ(FormatCsv(state.lists), Bytes(QStringLiteral("lista.csv")));  // the round trip
  // A workbook takes the same way: a copy out, an import back.
  Do(QStringLiteral("saveas lista.xlsx; clearlist V; no; open lista.xlsx"));
  EXPECT_EQ(FormatCsv(state.lists) + Titles().toUtf8() + WindowTitle(state.source).toUtf8(),
            Bytes(QStringLiteral("lista.csv")) + "Salvar dados atuais?Zelkor Editor - lista.xlsx (importada)");
}

TEST_F(CsvCommandsTest, ASavedNameEndingInCsvExportsACopyAnOpenedOneImportsAsDoesTheChosenType) {
  WriteFile(QStringLiteral("a.zlk"), "1B       u  D1   SimV\r\n0A       u  D1   N\xE3oV\r\n");  // out of group order
  PlayScript(kScript, QStringLiteral("a saved name ending 1"));
  EXPECT_EQ(Bytes(QStringLiteral("x.csv")), Bytes(QStringLiteral("y.csv")));
  EXPECT_TRUE(messages.shown.back().text.startsWith(QStringLiteral("Não foi possível gravar a planilha")));
  // Salvar with no current file: the name decides, and a spreadsheet is still a copy.
  WriteFile(QStringLiteral("b.txt"), Bytes(QStringLiteral("x.csv")));
  PlayScript(kScript, QStringLiteral("a saved name ending 2"));
  EXPECT_EQ(Bytes(QStringLiteral("c.csv")), Bytes(QStringLiteral("x.csv")));
}

}  // namespace
}  // namespace zelkor
