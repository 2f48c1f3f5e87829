#include "core/Cp1252.h"
#include "core/Numbers.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace zelkor {
namespace {

TEST(Cp1252, EveryByteDecodesAndEncodesBackToItself) {
  QByteArray all;
  for (int b = 0; b < 256; ++b) all.append(static_cast<char>(b));
  const QString text = cp1252::Decode(all);
  ASSERT_EQ(text.size(), 256);
  bool ok = false;
  EXPECT_EQ(cp1252::Encode(text, &ok), all);
  EXPECT_TRUE(ok);
}

TEST(Cp1252, TheTableOf80To9FIsTheCodePages) {
  // Checked against the published code page, not against the table in the code.
  const std::pair<int, char16_t> pairs[] = {{0x80, u'€'}, {0x8A, u'Š'}, {0x8C, u'Œ'}, {0x93, u'“'},
                                            {0x96, u'–'}, {0x99, u'™'}, {0x9F, u'Ÿ'}, {0x85, u'…'}};
  for (const auto& [byte, ch] : pairs) {
    EXPECT_EQ(cp1252::Decode(QByteArray(1, static_cast<char>(byte))), QString(QChar(ch))) << byte;
    EXPECT_EQ(cp1252::ByteOf(QChar(ch)), byte) << byte;
  }
  EXPECT_EQ(cp1252::Encode(QStringLiteral("Não")), QByteArray("N\xE3o"));
  EXPECT_EQ(cp1252::Encode(QStringLiteral("ÇçÁé°")), QByteArray("\xC7\xE7\xC1\xE9\xB0"));
}

TEST(Cp1252, CharactersOutsideTheCodePageBecomeQuestionMarksAndAreReported) {
  bool ok = true;
  EXPECT_EQ(cp1252::Encode(QStringLiteral("AΩ€"), &ok), QByteArray("A?\x80"));
  EXPECT_FALSE(ok);
  EXPECT_EQ(cp1252::ByteOf(QChar(u'日')), -1);
  for (QChar c : QStringLiteral("AÇÃO ½ €")) EXPECT_GE(cp1252::ByteOf(c), 0) << int(c.unicode());
  EXPECT_EQ(cp1252::ByteOf(QChar(0x0100)), -1);  // Ā: just above Latin-1
}

TEST(WholeNumbers, PlainDigitsWithBlanksAndASignAreNumbers) {
  EXPECT_EQ(ReadWholeNumber(QStringLiteral("12")), 12);
  EXPECT_EQ(ReadWholeNumber(QStringLiteral(" 12 ")), 12);
  EXPECT_EQ(ReadWholeNumber(QStringLiteral("+12")), 12);
  EXPECT_EQ(ReadWholeNumber(QStringLiteral("-1")), -1);
  EXPECT_EQ(ReadWholeNumber(QStringLiteral("0007")), 7);
}

TEST(WholeNumbers, ExponentsSeparatorsAndHexadecimalAreNotNumbers) {
  for (const char* text : {"", " ", "+", "-", "1e3", "1.5", "1,5", "1.000", "&H10", "0x10", "12a", "- 1", "1 2", "++1"}) {
    EXPECT_FALSE(ReadWholeNumber(QString::fromLatin1(text)).has_value()) << '"' << text << '"';
  }
}

}  // namespace
}  // namespace zelkor
