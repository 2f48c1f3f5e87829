#include "plclink/LinkFrame.h"
#include "plclink/PlcImage.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace zelkor {
namespace {

QByteArray Framed(const char* between, const char* checksum) {
  return QByteArray(1, kEnq) + between + QByteArray(1, kEot) + checksum;
}

TEST(FrameChecksum, IsTheByteSumModulo256InTwoUpperCaseDigits) {
  EXPECT_EQ(FrameChecksum("abc"), QByteArray("26"));
  EXPECT_EQ(FrameChecksum(QByteArray()), QByteArray("00"));
  EXPECT_EQ(FrameChecksum(QByteArray("\x80\x80")), QByteArray("00"));  // 256
  EXPECT_EQ(FrameChecksum(QByteArray("\x0A")), QByteArray("0A"));
  EXPECT_EQ(FrameChecksum(QByteArray("\xFF\xFF")), QByteArray("FE"));
}

TEST(BuildFrame, TheFourWorkedExamplesCharacterForCharacter) {
  const QByteArray header = BuildFrame({true, "%DW04496", "04", "0000000000000101", false});
  EXPECT_EQ(header, Framed("00wSB08%DW04496040000000000000101", "0A"));
  EXPECT_EQ(header.size(), 37);

  const QByteArray variable = BuildFrame({true, "%DW04489", "07",
                                          EncodeVariableRow({QStringLiteral("1"), QStringLiteral("PRESSAO"),
                                                             QStringLiteral("bar"), QStringLiteral("D1234"),
                                                             QStringLiteral("Sim")}),
                                          true});
  EXPECT_EQ(variable, Framed("00wSB08%DW04489075052455353414F206261720304D2", "C8"));
  EXPECT_EQ(variable.size(), 49);

  const QByteArray alarm =
      BuildFrame({true, "%DW04481", "08", EncodeAlarmRow(QStringLiteral("BOMBA   FALHA   ")), true});
  EXPECT_EQ(alarm, Framed("00wSB08%DW0448108424F4D424120202046414C4841202020", "8C"));
  EXPECT_EQ(alarm.size(), 53);

  // A read request has no data field, whatever data it is given.
  const QByteArray read = BuildFrame({false, "%DW04496", "04", "FFFF", true});
  EXPECT_EQ(read, Framed("00rSB08%DW0449604", "03"));
  EXPECT_EQ(read.size(), 21);
}

TEST(BuildFrame, DataBytesBelow10hKeepTheirLeadingZero) {
  const QByteArray frame = BuildFrame({true, "%DW00000", "01", QByteArray("\x03\x00", 2), true});
  EXPECT_TRUE(frame.contains("010300")) << frame.toStdString();
  EXPECT_TRUE(BuildFrame({true, "%DW00000", "01", " \xE3", true}).contains("20E3"));
}

TEST(BuildFrame, DeviceNamesAndWordCountsAreZeroPadded) {
  EXPECT_EQ(DeviceName(4496), QByteArray("%DW04496"));
  EXPECT_EQ(DeviceName(671), QByteArray("%DW00671"));
  EXPECT_EQ(DeviceName(0), QByteArray("%DW00000"));
  EXPECT_EQ(WordCountText(4), QByteArray("04"));
  EXPECT_EQ(WordCountText(255), QByteArray("FF"));
  EXPECT_EQ(WordCountText(10), QByteArray("0A"));
}

}  // namespace
}  // namespace zelkor
