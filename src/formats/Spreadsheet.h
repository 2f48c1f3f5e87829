#pragma once

#include <QStringList>
#include <vector>

#include "model/Message.h"
#include "model/ParameterLists.h"

namespace zelkor {

// The spreadsheet form of both lists, in CSV and in a workbook alike: one
// table, Variable rows first, then Alarm rows, each in list order.
inline const QString kSpreadsheetHeader = QStringLiteral("Tipo;Grupo;Texto;Unidade;Endereço;Editável;Texto 1;Texto 2");
inline constexpr int kFailuresShown = 10;

struct SpreadsheetFailure {
  int line = 0;  // the sheet's line (row) where the row starts; the header is line 1
  QString reason;
  bool namesLine = false;  // the reason says the line itself
  friend bool operator==(const SpreadsheetFailure&, const SpreadsheetFailure&) = default;
};

struct SpreadsheetImport {
  Lists lists;                               // alarms composed as the alarm editor stores them
  std::vector<SpreadsheetFailure> failures;  // in line order; when there are any, no rows are kept
  Message message;                           // the box to show when there are failures

  bool Ok() const { return failures.empty(); }
};

// A cell as the sheet holds it. A workbook's cell that is neither text nor a
// whole number (a date, a fraction, a truth value, a formula's number) is
// `notText`: a text column cannot take it.
struct SpreadsheetCell {
  QString text;
  bool notText = false;
};

struct SpreadsheetRow {
  int line = 0;
  std::vector<SpreadsheetCell> cells;
};

// The header row, then one row per list line.
std::vector<QStringList> SpreadsheetTable(const Lists& lists);

// Finds the header by its names (case, accents and blanks aside; any order;
// a column with another name, or without a name and not empty, refuses the
// sheet) and checks every row below it as the editors would. Either all rows
// or only failures.
SpreadsheetImport ImportSpreadsheetRows(const std::vector<SpreadsheetRow>& rows);

// A refusal of the whole sheet for `failures`, with its box.
SpreadsheetImport RefusedSpreadsheet(std::vector<SpreadsheetFailure> failures);

}  // namespace zelkor
