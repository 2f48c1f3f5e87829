#pragma once

#include "Spreadsheet.h"

#include <QByteArray>

namespace zelkor {

// UTF-8 with a byte-order mark, ';' between fields, CR LF line ends; a field
// is quoted only when it holds ';', '"' or a line end.
QByteArray FormatCsv(const Lists& lists);

// Reads what a spreadsheet writes (';', ',' or tab; UTF-8 or Windows-1252) and
// checks every row as the editors would. Either all rows or only failures.
SpreadsheetImport ParseCsv(const QByteArray& bytes);

}  // namespace zelkor
