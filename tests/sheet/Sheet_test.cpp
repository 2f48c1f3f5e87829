#include "sheet/Sheet.h"
#include "support/Editor.h"

#include <QProcess>
#include <QRegularExpression>
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
  for (const char b : bytes) {
    for (int bit = 7; bit >= 0; --bit) {
      const bool top = ((crc >> 15) & 1) != ((static_cast<unsigned char>(b) >> bit) & 1);
      crc = static_cast<quint16>((crc << 1) ^ (top ? 0x1021 : 0));
    }
  }
  return crc;
}

TEST_F(SheetTest, EveryRowIsOnThePagesAtMostSixtyAPageWithTheChecksumOfWhatThePlcHolds) {
  if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
    GTEST_SKIP() << "pdftotext and pdffonts (poppler-utils) are not installed";
  }
  for (int i = 0; i < 255; ++i) {
    state.variables.Load({QString::number(i % 4), QStringLiteral("V%1Ç").arg(i), QStringLiteral("º%1").arg(i % 10),
                          QStringLiteral("D%1").arg(i * 7), i % 2 ? kSim : kNao});
    state.alarms.Load(QStringLiteral("A%1 AÇÃO X%2").arg(i, 3, 10, QLatin1Char('0')).arg(i % 100));
  }
  Do(QStringLiteral("port 1; grava"));
  QByteArray image;
  for (int address = 4496 - 7 * 255 - 8 * 255; address <= 4499; ++address) {
    image.append(static_cast<char>(plc.Word(address) >> 8)).append(static_cast<char>(plc.Word(address) & 0xFF));
  }
  const QString pdf = Path(QStringLiteral("folha.pdf"));
  ASSERT_EQ(WriteSheetPdf(pdf, SheetOf(QStringLiteral("máquina 7.zlk"), state.variables, state.alarms)), std::nullopt);
  const QString text = Output(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  for (int i = 0; i < 255; ++i) {
    const VariableRow v = state.variables.Row(i + 1);
    for (const QString& cell :
         {v.texto, v.unidade, v.endereco, state.alarms.Text(i + 1).left(8), state.alarms.Text(i + 1).mid(8)}) {
      EXPECT_TRUE(text.contains(cell)) << cell.toStdString();
    }
  }
  const QString checksum = QString::number(Crc(image), 16).rightJustified(4, u'0').toUpper();
  for (const QString& line : {QStringLiteral("máquina 7.zlk"), QStringLiteral("Memória reservada: D0671 a D4499"),
                              QStringLiteral("Soma de verificação da imagem: ") + checksum}) {
    EXPECT_TRUE(text.contains(line)) << line.toStdString();
  }
  const QStringList pages = text.split(u'\f', Qt::SkipEmptyParts);
  EXPECT_EQ(pages.size(), 9);
  for (const QString& page : pages) {
    EXPECT_LE(page.count(QRegularExpression(QStringLiteral("(?m)^\\d+ "))), 60);
    EXPECT_TRUE(page.contains(QStringLiteral("Página")));
  }
  const QStringList fonts = Output(QStringLiteral("pdffonts"), {pdf}).split(u'\n', Qt::SkipEmptyParts).mid(2);
  EXPECT_FALSE(fonts.isEmpty());
  for (const QString& font : fonts)
    EXPECT_EQ(font.simplified().section(u' ', -5, -5), QStringLiteral("yes")) << font.toStdString();
}

}  // namespace
}  // namespace zelkor
