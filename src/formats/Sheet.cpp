#include "Sheet.h"

#include "model/ListWarnings.h"
#include "model/PlcImage.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <utility>

namespace zelkor {

namespace {

constexpr int kRowsPerPage = 60;
constexpr double kLeft = 15;  // millimetres
constexpr double kTop = 12;
constexpr double kBodyTop = 27;
constexpr double kBodyBottom = 285;
constexpr double kRowHeight = 4;

using Kind = SheetLine::Kind;

double Height(Kind kind) {
  switch (kind) {
    case Kind::Title:
      return 8;
    case Kind::Header:
      return 5;
    case Kind::Gap:
      return 4;
    case Kind::Summary:
      return 5.5;
    case Kind::Row:
      break;
  }
  return kRowHeight;
}

// A summary line is one line of print: a longer text goes on in lines of its own, indented, broken between words.
QStringList Wrapped(const QString& text) {
  constexpr qsizetype kWidth = 120;  // characters of the text font across the page, with room to spare
  QStringList lines;
  QString line;
  for (const QString& word : text.split(u' ')) {
    if (!line.isEmpty() && line.size() + 1 + word.size() > kWidth) lines << std::exchange(line, QStringLiteral("  "));
    line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
  }
  return lines << line;
}

std::vector<SheetLine> Lines(const SheetContent& c) {
  std::vector<SheetLine> lines;
  const auto table = [&lines](int t, const QString& title, const QStringList& header,
                              const std::vector<QStringList>& rows) {
    lines.push_back({Kind::Title, -1, {title}});
    lines.push_back({Kind::Header, t, header});
    for (const QStringList& row : rows) lines.push_back({Kind::Row, t, row});
    lines.push_back({Kind::Gap, -1, {}});
  };
  std::vector<QStringList> rows;
  for (const VariableRow& v : c.lists.variables) {
    rows.push_back(
        {QString::number(rows.size() + 1), v.grupo, v.texto, v.unidade, v.endereco, EditableText(v.editable)});
  }
  table(0, QStringLiteral("Lista de Variáveis"),
        {QStringLiteral("Linha"), QStringLiteral("Grupo"), QStringLiteral("Texto"), QStringLiteral("Unidade"),
         QStringLiteral("Endereço"), QStringLiteral("Editável")},
        rows);
  rows.clear();
  for (const QString& alarm : c.lists.alarms)
    rows.push_back({QString::number(rows.size() + 1), alarm.left(8), alarm.mid(8, 8)});
  table(1, QStringLiteral("Lista de Alarmes"),
        {QStringLiteral("Linha"), QStringLiteral("Texto 1"), QStringLiteral("Texto 2")}, rows);
  const int v = static_cast<int>(c.lists.variables.size());
  const int a = static_cast<int>(c.lists.alarms.size());
  QStringList summary{QStringLiteral("Linhas de Variáveis: %1").arg(v), QStringLiteral("Linhas de Alarmes: %1").arg(a),
                      v + a == 0 ? QStringLiteral("Memória reservada: nenhuma")
                                 : QStringLiteral("Memória reservada: D%1 a D%2")
                                       .arg(ImageStart(v, a), 4, 10, QLatin1Char('0'))
                                       .arg(kImageEnd)};
  lines.push_back({Kind::Title, -1, {QStringLiteral("Resumo")}});
  for (const QString& line : summary + c.checksum) lines.push_back({Kind::Summary, -1, {line}});
  if (c.warnings.isEmpty()) return lines;
  lines.push_back({Kind::Title, -1, {QStringLiteral("Atenção antes de gravar")}});
  for (const QString& warning : c.warnings)
    for (const QString& line : Wrapped(QStringLiteral("– ") + warning)) lines.push_back({Kind::Summary, -1, {line}});
  return lines;
}

// A title or a column header goes with the line after it, a table's
// next-to-last row with its last, a summary line with the next one: a page
// never ends in a heading nor starts with a table's last line alone.
bool KeepsWithNext(const std::vector<SheetLine>& lines, size_t i) {
  if (i + 1 == lines.size()) return false;
  const Kind next = lines[i + 1].kind;
  switch (lines[i].kind) {
    case Kind::Title:
    case Kind::Header:
      return true;
    case Kind::Row:
      return next == Kind::Row && (i + 2 == lines.size() || lines[i + 2].kind != Kind::Row);
    case Kind::Summary:
      return next == Kind::Summary;
    case Kind::Gap:
      break;
  }
  return false;
}

// Lines onto pages: a table that goes on to another page starts it with its header again.
std::vector<std::vector<SheetLine>> Paginate(const std::vector<SheetLine>& lines) {
  // Where the lines kept on one page with each line end (one past the last).
  std::vector<size_t> keptUntil(lines.size() + 1, lines.size());
  for (size_t i = lines.size(); i-- > 0;) keptUntil[i] = KeepsWithNext(lines, i) ? keptUntil[i + 1] : i + 1;
  std::vector<std::vector<SheetLine>> pages(1);
  const SheetLine* header = nullptr;  // of the table the rows belong to
  double used = 0;
  int rows = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    const SheetLine& line = lines[i];
    double height = 0;
    int rowsNeeded = 0;
    for (size_t j = i; j < keptUntil[i]; ++j) {
      height += Height(lines[j].kind);
      rowsNeeded += lines[j].kind == Kind::Row ? 1 : 0;
    }
    // What cannot be kept on one page (a long list of warnings) goes on line by line.
    if (kBodyTop + height > kBodyBottom) height = Height(line.kind);
    if (!pages.back().empty() && (kBodyTop + used + height > kBodyBottom || rows + rowsNeeded > kRowsPerPage)) {
      pages.emplace_back();
      used = 0;
      rows = 0;
      if (line.kind == Kind::Gap) continue;
      if (line.kind == Kind::Row) {
        pages.back().push_back(*header);
        used += Height(Kind::Header);
      }
    }
    if (line.kind == Kind::Header) header = &line;
    pages.back().push_back(line);
    used += Height(line.kind);
    rows += line.kind == Kind::Row ? 1 : 0;
  }
  return pages;
}

// Each character of an alarm's half in a light box of its own, blanks
// included, so where a text sits on the panel shows. The half is one run of
// text in a fixed pitch, one box a character, so it reads back as typed.
void DrawCells(QPainter& p, const QRectF& first, const QString& half) {
  p.save();
  p.setPen(QPen(QColor(190, 190, 190), 0));
  for (int i = 0; i < 8; ++i) p.drawRect(first.translated(first.width() * i, 0));
  p.restore();
  p.drawText(QRectF(first.topLeft(), QSizeF(first.width() * 8, first.height())), Qt::AlignLeft | Qt::AlignVCenter,
             half.leftJustified(8, u' '));
}

}  // namespace

