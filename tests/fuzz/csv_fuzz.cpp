// The spreadsheet reader: any bytes are refused or read without a crash, and
// what an accepted file holds exports and imports back as the same rows.
#include "formats/Csv.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const zelkor::SpreadsheetImport first =
      zelkor::ParseCsv(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  if (!first.Ok()) return 0;
  const zelkor::SpreadsheetImport again = zelkor::ParseCsv(zelkor::FormatCsv(first.lists));
  if (!again.Ok() || again.lists != first.lists) std::abort();
  return 0;
}
