#pragma once

#include "core/ParameterLists.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QPagedPaintDevice;

namespace zelkor {

// What a sheet shows: where the lists come from (the file's name, "CLP
// (Porta # 01)", "lista.csv (importada)"), when it was printed, both lists,
// and "Soma de verificação da imagem: 1A2B" (or why the lists have no image).
struct SheetContent {
  QString source;
  QDateTime printedAt;
  std::vector<VariableRow> variables;
  QStringList alarms;
  QString checksum;
};

SheetContent SheetOf(const QString& source, const VariableList& variables, const AlarmList& alarms);

// A4 portrait pages: a header on each ("Zelkor Editor", the source, date and
// time, "Página n de N"), the Variable table, the Alarm table with each half
// in fixed-pitch cells, a table's column header again on every page it runs
// over, at most 60 rows a page, and a summary with the counts, the reserved
// memory and the image's checksum. Returns the number of pages.
int PaintSheet(QPagedPaintDevice& device, const SheetContent& content);

// The sheet as a PDF file, fonts embedded; nothing, or what went wrong.
[[nodiscard]] std::optional<QString> WriteSheetPdf(const QString& path, const SheetContent& content);

}  // namespace zelkor