SheetContent SheetOf(const QString& source, const Lists& lists) {
  SheetContent c{source, QDateTime::currentDateTime(), lists, {}, CheckListsBeforeWrite(lists)};
  const QString label = QStringLiteral("Soma de verificação da imagem: ");
  if (const auto refusal = WriteRefusal(lists)) {
    c.checksum = QStringList{label + QStringLiteral("nenhuma — Grava CLP recusa estas listas:")} +
                 refusal->text.split(QStringLiteral("\r\n"));
  } else {
    c.checksum =
        QStringList{label + QString::number(ImageChecksum(ImageRecords(lists)), 16).rightJustified(4, u'0').toUpper()};
  }
  return c;
}

std::vector<std::vector<SheetLine>> SheetPages(const SheetContent& content) { return Paginate(Lines(content)); }

int PaintSheet(QPagedPaintDevice& device, const SheetContent& c) {
  device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  QPainter p(&device);
  const double dots = device.logicalDpiY() / 25.4;  // device units a millimetre
  const auto at = [dots](double x, double y, double w, double h) {
    return QRectF(x * dots, y * dots, w * dots, h * dots);
  };
  QFont text(QStringLiteral("DejaVu Sans"));
  text.setPointSizeF(8);
  text.setStyleStrategy(QFont::PreferNoShaping);  // no ligatures: "fi" stays two letters to a search
  QFont bold = text;
  bold.setBold(true);
  QFont mono(QStringLiteral("DejaVu Sans Mono"));
  mono.setStyleHint(QFont::Monospace);
  mono.setPointSizeF(8);
  mono.setStyleStrategy(QFont::PreferNoShaping);
  const double cell = QFontMetricsF(mono, &device).horizontalAdvance(u'M') / dots;
  const QString printed = c.printedAt.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
  // Columns of the Variable table and of the Alarm table, in millimetres from the left margin.
  const double vx[] = {0, 16, 30, 62, 82, 110, 135};
  const double ax[] = {0, 16, 16 + 8 * cell + 6};
  const auto pages = SheetPages(c);
  for (size_t page = 0; page < pages.size(); ++page) {
    if (page > 0) device.newPage();
    p.setFont(bold);
    p.drawText(at(kLeft, kTop, 60, 6), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Zelkor Editor"));
    p.setFont(text);
    p.drawText(at(kLeft + 40, kTop, 100, 6), Qt::AlignLeft | Qt::AlignVCenter, c.source);
    p.drawText(at(kLeft + 130, kTop, 50, 6), Qt::AlignRight | Qt::AlignVCenter, printed);
    p.drawText(at(kLeft + 130, kTop + 6, 50, 6), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Página %1 de %2").arg(page + 1).arg(pages.size()));
    p.drawLine(at(kLeft, kTop + 13, 180, 0).topLeft(), at(kLeft, kTop + 13, 180, 0).topRight());
    double y = kBodyTop;
    for (const SheetLine& line : pages[page]) {
      const double h = Height(line.kind);
      if (line.kind == Kind::Title) {
        p.setFont(bold);
        p.drawText(at(kLeft, y + 2, 180, h - 2), Qt::AlignLeft | Qt::AlignVCenter, line.cells.value(0));
      } else if (line.kind == Kind::Summary) {
        p.setFont(text);
        p.drawText(at(kLeft, y, 180, h), Qt::AlignLeft | Qt::AlignVCenter, line.cells.value(0));
      } else if (line.kind == Kind::Header) {
        p.setFont(bold);
        for (qsizetype i = 0; i < line.cells.size(); ++i) {
          const double x = line.table == 0 ? vx[i] : ax[i];
          p.drawText(at(kLeft + x, y, 40, h), Qt::AlignLeft | Qt::AlignVCenter, line.cells[i]);
        }
        p.drawLine(at(kLeft, y + h, 180, 0).topLeft(), at(kLeft, y + h, 180, 0).topRight());
      } else if (line.kind == Kind::Row && line.table == 0) {
        p.setFont(text);
        for (qsizetype i = 0; i < line.cells.size(); ++i)
          p.drawText(at(kLeft + vx[i], y, vx[i + 1] - vx[i], h), Qt::AlignLeft | Qt::AlignVCenter, line.cells[i]);
      } else if (line.kind == Kind::Row) {
        p.setFont(text);
        p.drawText(at(kLeft, y, 14, h), Qt::AlignLeft | Qt::AlignVCenter, line.cells.value(0));
        p.setFont(mono);
        DrawCells(p, at(kLeft + ax[1], y + 0.3, cell, h - 0.6), line.cells.value(1));
        DrawCells(p, at(kLeft + ax[2], y + 0.3, cell, h - 0.6), line.cells.value(2));
      }
      y += h;
    }
  }
  return static_cast<int>(pages.size());
}

std::optional<QString> WriteSheetPdf(const QString& path, const SheetContent& content) {
  // An older sheet of that name stays whole until the new one is.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  {
    QPdfWriter pdf(&file);
    pdf.setResolution(300);
    pdf.setCreator(QStringLiteral("Zelkor Editor"));
    pdf.setTitle(QStringLiteral("Zelkor Editor - ") + content.source);
    PaintSheet(pdf, content);
  }
  if (!file.commit()) return file.errorString();
  return std::nullopt;
}

}  // namespace zelkor
