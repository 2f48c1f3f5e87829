#include "support/Printers.h"
#include "variables/VariableValidation.h"

#include <gtest/gtest.h>

namespace zelkor {
namespace {

VariableVerdict Check(const char16_t* grupo, const char16_t* endereco, const char16_t* texto = u"T",
                      const char16_t* unidade = u"U") {
  return CheckVariableEntry({QString::fromUtf16(grupo), QString::fromUtf16(texto), QString::fromUtf16(unidade),
                             QString::fromUtf16(endereco)});
}

Message Exclamation(const QString& text, const char16_t* title) {
  return {text, QString::fromUtf16(title), MessageButtons::Ok, MessageIcon::Exclamation};
}

const QString kCrLf = QStringLiteral("\r\n");
const QString kValidTail = kCrLf + QStringLiteral("Endereços válidos: ") + kCrLf + kCrLf +
                           QStringLiteral("D0000 a D4999") + kCrLf + QStringLiteral("C000   a C255") + kCrLf +
                           QStringLiteral("T000   a T255");
const Message kG = Exclamation(QStringLiteral("Grupo só aceita valores de 0 a 7"), u"Grupo: só numérico de 0 a 7!");
const Message kA1 = Exclamation(QStringLiteral("Endereço não informado.") + kValidTail, u"Endereço não informado!");
const Message kA2 =
    Exclamation(QStringLiteral("Endereço deve iniciar com a letra D, C ou T.") + kValidTail, u"Endereço inválido!");
const Message kD1 = Exclamation(
    QStringLiteral("Parte numérica do Endereço, após a letra D, deve estar entre 0 e 4999 e conter no máximo 4 caracteres!"),
    u"Endereço inválido!");
const Message kD2 =
    Exclamation(QStringLiteral("Parte numérica do Endereço, após a letra D, deve estar entre 0 e 4999!"), u"Endereço inválido!");
Message CT(const char16_t* letter) {
  return Exclamation(QStringLiteral("Parte numérica do Endereço, após a letra ") + QString::fromUtf16(letter) +
                         QStringLiteral(", deve estar entre 0 e 255!"),
                     u"Endereço inválido!");
}

TEST(VariableEntry, GroupMustBeADigitFrom0To7) {
  for (const char16_t* grupo : {u"", u"8", u"9", u"a", u" ", u"-", u"+"}) {
    const VariableVerdict v = Check(grupo, u"D1");
    EXPECT_EQ(v.field, EntryField::Grupo) << QString::fromUtf16(grupo).toStdString();
    EXPECT_EQ(v.message, kG);
  }
  for (const char16_t* grupo : {u"0", u"7"}) EXPECT_TRUE(Check(grupo, u"D1").valid());
}

TEST(VariableEntry, GroupIsCheckedBeforeTheAddress) {
  const VariableVerdict v = Check(u"9", u"X");
  EXPECT_EQ(v.field, EntryField::Grupo);
  EXPECT_EQ(v.message, kG);
}

TEST(VariableEntry, AddressesThePanelAccepts) {
  for (const char16_t* address : {u"D0", u"D0000", u"D4999", u"C0", u"C255", u"T000", u"T255", u"d12", u"t7", u"D 12",
                                  u"D+12", u"c045", u"D7", u"D0007"}) {
    EXPECT_TRUE(Check(u"0", address).valid()) << QString::fromUtf16(address).toStdString();
  }
}

TEST(VariableEntry, EachWrongAddressGetsItsOwnMessage) {
  struct Case {
    const char16_t* address;
    Message expected;
  };
  const Case cases[] = {
      {u"", kA1},          {u"X12", kA2},       {u"12", kA2},        {u"#", kA2},         {u"D", kD1},
      {u"D12345", kD1},    {u"D1.5", kD1},      {u"D1e3", kD1},      {u"D&H10", kD1},     {u"D5000", kD2},
      {u"D-1", kD2},       {u"C256", CT(u"C")}, {u"T999", CT(u"T")}, {u"C0012", CT(u"C")}, {u"C", CT(u"C")},
      {u"t300", CT(u"T")}, {u"c-1", CT(u"C")},  {u"Tx", CT(u"T")},
  };
  for (const Case& c : cases) {
    const VariableVerdict v = Check(u"0", c.address);
    EXPECT_EQ(v.field, EntryField::Endereco) << QString::fromUtf16(c.address).toStdString();
    EXPECT_EQ(v.message, c.expected) << QString::fromUtf16(c.address).toStdString();
  }
}

TEST(VariableEntry, EmptyTextAndUnitBecomeBlanksWhateverTheVerdict) {
  const VariableVerdict failed = Check(u"9", u"D1", u"", u"");
  EXPECT_FALSE(failed.valid());
  EXPECT_EQ(failed.texto, QStringLiteral("        "));
  EXPECT_EQ(failed.unidade, QStringLiteral("   "));

  const VariableVerdict valid = Check(u"0", u"D1", u"", u"kg");
  EXPECT_TRUE(valid.valid());
  EXPECT_EQ(valid.texto, QString(8, u' '));
  EXPECT_EQ(valid.unidade, QStringLiteral("kg"));  // typed texts are not padded
}

}  // namespace
}  // namespace zelkor
