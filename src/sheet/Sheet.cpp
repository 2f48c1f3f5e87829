#include "Sheet.h"

#include "plclink/PlcImage.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace zelkor {

namespace {

constexpr int kRowsPerPage = 60;
constexpr double kLeft = 15;  // millimetres
constexpr double kTop = 12;
constexpr double kBodyTop = 27;
constexpr double kBodyBottom = 285;
constexpr double kRowHeight = 4;

enum class Item { Title, Header, Row, Gap, Summary };

// One line of the sheet: what it is, which table it belongs to (0 variables,
// 1 alarms, -1 none), and its row or text.
struct Line {
  Line(Item k, int t = -1, int r = 0, QString s = {}) : kind(k), table(t), row(r), text(std::move(s)) {}
  Item kind;
  int table;
  int row;  // 1.. within its table
  QString text;
};

double Height(Item kind) {
  switch (kind) {
    case Item::Title:
      return 8;
    case Item::Header:
      return 5;
    case Item::Gap:
      return 4;
    case Item::Summary:
      return 5.5;
    case Item::Row:
      break;
  }
  return kRowHeight;
}

std::vector<Line> Lines(const SheetContent& c) {
  std::vector<Line> lines{{Item::Title, -1, 0, QStringLiteral("Lista de Variáveis")}, {Item::Header, 0}};
  for (int r = 1; r <= static_cast<int>(c.variables.size()); ++r) lines.emplace_back(Item::Row, 0, r);
  lines.emplace_back(Item::Gap);
  lines.emplace_back(Item::Title, -1, 0, QStringLiteral("Lista de Alarmes"));
  lines.emplace_back(Item::Header, 1);
  for (int r = 1; r <= c.alarms.size(); ++r) lines.emplace_back(Item::Row, 1, r);
  lines.emplace_back(Item::Gap);
  lines.emplace_back(Item::Title, -1, 0, QStringLiteral("Resumo"));
  const int v = static_cast<int>(c.variables.size());
  const int a = static_cast<int>(c.alarms.size());
  lines.emplace_back(Item::Summary, -1, 0, QStringLiteral("Linhas de Variáveis: %1").arg(v));
  lines.emplace_back(Item::Summary, -1, 0, QStringLiteral("Linhas de Alarmes: %1").arg(a));
  lines.emplace_back(Item::Summary, -1, 0,
                     v + a == 0 ? QStringLiteral("Memória reservada: nenhuma")
                                : QStringLiteral("Memória reservada: D%1 a D%2")
                                      .arg(ImageStart(v, a), 4, 10, QLatin1Char('0'))
                                      .arg(kImageEnd));
  lines.emplace_back(Item::Summary, -1, 0, c.checksum);
  return lines;
}

// Lines onto pages: a table that goes on to another page starts it with its header again.
std::vector<std::vector<Line>> Paginate(const std::vector<Line>& lines) {
  std::vector<std::vector<Line>> pages(1);
  double used = 0;
  int rows = 0;
  for (const Line& line : lines) {
    // A title or a header is not left alone at the foot of a page.
    double need = Height(line.kind);
    if (line.kind == Item::Title || line.kind == Item::Header) need += Height(Item::Header) + kRowHeight;
    if (kBodyTop + used + need > kBodyBottom || (line.kind == Item::Row && rows == kRowsPerPage)) {
      pages.emplace_back();
      used = 0;
      rows = 0;
      if (line.kind == Item::Row) {
        pages.back().emplace_back(Item::Header, line.table);
        used += Height(Item::Header);
      }
      if (line.kind == Item::Gap) continue;
    }
    pages.back().push_back(line);
    used += Height(line.kind);
    rows += line.kind == Item::Row ? 1 : 0;
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

SheetContent SheetOf(const QString& source, const VariableList& variables, const AlarmList& alarms) {
  SheetContent c{source, QDateTime::currentDateTime(), {}, {}, QStringLiteral("Soma de verificação da imagem: ")};
  for (int r = 1; r <= variables.Count(); ++r) c.variables.push_back(variables.Row(r));
  for (int r = 1; r <= alarms.Count(); ++r) c.alarms << alarms.Text(r);
  try {
    c.checksum += QString::number(ImageChecksum(ImageRecords(variables, alarms)), 16).rightJustified(4, u'0').toUpper();
  } catch (const ImageError& e) {
    c.checksum += QStringLiteral("— (%1)").arg(QString::fromUtf8(e.what()));
  }
  return c;
}

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
  const QStringList vHead{QStringLiteral("Linha"),   QStringLiteral("Grupo"),    QStringLiteral("Texto"),
                          QStringLiteral("Unidade"), QStringLiteral("Endereço"), QStringLiteral("Editável")};
  const QStringList aHead{QStringLiteral("Linha"), QStringLiteral("Texto 1"), QStringLiteral("Texto 2")};
  const auto pages = Paginate(Lines(c));
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
    for (const Line& line : pages[page]) {
      const double h = Height(line.kind);
      if (line.kind == Item::Title) {
        p.setFont(bold);
        p.drawText(at(kLeft, y + 2, 180, h - 2), Qt::AlignLeft | Qt::AlignVCenter, line.text);
      } else if (line.kind == Item::Summary) {
        p.setFont(text);
        p.drawText(at(kLeft, y, 180, h), Qt::AlignLeft | Qt::AlignVCenter, line.text);
      } else if (line.kind == Item::Header) {
        p.setFont(bold);
        const QStringList& heads = line.table == 0 ? vHead : aHead;
        for (qsizetype i = 0; i < heads.size(); ++i) {
          const double x = line.table == 0 ? vx[i] : ax[i];
          p.drawText(at(kLeft + x, y, 40, h), Qt::AlignLeft | Qt::AlignVCenter, heads[i]);
        }
        p.drawLine(at(kLeft, y + h, 180, 0).topLeft(), at(kLeft, y + h, 180, 0).topRight());
      } else if (line.kind == Item::Row && line.table == 0) {
        p.setFont(text);
        const VariableRow& v = c.variables[static_cast<size_t>(line.row - 1)];
        const QString cells[] = {QString::number(line.row), v.grupo, v.texto, v.unidade, v.endereco, v.editavel};
        for (int i = 0; i < 6; ++i)
          p.drawText(at(kLeft + vx[i], y, vx[i + 1] - vx[i], h), Qt::AlignLeft | Qt::AlignVCenter, cells[i]);
      } else if (line.kind == Item::Row) {
        p.setFont(text);
        p.drawText(at(kLeft, y, 14, h), Qt::AlignLeft | Qt::AlignVCenter, QString::number(line.row));
        p.setFont(mono);
        const QString& alarm = c.alarms[line.row - 1];
        DrawCells(p, at(kLeft + ax[1], y + 0.3, cell, h - 0.6), alarm.left(8));
        DrawCells(p, at(kLeft + ax[2], y + 0.3, cell, h - 0.6), alarm.mid(8, 8));
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
