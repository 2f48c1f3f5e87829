#pragma once

#include "model/ParameterLists.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QPagedPaintDevice;

namespace zelkor {

// What a sheet shows: where the lists come from (the file's name, "CLP
// (Porta # 01)", "lista.csv (importada)"), when it was printed, both lists,
// and "Soma de verificação da imagem: 1A2B", or, a line each, why "Grava CLP"
// would not write the lists and so they have no image; and what "Grava CLP" would warn about before writing them.
struct SheetContent {
  QString source;
  QDateTime printedAt;
  Lists lists;
  QStringList checksum;
  QStringList warnings;
};

SheetContent SheetOf(const QString& source, const Lists& lists);

// One line of a page: a title, a table's column header or one of its rows
// (their cells; a row's first is its number), a gap, a summary line. A
// title's or a summary line's text is its one cell.
struct SheetLine {
  enum class Kind { Title, Header, Row, Gap, Summary };
  Kind kind;
  int table = -1;  // 0 the Variable table, 1 the Alarm table, -1 neither
  QStringList cells;
};

// Each page's lines, top to bottom, as PaintSheet lays them out.
std::vector<std::vector<SheetLine>> SheetPages(const SheetContent& content);

// A4 portrait pages: a header on each ("Zelkor Editor", the source, date and
// time, "Página n de N"), the Variable table, the Alarm table with each half
// in fixed-pitch cells, a table's column header again on every page it runs
// over, at most 60 rows a page, no table's last line alone on a page, and a
// summary, kept on one page, with the counts, the reserved memory, the
// image's checksum and the warnings. Returns the number of pages.
int PaintSheet(QPagedPaintDevice& device, const SheetContent& content);

// The sheet as a PDF file, fonts embedded; nothing, or what went wrong.
[[nodiscard]] std::optional<QString> WriteSheetPdf(const QString& path, const SheetContent& content);

}  // namespace zelkor
