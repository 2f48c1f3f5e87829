#include "formats/Xlsx.h"
#include "support/Editor.h"
#include "support/Zip.h"

#include <QFile>

#include <unzip.h>

namespace zelkor {
namespace {

// Rows of cells split by '|': "'text" an inline string, "sN" shared string N, "#n" a number, "dn" a number in a date
// format, "cn" in a custom date format, "fn" a formula's number, "bn" a truth value; an empty cell is left out. Sheets
// after the first are named by `more`.
QByteArray Workbook(const QStringList& rows, const QStringList& more = {}) {
  QByteArray sheet = "<worksheet xmlns='http://schemas.openxmlformats.org/spreadsheetml/2006/main'><sheetData>";
  for (qsizetype r = 0; r < rows.size(); ++r) {
    sheet += "<row r='" + QByteArray::number(r + 1) + "'>";
    const QStringList cells = rows[r].split(u'|');
    for (qsizetype c = 0; c < cells.size(); ++c) {
      const QByteArray v = cells[c].mid(1).toHtmlEscaped().toUtf8();
      const QByteArray at = " r='" + QByteArray(1, static_cast<char>('A' + c)) + QByteArray::number(r + 1) + "'";
      if (cells[c].startsWith(u'\'')) sheet += "<c" + at + " t='inlineStr'><is><t>" + v + "</t></is></c>";
      if (cells[c].startsWith(u's')) sheet += "<c" + at + " t='s'><v>" + v + "</v></c>";
      if (cells[c].startsWith(u'#')) sheet += "<c" + at + "><v>" + v + "</v></c>";
      if (cells[c].startsWith(u'd')) sheet += "<c" + at + " s='1'><v>" + v + "</v></c>";
      if (cells[c].startsWith(u'c')) sheet += "<c" + at + " s='2'><v>" + v + "</v></c>";
      if (cells[c].startsWith(u'f')) sheet += "<c" + at + "><f>1+1</f><v>" + v + "</v></c>";
      if (cells[c].startsWith(u'b')) sheet += "<c" + at + " t='b'><v>" + v + "</v></c>";
    }
    sheet += "</row>";
  }
  sheet += "</sheetData></worksheet>";
  QByteArray names, rels;
  std::map<QByteArray, QByteArray> parts;
  const QStringList sheets = QStringList{QStringLiteral("Folha1")} + more;
  for (qsizetype i = 0; i < sheets.size(); ++i) {
    const QByteArray n = QByteArray::number(i + 1);
    names += "<sheet name='" + sheets[i].toUtf8() + "' sheetId='" + n + "' r:id='rId" + n + "'/>";
    rels += "<Relationship Id='rId" + n + "' Type='x/worksheet' Target='worksheets/sheet" + n + ".xml'/>";
    parts["xl/worksheets/sheet" + QByteArray::number(i + 1) + ".xml"] = i == sheets.size() - 1 ? sheet : "<worksheet/>";
  }
  parts["xl/workbook.xml"] =
      "<workbook xmlns:r='http://schemas.openxmlformats.org/officeDocument/2006/relationships'><sheets>" + names +
      "</sheets></workbook>";
  parts["xl/_rels/workbook.xml.rels"] =
      "<Relationships>" + rels +
      "<Relationship Id='rS' Type='x/sharedStrings' Target='sharedStrings.xml'/>"
      "<Relationship Id='rT' Type='x/styles' Target='/xl/styles.xml'/></Relationships>";
  parts["xl/sharedStrings.xml"] =
      "<sst><si><t xml:space='preserve'>MOTOR 1 </t></si><si><r><t>F</t></r><r><t>ALHA</t></r>"
      "<rPh><t>x</t></rPh></si><si><t>_x0041_B</t></si></sst>";
  parts["xl/styles.xml"] =
      "<styleSheet><numFmts><numFmt numFmtId='164' formatCode='[$-416]dd/mm/yy;@'/></numFmts>"
      "<cellXfs><xf numFmtId='0'/><xf numFmtId='14'/><xf numFmtId='164'/></cellXfs>"
      "<dxfs><xf numFmtId='14'/></dxfs></styleSheet>";
  return testing::StoredZip(parts);
}

const QString kHeader = QStringLiteral("'Tipo|'Grupo|'Texto|'Unidade|'Endereço|'Editável|'Texto 1|'Texto 2");

QString Outcome(const SpreadsheetImport& import) {
  QStringList lines;
  for (const VariableRow& v : import.lists.variables)
    lines << QStringList{v.grupo, v.texto, v.unidade, v.endereco, EditableText(v.editable)}.join(u'|');
  for (const QString& alarm : import.lists.alarms) lines << u'[' + alarm + u']';
  if (!import.Ok()) lines << import.message.text.split(QStringLiteral("\r\n")).mid(1);
  return lines.join(u'\n');
}

TEST(Xlsx, ReadsTextsNumbersAndSharedStringsAndRefusesWhatIsNotTextOrNotAWorkbook) {
  const QString big(1 << 20, u'X');
  const std::tuple<const char*, QByteArray, QString> cases[] = {
      {"typed by hand: numbers read as digits, shared strings in runs, escapes, the sheet named Listas",
       Workbook({kHeader, QStringLiteral("'V|#0|#1234|#10|'D100"), QStringLiteral("'Variável|#1.0|'007||'C1|'sim"),
                 QStringLiteral("'A||||||s0|s1"), QStringLiteral("'a||||||s2")},
                {QStringLiteral("Outra"), QStringLiteral("LISTAS")}),
       QStringLiteral("0|1234|10|D100|Não\n1|007||C1|Sim\n[MOTOR 1 FALHA   ]\n[AB              ]")},
      {"a date, a fraction, a truth value, a custom date, a formula where a text goes",
       Workbook({kHeader, QStringLiteral("'V|#0|d45000||'D1"), QStringLiteral("'A||||||#0.5"),
                 QStringLiteral("'A||d1|b1|||'X"), QStringLiteral("'V|b1|||'D1"), QStringLiteral("'V|#0|c7||'D1"),
                 QStringLiteral("'V|f2|||'D1")}),
       QStringLiteral("Texto da linha 2 não é texto na planilha\nTexto 1 da linha 3 não é texto na planilha\n"
                      "Grupo da linha 5 não é texto na planilha\nTexto da linha 6 não é texto na planilha\n"
                      "Grupo da linha 7 não é texto na planilha")},
      {"a cell of a megabyte", Workbook({kHeader, QStringLiteral("'V|#0|'") + big + QStringLiteral("||'D1")}),
       QStringLiteral("Linha 2: Texto com mais de 8 caracteres! — XXXXXXXXXXXXXXXXXXXXXXX…")},
      {"not a zip", "Tipo;Grupo\r\n",
       QStringLiteral("O arquivo não é uma pasta de trabalho do Excel (.xlsx): não é um arquivo zip.")},
      {"a zip cut short", Workbook({kHeader}).chopped(30),
       QStringLiteral("A pasta de trabalho está incompleta ou danificada: falta o fim do arquivo zip.")},
      {"a part a byte over 64 MB unpacked", testing::StoredZip({{"xl/workbook.xml", QByteArray((64 << 20) + 1, ' ')}}),
       QStringLiteral("A pasta de trabalho é grande demais: xl/workbook.xml passa de 64 MB descompactado.")},
      {"no worksheet", testing::StoredZip({{"xl/workbook.xml", "<workbook/>"}}),
       QStringLiteral("A pasta de trabalho não tem nenhuma planilha.")},
      {"damaged XML", testing::StoredZip({{"xl/workbook.xml", "<workbook><sheets><sheet"}}),
       QStringLiteral("A pasta de trabalho está danificada (xl/workbook.xml): não foi possível lê-la.")},
  };
  for (const auto& [name, bytes, outcome] : cases) EXPECT_EQ(Outcome(ParseXlsx(bytes)), outcome) << name;
  // 100,000 rows: refused whole, quickly enough for a person to wait on.
  QStringList rows{kHeader};
  for (int i = 0; i < 100000; ++i) rows << QStringLiteral("'A||||||'X");
  const SpreadsheetImport many = ParseXlsx(Workbook(rows));
  EXPECT_TRUE(many.message.text.contains(QStringLiteral("Linha 257: Mais de 255 alarmes")));
  // A cell far to the right on every row would hold every blank before it.
  QByteArray wide = "<worksheet><sheetData>";
  for (int r = 1; r <= 8000; ++r)
    wide += "<row r='" + QByteArray::number(r) + "'><c r='IV" + QByteArray::number(r) + "'/></row>";
  EXPECT_TRUE(ParseXlsx(testing::StoredZip(
                            {{"xl/workbook.xml",
                              "<workbook xmlns:r='r'><sheets><sheet name='L' r:id='a'/></sheets></workbook>"},
                             {"xl/_rels/workbook.xml.rels",
                              "<Relationships><Relationship Id='a' Type='/worksheet' Target='s.xml'/></Relationships>"},
                             {"xl/s.xml", wide + "</sheetData></worksheet>"}}))
                  .message.text.contains(QStringLiteral("células demais")));
}

TEST(Xlsx, TheExportIsOneSheetListasOfTextCellsThatReadsBackAsWritten) {
  const Lists lists{
      {{QStringLiteral("0"), QStringLiteral("_x0041_"), QStringLiteral("1/2"), QStringLiteral("D1"), true}}};
  QByteArray workbook;
  ASSERT_EQ(FormatXlsx(lists, workbook), std::nullopt);
  EXPECT_EQ(Outcome(ParseXlsx(workbook)), QStringLiteral("0|_x0041_|1/2|D1|Sim"));
  const QTemporaryDir dir;
  QFile file(dir.filePath(QStringLiteral("a.xlsx")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(workbook) == workbook.size());
  file.close();
  unzFile zip = unzOpen(QFile::encodeName(file.fileName()).constData());
  const auto part = [zip](const char* name) {
    QByteArray data(1 << 16, 0);
    const bool found = unzLocateFile(zip, name, 1) == UNZ_OK && unzOpenCurrentFile(zip) == UNZ_OK;
    data.truncate(found ? unzReadCurrentFile(zip, data.data(), 1 << 16) : 0);
    return data;
  };
  EXPECT_TRUE(part("xl/workbook.xml").contains("<sheet name=\"Listas\""));
  // The text format "@" on the header's style and on the one of the cells and the columns.
  EXPECT_TRUE(part("xl/styles.xml").contains("<numFmt numFmtId=\"164\" formatCode=\"@\"/>"));
  EXPECT_EQ(part("xl/styles.xml").count("<xf numFmtId=\"164\""), 2);
  unzClose(zip);
}

}  // namespace
}  // namespace zelkor
