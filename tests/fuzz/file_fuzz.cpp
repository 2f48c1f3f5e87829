// The parameter-file reader: any bytes open without a crash into one row per
// line, and what is then saved opens into the same lists again: save, open,
// save gives the same bytes.
#include "paramfile/ParameterFile.h"

#include <cstdlib>

static QByteArray Reopened(const QByteArray& bytes, int* rows) {
  zelkor::VariableList variables;
  zelkor::AlarmList alarms;
  const QList<QByteArray> lines = zelkor::SplitParameterLines(bytes);
  if (zelkor::CountParameterLines(bytes) != lines.size()) std::abort();
  zelkor::LoadParameterLines(lines, variables, alarms);
  *rows = variables.Count() + alarms.Count();
  if (*rows != lines.size()) std::abort();
  return zelkor::FormatParameterFile(variables, alarms);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  int rows = 0, again = 0;
  const QByteArray saved =
      Reopened(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), &rows);
  if (Reopened(saved, &again) != saved || again != rows) std::abort();
  return 0;
}
