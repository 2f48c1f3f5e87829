#include "ListsFile.h"

#include "Csv.h"
#include "ParameterFile.h"
#include "Xlsx.h"

#include <QFile>
#include <QFileInfo>

namespace zelkor {

namespace {

Message ReadError(ListsFileKind kind, const QString& path, const QString& reason) {
  const QString text = kind == ListsFileKind::Parameters
                           ? DescribeFileError(QStringLiteral("ler"), path, reason)
                           : QStringLiteral("Não foi possível ler a planilha \"%1\":\r\n%2").arg(path, reason);
  return SystemError(text);
}

Message TooLarge(const QString& text) { return Exclamation(text, MessageTitle::FileNotRead); }

QString WhatItIsNot(ListsFileKind kind) {
  return kind == ListsFileKind::Parameters ? QStringLiteral("um arquivo de parâmetros")
                                           : QStringLiteral("uma planilha de listas");
}

ListsFileContent Parse(ListsFileKind kind, const QString& path, const QByteArray& bytes) {
  if (kind != ListsFileKind::Parameters) {
    SpreadsheetImport import = kind == ListsFileKind::Workbook ? ParseXlsx(bytes) : ParseCsv(bytes);
    if (!import.Ok()) return {std::nullopt, import.message};
    return {std::move(import.lists), {}};
  }
  if (const qsizetype lines = CountParameterLines(bytes); lines > kMaxFileLines) {
    return {std::nullopt, TooLarge(QStringLiteral("O arquivo \"%1\" tem %2 linhas; um arquivo de parâmetros tem no "
                                                  "máximo %3.\r\nAs listas não foram alteradas.")
                                       .arg(path)
                                       .arg(lines)
                                       .arg(kMaxFileLines))};
  }
  return {ParseParameterLines(SplitParameterLines(bytes)), {}};
}

}  // namespace

ListsFileKind ListsFileKindOf(const QString& path) {
  const QString suffix = QFileInfo(path).suffix();
  if (suffix.compare(QStringLiteral("csv"), Qt::CaseInsensitive) == 0) return ListsFileKind::Csv;
  if (suffix.compare(QStringLiteral("xlsx"), Qt::CaseInsensitive) == 0) return ListsFileKind::Workbook;
  return ListsFileKind::Parameters;
}

ListsFileContent ReadListsFile(const QString& path, ListsFileKind kind) {
  QFile file(path);
  if (QFileInfo(path).isDir())
    return {std::nullopt, ReadError(kind, path, QStringLiteral("É uma pasta, não um arquivo."))};
  if (!file.open(QIODevice::ReadOnly)) return {std::nullopt, ReadError(kind, path, file.errorString())};
  if (file.size() > kMaxFileBytes) {
    return {std::nullopt,
            TooLarge(QStringLiteral("O arquivo \"%1\" tem %2 MB: não é %3.\r\nAs listas não foram alteradas.")
                         .arg(path)
                         .arg(file.size() / (qint64{1024} * 1024))
                         .arg(WhatItIsNot(kind)))};
  }
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) return {std::nullopt, ReadError(kind, path, file.errorString())};
  return Parse(kind, path, bytes);
}

QString OneLine(const Message& message) {
  return message.text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts).join(u' ');
}

}  // namespace zelkor
