#include "PlcImage.h"

#include "Cp1252.h"
#include "Numbers.h"

#include <algorithm>

namespace zelkor {

namespace {

QString Fit(const QString& text, int length) { return (text + QString(length, u' ')).left(length); }

// 0 D, 1 C, 2 T; -1 for any other letter.
int AddressType(const QString& endereco) {
  return endereco.isEmpty() ? -1 : static_cast<int>(QStringLiteral("DCT").indexOf(endereco.at(0).toUpper()));
}

std::optional<int> AddressNumber(const QString& endereco) {
  const auto number = ReadWholeNumber(endereco.mid(1, 4));
  if (!number || *number < 0 || *number > 0xFFFF) return std::nullopt;
  return static_cast<int>(*number);
}

}  // namespace

int ImageStart(int variables, int alarms) { return kImageTop - kVariableWords * variables - kAlarmWords * alarms; }

std::optional<PlcAddress> ParsePlcAddress(const QString& endereco) {
  const int type = AddressType(endereco);
  const auto number = AddressNumber(endereco);
  return type >= 0 && number ? std::optional(PlcAddress{type, *number}) : std::nullopt;
}

QByteArray EncodeVariableRow(const VariableRow& row) {
  const int type = AddressType(row.endereco);
  if (type < 0) {
    throw ImageError(QStringLiteral("O endereço \"%1\" não começa com D, C ou T.").arg(row.endereco).toStdString());
  }
  const auto group = ReadWholeNumber(row.grupo);
  if (!group || *group < 0 || *group > 7) {
    throw ImageError(QStringLiteral("O grupo \"%1\" não é um número de 0 a 7.").arg(row.grupo).toStdString());
  }
  const auto number = AddressNumber(row.endereco);
  if (!number) {
    throw ImageError(
        QStringLiteral("A parte numérica do endereço \"%1\" não é um número válido.").arg(row.endereco).toStdString());
  }
  const int editable = row.editable ? 1 : 0;

  QByteArray record = cp1252::Encode(Fit(row.texto, 8) + Fit(row.unidade, 3));
  record.append(static_cast<char>(type * 16 + static_cast<int>(*group) * 2 + editable));
  record.append(static_cast<char>(*number / 256));
  record.append(static_cast<char>(*number % 256));
  return record;
}

QByteArray EncodeAlarmRow(const QString& alarmText) { return cp1252::Encode(Fit(alarmText, 16)); }

std::array<std::uint16_t, 4> ImageHeader(int variables, int alarms) {
  return {0, 0, 0, static_cast<std::uint16_t>((alarms & 0xFF) * 256 + (variables & 0xFF))};
}

QByteArray WordBytes(const QList<quint16>& words) {
  QByteArray bytes;
  for (const quint16 word : words) bytes.append(static_cast<char>(word >> 8)).append(static_cast<char>(word & 0xFF));
  return bytes;
}

namespace {
QString WithoutTrailingBlanks(const QByteArray& bytes) {
  QString text = cp1252::Decode(bytes);
  while (text.endsWith(u' ')) text.chop(1);
  return text;
}
}  // namespace

std::optional<VariableRow> DecodeVariableRecord(const QByteArray& record) {
  const int flags = static_cast<unsigned char>(record.at(11));
  const int type = (flags >> 4) & 3;
  if ((flags & 0xC0) != 0 || type == 3) return std::nullopt;
  const int number = static_cast<unsigned char>(record.at(12)) * 256 + static_cast<unsigned char>(record.at(13));
  return VariableRow{QString::number((flags >> 1) & 7), WithoutTrailingBlanks(record.left(8)),
                     WithoutTrailingBlanks(record.mid(8, 3)), QChar(u"DCT"[type]) + QString::number(number),
                     (flags & 1) != 0};
}

QString DecodeAlarmRecord(const QByteArray& record) { return WithoutTrailingBlanks(record.left(16)); }

std::vector<ImageRecord> ImageRecords(const Lists& lists) {
  const int v = static_cast<int>(lists.variables.size());
  const int a = static_cast<int>(lists.alarms.size());
  const auto header = ImageHeader(v, a);
  std::vector<ImageRecord> records{{kImageTop, WordBytes({header.begin(), header.end()})}};
  int address = kImageTop;
  for (int row = 1; row <= v; ++row) {
    address -= kVariableWords;
    try {
      records.push_back({address, EncodeVariableRow(lists.variables[static_cast<size_t>(row - 1)])});
    } catch (const ImageError& e) {
      throw ImageError(
          QStringLiteral("Linha %1 da lista de Variáveis: %2").arg(row).arg(QString::fromUtf8(e.what())).toStdString());
    }
  }
  for (int row = 1; row <= a; ++row) {
    address -= kAlarmWords;
    records.push_back({address, EncodeAlarmRow(lists.alarms[row - 1])});
  }
  return records;
}

std::optional<int> GroupGap(const std::vector<int>& groups) {
  std::array<bool, kGroups> present{};
  int highest = -1;
  for (const int g : groups) {
    present[static_cast<size_t>(g)] = true;
    highest = std::max(highest, g);
  }
  const auto gap = static_cast<int>(std::find(present.begin(), present.end(), false) - present.begin());
  return gap < highest ? std::optional(gap) : std::nullopt;
}

GroupSequence GroupSequenceOf(const std::vector<VariableRow>& variables) {
  std::vector<int> groups;
  for (size_t i = 0; i < variables.size(); ++i) {
    const auto group = ReadWholeNumber(variables[i].grupo);
    if (!group || *group < 0 || *group >= kGroups) return {static_cast<int>(i) + 1, false};
    groups.push_back(static_cast<int>(*group));
  }
  return {0, GroupGap(groups).has_value()};
}

Message BrokenGroupSequence() {
  return Exclamation(JoinLines({QStringLiteral("Sequência de numeração do Grupo está quebrada!"),
                                QStringLiteral("Deve iniciar com zero e seguir sequência de 1 em 1!")}),
                     MessageTitle::GroupSequence);
}

std::optional<Message> WriteRefusal(const Lists& lists) {
  const auto variables = static_cast<int>(lists.variables.size());
  if (variables == 0 && lists.alarms.empty()) {
    return Exclamation(QStringLiteral("Ambas as Listas estão vazias!"), MessageTitle::NothingToSend);
  }
  if (GroupSequenceOf(lists.variables).broken) return BrokenGroupSequence();
  constexpr MessageTitle title = MessageTitle::NothingSent;
  for (const auto& [list, rows] : {std::pair{QStringLiteral("Variáveis"), variables},
                                   {QStringLiteral("Alarmes"), static_cast<int>(lists.alarms.size())}}) {
    // The header holds each count in one byte.
    if (rows > kMaxRows) {
      return Exclamation(
          QStringLiteral(
              "A lista de %1 tem %2 linhas, mas o CLP aceita no máximo %3.\r\nRemova linhas antes de gravar.")
              .arg(list)
              .arg(rows)
              .arg(kMaxRows),
          title);
    }
  }
  try {
    static_cast<void>(ImageRecords(lists));
  } catch (const ImageError& e) {
    return Exclamation(QString::fromUtf8(e.what()) + QStringLiteral("\r\nCorrija a linha antes de gravar."), title);
  }
  return std::nullopt;
}

quint16 ImageChecksum(const std::vector<ImageRecord>& records) {
  // The records, laid out by address from the lowest one up.
  QByteArray image;
  std::for_each(records.rbegin(), records.rend(), [&](const ImageRecord& r) { image += r.bytes; });
  quint16 crc = 0xFFFF;
  for (const char byte : image) {
    crc ^= static_cast<quint16>(static_cast<unsigned char>(byte) << 8);
    for (int bit = 0; bit < 8; ++bit) crc = static_cast<quint16>(crc & 0x8000 ? (crc << 1) ^ 0x1021 : crc << 1);
  }
  return crc;
}

}  // namespace zelkor
