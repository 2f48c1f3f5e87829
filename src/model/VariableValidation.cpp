#include "VariableValidation.h"

#include "Numbers.h"

namespace zelkor {

namespace {

constexpr MessageTitle kInvalidTitle = MessageTitle::InvalidAddress;

QString ValidAddressesAfter(const QString& firstLine) {
  return JoinLines({firstLine, QStringLiteral("Endereços válidos: "), QString(), QStringLiteral("D0000 a D4999"),
                    QStringLiteral("C000   a C255"), QStringLiteral("T000   a T255")});
}

VariableVerdict Fail(VariableVerdict verdict, EntryField field, const QString& text, MessageTitle title) {
  verdict.field = field;
  verdict.message = Exclamation(text, title);
  return verdict;
}

bool InRange(const QString& numericPart, qsizetype maxLength, long long max) {
  const auto value = ReadWholeNumber(numericPart);
  return value && numericPart.size() <= maxLength && *value >= 0 && *value <= max;
}

}  // namespace

VariableVerdict CheckVariableEntry(const VariableEntry& entry) {
  VariableVerdict verdict;
  verdict.texto = entry.texto.isEmpty() ? QString(8, u' ') : entry.texto;
  verdict.unidade = entry.unidade.isEmpty() ? QString(3, u' ') : entry.unidade;

  const auto group = ReadWholeNumber(entry.grupo);
  if (!group || *group < 0 || *group > 7) {
    return Fail(verdict, EntryField::Grupo, QStringLiteral("Grupo só aceita valores de 0 a 7"),
                MessageTitle::GroupNotNumeric);
  }

  const QString& address = entry.endereco;
  if (address.isEmpty()) {
    return Fail(verdict, EntryField::Endereco, ValidAddressesAfter(QStringLiteral("Endereço não informado.")),
                MessageTitle::AddressMissing);
  }
  const QString letter = address.left(1).toUpper();
  if (letter != u"D" && letter != u"C" && letter != u"T") {
    return Fail(verdict, EntryField::Endereco,
                ValidAddressesAfter(QStringLiteral("Endereço deve iniciar com a letra D, C ou T.")), kInvalidTitle);
  }
  const QString numericPart = address.mid(1);
  const QString prefix = QStringLiteral("Parte numérica do Endereço, após a letra ");
  if (letter == u"D") {
    const auto value = ReadWholeNumber(numericPart);
    if (!value || numericPart.size() > 4) {
      return Fail(verdict, EntryField::Endereco,
                  prefix + QStringLiteral("D, deve estar entre 0 e 4999 e conter no máximo 4 caracteres!"),
                  kInvalidTitle);
    }
    if (*value < 0 || *value > 4999) {
      return Fail(verdict, EntryField::Endereco, prefix + QStringLiteral("D, deve estar entre 0 e 4999!"),
                  kInvalidTitle);
    }
  } else if (!InRange(numericPart, 3, 255)) {
    return Fail(verdict, EntryField::Endereco, prefix + letter + QStringLiteral(", deve estar entre 0 e 255!"),
                kInvalidTitle);
  }
  return verdict;
}

}  // namespace zelkor
