#pragma once

#include <QByteArray>
#include <QStringList>
#include <vector>

#include "core/Messages.h"
#include "core/ParameterLists.h"

namespace zelkor {

// The spreadsheet form of both lists: one table, Variable rows first, then
// Alarm rows, each in list order.
inline const QString kCsvHeader = QStringLiteral("Tipo;Grupo;Texto;Unidade;Endereço;Editável;Texto 1;Texto 2");
inline const QString kCsvRefusedTitle = QStringLiteral("Planilha não importada!");
inline constexpr int kCsvFailuresShown = 10;

struct CsvFailure {
  int line = 0;  // the file's line where the row starts; the header is line 1
  QString reason;
  friend bool operator==(const CsvFailure&, const CsvFailure&) = default;
};

struct CsvImport {
  std::vector<VariableRow> variables;
  QStringList alarms;                // composed as the alarm editor stores them
  std::vector<CsvFailure> failures;  // in line order; when there are any, no rows are kept
  Message message;                   // the box to show when there are failures

  bool Ok() const { return failures.empty(); }
};

// UTF-8 with a byte-order mark, ';' between fields, CR LF line ends; a field
// is quoted only when it holds ';', '"' or a line end.
QByteArray FormatCsv(const VariableList& variables, const AlarmList& alarms);

// Reads what a spreadsheet writes (';', ',' or tab; UTF-8 or Windows-1252) and
// checks every row as the editors would. Either all rows or only failures.
CsvImport ParseCsv(const QByteArray& bytes);

}  // namespace zelkor
