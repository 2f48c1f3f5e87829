// The parameter-file reader: any bytes open without a crash into one row per
// line, and what is then saved opens into the same lists again: save, open,
// save gives the same bytes.
#include "formats/ParameterFile.h"

#include <cstdlib>

static QByteArray Reopened(const QByteArray& bytes, int* rows) {
  const QList<QByteArray> lines = zelkor::SplitParameterLines(bytes);
  if (zelkor::CountParameterLines(bytes) != lines.size()) std::abort();
  const zelkor::Lists lists = zelkor::ParseParameterLines(lines);
  *rows = static_cast<int>(lists.variables.size() + static_cast<size_t>(lists.alarms.size()));
  if (*rows != lines.size()) std::abort();
  return zelkor::FormatParameterFile(lists);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  int rows = 0, again = 0;
  const QByteArray saved =
      Reopened(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), &rows);
  if (Reopened(saved, &again) != saved || again != rows) std::abort();
  return 0;
}
