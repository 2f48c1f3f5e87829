#include "core/ControlNames.h"
#include "plclink/PlcImage.h"
#include "support/Printers.h"
#include "support/RecordingMessages.h"

#include <gtest/gtest.h>

namespace zelkor {
namespace {

using Words = std::vector<std::uint16_t>;

// Bytes 2k (high) and 2k+1 (low) form word k.
Words RecordWords(const QByteArray& record) {
  Words words;
  for (qsizetype i = 0; i + 1 < record.size(); i += 2) {
    words.push_back(static_cast<std::uint16_t>(static_cast<unsigned char>(record[i]) * 256 +
                                               static_cast<unsigned char>(record[i + 1])));
  }
  return words;
}

VariableRow Row(const char16_t* grupo, const char16_t* texto, const char16_t* unidade, const char16_t* endereco,
                const char16_t* editavel) {
  return {QString::fromUtf16(grupo), QString::fromUtf16(texto), QString::fromUtf16(unidade),
          QString::fromUtf16(endereco), QString::fromUtf16(editavel)};
}

QByteArray Bytes(std::initializer_list<int> values) {
  QByteArray bytes;
  for (int v : values) bytes.append(static_cast<char>(v));
  return bytes;
}

TEST(PlcImage, TheWorkedExampleVariableBecomesItsSevenWords) {
  const QByteArray record = EncodeVariableRow(Row(u"1", u"PRESSAO", u"bar", u"D1234", u"Sim"));
  ASSERT_EQ(record.size(), 14);
  EXPECT_EQ(RecordWords(record), (Words{0x5052, 0x4553, 0x5341, 0x4F20, 0x6261, 0x7203, 0x04D2}));
}

TEST(PlcImage, TheWorkedExampleAlarmBecomesItsEightWords) {
  EXPECT_EQ(RecordWords(EncodeAlarmRow(QStringLiteral("BOMBA   FALHA   "))),
            (Words{0x424F, 0x4D42, 0x4120, 0x2020, 0x4641, 0x4C48, 0x4120, 0x2020}));
  // A text from a file may be shorter, or longer than 16: filled or cut.
  EXPECT_EQ(EncodeAlarmRow(QStringLiteral("BOMBA")), QByteArray("BOMBA           "));
  EXPECT_EQ(EncodeAlarmRow(QStringLiteral("ABCDEFGHIJKLMNOPQR")), QByteArray("ABCDEFGHIJKLMNOP"));
  EXPECT_EQ(EncodeAlarmRow(QString()), QByteArray(16, ' '));
}

TEST(PlcImage, AddressesBecomeTypeCodeAndHighAndLowByte) {
  struct Case {
    const char16_t* endereco;
    int type;
    int high;
    int low;
  };
  const Case cases[] = {{u"D4999", 0, 0x13, 0x87}, {u"D0256", 0, 0x01, 0x00}, {u"c045", 1, 0x00, 0x2D},
                        {u"T200", 2, 0x00, 0xC8},  {u"d0", 0, 0, 0},          {u"D +12", 0, 0, 12},
                        {u"C255", 1, 0, 0xFF}};
  for (const Case& c : cases) {
    const QByteArray r = EncodeVariableRow(Row(u"0", u"", u"", c.endereco, u"Não"));
    const QString label = QString::fromUtf16(c.endereco);
    EXPECT_EQ(static_cast<unsigned char>(r[11]), c.type * 16) << label.toStdString();
    EXPECT_EQ(static_cast<unsigned char>(r[12]), c.high) << label.toStdString();
    EXPECT_EQ(static_cast<unsigned char>(r[13]), c.low) << label.toStdString();
  }
}

TEST(PlcImage, FlagsByteHoldsTypeGroupAndEditableBit) {
  EXPECT_EQ(EncodeVariableRow(Row(u"7", u"", u"", u"T1", u"Sim"))[11], 0x2F);
  EXPECT_EQ(EncodeVariableRow(Row(u"0", u"", u"", u"D1", u"Não"))[11], 0x00);
  EXPECT_EQ(EncodeVariableRow(Row(u"3", u"", u"", u"C1", u"Sim"))[11], 0x17);
  // Only a capital S at the start counts as editable.
  EXPECT_EQ(EncodeVariableRow(Row(u"0", u"", u"", u"D1", u"sim"))[11], 0x00);
}

TEST(PlcImage, TextAndUnitAreCutOrBlankFilledAndWrittenInWindows1252) {
  const QByteArray empty = EncodeVariableRow(Row(u"0", u"", u"", u"D1", u"Não"));
  EXPECT_EQ(empty.left(11), QByteArray(11, ' '));
  const QByteArray accents = EncodeVariableRow(Row(u"0", u"PRESSÃO€X", u"°Cx", u"D1", u"Não"));
  EXPECT_EQ(accents.left(11), Bytes({'P', 'R', 'E', 'S', 'S', 0xC3, 'O', 0x80, 0xB0, 'C', 'x'}));
}

TEST(PlcImage, RowsThatCannotBecomeARecordAreRefusedNotGuessed) {
  EXPECT_THROW(EncodeVariableRow(Row(u"0", u"", u"", u"X12", u"Sim")), ImageError);
  EXPECT_THROW(EncodeVariableRow(Row(u"0", u"", u"", u"", u"Sim")), ImageError);
  EXPECT_THROW(EncodeVariableRow(Row(u"0", u"", u"", u"DAB", u"Sim")), ImageError);
  EXPECT_THROW(EncodeVariableRow(Row(u"0", u"", u"", u"D-1", u"Sim")), ImageError);
  EXPECT_THROW(EncodeVariableRow(Row(u"8", u"", u"", u"D1", u"Sim")), ImageError);  // would spill into the type bits
  EXPECT_THROW(EncodeVariableRow(Row(u"A", u"", u"", u"D1", u"Sim")), ImageError);
  EXPECT_NO_THROW(EncodeVariableRow(Row(u"0", u"", u"", u"D9999", u"Sim")));  // fits its word
}

TEST(PlcImage, StartAndHeaderFollowTheCounts) {
  EXPECT_EQ(ImageStart(0, 0), 4496);
  EXPECT_EQ(ImageStart(1, 0), 4489);
  EXPECT_EQ(ImageStart(0, 1), 4488);
  EXPECT_EQ(ImageStart(1, 1), 4481);
  EXPECT_EQ(ImageStart(255, 255), 671);
  EXPECT_EQ(ImageHeader(1, 1), (std::array<std::uint16_t, 4>{0, 0, 0, 0x0101}));
  EXPECT_EQ(ImageHeader(0, 1)[3], 0x0100);
  EXPECT_EQ(ImageHeader(255, 255)[3], 0xFFFF);
}

class ReservedMemoryTest : public ::testing::Test {
 protected:
  QString first() const { return state.field(name::MemoriaInicial).text; }
  QString last() const { return state.field(name::MemoriaFinal).text; }
  testing::RecordingMessages messages;
  EditorState state{messages};
};

TEST_F(ReservedMemoryTest, ShowsTheImageExtentAndNothingForEmptyLists) {
  UpdateReservedMemory(state);
  EXPECT_EQ(first(), QString());
  EXPECT_EQ(last(), QString());

  state.variables.append(Row(u"1", u"PRESSAO", u"bar", u"D1234", u"Sim"));
  UpdateReservedMemory(state);
  EXPECT_EQ(first(), QStringLiteral("D4489"));
  EXPECT_EQ(last(), QStringLiteral("D4499"));

  state.alarms.append(QStringLiteral("BOMBA   FALHA   "));
  UpdateReservedMemory(state);
  EXPECT_EQ(first(), QStringLiteral("D4481"));

  state.variables.removeRow(1);
  state.alarms.removeRow(1);
  UpdateReservedMemory(state);
  EXPECT_EQ(first(), QString());
  EXPECT_EQ(last(), QString());
}

TEST_F(ReservedMemoryTest, FullListsStartAtD0671WithTheLeadingZero) {
  for (int i = 0; i < 255; ++i) {
    state.variables.append(Row(u"0", u"", u"", u"D1", u"Sim"));
    state.alarms.append(QStringLiteral("A"));
  }
  UpdateReservedMemory(state);
  EXPECT_EQ(first(), QStringLiteral("D0671"));
  EXPECT_EQ(last(), QStringLiteral("D4499"));
}

}  // namespace
}  // namespace zelkor
