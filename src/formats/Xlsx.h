#pragma once

#include "Spreadsheet.h"

#include <QByteArray>

#include <optional>

namespace zelkor {

// A workbook whose one sheet, "Listas", holds the spreadsheet table with every
// cell a text cell, so that a spreadsheet program keeps "007" or "1/2" as they
// are; the header bold and frozen, the columns as wide as their texts.
// Nothing, or what went wrong.
[[nodiscard]] std::optional<QString> FormatXlsx(const Lists& lists, QByteArray& workbook);

// Reads the sheet named "Listas", or else the first one, and checks it as a
// CSV is checked. A whole number reads as its digits; any other cell that is
// not text refuses its row when the row uses it.
SpreadsheetImport ParseXlsx(const QByteArray& workbook);

}  // namespace zelkor
