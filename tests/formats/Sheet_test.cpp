#include "formats/Sheet.h"
#include "commands/EditorLifecycle.h"
#include "model/PlcImage.h"
#include "support/Editor.h"

#include <QProcess>
#include <QStandardPaths>

namespace zelkor {
namespace {

using SheetTest = testing::EditorTest;

QString Output(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
  return QString::fromUtf8(process.readAllStandardOutput());
}

// CRC-16/CCITT-FALSE written out here, over what the PLC holds after a write.
quint16 Crc(const QByteArray& bytes) {
  quint16 crc = 0xFFFF;
  for (const char b : bytes)
    for (int bit = 7; bit >= 0; --bit) {
      const bool top = ((crc >> 15) & 1) != ((static_cast<unsigned char>(b) >> bit) & 1);
      crc = static_cast<quint16>((crc << 1) ^ (top ? 0x1021 : 0));
    }
  return crc;
}

// Each page's lines: "#" a title, V or A a table's column header, "1-59 " a run of rows, "s" a summary line.
QString Layout(const SheetContent& content) {
  QStringList pages;
  for (const std::vector<SheetLine>& page : SheetPages(content)) {
    QString text;
    const auto row = [&page](size_t i) { return i < page.size() && page[i].kind == SheetLine::Kind::Row; };
    for (size_t i = 0; i < page.size(); ++i) {
      text += QStringList{QStringLiteral("#"),
                          page[i].table ? QStringLiteral("A") : QStringLiteral("V"),
                          {},
                          {},
                          QStringLiteral("s")}[static_cast<int>(page[i].kind)];
      if (row(i) && !row(i - 1)) text += page[i].cells[0];
      if (row(i) && !row(i + 1)) text += u'-' + page[i].cells[0] + u' ';
    }
    pages << text;
  }
  return pages.join(u'|');
}

QString Load(int variables, int alarms) {
  return QStringLiteral("Vload ") + QStringLiteral("0 ").repeated(variables) + QStringLiteral("; Aload %1").arg(alarms);
}

TEST_F(SheetTest, GivesTheCrcOfWhatGravaClpLeavesInThePlcOrWhyItRefusesAndRepeatsHeadersLeavingNoLastLineAlone) {
  const std::tuple<QString, QString, QString> cases[] = {
      {Load(20, 29), {}, QStringLiteral("#V1-20 #A1-29 |#ssss")},
      {Load(61, 0), {}, QStringLiteral("#V1-59 |V60-61 #A#ssss")},
      {Load(0, 0), QStringLiteral("Ambas as Listas estão vazias!"), QStringLiteral("#V#A#sssss")},
      {QStringLiteral("Vload 0 2 2"), QStringLiteral("Sequência de numeração do Grupo está quebrada!"),
       QStringLiteral("#V1-3 #A#ssssss")},
      {Load(256, 1), QStringLiteral("A lista de Variáveis tem 256 linhas, mas o CLP aceita no máximo 255."),
       QStringLiteral("#V1-60 |V61-120 |V121-180 |V181-240 |V241-256 #A1-1 #ssssss")},
      {QStringLiteral("Vload 0 x"),
       QStringLiteral("Linha 2 da lista de Variáveis: O grupo \"x\" não é um número de 0 a 7."),
       QStringLiteral("#V1-2 #A#ssssss")},
      {QStringLiteral("V 0|P|C|D4499; V 0|Q|C|d4499; yes"),
       {},
       QStringLiteral("#V1-2 #A#ssss#sssss")},  // and what the write warns of
  };
  Do(QStringLiteral("port 1"));
  for (const auto& [lists, refusal, layout] : cases) {
    ClearAllLists(state);
    Do(lists);
    const SheetContent sheet = SheetOf(QStringLiteral("a.zlk"), state.lists);
    EXPECT_EQ(Layout(sheet), layout) << lists.toStdString();
    Do(QStringLiteral("write"));
    QByteArray image;
    for (int address =
             ImageStart(static_cast<int>(state.lists.variables.size()), static_cast<int>(state.lists.alarms.size()));
         address <= 4499; ++address)
      image.append(static_cast<char>(plc.Word(address) >> 8)).append(static_cast<char>(plc.Word(address) & 0xFF));
    const QString label = QStringLiteral("Soma de verificação da imagem: ");
    EXPECT_EQ(sheet.checksum,
              refusal.isEmpty() ? QStringList{label + QString::number(Crc(image), 16).rightJustified(4, u'0').toUpper()}
                                : QStringList{label + QStringLiteral("nenhuma — Grava CLP recusa estas listas:")} +
                                      messages.shown.back().text.split(QStringLiteral("\r\n")));
    EXPECT_EQ(sheet.checksum.value(1), refusal);
  }
}

TEST_F(SheetTest, ThePdfHoldsEveryCellAndTheSummaryInEmbeddedFonts) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
    GTEST_SKIP() << "pdftotext and pdffonts (poppler-utils) are not installed";
  for (int i = 0; i < 255; ++i) {
    state.lists.variables.push_back({QString::number(i % 4), QStringLiteral("V%1Ç").arg(i),
                                     QStringLiteral("º%1").arg(i % 10),
                                     QStringLiteral("D%1").arg(i < 254 ? i * 2 : 4499), i % 2 == 1});
    state.lists.alarms << QStringLiteral("A%1 AÇÃO X%2").arg(i, 3, 10, QLatin1Char('0')).arg(i % 100);
  }
  const QString pdf = Path(QStringLiteral("folha.pdf"));
  const SheetContent content = SheetOf(QStringLiteral("máquina 7.zlk"), state.lists);
  ASSERT_EQ(WriteSheetPdf(pdf, content), std::nullopt);
  const QString text = Output(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  for (int i = 0; i < 255; ++i) {
    const VariableRow& v = state.lists.variables[static_cast<size_t>(i)];
    const QString& alarm = state.lists.alarms[i];
    for (const QString& cell : {v.texto, v.unidade, v.endereco, alarm.left(8), alarm.mid(8)})
      EXPECT_TRUE(text.contains(cell)) << cell.toStdString();
  }
  for (const QString& line :
       {QStringLiteral("máquina 7.zlk"), QStringLiteral("Memória reservada: D0671 a D4499"), content.checksum[0],
        QStringLiteral("– Variável da linha 255 (V254Ç, D4499): está na memória das listas")})
    EXPECT_TRUE(text.contains(line)) << line.toStdString();
  const QStringList pages = text.split(u'\f', Qt::SkipEmptyParts);
  EXPECT_EQ(pages.size(), 9);
  for (const QString& page : pages) EXPECT_TRUE(page.contains(QStringLiteral("Página")));
  const QStringList fonts = Output(QStringLiteral("pdffonts"), {pdf}).split(u'\n', Qt::SkipEmptyParts).mid(2);
  EXPECT_FALSE(fonts.isEmpty());
  for (const QString& font : fonts)
    EXPECT_EQ(font.simplified().section(u' ', -5, -5), QStringLiteral("yes")) << font.toStdString();
}

}  // namespace
}  // namespace zelkor
