#include "ParameterFile.h"

#include "model/Cp1252.h"

#include <QFile>
#include <QFileInfo>

namespace zelkor {

namespace {

QString Field(const QString& text, int length) { return text.left(length).leftJustified(length, u' '); }

// Blanks only: tabs, non-breaking blanks and other bytes are text to keep.
QString WithoutTrailingBlanks(const QString& text) {
  qsizetype last = text.size();
  while (last > 0 && text[last - 1] == u' ') --last;
  return text.left(last);
}

}  // namespace

QByteArray FormatParameterFile(const Lists& lists) {
  QString text;
  text.reserve((static_cast<qsizetype>(lists.variables.size()) + lists.alarms.size()) * (kLineLength + 2));
  const QString end = QStringLiteral("\r\n");
  for (const VariableRow& row : lists.variables) {
    text += Field(row.grupo, 1) + Field(row.texto, 8) + Field(row.unidade, 3) + Field(row.endereco, 5) +
            EditableText(row.editable) + u'V' + end;
  }
  for (const QString& alarm : lists.alarms) text += Field(alarm, 16) + QStringLiteral("    A") + end;
  // Cells typed in the editor always encode; a character that cannot becomes "?".
  return cp1252::Encode(text);
}

QList<QByteArray> SplitParameterLines(const QByteArray& bytes) {
  QList<QByteArray> lines;
  qsizetype start = 0;
  const qsizetype size = bytes.size();
  for (qsizetype i = 0; i < size; ++i) {
    const char c = bytes[i];
    if (c != '\r' && c != '\n') continue;
    lines << bytes.mid(start, i - start);
    if (c == '\r' && i + 1 < size && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < size) lines << bytes.mid(start);
  return lines;
}

qsizetype CountParameterLines(const QByteArray& bytes) {
  qsizetype lines = 0;
  const qsizetype size = bytes.size();
  const char* data = bytes.constData();
  for (qsizetype i = 0; i < size; ++i) {
    if (data[i] == '\n' || (data[i] == '\r' && (i + 1 == size || data[i + 1] != '\n'))) ++lines;
  }
  const bool openLast = size > 0 && data[size - 1] != '\n' && data[size - 1] != '\r';
  return lines + (openLast ? 1 : 0);
}

Lists ParseParameterLines(const QList<QByteArray>& lines) {
  Lists rows;
  for (const QByteArray& raw : lines) {
    const QString line = cp1252::Decode(raw.left(kLineLength)).leftJustified(kLineLength, u' ');
    const auto field = [&](int from, int length) { return WithoutTrailingBlanks(line.mid(from, length)); };
    if (line[kLineLength - 1] == u'V') {
      rows.variables.push_back({line.left(1), field(1, 8), field(9, 3), field(12, 5), EditableFromText(field(17, 3))});
    } else {
      rows.alarms << field(0, 16);
    }
  }
  return rows;
}

QString DescribeFileError(const QString& action, const QString& path, const QString& systemError) {
  return QStringLiteral("Não foi possível %1 o arquivo \"%2\":\r\n%3").arg(action, path, systemError);
}

std::optional<QString> WriteAtomically(QSaveFile& file, const QByteArray& bytes) {
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  if (file.write(bytes) != bytes.size()) {
    const QString error = file.errorString();
    // The half-written copy goes now, not when the object does: on Windows it is a file of its own.
    file.cancelWriting();
    static_cast<void>(file.commit());
    return error;
  }
  if (!file.commit()) return file.errorString();
  return std::nullopt;
}

std::optional<QString> WriteParameterFile(const QString& path, const Lists& lists) {
  QSaveFile file(path);
  if (const auto error = WriteAtomically(file, FormatParameterFile(lists))) {
    return DescribeFileError(QStringLiteral("gravar"), path, *error);
  }
  return std::nullopt;
}

}  // namespace zelkor
